#include "hw/display_adapters.h"

#include "base/text.h"
#include "platform/registry.h"

namespace vx {

namespace {

// Adapter subkeys are four-digit numbers; a short name buffer is enough and skips odd long names.
constexpr std::size_t kAdapterNameBufferChars = 64;

struct VendorRow {
  std::wstring_view text;
  const wchar_t* vendor;
};

// Tried top to bottom on the lower-cased description; the first hit wins.
constexpr VendorRow kVendors[] = {
    {L"nvidia", L"NVIDIA"}, {L"geforce", L"NVIDIA"}, {L"amd", L"AMD"}, {L"radeon", L"AMD"}, {L"intel", L"INTEL"},
};

bool isInboxDisplayDriver(const std::wstring& keyPath) {
  const auto provider = regReadString(RegRoot::LocalMachine, keyPath, L"ProviderName");
  const auto inf = regReadString(RegRoot::LocalMachine, keyPath, L"InfPath");
  return (provider && equalsFolded(*provider, L"Microsoft")) || (inf && equalsFolded(*inf, L"display.inf"));
}

}  // namespace

std::wstring displayAdapterVendor(std::wstring_view driverDesc) {
  const std::wstring lower = toLowerFolded(driverDesc);
  for (const VendorRow& row : kVendors)
    if (lower.find(row.text) != std::wstring::npos) return row.vendor;
  return L"OTHER";
}

namespace {

bool isAdapterSubkey(const std::wstring& subkey) { return !subkey.empty() && subkey[0] >= L'0' && subkey[0] <= L'9'; }

// Why the adapter is not listed; empty when it is.
std::wstring leftOutBecause(const std::wstring& keyPath, const std::optional<std::wstring>& description) {
  if (!description) return L"нет DriverDesc";
  // The Microsoft Basic Display Adapter stands in while no vendor driver is installed. Windows
  // translates its name ("Базовый видеоадаптер (Майкрософт)"), so its driver's provider and INF
  // file, which are not translated, decide as well.
  if (toLowerFolded(*description).find(L"basic display") != std::wstring::npos) return L"Basic Display по имени";
  if (isInboxDisplayDriver(keyPath)) return L"драйвер Microsoft (ProviderName / InfPath)";
  return {};
}

}  // namespace

std::vector<DisplayAdapter> enumDisplayAdapters() {
  std::vector<DisplayAdapter> adapters;
  const std::wstring classKey = kDisplayClassKey;
  for (const std::wstring& subkey : regEnumSubkeys(RegRoot::LocalMachine, classKey, kAdapterNameBufferChars)) {
    // Numbered subkeys are adapters; "Properties", "Configuration" and the like are not.
    if (!isAdapterSubkey(subkey)) continue;
    std::wstring keyPath = classKey + L"\\" + subkey;
    std::optional<std::wstring> description = regReadString(RegRoot::LocalMachine, keyPath, L"DriverDesc");
    if (!leftOutBecause(keyPath, description).empty()) continue;
    DisplayAdapter adapter;
    adapter.vendor = displayAdapterVendor(*description);
    adapter.name = std::move(*description);
    adapter.matchingDeviceId = regReadString(RegRoot::LocalMachine, keyPath, L"MatchingDeviceId").value_or(L"");
    adapter.keyPath = std::move(keyPath);
    adapters.push_back(std::move(adapter));
  }
  return adapters;
}

std::vector<AdapterVerdict> displayAdapterVerdicts() {
  std::vector<AdapterVerdict> verdicts;
  const std::wstring classKey = kDisplayClassKey;
  for (const std::wstring& subkey : regEnumSubkeys(RegRoot::LocalMachine, classKey, kAdapterNameBufferChars)) {
    if (!isAdapterSubkey(subkey)) continue;
    const std::wstring keyPath = classKey + L"\\" + subkey;
    const std::optional<std::wstring> description = regReadString(RegRoot::LocalMachine, keyPath, L"DriverDesc");
    verdicts.push_back({subkey, description.value_or(L""), leftOutBecause(keyPath, description)});
  }
  return verdicts;
}

}  // namespace vx
