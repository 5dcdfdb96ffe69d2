// The Home dashboard. The score comes from the cached tweak states and the loads from the
// monitor's snapshot, so a paint never waits on the system. Home shows the status line like the
// category pages, so the results of its own buttons are visible where they were started.
#include "ui/hit_regions.h"
#include "ui/home_layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

std::wstring installedVersionLine(const GpuDriverInfo& d) {
  std::wstring line = L"Установленная версия: " + (d.displayVersion.empty() ? d.driverVersion : d.displayVersion);
  if (!d.displayVersion.empty() && !d.driverVersion.empty() && d.displayVersion != d.driverVersion)
    line += L"  (" + d.driverVersion + L")";
  return line;
}

}  // namespace

void paintHome(Canvas& canvas, UiState& state, const Rect& c) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const HomeLayout h = homeLayout(c, static_cast<int>(state.driverCards.size()), dpi, state.scrollOffset);
  state.scrollOffset = h.scroll;  // a window grown since the last wheel turn needs less of it
  const SidebarEntry* entry = state.currentEntry();
  canvas.drawText((entry ? entry->icon : std::wstring(L"\U0001F3E0")) + L"  Главная", h.titleRow, kColorText,
                  TextFormat::Left, FontId::Title);

  canvas.clipTo(h.body);
  canvas.fillRoundedBordered(h.scoreCard, kColorPanel, kColorPanelBorder, s(12));
  canvas.drawText(L"Оптимизация системы", h.scoreHeading, kColorTextDim, TextFormat::Left, FontId::Bold);
  if (const std::optional<SystemScore> score = homeScore(state)) {
    drawGauge(canvas, h.gaugeCentre, h.gaugeRadius, score->score, score->level, scoreColor(score->score), dpi);
    canvas.drawText(std::to_wstring(score->appliedCount) + L" / " + std::to_wstring(score->countedCount) +
                        L" твиков применено",
                    h.appliedLine, kColorTextDim, TextFormat::Center, FontId::Small);
  } else {
    // The refresher's first pass is still running: no number it could not yet know.
    drawPendingGauge(canvas, h.gaugeCentre, h.gaugeRadius, dpi);
    canvas.drawText(kScorePendingLine, h.appliedLine, kColorTextDim, TextFormat::Center, FontId::Small);
  }

  const MonitorSnapshot loads = state.monitorSnapshot ? state.monitorSnapshot() : MonitorSnapshot{};
  drawMetricTile(canvas, h.metricTiles[0], L"CPU", loads.cpuPercent, loads.cpuHistory, kColorAccent, dpi);
  drawMetricTile(canvas, h.metricTiles[1], L"GPU", loads.gpuPercent, loads.gpuHistory, kColorSuccess, dpi);
  drawMetricTile(canvas, h.metricTiles[2], L"ОЗУ", loads.ramPercent, loads.ramHistory, kColorWarning, dpi);

  if (!h.drivers.empty())
    canvas.drawText(L"Драйверы видеокарты", h.driverHeading, kColorTextDim, TextFormat::Left, FontId::Bold);
  for (std::size_t i = 0; i < h.drivers.size(); ++i) {
    const DriverCardLayout& d = h.drivers[i];
    const GpuDriverInfo& info = state.driverCards[i];
    canvas.fillRoundedBordered(d.card, kColorPanel, kColorPanelBorder, s(10));
    canvas.drawText(info.name, d.name, kColorText, TextFormat::LeftEllipsisNoPrefix, FontId::Heading);
    canvas.drawText(installedVersionLine(info), d.version, kColorTextDim, TextFormat::LeftEllipsisNoPrefix, FontId::Body);
    canvas.fillRounded(d.button, kColorAccent, s(8));
    canvas.drawText(L"Обновить драйвер", d.button, kColorWhite, TextFormat::Center, FontId::Bold);
    addClippedRegion(state.hitRegions, d.button, h.body, HitKind::DriverOpen, static_cast<int>(i));
  }

  canvas.drawText(L"Утилиты", h.utilitiesHeading, kColorTextDim, TextFormat::Left, FontId::Bold);
  // A tile scrolled out of the body (a short window, many driver cards) is not clickable there.
  drawUtilityTile(canvas, state, h.utilityTiles[0], h.body, L"Перезапустить Explorer",
                  L"Закрывает зависшие окна Проводника", HitKind::RestartExplorer);
  drawUtilityTile(canvas, state, h.utilityTiles[1], h.body, L"Папка бэкапов", L"%ProgramData%\\Vantorix\\Backups",
                  HitKind::OpenBackupFolder);
  canvas.clearClip();

  state.contentHeight = h.contentHeight;
  state.listHeight = h.body.height();  // the wheel scrolls the dashboard only when it does not fit
  paintStatusLine(canvas, state, h.status);
}

}  // namespace vx::ui
