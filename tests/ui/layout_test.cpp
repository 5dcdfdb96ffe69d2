#include <gtest/gtest.h>

#include "ui/layout.h"
#include "ui/theme.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::Rect;

TEST(UiLayout, FrameMetricsScaleWithTheDpi) {
  struct Case {
    int dpi, margin, sidebarWidth, headerHeight;
  };
  for (const Case c : {Case{96, 14, 220, 120}, Case{144, 21, 330, 180}, Case{120, 18, 275, 150}}) {
    SCOPED_TRACE(c.dpi);
    const ui::FrameLayout f = ui::frameLayout(1280, 820, c.dpi);
    EXPECT_EQ(f.header.left, c.margin);
    EXPECT_EQ(f.header.top, c.margin);
    EXPECT_EQ(f.header.height(), c.headerHeight);
    EXPECT_EQ(f.sidebar.right - c.margin, c.sidebarWidth);
    EXPECT_EQ(f.sidebar.top, f.header.bottom + c.margin);
    EXPECT_EQ(f.content.left, f.sidebar.right + c.margin);
    EXPECT_EQ(f.content.right, 1280 - c.margin);
    EXPECT_EQ(f.content.bottom, 820 - c.margin);
  }
}

TEST(UiLayout, ScaleRoundsLikeMulDiv) {
  EXPECT_EQ(ui::scale(14, 144), 21);
  EXPECT_EQ(ui::scale(1, 144), 2);   // 1.5 rounds up
  EXPECT_EQ(ui::scale(-1, 144), -2); // and away from zero below it
  EXPECT_EQ(ui::scale(7, 120), 9);   // 8.75
}

TEST(UiLayout, HeaderChipsDisappearFromTheEndAsTheWindowNarrows) {
  struct Case {
    int width, chips;
  };
  for (const Case c : {Case{1280, 3}, Case{1000, 3}, Case{900, 2}, Case{720, 1}, Case{560, 0}}) {
    SCOPED_TRACE(c.width);
    const Rect header = ui::frameLayout(c.width, 820, 96).header;
    EXPECT_EQ(ui::headerChipCount(header, 96), c.chips);
    const auto chips = ui::headerChipRects(header, 96);
    ASSERT_EQ(static_cast<int>(chips.size()), c.chips);
    if (!chips.empty()) {
      EXPECT_EQ(chips.back().right, header.right - 20);  // right-aligned
      EXPECT_EQ(chips.front().top - header.top, header.bottom - chips.front().bottom);  // centred
    }
  }
}

TEST(UiLayout, CardHeightFollowsTheTextHeights) {
  struct Case {
    int dpi, description, sideEffects, height;
  };
  for (const Case c : {Case{96, 16, 0, 70},            // at least 70
                       Case{96, 48, 0, 102},           // 4 + 28 + 48 + 22
                       Case{96, 32, 16, 110},          // (16 + 8 + 4) + 28 + 32 + 22
                       Case{144, 24, 0, 105},          // 1.5 x the minimum
                       Case{144, 72, 24, (24 + 12 + 6) + 42 + 72 + 33}}) {
    SCOPED_TRACE(testing::Message() << c.dpi << " " << c.description << " " << c.sideEffects);
    EXPECT_EQ(ui::cardHeight(c.description, c.sideEffects, c.dpi), c.height);
  }
}

TEST(UiLayout, CardPartsSitInsideTheCard) {
  const Rect list{0, 100, 800, 600};
  const ui::CardLayout card = ui::cardLayout(list, 120, 90, 96);
  EXPECT_EQ(card.button.right, 780);
  EXPECT_EQ(card.button.width(), 110);
  EXPECT_EQ(card.toggle.right, card.button.left - 20);
  EXPECT_EQ(card.button.top - 120, 120 + 90 - card.button.bottom);  // centred
  EXPECT_EQ(card.checkbox.left, 14);
  EXPECT_EQ(card.text.left, card.dot.right + 10);
  EXPECT_EQ(card.text.right, card.toggle.left - 16);
  // The description is measured in the same column it is drawn in.
  EXPECT_EQ(ui::cardTextWidth(800, 96), card.text.width());
}

