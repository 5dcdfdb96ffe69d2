// What the window keeps for the card title's tooltip ("Что изменится:"): the card under the
// pointer, whether the half second has passed, and the newest description of the tweak's changes
// the refresher's thread has read. UiState holds one; ui/title_tooltip.h acts on it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/change_preview.h"
#include "core/tweak_change.h"
#include "ui/geometry.h"
#include "ui/mailbox.h"

namespace vx::ui {

// One read of a tweak's changes, off the UI thread: first without the values now (`now` empty),
// then again with them, one per change.
struct ChangePreview {
  std::uint64_t ticket = 0;
  TweakChanges changes;
  CurrentValues now;
};

using PreviewMailbox = Mailbox<ChangePreview>;

struct TitleTooltip {
  int index = -1;  // the card whose title the pointer is on, -1 for none
  std::wstring tweakId;
  bool revert = false;  // the card is applied: a click reverts it, so the tooltip shows the revert
  bool due = false;     // the pointer has rested long enough
  std::uint64_t ticket = 0;  // of the read asked for this hover; older ones are dropped
  std::optional<ChangePreview> preview;
  Rect titleLine;  // the hovered card's title with its badge: the box never covers it

  // Set by the window (tests bring their own): starts the one-shot hover timer (a new call
  // replaces a running one) after which onTitleTooltipTimer is due.
  std::function<void(int ms)> startTimer;
  std::shared_ptr<PreviewMailbox> mailbox = std::make_shared<PreviewMailbox>();
};

}  // namespace vx::ui
