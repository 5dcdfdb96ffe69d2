// The refresh timer's tick on the recording canvas and the fake host: it repaints only the parts
// whose readings changed (a load tile, the memory chip), nothing at all when nothing changed, and
// takes the whole hardware snapshot only every tenth tick.
#include <gtest/gtest.h>

#include "support/hardware_scenarios.h"
#include "ui/home_layout.h"
#include "ui/layout.h"
#include "ui/refresh_tick.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

constexpr int kAssistantPage = 1;

class RefreshTick : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    state.currentPage = 0;  // Home
    state.monitorSnapshot = [this] { return loads; };
    loads.cpuPercent = 7;
    loads.cpuHistory = {5, 7};
    loads.ramPercent = 40;
    loads.ramHistory = {40, 40};
    machine.setMemory(MemoryStatus{16ull << 30, 8ull << 30, 50});
    paint();
    ui::onRefreshTick(state, host);  // the first tick sees everything as new
    host.invalidations = 0;
    host.invalidatedRects.clear();
  }

  ui::Rect tile(int i) const {
    return ui::homeLayout(ui::frameLayout(1280, 820, 96).content, 0, 96, 0).metricTiles[static_cast<std::size_t>(i)];
  }
  ui::Rect chip(int i) const {
    return ui::headerChipRects(ui::frameLayout(1280, 820, 96).header, 96)[static_cast<std::size_t>(i)];
  }

  MonitorSnapshot loads;
};

TEST_F(RefreshTick, RepaintsOnlyWhatChanged) {
  struct Case {
    const char* name;
    int page;
    std::function<void()> change;
    std::function<std::vector<ui::Rect>()> repainted;
  };
  const Case cases[] = {
      {"nothing changed", 0, [] {}, [] { return std::vector<ui::Rect>{}; }},
      {"a new CPU sample", 0,
       [this] {
         loads.cpuPercent = 9;
         loads.cpuHistory.push_back(9);
       },
       [this] { return std::vector<ui::Rect>{tile(0)}; }},
      {"the memory in use", 0,
       [this] { machine.setMemory(MemoryStatus{16ull << 30, 7ull << 30, 56}); },
       [this] { return std::vector<ui::Rect>{chip(2)}; }},
      // A category page shows no load tiles.
      {"a new CPU sample off Home", kPerformancePage,
       [this] { loads.cpuHistory.push_back(30); }, [] { return std::vector<ui::Rect>{}; }},
      {"nothing changed on the Assistant page", kAssistantPage, [] {},
       [] { return std::vector<ui::Rect>{}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (state.currentPage != c.page) {  // a page change repaints everything, as a click does
      state.currentPage = c.page;
      paint();
      ui::onRefreshTick(state, host);
    }
    host.invalidations = 0;
    host.invalidatedRects.clear();
    c.change();
    ui::onRefreshTick(state, host);
    EXPECT_EQ(host.invalidations, 0) << "never the whole window";
    EXPECT_EQ(host.invalidatedRects, c.repainted());
  }
}

TEST_F(RefreshTick, TakesTheWholeSnapshotEveryTenthTickAndTheMemoryEveryTick) {
  addDisplayAdapter(machine, L"0000", L"NVIDIA GeForce RTX 3070");
  ui::UiState fresh;
  ui::onRefreshTick(fresh, host);  // the first tick: everything
  EXPECT_EQ(fresh.hardware.gpuName, L"NVIDIA GeForce RTX 3070");
  EXPECT_EQ(fresh.hardware.availableRamMb, 8u << 10);

  machine.setMemory(MemoryStatus{16ull << 30, 6ull << 30, 62});
  addDisplayAdapter(machine, L"0000", L"AMD Radeon RX 6800");
  for (int tick = 2; tick <= ui::kFullSnapshotEveryTicks; ++tick) {
    ui::onRefreshTick(fresh, host);
    EXPECT_EQ(fresh.hardware.availableRamMb, 6u << 10);
    EXPECT_EQ(fresh.hardware.memoryLoadPercent, 62u);
    EXPECT_EQ(fresh.hardware.gpuName, L"NVIDIA GeForce RTX 3070") << "tick " << tick;
  }
  ui::onRefreshTick(fresh, host);
  EXPECT_EQ(fresh.hardware.gpuName, L"AMD Radeon RX 6800");
}

}  // namespace
}  // namespace vx::test
