// The change journal in the window: the journal page (opened from Home's "Журнал изменений" tile,
// not a sidebar entry) listing the runs newest first with their tweaks and a "Вернуть как было"
// button per run, the restore job behind it, and Home's line of tweaks reset after they were
// applied with its "Применить снова" job. The journal is read on the state refresher's thread.
// Called by the painters, the click dispatcher, the jobs' completion and the window.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

inline constexpr const wchar_t* kJournalTitle = L"Журнал изменений";
inline constexpr const wchar_t* kJournalTileSubtitle = L"Что и когда менял Vantorix";
inline constexpr const wchar_t* kRestoreRunText = L"Вернуть как было";
inline constexpr const wchar_t* kJournalReadingText = L"Читаю журнал...";
inline constexpr const wchar_t* kJournalEmptyText = L"Журнал пуст: Vantorix ещё ничего не менял";

// Asks for a fresh read of the journal (the window calls it once its threads run; every action
// that writes the journal calls it again).
void requestJournalRead(UiState& state);
// The refresher's thread put a read in the mailbox (from onBackgroundReadsReady).
void onJournalRead(UiState& state, WindowHost& host);

void openJournalPage(UiState& state, WindowHost& host);
void closeJournalPage(UiState& state);

// The tweaks reset after they were applied, by the last journal read and the cached states; empty
// until the first full state pass is done and the journal has been read.
std::vector<TweakPtr> resetTweaksNow(const UiState& state);

// "Вернуть как было" of the run at `index` on the page (newest first): a job restoring every step
// of that run; the result on the status line.
void startRunRestoreJob(UiState& state, WindowHost& host, int index);
// "Применить снова": a job applying exactly the reset tweaks.
void startApplyAgainJob(UiState& state, WindowHost& host);
std::wstring applyAgainJobStartText(std::size_t count);

struct JournalRunLayout {
  Rect card;
  Rect heading;  // "#<run> <date time> <label>"
  Rect button;   // "Вернуть как было"
  std::vector<Rect> lines;  // one per tweak
};

struct JournalPageLayout {
  Rect titleRow;
  // Room at the right end of the title row for two more buttons, right to left ("Загрузить набор"
  // at [0], "Сохранить набор" at [1]), 170 x 36 DIP, 8 apart.
  std::array<Rect, 2> titleButtons;
  Rect list;
  Rect status;
};
JournalPageLayout journalPageLayout(const Rect& content, int dpi);
// A run's card at y across the list with its number of tweak lines; heading 24, lines 20 each,
// 12 padding above and below, at least 56 high.
JournalRunLayout journalRunLayout(const Rect& list, int y, int lineCount, int dpi);
inline constexpr int kJournalRunGapDip = 10;

void paintJournalPage(Canvas& canvas, UiState& state, const Rect& content);

}  // namespace vx::ui
