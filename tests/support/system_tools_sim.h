// Stand-ins for the Windows tools the safety net and the boot tweaks run, registered as programs
// of the simulated machine: reg.exe (export writes a small UTF-16LE .reg file, or exits 1 for a
// missing key), PowerShell (exits 0) and bcdedit.exe over a boot configuration. Used by the native
// engine, safety-net and tweak tests.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/sim/machine.h"

namespace vx::test {

// "<system directory>\reg.exe" and "<system directory>\WindowsPowerShell\v1.0\powershell.exe".
std::wstring simRegExePath();
std::wstring simPowerShellPath();

void installSystemTools(sim::Machine& m);

// The elements of the {current} boot entry that are set, by lower-case name ("disabledynamictick"
// -> "yes"). A stock Windows sets none of the timer elements.
using BootElements = std::map<std::wstring, std::wstring>;

// bcdedit.exe in the system directory over these elements: "/set {current} <name> <value>" stores
// one; "/deletevalue {current} <name>" removes one and exits 1 when it is not set, as Windows'
// bcdedit does ("The element was not found"; Wine has no bcdedit at all). Anything else exits 1.
// The returned elements are the ones the stand-in changes.
std::shared_ptr<BootElements> installBcdedit(sim::Machine& m, BootElements elements = {});

// The .reg text the reg.exe stand-in writes for a key ("HKEY_CURRENT_USER\Software\X").
std::wstring regFileText(const std::wstring& fullKeyName);

}  // namespace vx::test
