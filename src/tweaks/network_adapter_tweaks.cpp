#include "tweaks/network_adapter_tweaks.h"

#include <optional>
#include <span>
#include <string_view>

#include "tweaks/group_builders.h"
#include "hw/network_adapters.h"

namespace vx {

namespace {

constexpr TweakInfo kTcpLatencyInfo{
    .id = L"net.vip.tcp_latency",
    .title = L"VIP-Сеть: уменьшить TCP-задержки на каждом адаптере",
    .description = L"Устанавливает TcpAckFrequency=1 и TCPNoDelay=1 на каждом физическом сетевом адаптере. Снижает "
                   L"input lag в онлайн-играх и видеозвонках. Откат удаляет эти параметры.",
    .category = TweakCategory::Network,
    // TCP/IP reads an interface's values when the interface starts.
    .needsReboot = true,
};

constexpr TweakInfo kInterruptModerationInfo{
    .id = L"net.vip.intr_moderation",
    .title = L"VIP-Сеть: отключить Interrupt Moderation (Intel/Realtek)",
    .description = L"Снижает задержку (input lag) сетевой карты ценой повышенной нагрузки CPU. Применяется только к "
                   L"адаптерам Intel и Realtek через специфичные ключи драйвера.",
    .category = TweakCategory::Pro,
    .aggressive = true,
    .warning = L"Запись в драйверный ключ NIC. На некоторых старых драйверах Realtek параметр приводит к разрыву "
               L"связи до перезагрузки. Перед применением создаётся бэкап ветки.",
    // The driver reads its keywords when the adapter starts.
    .needsReboot = true,
};

constexpr TweakInfo kEeeInfo{
    .id = L"net.vip.disable_eee",
    .title = L"VIP-Сеть: отключить Energy Efficient Ethernet",
    .description = L"EEE (802.3az) экономит энергию ценой пробуждений канала, которые проявляются как микрофризы "
                   L"пинга в играх. Отключение снимает спайки лага.",
    .category = TweakCategory::Pro,
    .aggressive = true,
    .warning = L"Меняет 7 параметров драйвера сетевого адаптера. На сильно специфичных корпоративных сетевушках это "
               L"может потребовать переустановки драйвера для отката.",
    .needsReboot = true,  // read when the adapter starts, like every driver keyword
};

// TCP/IP interface values (REG_DWORD).
struct DwordValue {
  const wchar_t* name;
  std::uint32_t value;
};
constexpr DwordValue kTcpLatencyValues[] = {{L"TcpAckFrequency", 1}, {L"TCPNoDelay", 1}, {L"TcpDelAckTicks", 0}};

// Driver keywords are REG_SZ values holding decimal text.
struct Keyword {
  const wchar_t* name;
  const wchar_t* text;
};

struct ModerationKeywords {
  std::span<const Keyword> apply;
  std::span<const Keyword> revertWrite;
  std::span<const wchar_t* const> revertDelete;
};
constexpr Keyword kIntelApply[] = {{L"*InterruptModeration", L"0"}, {L"ITR", L"0"}, {L"*RSS", L"1"}};
constexpr Keyword kIntelRevert[] = {{L"*InterruptModeration", L"1"}};  // *RSS stays on
constexpr Keyword kRealtekApply[] = {{L"EnableDynamicIm", L"0"}, {L"ITR", L"0"}, {L"InterruptModeration", L"0"}};
constexpr Keyword kRealtekRevert[] = {{L"EnableDynamicIm", L"1"}, {L"InterruptModeration", L"1"}};
constexpr const wchar_t* kItrOnly[] = {L"ITR"};
constexpr ModerationKeywords kIntelModeration{kIntelApply, kIntelRevert, kItrOnly};
constexpr ModerationKeywords kRealtekModeration{kRealtekApply, kRealtekRevert, kItrOnly};
// Read back: any of these "0" on an Intel or Realtek adapter means moderation is off.
constexpr const wchar_t* kModerationStateKeywords[] = {L"*InterruptModeration", L"EnableDynamicIm"};

// Energy Efficient Ethernet and the power-saving keywords around it, all "0" on apply.
constexpr const wchar_t* kEeeOffKeywords[] = {L"*EEE",        L"EEELinkAdvertisement", L"AdvancedEEE",
                                              L"EnableGreenEthernet", L"EnablePME",    L"EnableSavePowerNow",
                                              L"AutoPowerSaveModeEnabled", L"AutoDisableGigabit"};
// PnPCapabilities 0x18: Windows may not power the device off to save power.
constexpr DwordValue kNoPowerOff{L"PnPCapabilities", 0x18};
// Revert turns EEE itself back on; the other power-saving keywords keep "0".
constexpr const wchar_t* kEeeRevertOn[] = {L"*EEE", L"EEELinkAdvertisement", L"EnableGreenEthernet"};
constexpr const wchar_t* kEeeRevertDelete[] = {L"AdvancedEEE", L"PnPCapabilities"};
constexpr const wchar_t* kEeeStateKeywords[] = {L"*EEE", L"EEELinkAdvertisement"};

bool keywordIs(const NetworkAdapter& adapter, const wchar_t* name, const wchar_t* text) {
  const auto value = regReadString(RegRoot::LocalMachine, adapter.keyPath, name);
  return value && *value == text;
}

// Intel wins when a description names both vendors; nothing for other vendors.
const ModerationKeywords* moderationKeywords(const NetworkAdapter& adapter) {
  if (adapter.isIntel) return &kIntelModeration;
  if (adapter.isRealtek) return &kRealtekModeration;
  return nullptr;
}

}  // namespace

// --- TCP acknowledgement and Nagle per adapter ---

VipTcpLatencyTweak::VipTcpLatencyTweak() : DescribedTweak(kTcpLatencyInfo) {}

std::vector<BackupKey> VipTcpLatencyTweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const NetworkAdapter& a : enumNetworkAdapters()) keys.push_back({RegRoot::LocalMachine, a.tcpipInterfacePath});
  return keys;
}

