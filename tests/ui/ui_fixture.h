// The fixture of the window tests: a UiState on the simulated machine with a small catalogue of
// fake tweaks on the "Производительность" and "Система" pages, its own state cache, a recording
// canvas and a fake host. Jobs run inline unless a test hands out real threads.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "support/fake_tweak.h"
#include "support/sim_test.h"
#include "ui/fake_window_host.h"
#include "ui/painters.h"
#include "ui/recording_canvas.h"
#include "ui/ui_state.h"

namespace vx::test {

// Where a page sits in the sidebar, found by its kind and (for a category page) its category, so
// that no test depends on the order of the entries.
inline int pageIndex(ui::PageKind kind, TweakCategory category = TweakCategory::Performance) {
  const std::vector<ui::SidebarEntry> entries = ui::sidebarEntries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].kind == kind && (kind != ui::PageKind::Category || entries[i].category == category))
      return static_cast<int>(i);
  ADD_FAILURE() << "no sidebar entry of that kind";
  return -1;
}

inline const int kHomePage = pageIndex(ui::PageKind::Home);
inline const int kAssistantPage = pageIndex(ui::PageKind::Assistant);
inline const int kPerformancePage = pageIndex(ui::PageKind::Category, TweakCategory::Performance);
inline const int kSystemPage = pageIndex(ui::PageKind::Category, TweakCategory::System);

class UiTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    state.sidebar = ui::sidebarEntries();
    state.states = &cache;
    state.startWorker = [](std::function<void()> body) {
      body();
      return true;
    };
  }

  std::shared_ptr<FakeTweak> addTweak(const std::wstring& id, TweakCategory category = TweakCategory::Performance) {
    auto tweak = makeFake(id, category);
    state.catalogue.push_back(tweak);
    return tweak;
  }

  RecordingCanvas paint(int width = 1280, int height = 820) {
    RecordingCanvas canvas;
    ui::paintWindow(canvas, state, width, height);
    return canvas;
  }

  const ui::HitRegion* region(ui::HitKind kind, int index = -1) const {
    for (const auto& r : state.hitRegions)
      if (r.kind == kind && (index == -1 || r.index == index)) return &r;
    return nullptr;
  }

  static ui::Point centre(const ui::HitRegion& r) {
    return {(r.rect.left + r.rect.right) / 2, (r.rect.top + r.rect.bottom) / 2};
  }

  TweakStateCache cache;
  ui::UiState state;
  FakeWindowHost host;
};

}  // namespace vx::test
