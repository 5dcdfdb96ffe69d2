// Message-signalled interrupts and interrupt priority of one PCI device, found in the PCI
// enumeration key from a display adapter's MatchingDeviceId. Used by the GPU MSI mode tweak.
#pragma once
#include <cstdint>
#include <string>

#include "core/tweak_change.h"

namespace vx {

inline constexpr const wchar_t* kPciEnumKey = L"SYSTEM\\CurrentControlSet\\Enum\\PCI";

struct MsiState {
  bool msiEnabled = false;           // MSISupported is 1
  std::uint32_t devicePriority = 0;  // DevicePriority, 0 when absent (3 = high)
  bool msiValuePresent = false;      // MSISupported exists
};

// The first instance key below the PCI device key whose name contains the id without its
// enumerator ("pci\ven_10de&dev_2484" finds ...\Enum\PCI\VEN_10DE&DEV_2484&SUBSYS_...\<instance>);
// empty when nothing matches.
std::wstring findPciInstancePath(const std::wstring& matchingDeviceId);

MsiState readMsiState(const std::wstring& matchingDeviceId);

// Writes MSISupported = enable and, only when that worked, DevicePriority = min(priority, 3).
// True when both writes succeeded; false when the device has no instance key.
bool setMsiState(const std::wstring& matchingDeviceId, bool enable, std::uint32_t priority);

// The two values setMsiState writes on apply (enable, priority) and on revert; nothing when the
// device has no instance key.
TweakChanges msiStateChanges(const std::wstring& matchingDeviceId, bool enable, std::uint32_t priority,
                             bool revertEnable, std::uint32_t revertPriority);

}  // namespace vx
