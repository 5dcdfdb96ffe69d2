// The tweaks that edit a game's own configuration files: console variables in a config file
// (CvarFileTweak), a whole file with fixed content (WriteFileTweak) and entries of an Unreal
// Engine .ini (UeEngineIniTweak). Each keeps a one-time ".vx.bak" copy beside the file and
// reverts from it. The per-game group builder creates them.
#pragma once
#include <string>
#include <vector>

#include "core/described_tweak.h"
#include "games/game_discovery.h"

namespace vx {

struct ConfigEdit;

// The failure note of a config-file tweak whose file is over kGameConfigLimit: nothing was read,
// backed up or written.
inline constexpr const wchar_t* kConfigTooLargeNote = L"файл слишком большой — не изменён";

struct CvarSetting {
  std::wstring key;
  std::wstring value;  // as written after the key and one blank, quotes included
};

struct IniSetting {
  std::wstring section;  // the name between the brackets
  std::wstring key;
  std::wstring value;
};

// Each kind takes a row header for its texts (info must outlive the tweak: constant rows).
class CvarFileTweak : public DescribedTweak {
 public:
  CvarFileTweak(const TweakInfo& info, std::wstring cacheKey,
                std::vector<std::wstring> candidates, std::vector<CvarSetting> settings, std::wstring marker,
                GameDiscovery& discovery = gameDiscovery());

  // Unavailable without a file; Applied when some line contains the marker.
  TweakState queryState() override;
  // Refuses (false) when the backup cannot be made or the file cannot be read; a file over
  // kGameConfigLimit is left untouched with kConfigTooLargeNote (see config_edit.h for the others).
  bool apply() override;
  // Leaves a NotApplied file alone; otherwise see revertConfigEdit (a backup is required).
  bool revert() override;
  std::wstring compatibilityNote() const override;
  // Some candidate file lies in the user's profile.
  bool changesUserProfile() const override;
  std::wstring failureNote() const override { return failure_; }
  TweakChanges changes() override;  // the file found now and its backup, nothing without one

  // The config file found now (cached), or empty.
  std::wstring resolvePath() const;

  const std::wstring cacheKey;
  const std::vector<std::wstring> candidates;
  const std::vector<CvarSetting> settings;
  const std::wstring marker;

 private:
  ConfigEdit edit() const;
  std::wstring failure_;  // of the last apply or revert
  GameDiscovery& discovery_;
};

class WriteFileTweak : public DescribedTweak {
 public:
  // fallbackFolder is used when no candidate folder exists yet (may be empty).
  WriteFileTweak(const TweakInfo& info, std::wstring cacheKey,
                 std::vector<std::wstring> candidates, std::wstring fileName, std::wstring content,
                 std::wstring marker, std::wstring fallbackFolder = {}, GameDiscovery& discovery = gameDiscovery());

  TweakState queryState() override;
  // Never overwrites an existing file that could not be backed up.
  bool apply() override;
  // Leaves a NotApplied file alone. While the file holds exactly what apply wrote: restores the
  // backup, or without one removes the file. Otherwise fails with kChangedSinceApplyNote and keeps both.
  bool revert() override;
  // vxctl revert ID --force: the backup comes back whole whatever the file holds now; false without one.
  bool revertWhole();
  std::wstring compatibilityNote() const override;
  // Some candidate folder, or the fallback folder, lies in the user's profile.
  bool changesUserProfile() const override;
  std::wstring failureNote() const override { return failure_; }
  TweakChanges changes() override;  // the file found now and its backup, nothing without one

  std::wstring resolveFolder() const;
  std::wstring resolvePath() const;
  // The file as apply writes it: content with CR LF line ends.
  std::string bytesOnDisk() const;

  const std::wstring cacheKey;
  const std::vector<std::wstring> candidates;
  const std::wstring fileName;
  const std::wstring content;
  const std::wstring marker;
  const std::wstring fallbackFolder;

 private:
  std::wstring failure_;  // of the last apply or revert
  GameDiscovery& discovery_;
};

class UeEngineIniTweak : public DescribedTweak {
 public:
  UeEngineIniTweak(const TweakInfo& info, std::wstring path, std::vector<IniSetting> settings);

  // Decided by the first setting alone; never Unavailable.
  TweakState queryState() override;
  bool apply() override;
  // Leaves a NotApplied file alone; otherwise see revertConfigEdit (without a backup, a file
  // apply created is removed while it holds createdBytes()).
  bool revert() override;
  std::wstring compatibilityNote() const override;
  bool changesUserProfile() const override;  // the .ini lies in the user's profile
  std::wstring failureNote() const override { return failure_; }
  TweakChanges changes() override;  // the file found now and its backup, nothing without one

  // The file apply creates when there is none.
  std::string createdBytes() const;

  const std::wstring path;
  const std::vector<IniSetting> settings;

 private:
  ConfigEdit edit() const;
  std::wstring failure_;  // of the last apply or revert
};

}  // namespace vx
