// One paint of a category page on the GDI canvas (an off-screen 1280 x 820 bitmap), three ways,
// median of rounds: (1) the window's paint with a warm state cache, (2) the same drawing calls
// replayed without any logic, (3) the same page when every card queries its tweak while painting
// (what the state refresher saves the UI thread). Prints the medians of alternated rounds and the
// ratios 1/2 and 3/1.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_compare.h"
#include "catalog/build_catalog.h"
#include "ui/gdi/gdi_canvas.h"
#include "ui/gdi/gdi_objects.h"
#include "ui/painters.h"

namespace {

// Records the drawing calls of one paint so that they can be replayed on another canvas.
class ReplayCanvas final : public vx::ui::Canvas {
 public:
  explicit ReplayCanvas(vx::ui::Canvas& measure) : measure_(measure) {}
  std::vector<std::function<void(vx::ui::Canvas&)>> calls;
  using R = vx::ui::Rect;
  using C = vx::ui::Color;
  void fillRounded(const R& r, C c, int radius) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.fillRounded(r, c, radius); });
  }
  void fillRoundedBordered(const R& r, C f, C b, int radius) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.fillRoundedBordered(r, f, b, radius); });
  }
  void drawText(const std::wstring& t, const R& r, C c, vx::ui::TextFormat f, vx::ui::FontId font) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.drawText(t, r, c, f, font); });
  }
  int measureTextHeight(const std::wstring& t, int width, vx::ui::FontId font) override {
    return measure_.measureTextHeight(t, width, font);
  }
  vx::ui::Size measureText(const std::wstring& t, vx::ui::FontId font) override { return measure_.measureText(t, font); }
  void line(vx::ui::Point a, vx::ui::Point b, C c, int w) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.line(a, b, c, w); });
  }
  void polyline(const std::vector<vx::ui::Point>& p, C c, int w) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.polyline(p, c, w); });
  }
  void arc(const R& r, double s, double e, C c, int w) override {
    calls.push_back([=](vx::ui::Canvas& k) { k.arc(r, s, e, c, w); });
  }
  void gradientV(const R& r, C t, C b) override { calls.push_back([=](vx::ui::Canvas& k) { k.gradientV(r, t, b); }); }
  void clipTo(const R& r) override { calls.push_back([=](vx::ui::Canvas& k) { k.clipTo(r); }); }
  void clearClip() override { calls.push_back([](vx::ui::Canvas& k) { k.clearClip(); }); }

 private:
  vx::ui::Canvas& measure_;
};

}  // namespace

int wmain() {
  constexpr int kWidth = 1280, kHeight = 820;
  HDC screen = GetDC(nullptr);
  const vx::ui::gdi::UniqueMemoryDc memory(CreateCompatibleDC(screen));
  const vx::ui::gdi::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kWidth, kHeight));
  ReleaseDC(nullptr, screen);
  const vx::ui::gdi::SelectedObject selected(memory.get(), bitmap.get());
  HDC dc = memory.get();
  vx::ui::gdi::GdiFonts fonts;
  fonts.create(96);
  vx::ui::gdi::GdiCanvas canvas(dc, fonts);

  vx::ui::UiState state;
  state.catalogue = vx::buildCatalog();
  state.sidebar = vx::ui::sidebarEntries();
  for (const auto& t : state.catalogue) state.states->refresh(*t);  // warm, as the refresher keeps it

  // Home paints a minute of load history in each tile and one driver card.
  vx::MonitorSnapshot loads;
  for (int i = 0; i < 60; ++i) {
    loads.cpuHistory.push_back(20 + i % 30);
    loads.gpuHistory.push_back(i % 50);
    loads.ramHistory.push_back(60 + i % 5);
  }
  state.monitorSnapshot = [loads] { return loads; };
  state.driverCards = {{L"NVIDIA GeForce RTX 3070", L"NVIDIA", L"31.0.15.3623", L"536.23", L"https://www.nvidia.com", L"x"}};

  // Home (its score against the direct computeScore of every paint), the page with the most cards,
  // and the system page (its cards query services).
  int most = 2;
  auto count = [&](int page) {
    std::size_t n = 0;
    for (const auto& t : state.catalogue) n += t->category == state.sidebar[page].category;
    return n;
  };
  for (int page = 2; page < static_cast<int>(state.sidebar.size()); ++page)
    if (count(page) > count(most)) most = page;
  for (int page : {0, most, 6}) {
    state.currentPage = page;
    state.queryStatesWhilePainting = false;
    vx::ui::paintWindow(canvas, state, kWidth, kHeight);  // fonts, glyphs and card heights warm
    ReplayCanvas recorder(canvas);
    vx::ui::paintWindow(recorder, state, kWidth, kHeight);
    if (page == 0)
      std::printf("home page (score of %zu tweaks):\n", state.catalogue.size());
    else
      std::printf("page %d, %zu cards:\n", page, count(page));
    auto warm = [&] { vx::ui::paintWindow(canvas, state, kWidth, kHeight); };
    vx::bench::compare("  paint, warm state cache", warm, "same drawing calls, no logic", [&] {
      for (const auto& call : recorder.calls) call(canvas);
    });
    vx::bench::compare(page == 0 ? "  paint, computeScore queries every tweak" : "  paint, cards query their tweaks", [&] {
      state.queryStatesWhilePainting = true;
      state.states->clear();
      warm();
      state.queryStatesWhilePainting = false;
    }, "paint, warm state cache", warm);
  }
  fonts.destroy();
  return 0;
}
