// Generic tweaks built from registry settings: one DWORD value (RegDwordTweak) or an ordered group
// of DWORD or string values that must all match (CompositeRegTweak). The catalogue creates them
// from literal rows.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx {

// One REG_DWORD setting, or a REG_SZ one when appliedText is set (textEntry).
struct RegValueEntry {
  RegRoot root = RegRoot::LocalMachine;
  std::wstring subkey;
  std::wstring valueName;
  std::uint32_t appliedValue = 0;
  std::uint32_t revertValue = 0;
  bool deleteOnRevert = false;  // revert deletes the value; absence then counts as the default
  std::optional<std::wstring> appliedText;  // a string setting: written and compared as REG_SZ
  std::wstring revertText;
};

// A REG_SZ setting (Windows keeps e.g. the mouse thresholds as text). A value of another type
// there counts as not at the applied value.
RegValueEntry textEntry(RegRoot root, std::wstring subkey, std::wstring valueName, std::wstring appliedText,
                        std::wstring revertText);

// What a single-value row may add: the value is read only at start-up, and it exists only from a
// Windows build on. Below that build the card is unavailable with the given note and nothing is
// written, since that Windows would ignore the value.
struct RegRowRules {
  bool needsReboot = false;
  std::uint32_t minimumBuild = 0;  // 0: every build
  const wchar_t* olderBuildNote = L"";
};

class RegDwordTweak : public Tweak {
 public:
  RegDwordTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category, RegRoot root,
                std::wstring subkey, std::wstring valueName, std::uint32_t appliedValue, std::uint32_t revertValue,
                bool deleteOnRevert, RegRowRules rules = {});

  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  std::wstring compatibilityNote() const override;
  bool needsReboot() const override;
  bool changesUserProfile() const override;
  TweakChanges changes() override;  // nothing below the row's Windows build

  const RegRoot root;
  const std::wstring subkey;
  const std::wstring valueName;
  const std::uint32_t appliedValue;
  const std::uint32_t revertValue;
  const bool deleteOnRevert;
  const RegRowRules rules;

 private:
  bool buildTooOld() const;
};

class CompositeRegTweak : public Tweak {
 public:
  CompositeRegTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category,
                    std::vector<RegValueEntry> entries);

  TweakState queryState() override;
  bool apply() override;     // every entry is written, a failure does not stop the loop
  bool revert() override;    // every entry is attempted
  bool changesUserProfile() const override;  // some entry lives under HKCU
  TweakChanges changes() override;

  const std::vector<RegValueEntry> entries;
};

}  // namespace vx