TweakState VipTcpLatencyTweak::queryState() {
  const auto adapters = enumNetworkAdapters();
  if (adapters.empty()) return TweakState::Unavailable;
  for (const NetworkAdapter& a : adapters) {
    for (const wchar_t* name : {L"TcpAckFrequency", L"TCPNoDelay"}) {
      const auto value = regReadDword(RegRoot::LocalMachine, a.tcpipInterfacePath, name);
      if (!value || *value != 1) return TweakState::NotApplied;
    }
  }
  return TweakState::Applied;
}

bool VipTcpLatencyTweak::apply() {
  bool all = true;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const DwordValue& v : kTcpLatencyValues) {
      all = regWriteDword(RegRoot::LocalMachine, a.tcpipInterfacePath, v.name, v.value) && all;
    }
  }
  return all;
}

TweakChanges VipTcpLatencyTweak::changes() {
  TweakChanges list;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const DwordValue& v : kTcpLatencyValues)
      list.push_back(registryChange(RegRoot::LocalMachine, a.tcpipInterfacePath, v.name, RegValueImage::dword(v.value),
                                    RegValueImage::absent()));
  }
  return list;
}

bool VipTcpLatencyTweak::revert() {
  bool all = true;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const DwordValue& v : kTcpLatencyValues)
      all = regDeleteValue(RegRoot::LocalMachine, a.tcpipInterfacePath, v.name) && all;
  }
  return all;
}

// --- Interrupt moderation on Intel and Realtek ---

VipInterruptModerationTweak::VipInterruptModerationTweak() : DescribedTweak(kInterruptModerationInfo) {}

std::vector<BackupKey> VipInterruptModerationTweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    if (moderationKeywords(a) != nullptr) keys.push_back({RegRoot::LocalMachine, a.keyPath});
  }
  return keys;
}

TweakState VipInterruptModerationTweak::queryState() {
  bool anyVendorCard = false;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    if (moderationKeywords(a) == nullptr) continue;
    anyVendorCard = true;
    for (const wchar_t* name : kModerationStateKeywords) {
      if (keywordIs(a, name, L"0")) return TweakState::Applied;
    }
  }
  return anyVendorCard ? TweakState::NotApplied : TweakState::Unavailable;
}

bool VipInterruptModerationTweak::apply() {
  bool any = false;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    const ModerationKeywords* keywords = moderationKeywords(a);
    if (keywords == nullptr) continue;
    for (const Keyword& k : keywords->apply) any = regWriteString(RegRoot::LocalMachine, a.keyPath, k.name, k.text) || any;
  }
  return any;
}

