// The tweak abstraction: one reversible change to the system that reports its state, applies and
// reverts itself. Every tweak kind derives from vx::Tweak; the catalogue holds them in card order.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/tweak_change.h"
#include "platform/registry.h"

namespace vx {

enum class TweakState : int { NotApplied = 0, Applied = 1, Undetermined = 2, Unavailable = 3 };

// One sidebar page each.
enum class TweakCategory : std::uint32_t { Performance = 0, Games = 1, Privacy = 2, Network = 3, System = 4, Cleanup = 5, Pro = 6 };
constexpr int kCategoryCount = 7;

// Profile tiers: 0 in no profile, 1 Basic, 2 Optimal, 3 Maximum.
enum TweakTier : int { TierNone = 0, TierBasic = 1, TierOptimal = 2, TierMaximum = 3 };

// A registry key exported before an aggressive tweak is applied.
struct BackupKey {
  RegRoot root = RegRoot::LocalMachine;
  std::wstring subkey;  // below the root, no leading backslash
  bool operator==(const BackupKey&) const = default;
};

class Tweak {
 public:
  Tweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category)
      : id(std::move(id)), title(std::move(title)), description(std::move(description)), category(category) {}
  virtual ~Tweak() = default;
  Tweak(const Tweak&) = delete;
  Tweak& operator=(const Tweak&) = delete;

  // Risky: the card shows "АГРЕССИВНО" and the engine builds a safety net before applying.
  virtual bool isAggressive() const { return false; }
  virtual std::wstring aggressiveWarning() const { return {}; }
  // What stops working once applied; empty when nothing does.
  virtual std::wstring sideEffects() const { return {}; }
  // The tweak's own profile tier; 0 lets the tier map decide.
  virtual int tier() const { return 0; }
  virtual std::vector<BackupKey> backupKeys() const { return {}; }
  // Reads the system now; never changes it.
  virtual TweakState queryState() = 0;
  virtual bool apply() = 0;
  virtual bool revert() = 0;
  // Empty when the tweak suits this machine, otherwise one sentence why not.
  virtual std::wstring compatibilityNote() const { return {}; }
  virtual bool needsReboot() const { return false; }
  // True when applying or reverting writes the user's own settings: HKCU, or files under the
  // user's profile folders. Each kind derives it from what it writes. Such a tweak is unavailable
  // while the program runs under another account than the desktop's (core/user_account.h).
  virtual bool changesUserProfile() const { return false; }
  // Why the last apply() (or revert()) failed, for the status line, when the tweak can say more
  // than "ошибка применения" / "ошибка отката"; empty otherwise. Read right after the call, on the
  // same thread.
  virtual std::wstring failureNote() const { return {}; }
  // Reports a reading and changes nothing (the Resizable BAR check): the score leaves it out.
  virtual bool informationOnly() const { return false; }
  // What apply and revert would write on this machine now (devices enumerated now, files found
  // now), in the order they write it. Reads the system; never changes it.
  virtual TweakChanges changes() { return {}; }

  const std::wstring id;
  const std::wstring title;
  const std::wstring description;
  const TweakCategory category;
};

using TweakPtr = std::shared_ptr<Tweak>;
// The one ordered list of tweaks: card order and application order.
using TweakCatalog = std::vector<TweakPtr>;

const wchar_t* categoryLabel(TweakCategory category);
const wchar_t* stateName(TweakState state);

}  // namespace vx
