// The painters of the main window: the whole frame of one paint (background, header, sidebar, the
// current page, the badge tooltip) and its parts. Each painter draws on the canvas and appends the
// hit regions of what it drew. Called by the window's WM_PAINT and by the tests.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tweak.h"
#include "hw/recommendations.h"
#include "hw/system_score.h"
#include "ui/canvas.h"
#include "ui/ui_state.h"

namespace vx::ui {

// One complete paint of a client area; clears and rebuilds state.hitRegions.
void paintWindow(Canvas& canvas, UiState& state, int clientWidth, int clientHeight);

void paintHeader(Canvas& canvas, UiState& state, const Rect& rect);
void paintSidebar(Canvas& canvas, UiState& state, const Rect& rect);
void paintPage(Canvas& canvas, UiState& state, const Rect& content);
void paintCategoryPage(Canvas& canvas, UiState& state, const SidebarEntry& entry, const Rect& content);
// One card at y in the list; returns the height used (card plus the gap below it). A category
// label (the search page's) is drawn at the right end of the title line.
int paintCard(Canvas& canvas, UiState& state, const Rect& list, Tweak& tweak, int y, int index,
              const wchar_t* categoryLabel = nullptr);
// The search page: "Поиск: «text»", the matching cards of every category with their category's
// name, the status line.
void paintSearchPage(Canvas& canvas, UiState& state, const Rect& content);
void paintTooltip(Canvas& canvas, UiState& state, const Rect& client);
void paintStatusLine(Canvas& canvas, const UiState& state, const Rect& rect);

// The Home dashboard: score gauge, load tiles, driver cards, utility tiles and the status line.
void paintHome(Canvas& canvas, UiState& state, const Rect& content);
// A ring gauge around (cx, cy): the grey track, the value arc clockwise from the top, the value
// and the label in the centre.
void drawGauge(Canvas& canvas, Point centre, int radius, int value, const std::wstring& label, Color color, int dpi);
// The gauge before the score is known: its track with "—" where the number goes.
void drawPendingGauge(Canvas& canvas, Point centre, int radius, int dpi);
inline constexpr const wchar_t* kGaugePendingValue = L"\u2014";
inline constexpr const wchar_t* kScorePendingLine = L"Проверяю твики...";
// Grid at the quarters and the samples (0..100) as a line; nothing with fewer than two samples.
void drawLineChart(Canvas& canvas, const Rect& rect, const std::vector<std::int32_t>& samples, Color color);
void drawMetricTile(Canvas& canvas, const Rect& rect, const std::wstring& label, int percent,
                    const std::vector<std::int32_t>& samples, Color color, int dpi);
// A utility tile; its button's region is limited to `clip` (none when it lies wholly outside).
void drawUtilityTile(Canvas& canvas, UiState& state, const Rect& rect, const Rect& clip, const std::wstring& title,
                     const std::wstring& subtitle, HitKind kind);
// The colour of a score: failure below 25, warning below 50, accent below 75, success from 75.
Color scoreColor(int score);
// The score of the Home page, from the last known cached states (never a query while painting);
// nothing until every tweak's state has arrived once, so the first frames show no made-up 0.
std::optional<SystemScore> homeScore(const UiState& state);

// The Assistant page: title row with refresh and engine buttons, profile line, recommendation
// cards, chat panel with the input box and the send button, status line.
void paintAssistantPage(Canvas& canvas, UiState& state, const Rect& content);
// One recommendation card at y in the list; returns the height used (card plus the gap below it).
int paintRecommendation(Canvas& canvas, UiState& state, const Rect& list, const Recommendation& rec, int y, int index);

// The state a card shows: the last known state from the cache (Undetermined before the first),
// so painting never waits on the system.
TweakState cardState(const UiState& state, Tweak& tweak);

}  // namespace vx::ui
