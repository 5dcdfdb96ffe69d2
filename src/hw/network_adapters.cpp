#include "hw/network_adapters.h"

#include <algorithm>
#include <cstdint>

#include "base/text.h"
#include "platform/registry.h"

namespace vx {

namespace {

// Class subkeys are four-digit numbers; a name of 64 characters or more fails its index, which
// ends the walk.
constexpr std::size_t kSubkeyNameChars = 64;

// Descriptions of software adapters: WAN miniports, tunnels, loopback and virtual switches.
constexpr const wchar_t* kNonPhysical[] = {L"loopback", L"miniport", L"isatap", L"teredo", L"virtual"};

// Characteristics bits of a network adapter (the NCF_ flags of the network configuration API).
constexpr std::uint32_t kNcfVirtual = 0x1;
constexpr std::uint32_t kNcfPhysical = 0x4;
constexpr std::uint32_t kNcfHidden = 0x8;

// Windows translates adapter names ("Минипорт WAN (PPTP)"); Characteristics is the same on every
// language. Without the value the name rule decides alone.
bool physicalByCharacteristics(const std::wstring& keyPath) {
  const auto flags = regReadDword(RegRoot::LocalMachine, keyPath, L"Characteristics");
  if (!flags) return true;
  return (*flags & kNcfPhysical) != 0 && (*flags & (kNcfVirtual | kNcfHidden)) == 0;
}

bool isAdapterNumber(const std::wstring& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// Why the adapter is not listed; empty when it is.
std::wstring leftOutBecause(const std::wstring& keyPath, const std::optional<std::wstring>& description,
                            const std::optional<std::wstring>& instanceId) {
  if (!description) return L"нет DriverDesc";
  if (!instanceId) return L"нет NetCfgInstanceId";
  const std::wstring folded = toLowerFolded(*description);
  for (const wchar_t* word : kNonPhysical)
    if (folded.find(word) != std::wstring::npos) return std::wstring(L"программный по имени («") + word + L"»)";
  if (!physicalByCharacteristics(keyPath)) return L"не физический по Characteristics";
  return {};
}

}  // namespace

std::vector<NetworkAdapter> enumNetworkAdapters() {
  std::vector<NetworkAdapter> adapters;
  const std::wstring classKey = kNetworkClassKey;
  for (const std::wstring& name : regEnumSubkeys(RegRoot::LocalMachine, classKey, kSubkeyNameChars)) {
    if (!isAdapterNumber(name)) continue;  // "Properties" and the like
    const std::wstring keyPath = classKey + L"\\" + name;
    auto description = regReadString(RegRoot::LocalMachine, keyPath, L"DriverDesc");
    auto instanceId = regReadString(RegRoot::LocalMachine, keyPath, L"NetCfgInstanceId");
    if (!leftOutBecause(keyPath, description, instanceId).empty()) continue;
    const std::wstring folded = toLowerFolded(*description);
    NetworkAdapter adapter;
    adapter.tcpipInterfacePath = std::wstring(kTcpipInterfacesKey) + L"\\" + *instanceId;
    adapter.instanceId = std::move(*instanceId);
    adapter.description = std::move(*description);
    adapter.keyPath = keyPath;
    adapter.isIntel = folded.find(L"intel") != std::wstring::npos;
    adapter.isRealtek = folded.find(L"realtek") != std::wstring::npos;
    adapters.push_back(std::move(adapter));
  }
  return adapters;
}

std::vector<AdapterVerdict> networkAdapterVerdicts() {
  std::vector<AdapterVerdict> verdicts;
  const std::wstring classKey = kNetworkClassKey;
  for (const std::wstring& name : regEnumSubkeys(RegRoot::LocalMachine, classKey, kSubkeyNameChars)) {
    if (!isAdapterNumber(name)) continue;
    const std::wstring keyPath = classKey + L"\\" + name;
    const auto description = regReadString(RegRoot::LocalMachine, keyPath, L"DriverDesc");
    const auto instanceId = regReadString(RegRoot::LocalMachine, keyPath, L"NetCfgInstanceId");
    verdicts.push_back({name, description.value_or(L""), leftOutBecause(keyPath, description, instanceId)});
  }
  return verdicts;
}

}  // namespace vx
