#include "ui/refresh_tick.h"

#include <algorithm>
#include <string>

#include "hw/hardware_profile.h"
#include "platform/system.h"
#include "ui/assistant_layout.h"
#include "ui/home_layout.h"
#include "ui/layout.h"

namespace vx::ui {

namespace {

std::wstring samplesText(std::int32_t percent, const std::vector<std::int32_t>& history) {
  std::wstring text = std::to_wstring(percent) + L":";
  for (const std::int32_t sample : history) text += std::to_wstring(sample) + L",";
  return text;
}

std::wstring flag(bool value) { return value ? L"1|" : L"0|"; }

}  // namespace

std::vector<TimedRegion> timedRegions(const UiState& state) {
  std::vector<TimedRegion> regions;
  if (state.clientWidth <= 0 || state.clientHeight <= 0) return regions;  // nothing painted yet
  const FrameLayout frame = frameLayout(state.clientWidth, state.clientHeight, state.dpi);
  const HardwareProfile& hw = state.hardware;
  // The header's chips, as many as fit: the GPU, the CPU, the memory in use.
  const std::wstring chips[3] = {hw.gpuName, hw.cpuName,
                                 std::to_wstring(hw.memoryLoadPercent) + L"|" + std::to_wstring(hw.availableRamMb) +
                                     L"|" + std::to_wstring(hw.totalRamMb)};
  const std::vector<Rect> chipRects = headerChipRects(frame.header, state.dpi);
  for (std::size_t i = 0; i < chipRects.size() && i < 3; ++i) regions.push_back({chipRects[i], chips[i]});
  const SidebarEntry* entry = state.currentEntry();
  if (!entry) return regions;
  if (entry->kind == PageKind::Home) {
    const HomeLayout home =
        homeLayout(frame.content, static_cast<int>(state.driverCards.size()), state.dpi, state.scrollOffset);
    const MonitorSnapshot loads = state.monitorSnapshot ? state.monitorSnapshot() : MonitorSnapshot{};
    const std::wstring shown[3] = {samplesText(loads.cpuPercent, loads.cpuHistory),
                                   samplesText(loads.gpuPercent, loads.gpuHistory),
                                   samplesText(loads.ramPercent, loads.ramHistory)};
    for (std::size_t i = 0; i < home.metricTiles.size(); ++i) {
      const Rect visible = intersect(home.metricTiles[i], home.body);
      if (!visible.empty()) regions.push_back({visible, shown[i]});
    }
  } else if (entry->kind == PageKind::Assistant) {
    const AssistantPageLayout page = assistantPageLayout(frame.content, state.dpi);
    const bool boosting = state.booster && state.booster->isRunning();
    regions.push_back({page.profileLine, flag(hw.isSsd) + flag(hw.isLaptop) + flag(hw.gpuModern) +
                                             std::to_wstring(hw.totalRamMb) + L"|" + flag(boosting) +
                                             (boosting ? state.booster->statusText() : std::wstring())});
    regions.push_back({page.boosterButton, flag(boosting)});
  }
  return regions;
}

void takeTimedReadings(UiState& state) {
  // The whole snapshot walks the registry, the display adapters and the system volume for names
  // and properties that do not change while the program runs; the memory figures do.
  if (state.ticks++ % kFullSnapshotEveryTicks == 0) {
    refreshHardwareProfile(state.hardware);
  } else if (const std::optional<MemoryStatus> memory = memoryStatus()) {
    state.hardware.totalRamMb = memory->totalPhysBytes >> 20;
    state.hardware.availableRamMb = memory->availPhysBytes >> 20;
    state.hardware.memoryLoadPercent = memory->loadPercent;
  }
}

void onRefreshTick(UiState& state, WindowHost& host) {
  takeTimedReadings(state);
  std::vector<TimedRegion> now = timedRegions(state);
  for (const TimedRegion& region : now)
    if (std::find(state.timedShown.begin(), state.timedShown.end(), region) == state.timedShown.end())
      host.invalidateRect(region.rect);
  state.timedShown = std::move(now);
}

}  // namespace vx::ui