// The badge, the question mark, the side-effect line and the knob come from the layout, so the
// painter only draws them.
TEST(UiLayout, CardBadgeSideEffectsAndKnobFollowTheContent) {
  struct Case {
    int dpi;
    bool aggressive, effects, on;
    int helpMark;  // the circle's side: badge text height + 2 x 4 DIP
  };
  const Rect list{0, 100, 800, 600};
  for (const Case c : {Case{96, true, true, true, 24}, Case{96, false, false, false, 0}, Case{144, true, false, false, 28},
                       Case{144, false, true, true, 0}}) {
    SCOPED_TRACE(testing::Message() << c.dpi << c.aggressive << c.effects << c.on);
    auto s = [&c](int v) { return ui::scale(v, c.dpi); };
    ui::CardContent content{48, c.effects ? 32 : 0};
    if (c.aggressive) content.badgeText = ui::Size{70, 16};
    content.toggleOn = c.on;
    const ui::CardLayout card = ui::cardLayout(list, 120, content, c.dpi);
    const ui::CardLayout frame = ui::cardLayout(list, 120, ui::cardHeight(48, content.sideEffectsHeight, c.dpi), c.dpi);
    EXPECT_EQ(card.card, frame.card);
    EXPECT_EQ(card.advance, card.card.height() + s(10));
    EXPECT_EQ(card.description, (Rect{card.text.left, card.title.bottom + s(4), card.text.right, card.card.bottom - s(10)}));

    EXPECT_EQ(card.helpMark.height(), c.helpMark);
    if (c.aggressive) {
      EXPECT_EQ(card.helpMark, (Rect{card.text.right - c.helpMark, 120 + s(14), card.text.right, 120 + s(14) + c.helpMark}));
      EXPECT_EQ(card.helpMarkRadius, c.helpMark / 2);
      EXPECT_EQ(card.badge, (Rect{card.helpMark.left - s(6) - (70 + 2 * s(10)), card.helpMark.top,
                                  card.helpMark.left - s(6), card.helpMark.bottom}));
      EXPECT_EQ(card.title.right, card.badge.left - s(8));
    } else {
      EXPECT_TRUE(card.badge.empty());
      EXPECT_EQ(card.title.right, card.text.right);
    }

    if (c.effects) {
      const int top = card.title.bottom + s(4) + 48 + s(4);
      EXPECT_EQ(card.sideEffectDot, (Rect{card.text.left, top + s(4), card.text.left + s(8), top + s(12)}));
      EXPECT_EQ(card.sideEffectText, (Rect{card.text.left + s(16), top, card.text.right, card.card.bottom - s(8)}));
      EXPECT_EQ(card.sideEffectText.width(), ui::cardSideEffectsWidth(800, c.dpi));
    } else {
      EXPECT_TRUE(card.sideEffectDot.empty() && card.sideEffectText.empty());
    }

    // The knob is 3 px inside the track, at its right end when the toggle is on.
    EXPECT_EQ(card.knob.width(), card.toggle.height() - 6);
    EXPECT_EQ(card.knob.height(), card.knob.width());
    EXPECT_EQ(card.knob.top, card.toggle.top + 3);
    if (c.on)
      EXPECT_EQ(card.knob.right, card.toggle.right - 3);
    else
      EXPECT_EQ(card.knob.left, card.toggle.left + 3);
  }
}

