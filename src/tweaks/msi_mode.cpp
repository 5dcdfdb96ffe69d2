#include "tweaks/msi_mode.h"

#include <algorithm>

#include "base/text.h"
#include "platform/registry.h"

namespace vx {

namespace {

constexpr std::size_t kDeviceNameChars = 256;
constexpr const wchar_t* kMsiProperties =
    L"\\Device Parameters\\Interrupt Management\\MessageSignaledInterruptProperties";
constexpr const wchar_t* kAffinityPolicy = L"\\Device Parameters\\Interrupt Management\\Affinity Policy";
constexpr std::uint32_t kHighPriority = 3;

}  // namespace

std::wstring findPciInstancePath(const std::wstring& matchingDeviceId) {
  std::wstring wanted = toLowerFolded(matchingDeviceId);
  const std::size_t slash = wanted.find(L'\\');
  if (slash != std::wstring::npos) wanted.erase(0, slash + 1);
  // An id that is only an enumerator ("pci\") would match every device; such an id names none.
  if (wanted.empty()) return {};

  const std::wstring pciKey = kPciEnumKey;
  for (const std::wstring& device : regEnumSubkeys(RegRoot::LocalMachine, pciKey, kDeviceNameChars)) {
    if (toLowerFolded(device).find(wanted) == std::wstring::npos) continue;
    const std::wstring deviceKey = pciKey + L"\\" + device;
    if (const auto instance = regFirstSubkey(RegRoot::LocalMachine, deviceKey, kDeviceNameChars)) {
      return deviceKey + L"\\" + *instance;
    }
  }
  return {};
}

MsiState readMsiState(const std::wstring& matchingDeviceId) {
  MsiState state;
  const std::wstring instance = findPciInstancePath(matchingDeviceId);
  if (instance.empty()) return state;
  const auto msi = regReadDword(RegRoot::LocalMachine, instance + kMsiProperties, L"MSISupported");
  state.msiValuePresent = msi.has_value();
  state.msiEnabled = msi && *msi == 1;
  state.devicePriority = regReadDword(RegRoot::LocalMachine, instance + kAffinityPolicy, L"DevicePriority").value_or(0);
  return state;
}

bool setMsiState(const std::wstring& matchingDeviceId, bool enable, std::uint32_t priority) {
  const std::wstring instance = findPciInstancePath(matchingDeviceId);
  if (instance.empty()) return false;
  if (!regWriteDword(RegRoot::LocalMachine, instance + kMsiProperties, L"MSISupported", enable ? 1 : 0)) return false;
  return regWriteDword(RegRoot::LocalMachine, instance + kAffinityPolicy, L"DevicePriority",
                       std::min(priority, kHighPriority));
}

TweakChanges msiStateChanges(const std::wstring& matchingDeviceId, bool enable, std::uint32_t priority,
                             bool revertEnable, std::uint32_t revertPriority) {
  const std::wstring instance = findPciInstancePath(matchingDeviceId);
  if (instance.empty()) return {};
  return {registryChange(RegRoot::LocalMachine, instance + kMsiProperties, L"MSISupported",
                         RegValueImage::dword(enable ? 1 : 0), RegValueImage::dword(revertEnable ? 1 : 0)),
          registryChange(RegRoot::LocalMachine, instance + kAffinityPolicy, L"DevicePriority",
                         RegValueImage::dword(std::min(priority, kHighPriority)),
                         RegValueImage::dword(std::min(revertPriority, kHighPriority)))};
}

}  // namespace vx
