// Stand-ins for the Windows tools the safety net runs, registered as programs of the simulated
// machine: reg.exe (export writes a small UTF-16LE .reg file, or exits 1 for a missing key) and
// PowerShell (exits 0). Used by the native engine and safety-net tests.
#pragma once
#include <string>

#include "platform/sim/machine.h"

namespace vx::test {

// "<system directory>\reg.exe" and "<system directory>\WindowsPowerShell\v1.0\powershell.exe".
std::wstring simRegExePath();
std::wstring simPowerShellPath();

void installSystemTools(sim::Machine& m);

// The .reg text the reg.exe stand-in writes for a key ("HKEY_CURRENT_USER\Software\X").
std::wstring regFileText(const std::wstring& fullKeyName);

}  // namespace vx::test
