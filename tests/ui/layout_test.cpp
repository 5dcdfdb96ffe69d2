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

}  // namespace
}  // namespace vx::test
