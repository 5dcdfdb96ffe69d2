// The main window's state record: pages, the hit regions of the last paint, hover, scroll, the
// status line, the selection, the hardware snapshot and advice. Belongs to the UI thread; only
// `busy` is atomic. The window keeps one process-wide instance; tests build their own.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assistant/assistant_memory.h"
#include "core/state_cache.h"
#include "core/tweak.h"
#include "hw/gpu_driver_info.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "services/booster_engine.h"
#include "services/resource_monitor.h"
#include "ui/geometry.h"
#include "ui/journal_view_state.h"
#include "ui/theme.h"
#include "ui/title_tooltip_state.h"

namespace vx::ui {

enum class PageKind { Category = 0, Assistant = 1, Home = 2 };

struct SidebarEntry {
  PageKind kind = PageKind::Category;
  TweakCategory category = TweakCategory::Performance;  // only for kind Category
  std::wstring label;
  std::wstring icon;
};

// The nine entries in display order: Home, Assistant, then the seven categories.
std::vector<SidebarEntry> sidebarEntries();

// What a clicked region is; the click dispatcher's table (click_dispatcher.cpp) holds one action
// per kind. A new button is one kind here, one row there and one region registration in its painter.
enum class HitKind {
  SidebarItem,
  CleanupTemp,
  CleanupDns,
  CleanupRecycleBin,
  RestartExplorer,
  OpenBackupFolder,
  ApplyAll,
  RevertAll,
  ApplySelected,
  ClearSelection,
  ProfileBasic,
  ProfileOptimal,
  ProfileMaximum,
  CardToggle,
  CardButton,
  AggressiveBadge,
  CardCheckbox,
  RecommendationApply,
  RefreshRecommendations,
  SendQuestion,
  ChatApply,
  BoosterToggle,
  DriverOpen,
  CardTitle,  // a card's title: hovering it shows what the tweak changes; a click does nothing
  OpenJournal,     // "Открыть" on Home's "Журнал изменений" tile
  JournalRestore,  // a run's "Вернуть как было" on the journal page; index: the run, newest first
  ApplyAgain,      // "Применить снова" on Home's line of tweaks reset after they were applied
  SaveTweakSet,  // the journal page's "Сохранить набор"
  LoadTweakSet,  // the journal page's "Загрузить набор"
  // Not a region: the number of kinds above (new kinds go before it).
  Count,
};

struct HitRegion {
  Rect rect;
  HitKind kind = HitKind::SidebarItem;
  int index = -1;
};

struct ChatMessage {
  bool fromUser = false;
  std::wstring text;
  std::vector<std::wstring> tweakIds;
};

// Starts `body` on a detached thread; false when no thread could be started.
using WorkerStarter = std::function<bool(std::function<void()> body)>;
bool startDetachedWorker(std::function<void()> body);

inline constexpr const wchar_t* kReadyText = L"Готов к работе";

// The measured text heights of a card for one list width and DPI, so that a repaint does not
// wrap every description again.
struct CardTextHeights {
  int listWidth = 0;
  int dpi = 0;
  int description = 0;
  int sideEffects = 0;
};

// A part of the window drawn from the refresh timer's readings and a text standing for what it
// shows (refresh_tick.h).
struct TimedRegion {
  Rect rect;
  std::wstring shown;
  bool operator==(const TimedRegion&) const = default;
};

struct UiState {
  TweakCatalog catalogue;
  std::vector<SidebarEntry> sidebar;
  int currentPage = 0;
  std::vector<HitRegion> hitRegions;
  int hoverIndex = -1;
  int scrollOffset = 0;
  int contentHeight = 0;
  // The wheel's delta not yet scrolled (less than a notch) and the target it belongs to.
  int wheelRemainder = 0;
  int wheelTarget = -1;
  int listHeight = 0;  // visible height of the page's scrolled list, written by the page painter
  HardwareProfile hardware;
  std::vector<Recommendation> recommendations;
  std::wstring statusText = kReadyText;
  Color statusColor = kColorTextDim;
  std::atomic<std::uint8_t> busy{0};
  // The id of the tweak whose card job is running (empty otherwise); its new state arrives with
  // the job's result.
  std::wstring cardJobTweak;
  std::vector<ChatMessage> chat;
  int chatScroll = 0;
  int tooltipIndex = -1;
  std::wstring tooltipText;
  std::vector<GpuDriverInfo> driverCards;
  std::set<std::wstring> selectedIds;
  int dpi = 96;
  // Client size and the last pointer position, kept by the window for the wheel and the tooltip.
  int clientWidth = 0;
  int clientHeight = 0;
  Point mouse;
  // How jobs get their thread; tests replace it.
  WorkerStarter startWorker = startDetachedWorker;
  std::map<std::wstring, CardTextHeights> cardHeights;  // by tweak id
  // The assistant's memory and its file (the window's process-wide memory; tests bring their own).
  AssistantMemory* memory = nullptr;
  std::wstring memoryFile;
  // Where the cards read their states (the process-wide cache; tests bring their own).
  TweakStateCache* states = &TweakStateCache::instance();
  // Told when the user chooses a page (the state refresher puts that page's tweaks first).
  std::function<void(const SidebarEntry&)> onPageChosen;
  // Only for the paint benchmark's comparison: cards query their tweaks while painting (and the
  // Home score asks every tweak directly).
  bool queryStatesWhilePainting = false;
  // The load readings the Home page paints (the window reads the process-wide monitor; empty:
  // no readings yet).
  std::function<MonitorSnapshot()> monitorSnapshot;
  // The game booster behind the engine button (the window's process-wide one; null: never runs).
  BoosterEngine* booster = nullptr;
  // The chat panel of the last Assistant paint, for the wheel, and how far the oldest message
  // lies above the newest end (the most chatScroll can be).
  Rect chatPanel;
  // Where the input box goes, set by each paint of the Assistant page (empty on other pages).
  Rect inputBoxRect;
  int chatScrollMax = 0;
  // The measured size of every chat message for one bubble width and DPI, by index in `chat`.
  struct ChatTextSize {
    int bubbleWidth = 0;
    int dpi = 0;
    std::size_t length = 0;
    int height = 0;
    int width = 0;
  };
  std::vector<ChatTextSize> chatSizes;
  // The other-account note has been considered (window_setup.h, onStatesChanged).
  bool accountNoted = false;
  // What the timed parts showed at the last timer tick, and the ticks so far (refresh_tick.h).
  std::vector<TimedRegion> timedShown;
  int ticks = 0;
  // Reads the window needs but must never wait for (a card's current values, the change journal):
  // the window runs them on the state refresher's thread, and they call readsReady from there when
  // a result waits in its mailbox; the window then calls onBackgroundReadsReady (ui/background_reads.h)
  // on the UI thread. Tests bring their own.
  std::function<void(std::function<void()> task)> runOffUiThread;
  std::function<void()> readsReady;
  // The card title's tooltip ("Что изменится:", ui/title_tooltip.h).
  TitleTooltip titleTooltip;
  // The change journal: its page and Home's drift line (ui/journal_page.h).
  JournalView journal;
  // The header's search box: where each paint of the header puts it, the trimmed text it holds
  // (empty: no search), the tweaks that match it in catalogue order (the search page's cards), and
  // the scroll of the page that was open, given back when the search ends.
  Rect searchBoxRect;
  std::wstring searchText;
  std::vector<TweakPtr> searchResults;
  int scrollBeforeSearch = 0;
  bool searching() const { return !searchText.empty(); }

  void setStatus(const std::wstring& text, Color color);
  const SidebarEntry* currentEntry() const;
};

}  // namespace vx::ui
