// Tweaks on one game executable through the per-program settings Windows reads when it starts a
// process: high CPU and I/O priority (IFEO PerfOptions), exploit mitigations switched off (IFEO
// MitigationOptions) and compatibility flags against fullscreen optimisations (AppCompat Layers).
// The per-game and general game group builders create one of each per game.
#pragma once
#include <string>

#include "core/described_tweak.h"
#include "games/game_discovery.h"

namespace vx {

inline constexpr const wchar_t* kIfeoKey =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\";
inline constexpr const wchar_t* kAppCompatLayersKey =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// Each kind takes a row header whose texts say "{game}" for the game's name and "{exe}" for its
// executable; the per-game and general game groups fill them in per game.
class IfeoPriorityTweak : public DescribedTweak {
 public:
  IfeoPriorityTweak(std::wstring exeName, const std::wstring& gameName);

  std::vector<BackupKey> backupKeys() const override;
  // Applied when CpuPriorityClass and IoPriority are both DWORD 3.
  TweakState queryState() override;
  bool apply() override;
  // Deletes both values (the PerfOptions key stays); always true.
  bool revert() override;
  TweakChanges changes() override;

  const std::wstring exeName;
  const std::wstring keyPath;  // below HKEY_LOCAL_MACHINE
};

class GameMitigationsTweak : public DescribedTweak {
 public:
  GameMitigationsTweak(std::wstring exeName, const std::wstring& gameName);  // aggressive

  std::vector<BackupKey> backupKeys() const override;
  // Applied when MitigationOptions holds control flow guard, mandatory and bottom-up ASLR as
  // always off.
  TweakState queryState() override;
  // Writes those three fields as always off (REG_BINARY, 16 bytes), every other field 0.
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;

  const std::wstring exeName;
  const std::wstring keyPath;  // below HKEY_LOCAL_MACHINE
};

class PerExeDisableFsoTweak : public DescribedTweak {
 public:
  PerExeDisableFsoTweak(std::wstring exeName, const std::wstring& gameName, GameDiscovery& discovery = gameDiscovery());

  std::vector<BackupKey> backupKeys() const override;
  // Unavailable when the executable is not found; Applied when its Layers value holds
  // DISABLEDXMAXIMIZEDWINDOWEDMODE.
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  std::wstring compatibilityNote() const override;
  // The Layers value lives under HKCU.
  bool changesUserProfile() const override { return true; }
  TweakChanges changes() override;  // nothing while the executable is not found

  const std::wstring exeName;

 private:
  GameDiscovery& discovery_;
};

}  // namespace vx