bool VipInterruptModerationTweak::revert() {
  bool all = true;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    const ModerationKeywords* keywords = moderationKeywords(a);
    if (keywords == nullptr) continue;
    for (const Keyword& k : keywords->revertWrite)
      all = regWriteString(RegRoot::LocalMachine, a.keyPath, k.name, k.text) && all;
    for (const wchar_t* name : keywords->revertDelete) all = regDeleteValue(RegRoot::LocalMachine, a.keyPath, name) && all;
  }
  return all;
}

// Each keyword apply writes, with what revert writes, deletes or leaves there.
TweakChanges VipInterruptModerationTweak::changes() {
  TweakChanges list;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    const ModerationKeywords* keywords = moderationKeywords(a);
    if (keywords == nullptr) continue;
    for (const Keyword& k : keywords->apply) {
      const auto applied = RegValueImage::string(k.text);
      TweakChange change = keptOnRevert(RegRoot::LocalMachine, a.keyPath, k.name, applied);
      for (const Keyword& r : keywords->revertWrite) {
        if (std::wstring_view(r.name) == k.name)
          change = registryChange(RegRoot::LocalMachine, a.keyPath, k.name, applied, RegValueImage::string(r.text));
      }
      for (const wchar_t* name : keywords->revertDelete) {
        if (std::wstring_view(name) == k.name)
          change = registryChange(RegRoot::LocalMachine, a.keyPath, k.name, applied, RegValueImage::absent());
      }
      list.push_back(std::move(change));
    }
  }
  return list;
}

// --- Energy Efficient Ethernet ---

VipDisableEEETweak::VipDisableEEETweak() : DescribedTweak(kEeeInfo) {}

std::vector<BackupKey> VipDisableEEETweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const NetworkAdapter& a : enumNetworkAdapters()) keys.push_back({RegRoot::LocalMachine, a.keyPath});
  return keys;
}

TweakState VipDisableEEETweak::queryState() {
  const auto adapters = enumNetworkAdapters();
  if (adapters.empty()) return TweakState::Unavailable;
  for (const NetworkAdapter& a : adapters) {
    for (const wchar_t* name : kEeeStateKeywords) {
      if (keywordIs(a, name, L"0")) return TweakState::Applied;
    }
  }
  return TweakState::NotApplied;
}

bool VipDisableEEETweak::apply() {
  bool any = false;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const wchar_t* name : kEeeOffKeywords) any = regWriteString(RegRoot::LocalMachine, a.keyPath, name, L"0") || any;
    any = regWriteDword(RegRoot::LocalMachine, a.keyPath, kNoPowerOff.name, kNoPowerOff.value) || any;
  }
  return any;
}

TweakChanges VipDisableEEETweak::changes() {
  const auto revertOf = [](const wchar_t* name) -> std::optional<RegValueImage> {
    for (const wchar_t* on : kEeeRevertOn)
      if (std::wstring_view(on) == name) return RegValueImage::string(L"1");
    for (const wchar_t* gone : kEeeRevertDelete)
      if (std::wstring_view(gone) == name) return RegValueImage::absent();
    return std::nullopt;
  };
  const auto described = [&](const std::wstring& key, const wchar_t* name, RegValueImage applied) {
    const auto reverted = revertOf(name);
    return reverted ? registryChange(RegRoot::LocalMachine, key, name, applied, *reverted)
                    : keptOnRevert(RegRoot::LocalMachine, key, name, applied);
  };
  TweakChanges list;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const wchar_t* name : kEeeOffKeywords) list.push_back(described(a.keyPath, name, RegValueImage::string(L"0")));
    list.push_back(described(a.keyPath, kNoPowerOff.name, RegValueImage::dword(kNoPowerOff.value)));
  }
  return list;
}

bool VipDisableEEETweak::revert() {
  bool all = true;
  for (const NetworkAdapter& a : enumNetworkAdapters()) {
    for (const wchar_t* name : kEeeRevertOn) all = regWriteString(RegRoot::LocalMachine, a.keyPath, name, L"1") && all;
    for (const wchar_t* name : kEeeRevertDelete) all = regDeleteValue(RegRoot::LocalMachine, a.keyPath, name) && all;
  }
  return all;
}

// --- group ---

void appendNetworkAdapterGroup(TweakCatalog& catalog) {
  catalog.push_back(std::make_shared<VipTcpLatencyTweak>());
  catalog.push_back(std::make_shared<VipInterruptModerationTweak>());
  catalog.push_back(std::make_shared<VipDisableEEETweak>());
}

}  // namespace vx