TEST(UiLayout, TooltipStaysInsideTheWindow) {
  const Rect client{0, 0, 1280, 820};
  struct Case {
    ui::Point cursor;
    Rect expected;
  };
  for (const Case c : {Case{{100, 100}, {116, 116, 476, 176}},      // beside the pointer
                       Case{{1200, 100}, {912, 116, 1272, 176}},    // pushed left of the right edge
                       Case{{100, 800}, {116, 752, 476, 812}},      // pushed above the bottom edge
                       Case{{-40, -40}, {8, 8, 368, 68}}}) {        // at least 8 from the left and top
    EXPECT_EQ(ui::tooltipRect(c.cursor, 40, client, 96), c.expected);
  }
}

TEST(UiLayout, QuickActionsStackUpFromTheSidebarBottom) {
  for (int height : {820, 1400}) {
    const Rect sidebar = ui::frameLayout(1280, height, 96).sidebar;
    const auto quick = ui::quickActionRects(sidebar, 96);
    EXPECT_EQ(quick[0].bottom, sidebar.bottom - 20);
    EXPECT_EQ(quick[1].bottom, quick[0].top - 8);
    EXPECT_EQ(quick[2].bottom, quick[1].top - 8);
    EXPECT_EQ(quick[2].height(), 36);
  }
}

TEST(UiLayout, SidebarRowsStayAboveTheQuickActions) {
  struct Case {
    int dpi, clientHeight, step;  // step 0: packed closer than 44 DIP, but not below 28
  };
  for (const Case c : {Case{96, 790, 44}, Case{96, 1400, 44}, Case{144, 1150, 66}, Case{144, 960, 0},
                       Case{96, 600, 0}, Case{144, 900, 0}}) {
    SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.clientHeight << " px");
    const Rect sidebar = ui::frameLayout(1280, c.clientHeight, c.dpi).sidebar;
    const Rect first = ui::sidebarRow(sidebar, 0, 9, c.dpi), second = ui::sidebarRow(sidebar, 1, 9, c.dpi);
    const Rect last = ui::sidebarRow(sidebar, 8, 9, c.dpi);
    const int step = second.top - first.top;
    if (c.step) EXPECT_EQ(step, c.step);
    else EXPECT_LT(step, ui::scale(44, c.dpi));
    EXPECT_GE(step, ui::scale(28, c.dpi));
    EXPECT_EQ(first.top, sidebar.top + ui::scale(42, c.dpi));
    EXPECT_EQ(second.top - first.bottom, ui::scale(4, c.dpi));
    EXPECT_LE(last.bottom, ui::quickActionRects(sidebar, c.dpi)[2].top) << "the last row runs under a quick action";
  }
}

TEST(UiLayout, MainWindowGrowsWithTheDpiInsideTheWorkArea) {
  struct Case {
    const char* what;
    Rect proposed, work;
    int dpi;
    Rect expected;
  };
  const Rect big{0, 0, 3840, 2100};
  for (const Case& c : {
           Case{"96 DPI where Windows put it", {26, 26, 1306, 846}, big, 96, {26, 26, 1306, 846}},
           Case{"144 DPI grows by half", {26, 26, 1306, 846}, big, 144, {26, 26, 1946, 1256}},
           Case{"144 DPI on a small screen fills it", {26, 26, 1306, 846}, {0, 0, 1600, 1000}, 144, {0, 0, 1600, 1000}},
           Case{"pushed back from the right and bottom edges", {3000, 1800, 4280, 2620}, big, 96, {2560, 1280, 3840, 2100}},
           Case{"a work area that starts below a top taskbar", {0, 0, 1280, 820}, {0, 40, 1920, 1080}, 120,
                {0, 40, 1600, 1065}},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ui::mainWindowRect(c.proposed, c.work, c.dpi), c.expected);
  }
  EXPECT_EQ(ui::minimumWindowSize({16, 39}, big, 96), (ui::Size{976, 639}));
  EXPECT_EQ(ui::minimumWindowSize({24, 58}, big, 144), (ui::Size{1464, 958}));
  EXPECT_EQ(ui::minimumWindowSize({24, 58}, {0, 0, 1280, 720}, 144), (ui::Size{1280, 720}));
}

}  // namespace
}  // namespace vx::test
