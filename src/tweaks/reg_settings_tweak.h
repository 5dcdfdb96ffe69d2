// A tweak made of a few registry values: apply writes every value, revert deletes or resets them,
// and the state is read from the values marked as checks. The latency, extended and service
// groups build their plain registry tweaks from constant tables of these settings.
#pragma once
#include <cstdint>
#include <span>

#include "tweaks/described_tweak.h"

namespace vx {

// A REG_DWORD number or a REG_SZ text.
struct RegData {
  bool isText = false;
  std::uint32_t number = 0;
  const wchar_t* text = L"";
};
constexpr RegData dwordData(std::uint32_t number) { return RegData{false, number, L""}; }
constexpr RegData textData(const wchar_t* text) { return RegData{true, 0, text}; }

struct RegRevert {
  enum Action { Delete, Write, Keep } action = Delete;
  RegData data{};  // written when the action is Write
};
inline constexpr RegRevert kRevertDelete{RegRevert::Delete, {}};
inline constexpr RegRevert kRevertKeep{RegRevert::Keep, {}};
constexpr RegRevert revertTo(RegData data) { return RegRevert{RegRevert::Write, data}; }

// How a value takes part in the state: not at all, present with the applied data, or present
// with a number of at least `minimum`.
struct RegCheck {
  enum Kind { None, Equals, AtLeast } kind = None;
  std::uint32_t minimum = 0;
};
inline constexpr RegCheck kNoCheck{RegCheck::None, 0};
inline constexpr RegCheck kCheckEquals{RegCheck::Equals, 0};
constexpr RegCheck checkAtLeast(std::uint32_t minimum) { return RegCheck{RegCheck::AtLeast, minimum}; }

struct RegSetting {
  RegRoot root = RegRoot::LocalMachine;
  const wchar_t* key = L"";
  const wchar_t* name = L"";
  RegData applied{};
  RegRevert revert{};
  RegCheck check{};
};

class RegSettingsTweak : public DescribedTweak {
 public:
  // settings must outlive the tweak (constant tables).
  RegSettingsTweak(const TweakInfo& info, std::span<const RegSetting> settings);

  // Applied when every checked value holds, otherwise NotApplied.
  TweakState queryState() override;
  // Every value is written (keys created), a failure does not stop the others; true when all succeeded.
  bool apply() override;
  // Every delete or write is attempted; true when all succeeded (a value already missing counts
  // as deleted).
  bool revert() override;
  // Some setting lives under HKCU.
  bool changesUserProfile() const override;
  TweakChanges changes() override;

  const std::span<const RegSetting> settings;
};

}  // namespace vx
