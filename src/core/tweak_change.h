// What a tweak writes, as data: one entry per registry value, service start type, power scheme,
// boot value, file or command. Tweak::changes() returns them; the preview, the change journal and
// "restore to the exact earlier value" read them, and a catalogue test checks them against writes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/power.h"
#include "platform/registry.h"

namespace vx {

enum class ChangeKind : int {
  RegistryValue = 0,  // root + key + valueName; onApply / onRevert
  ServiceStart = 1,   // key = service name; onApply / onRevert as REG_DWORD start types (2 auto, 3 manual, 4 disabled)
  PowerScheme = 2,    // onApply / onRevert as REG_SZ scheme GUIDs "{8c5e7fda-...}"; empty onRevert = the scheme active before
  BootValue = 3,      // key = boot entry ("{current}"), valueName = element; applyCommand / revertCommand
  File = 4,           // key = the file's path, valueName = its backup's path; settings = what apply sets
  Command = 5,        // applyCommand / revertCommand; an effect Windows cannot read back (a shell
                      // target such as "ms-settings:display" when the tweak opens one)
  FolderContents = 6, // key = a folder whose files apply deletes; revert brings nothing back
};

// A registry value as the registry holds it after the step: type and raw bytes, or no value.
struct RegValueImage {
  bool present = false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RegValueImage&) const = default;

  static RegValueImage absent() { return {}; }
  static RegValueImage dword(std::uint32_t value);
  static RegValueImage string(const std::wstring& text, std::uint32_t type = kRegTypeSz);  // with its terminator
  static RegValueImage raw(std::uint32_t type, std::vector<std::uint8_t> bytes);
};

struct TweakChange {
  ChangeKind kind = ChangeKind::RegistryValue;
  RegRoot root = RegRoot::LocalMachine;
  std::wstring key;
  std::wstring valueName;
  // What the value is after apply and after revert. A step that leaves the value as it finds it
  // (revert of a value apply only creates when missing, say) says so with keepsOnRevert.
  RegValueImage onApply;
  RegValueImage onRevert;
  bool keepsOnRevert = false;
  // BootValue and Command: the command lines as they are run.
  std::wstring applyCommand;
  std::wstring revertCommand;
  // File: one "key value" text per setting apply writes ("fps_max 0"), or the whole content's name.
  std::vector<std::wstring> settings;
  // False for commands and boot values: Windows cannot read their effect back cheaply.
  bool readsBack = true;
  bool operator==(const TweakChange&) const = default;
};

using TweakChanges = std::vector<TweakChange>;

// The entries the tweak kinds list. A registry value apply writes and revert writes or deletes
// (onRevert absent); keptOnRevert: revert leaves it as apply left it.
TweakChange registryChange(RegRoot root, std::wstring key, std::wstring valueName, RegValueImage onApply,
                           RegValueImage onRevert);
TweakChange keptOnRevert(RegRoot root, std::wstring key, std::wstring valueName, RegValueImage onApply);
// A service's start type after apply and after revert.
TweakChange serviceStartChange(std::wstring serviceName, std::uint32_t appliedStart, std::uint32_t revertStart);
// Command lines as they are run; empty when that step runs nothing.
TweakChange commandChange(std::wstring applyCommand, std::wstring revertCommand);
// A boot entry's element ("{current}", "disabledynamictick") and the bcdedit lines that set and remove it.
TweakChange bootValueChange(std::wstring entry, std::wstring element, std::wstring applyCommand,
                            std::wstring revertCommand);

// "{8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c}": a GUID as Windows writes it, lower case.
std::wstring guidText(const Guid& guid);

}  // namespace vx
