// What applying or reverting a tweak would change, one Russian line per change, for `vxctl show`
// and the card title's tooltip ("Что изменится:"). The current values are read by the caller
// (readCurrentValues, off the UI thread); the lines are pure text built from them.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/tweak_change.h"

namespace vx {

inline constexpr const wchar_t* kPreviewHeading = L"Что изменится:";
// A missing value on either side of the arrow.
inline constexpr const wchar_t* kNoValueText = L"нет";

// One entry per change, in order: the value read now (readChangeValue), nothing where the change
// has no value or it could not be read. Reads the system; never changes it.
using CurrentValues = std::vector<std::optional<RegValueImage>>;
CurrentValues readCurrentValues(const TweakChanges& changes);

// One line per change, in order:
//   "HKLM\SYSTEM\...\GraphicsDrivers  TdrDelay: 7 → 60 (REG_DWORD)"       a registry value
//   "служба SysMain  тип запуска: 2 → 4"                                 a service
//   "схема питания: {381b...} → {8c5e...}"                               the power scheme
//   "выполнит: bcdedit /set {current} disabledynamictick yes"            a boot value or command
//   "файл C:\...\config.cfg: fps_max 0, cl_showfps 1"                    a file and what it sets
// With current == nullptr (the read has not arrived yet) or an entry without a value, a line shows
// only the value after the step: "... TdrDelay: → 60 (REG_DWORD)". revert: the values after revert
// (a change that keeps its value on revert shows its current value on both sides).
std::vector<std::wstring> previewLines(const TweakChanges& changes, bool revert, const CurrentValues* current);

}  // namespace vx
