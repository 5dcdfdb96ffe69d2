// The one row format of a registry tweak: a header (described_tweak.h) and its values, each with its
// type written in the row (DWORD, string or binary), the data apply writes and what revert does
// (write other data, delete, or keep). Apply writes every value, revert deletes or resets them, and
// the state is read from the values as the row's rule says. The core rows and the tweak groups are
// tables of these rows; a named kind such as DisableNduTweak is RowTweak<its row>.
#pragma once
#include <cstdint>
#include <span>

#include "core/described_tweak.h"

namespace vx {

// A REG_DWORD number, a REG_SZ text or REG_BINARY bytes.
struct RegData {
  std::uint32_t type = kRegTypeDword;
  std::uint32_t number = 0;
  const wchar_t* text = L"";
  std::span<const std::uint8_t> bytes{};
};
constexpr RegData dwordData(std::uint32_t number) { return RegData{kRegTypeDword, number, L"", {}}; }
constexpr RegData textData(const wchar_t* text) { return RegData{kRegTypeSz, 0, text, {}}; }
constexpr RegData binaryData(std::span<const std::uint8_t> bytes) { return RegData{kRegTypeBinary, 0, L"", bytes}; }

struct RegRevert {
  enum Action { Delete, Write, Keep } action = Delete;
  RegData data{};  // written when the action is Write
};
inline constexpr RegRevert kRevertDelete{RegRevert::Delete, {}};
inline constexpr RegRevert kRevertKeep{RegRevert::Keep, {}};
constexpr RegRevert revertTo(RegData data) { return RegRevert{RegRevert::Write, data}; }

// How a value takes part in the state under RowState::CheckedValues: not at all, present with
// the applied data, or present with a number of at least `minimum`.
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

// How the values make up the state.
enum class RowState {
  // Applied when every checked value holds, otherwise NotApplied.
  CheckedValues,
  // Every value counts: Applied when all are at the applied data, NotApplied when none is (a missing
  // value counts only where revert deletes it; otherwise the state is Undetermined), Undetermined
  // when some are and some are not. A DWORD where the row writes text is there, just not applied.
  EveryValue,
};

struct RegistryRow {
  TweakInfo info;
  std::span<const RegSetting> values;
  RowState state = RowState::CheckedValues;
};

class RegSettingsTweak : public DescribedTweak {
 public:
  // row must outlive the tweak (constant tables).
  explicit RegSettingsTweak(const RegistryRow& row);

  // Unavailable below a hard requirement (then apply writes nothing); otherwise the row's rule.
  TweakState queryState() override;
  // Every value is written (keys created), a failure does not stop the others; true when all succeeded.
  bool apply() override;
  // Every delete or write is attempted; true when all succeeded (a value already missing counts
  // as deleted).
  bool revert() override;
  // Some setting lives under HKCU.
  bool changesUserProfile() const override;
  TweakChanges changes() override;  // nothing below a hard requirement

  const std::span<const RegSetting> settings;
  const RowState rule;
};

// A named registry tweak: the row kind bound to its row, e.g. `using HagsTweak = RowTweak<kHagsRow>;`.
template <const RegistryRow& Row>
class RowTweak final : public RegSettingsTweak {
 public:
  RowTweak() : RegSettingsTweak(Row) {}
};

}  // namespace vx
