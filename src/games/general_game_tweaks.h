// The game tweaks not tied to one game: Game Bar and capture off, raw mouse input, ULPS off on
// NVIDIA adapters, opening the GPU vendor's colour settings and clearing the shader caches. The
// general game group builder creates one of each.
#pragma once
#include <string>
#include <vector>

#include "core/reg_settings_tweak.h"

namespace vx {

// Game Bar and capture off; its backup is the three per-user keys, the machine-wide policy key it
// also writes is not exported.
extern const RegistryRow kGameBarRow, kMouseRow;
using KillGameBarTweak = RowTweak<kGameBarRow>;
using MouseRawInputTweak = RowTweak<kMouseRow>;

class NvDisableUlpsTweak : public DescribedTweak {
 public:
  NvDisableUlpsTweak();
  // Unavailable without an NVIDIA adapter key; Applied when any key has DisableULPS = 1.
  TweakState queryState() override;
  // True when at least one key took the value.
  bool apply() override;
  bool revert() override;
  std::wstring compatibilityNote() const override;
  TweakChanges changes() override;  // per NVIDIA driver key found now
};

// A one-shot action: always NotApplied, revert does nothing.
class OpenColorSettingsTweak : public DescribedTweak {
 public:
  OpenColorSettingsTweak();
  TweakState queryState() override { return TweakState::NotApplied; }
  // Opens the NVIDIA control panel, else AMD's Radeon Software, else the display settings page;
  // true whatever the shell reports.
  bool apply() override;
  bool revert() override { return true; }
  TweakChanges changes() override;  // a Command whose applyCommand is the target opened

  // What apply would open now.
  static std::wstring target();
};

// A one-shot action: always NotApplied, revert does nothing.
class ClearShaderCacheTweak : public DescribedTweak {
 public:
  ClearShaderCacheTweak();
  TweakState queryState() override { return TweakState::NotApplied; }
  // Deletes every file below the cache folders, never through a link or junction; true when at
  // least one file was deleted.
  bool apply() override;
  bool revert() override { return true; }
  // The caches live below LOCALAPPDATA.
  bool changesUserProfile() const override { return true; }
  TweakChanges changes() override;  // FolderContents, one per cache folder
};

// The D3D, NVIDIA and AMD shader cache folders below LOCALAPPDATA, in this order; empty without it.
std::vector<std::wstring> shaderCacheFolders();

}  // namespace vx
