// Tweaks that run a system tool whose effect cannot be read back cheaply (boot configuration,
// power plan, component store): their tool steps are data (tool_steps.h), a successful apply is
// recorded as a DWORD 1 under HKLM\SOFTWARE\Vantorix, and that marker is their state. Used by the
// advanced tweak groups.
#pragma once
#include "core/described_tweak.h"
#include "tweaks/tool_steps.h"

namespace vx {

inline constexpr const wchar_t* kMarkerKey = L"SOFTWARE\\Vantorix";

// The row of a marker tweak: its header, the marker's value name and the tool steps.
struct MarkerRow {
  TweakInfo info;
  const wchar_t* marker = L"";
  ToolSteps steps;
};

class MarkerTweak : public DescribedTweak {
 public:
  // row must outlive the tweak (constant rows).
  explicit MarkerTweak(const MarkerRow& row);

  // Applied exactly when the marker is a DWORD 1; never Undetermined.
  TweakState queryState() override;
  // Every step runs; the marker is written, and apply succeeds, only when every deciding step
  // exited 0: a partly changed system is never marked as applied.
  bool apply() override;
  // The revert steps run, then the marker is deleted; false (marker kept) when the steps' revert
  // need is not met.
  bool revert() override;
  // The steps (commands and boot values, not read back), then the marker.
  TweakChanges changes() override;

  const wchar_t* const markerName;
  const ToolSteps& steps;
};

// A named marker tweak: the kind bound to its row, e.g. `using BcdHpetTweak = MarkerRowTweak<kBcdHpetRow>;`.
template <const MarkerRow& Row>
class MarkerRowTweak final : public MarkerTweak {
 public:
  MarkerRowTweak() : MarkerTweak(Row) {}
};

}  // namespace vx
