// The drawing operations on the in-memory screen.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fonts.h"
#include "gfx/memory_screen.h"
#include "gfx/screen.h"
#include "pixel_screen.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

constexpr std::int32_t kRed = 0xFF0000;
constexpr std::int32_t kBlue = 0x0000FF;
constexpr std::int32_t kGrey = 0xD4D0C8;

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0), kScreenOk); }

  // The smallest box around every pixel of the colour: left, top, right, bottom; all -1 for none.
  std::vector<int> boundsOf(std::int32_t colour) const {
    std::vector<int> bounds{-1, -1, -1, -1};
    std::vector<std::int32_t> all = screen.pixels();
    for (int y = 0; y < screen.height(); ++y) {
      for (int x = 0; x < screen.width(); ++x) {
        if (all[static_cast<std::size_t>(y * screen.width() + x)] != colour) continue;
        if (bounds[0] < 0 || x < bounds[0]) bounds[0] = x;
        if (bounds[1] < 0) bounds[1] = y;
        bounds[2] = std::max(bounds[2], x);
        bounds[3] = y;
      }
    }
    return bounds;
  }

  MemoryScreen screen;
};

TEST_F(DrawingTest, AFreshScreenIsBlackWithWhiteForegroundAndAnEightByEightGrid) {
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, 0x000000), 800 * 600);
  gfxSetPixel(3, 4, 0, kSinglePointInForeground);
  EXPECT_EQ(screen.pixel(3, 4), 0xFFFFFF);
  EXPECT_EQ(gfxSetTextGrid(100, 75), 100 | (75 << 16));
}

TEST_F(DrawingTest, ColourSevenIsAlmostBlackBlueNotAPaletteGrey) {
  gfxSetPixel(5, 5, 7, kSinglePoint);
  EXPECT_EQ(screen.pixel(5, 5), 0x000007);
}

TEST_F(DrawingTest, ABorderTouchingTheScreenEdgeIsDrawnWhereItIsOnTheScreen) {
  gfxSetView(0, 0, 99, 49, 0x112233, kBlue, kViewFillAndBorder);
  // The left and top edges lie at -1, off the screen; the right edge at x 100 and the bottom at y 50.
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kBlue), 101 + 51 - 1);
  EXPECT_EQ(screen.pixel(100, 0), kBlue);
  EXPECT_EQ(screen.pixel(0, 50), kBlue);
  EXPECT_EQ(screen.pixel(100, 50), kBlue);
  EXPECT_EQ(screen.pixel(0, 0), 0x112233);

  gfxSetView(700, 500, 799, 599, 0x112233, kRed, kViewFillAndBorder);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 101 + 101 - 1);
  EXPECT_EQ(screen.pixel(699, 599), kRed);
  EXPECT_EQ(screen.pixel(799, 499), kRed);
}

TEST_F(DrawingTest, TheBorderIsDrawnOutsideTheViewAndNotClippedByTheOldView) {
  gfxSetView(10, 10, 19, 19, kGrey, -1, kViewNoBorder);
  gfxSetView(100, 100, 199, 149, -1, kBlue, kViewNoFill);
  EXPECT_EQ(screen.pixel(99, 99), kBlue);
  EXPECT_EQ(screen.pixel(200, 150), kBlue);
  EXPECT_EQ(screen.pixel(100, 100), 0x000000);
}

TEST_F(DrawingTest, AFilledBoxLargerThanTheViewFillsExactlyTheView) {
  gfxSetView(100, 100, 199, 149, 0, 0, kViewNoFillNoBorder);
  gfxLine(-50, -50, 500, 500, kRed, kFilledBox, kSolidLine, kLinePoints);
  EXPECT_EQ(boundsOf(kRed), (std::vector<int>{100, 100, 199, 149}));
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 100 * 50);
}

TEST_F(DrawingTest, BoxCornersInAnyOrderDrawTheSameBox) {
  struct Corners {
    float x1, y1, x2, y2;
  };
  const Corners orders[] = {{10, 20, 40, 30}, {40, 30, 10, 20}, {10, 30, 40, 20}, {40, 20, 10, 30}};
  for (int kind : {kBoxOutline, kFilledBox}) {
    gfxClear(kClearScreen);
    gfxLine(10, 20, 40, 30, kRed, kind, kSolidLine, kLinePoints);
    std::vector<std::int32_t> expected = screen.pixels();
    for (const Corners& c : orders) {
      gfxClear(kClearScreen);
      gfxLine(c.x1, c.y1, c.x2, c.y2, kRed, kind, kSolidLine, kLinePoints);
      EXPECT_EQ(screen.pixels(), expected) << "kind " << kind << " from (" << c.x1 << ", " << c.y1 << ")";
    }
  }
  EXPECT_EQ(boundsOf(kRed), (std::vector<int>{10, 20, 40, 30}));
}

TEST_F(DrawingTest, ABoxOutlineIsOnePixelWideWithBothCornersIncluded) {
  gfxLine(10, 20, 40, 30, kRed, kBoxOutline, kSolidLine, kLinePoints);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 2 * 31 + 2 * 9);
  EXPECT_EQ(screen.pixel(25, 25), 0x000000);
}

TEST_F(DrawingTest, TextRunningPastTheViewsRightEdgeIsCutMidGlyph) {
  gfxSetTextGrid(100, 37);
  const std::uint8_t* glyph = fonts::glyphRows(16, 'H');
  bool inkRightOfTheCut = false;
  for (int row = 0; row < 16; ++row)
    inkRightOfTheCut = inkRightOfTheCut || (glyph[row] & 0x0F);
  ASSERT_TRUE(inkRightOfTheCut) << "the glyph must have ink beyond the cut for this test to tell";

  gfxSetView(100, 50, 111, 65, 0, 0, kViewNoFillNoBorder);  // 12 pixels: one glyph and a half
  gfxDrawText(0, 0, kLinePoints, "HH", kRed);
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 16; ++column) {
      bool inked = (glyph[row] & (0x80 >> (column % 8))) != 0;
      bool shown = inked && column < 12;
      EXPECT_EQ(screen.pixel(100 + column, 50 + row), shown ? kRed : 0) << column << ", " << row;
    }
  }
}

TEST_F(DrawingTest, TextLeavesTheBackgroundBetweenItsStrokes) {
  gfxSetTextGrid(100, 37);
  gfxSetView(0, 0, 799, 599, kGrey, 0, kViewNoBorder);
  gfxDrawText(8, 16, kLinePoints, "Calculate", kBlue);
  EXPECT_EQ(screen.textAt(8, 16, 9, kBlue), "Calculate");
  EXPECT_EQ(
      screen.countPixels(8, 16, 8 * 10 - 1, 31, kBlue) + screen.countPixels(8, 16, 8 * 10 - 1, 31, kGrey),
      9 * 8 * 16);
  gfxDrawText(8, 40, kLinePoints, "", kBlue);
  EXPECT_EQ(screen.countPixels(0, 40, 799, 60, kBlue), 0);
}

TEST_F(DrawingTest, OnlyCellsEightWideAndEightFourteenOrSixteenHighAreAccepted) {
  struct Grid {
    int columns, rows;
    bool accepted;
  };
  const Grid grids[] = {{100, 37, true}, {97, 42, true}, {99, 70, true},  {100, 40, false},
                        {50, 37, false}, {0, 37, false}, {100, 0, false}, {-100, -37, false}};
  for (const Grid& grid : grids) {
    gfxSetTextGrid(100, 75);
    gfxSetTextGrid(grid.columns, grid.rows);
    std::int32_t now = gfxSetTextGrid(100, 75);
    std::int32_t expected = grid.accepted ? grid.columns | (grid.rows << 16) : 100 | (75 << 16);
    EXPECT_EQ(now, expected) << grid.columns << " x " << grid.rows;
  }
}

TEST_F(DrawingTest, TheSystemsGridSelectsTheSixteenHighCellAndClearsTheScreen) {
  gfxSetColors(0, kGrey, 0);
  gfxSetView(10, 10, 59, 59, kRed, kBlue, kViewFillAndBorder);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 100 | (75 << 16));
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kGrey), 800 * 600);
  // The view is the whole screen again, and text is 16 pixels high.
  gfxDrawText(0, 0, kLinePoints, "W", kRed);
  EXPECT_EQ(screen.textAt(0, 0, 1, kRed), "W");
  EXPECT_EQ(boundsOf(kRed)[0], 0);
}

TEST_F(DrawingTest, AGridWithFifteenHighCellsChangesNothing) {
  gfxSetTextGrid(100, 37);
  gfxSetPixel(5, 5, kRed, kSinglePoint);
  gfxSetView(100, 100, 199, 199, 0, 0, kViewNoFillNoBorder);
  EXPECT_EQ(gfxSetTextGrid(100, 40), 100 | (37 << 16));
  EXPECT_EQ(screen.pixel(5, 5), kRed);
  gfxSetPixel(0, 0, kBlue, kSinglePoint);  // still relative to the view
  EXPECT_EQ(screen.pixel(100, 100), kBlue);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 100 | (37 << 16));
}

TEST_F(DrawingTest, CoordinatesRoundHalvesAwayFromZero) {
  struct Case {
    double value;
    std::int64_t rounded;
  };
  const Case cases[] = {{0.5, 1},    {1.5, 2},           {2.5, 3},
                        {2.4999, 2}, {-0.5, -1},         {-2.5, -3},
                        {-2.4, -2},  {1e300, 1LL << 40}, {-INFINITY, -(1LL << 40)}};
  for (const Case& c : cases)
    EXPECT_EQ(roundHalfAwayFromZero(c.value), c.rounded) << c.value;

  gfxSetView(100, 100, 199, 199, 0, 0, kViewNoFillNoBorder);
  gfxSetPixel(2.5f, 0.5f, kRed, kSinglePoint);
  EXPECT_EQ(screen.pixel(103, 101), kRed);
  gfxLine(0.5f, 10.5f, 2.5f, 12.5f, kBlue, kFilledBox, kSolidLine, kLinePoints);
  EXPECT_EQ(boundsOf(kBlue), (std::vector<int>{101, 111, 103, 113}));
}

TEST_F(DrawingTest, AViewIsThePartOfItsRectangleOnTheScreen) {
  struct Case {
    int x1, y1, x2, y2;
    std::vector<int> bounds;  // of the filled pixels
  };
  const Case cases[] = {
      {10, 20, 29, 39, {10, 20, 29, 39}},
      {29, 39, 10, 20, {10, 20, 29, 39}},
      {790, 590, 850, 650, {790, 590, 799, 599}},
      {-10, -10, 9, 9, {0, 0, 9, 9}},
      {900, 700, 950, 750, {-1, -1, -1, -1}},
      {-50, -50, -10, -10, {-1, -1, -1, -1}},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {0, 0, 799, 599}},
  };
  for (const Case& c : cases) {
    gfxClear(kClearScreen);
    gfxSetView(c.x1, c.y1, c.x2, c.y2, kRed, 0, kViewNoBorder);
    EXPECT_EQ(boundsOf(kRed), c.bounds) << c.x1 << ", " << c.y1 << " - " << c.x2 << ", " << c.y2;
  }
}

TEST_F(DrawingTest, AViewStartingOffTheScreenDrawsFromItsClampedCorner) {
  gfxSetView(-10, -10, 9, 9, 0, 0, kViewNoFillNoBorder);
  gfxSetPixel(0, 0, kRed, kSinglePoint);
  gfxSetPixel(10, 10, kBlue, kSinglePoint);  // beyond the view's right edge at 9
  EXPECT_EQ(screen.pixel(0, 0), kRed);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kBlue), 0);
}

TEST_F(DrawingTest, AViewInScreenCoordinatesClipsWithoutShifting) {
  gfxSetView(100, 100, 199, 199, 0, 0, kViewScreenCoordinates);
  gfxSetPixel(150, 150, kRed, kSinglePoint);
  gfxSetPixel(50, 50, kRed, kSinglePoint);
  EXPECT_EQ(screen.pixel(150, 150), kRed);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 1);
}

TEST_F(DrawingTest, APixelOutsideTheViewIsNotSet) {
  gfxSetView(100, 100, 199, 199, 0, 0, kViewNoFillNoBorder);
  for (float x : {-1.0f, 100.0f, 99.6f, std::numeric_limits<float>::quiet_NaN(), 1e30f}) {
    gfxSetPixel(x, 5, kRed, kSinglePoint);
  }
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 0);
}

TEST_F(DrawingTest, ALineIsABresenhamLineFromEndToEnd) {
  gfxLine(0, 0, 9, 3, kRed, kStraightLine, kSolidLine, kLinePoints);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 10);
  EXPECT_EQ(screen.pixel(0, 0), kRed);
  EXPECT_EQ(screen.pixel(9, 3), kRed);
  EXPECT_EQ(boundsOf(kRed), (std::vector<int>{0, 0, 9, 3}));
}

TEST_F(DrawingTest, BitFifteenOfALineStyleBelongsToTheFirstPixel) {
  gfxLine(0, 0, 31, 0, kRed, kStraightLine, 0xC000, kLinePoints);
  std::vector<int> shown;
  for (int x = 0; x < 32; ++x) {
    if (screen.pixel(x, 0) == kRed) shown.push_back(x);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 16, 17}));
}

TEST_F(DrawingTest, ALineFromFarAwayIsDrawnAcrossTheView) {
  gfxSetView(100, 100, 199, 199, 0, 0, kViewNoFillNoBorder);
  gfxLine(-2e9f, 5, 2e9f, 5, kRed, kStraightLine, kSolidLine, kLinePoints);
  EXPECT_EQ(boundsOf(kRed), (std::vector<int>{100, 105, 199, 105}));
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 100);
}

TEST_F(DrawingTest, ClearWithoutArgumentClearsTheViewOnceOneIsSet) {
  gfxSetColors(0, kGrey, 0);
  gfxClear(kNoArgument);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kGrey), 800 * 600);
  gfxSetView(10, 10, 19, 19, 0, 0, kViewNoFillNoBorder);
  gfxSetColors(0, kBlue, 0);
  gfxClear(kNoArgument);
  EXPECT_EQ(boundsOf(kBlue), (std::vector<int>{10, 10, 19, 19}));
  gfxSetColors(0, kRed, 0);
  gfxClear(kClearScreen);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kRed), 800 * 600);
}

TEST_F(DrawingTest, SetColorsKeepsWhatItsFlagsOmitAndReturnsThePreviousForeground) {
  EXPECT_EQ(gfxSetColors(kRed, kBlue, 0), 0xFFFFFF);
  EXPECT_EQ(gfxSetColors(kGrey, kGrey, kKeepForeground | kKeepBackground), kRed);
  gfxClear(kClearScreen);
  EXPECT_EQ(screen.pixel(0, 0), kBlue);
  gfxSetColors(kGrey, 0, kKeepBackground);
  gfxDrawText(0, 0, kUseForeground, "#", kRed);
  EXPECT_EQ(screen.countPixels(0, 0, 7, 7, kRed), 0);
  EXPECT_GT(screen.countPixels(0, 0, 7, 7, kGrey), 0);
}

TEST_F(DrawingTest, FileNumberZeroPrintsOntoTheOpenScreen) {
  gfxSetTextGrid(100, 37);
  gfxSetColors(kBlue, kGrey, 0);
  printText(0, "Hi", kNewlineFlag);
  printText(0, "there", 0);
  EXPECT_EQ(screen.textAt(0, 0, 2, kBlue), "Hi");
  EXPECT_EQ(screen.textAt(0, 16, 5, kBlue), "there");
  EXPECT_EQ(screen.countPixels(0, 0, 15, 15, kBlue) + screen.countPixels(0, 0, 15, 15, kGrey), 16 * 16);
}

TEST(DrawingWithoutScreen, DrawsNothingAndPrintsToStandardOutput) {
  MemoryScreen screen;
  gfxSetPixel(1, 1, kRed, kSinglePoint);
  gfxLine(0, 0, 10, 10, kRed, kFilledBox, kSolidLine, kLinePoints);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 0);
  EXPECT_EQ(screen.pixel(1, 1), -1);
  testing::internal::CaptureStdout();
  printText(0, " 800 X  600", kNewlineFlag);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), " 800 X  600\r\n");
}

TEST(DrawingWithoutScreen, AReceiverThatHandsTheTextToTheScreenPrintsItOnceOnStandardOutput) {
  MemoryScreen screen;
  // What a screen's own receiver does; left in place with no screen open, it and gfxPrint must
  // not hand the text to each other for ever.
  setScreenTextReceiver([](std::string_view text) { gfxPrint(text); });
  testing::internal::CaptureStdout();
  printText(0, "Can't set graphic mode", kNewlineFlag);
  std::string printed = testing::internal::GetCapturedStdout();
  setScreenTextReceiver(nullptr);
  EXPECT_EQ(printed, "Can't set graphic mode\r\n");
}

TEST(ChangedRows, RowsTheWindowCouldNotShowAreHandedOverAgainWithLaterOnes) {
  PixelScreen screen(40, 30);
  auto shows = [](RowRange) { return true; };
  ASSERT_TRUE(screen.copyChangedRows(shows));  // the whole new screen
  EXPECT_FALSE(screen.copyChangedRows(shows)) << "nothing changed since";

  screen.setPixel(3, 10, kRed, kSinglePoint);
  std::vector<int> handedFirstRows;
  EXPECT_FALSE(screen.copyChangedRows([&](RowRange rows) {
    handedFirstRows.push_back(rows.first);
    return false;  // the window's surface could not be locked
  }));
  screen.setPixel(3, 20, kRed, kSinglePoint);
  std::optional<RowRange> shown = screen.copyChangedRows(shows);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->first, 10);
  EXPECT_EQ(shown->last, 20);
  EXPECT_EQ(handedFirstRows, std::vector<int>{10});
  EXPECT_FALSE(screen.copyChangedRows(shows));
}

TEST(OpeningTheScreen, RefusesBadSizesAndDepths) {
  struct Case {
    int width, height, depth;
  };
  const Case cases[] = {{0, 600, 32}, {800, -1, 32}, {800, 600, 12}, {800, 600, 0}, {100000, 600, 32}};
  for (const Case& c : cases) {
    MemoryScreen screen;
    EXPECT_EQ(gfxOpenScreen(c.width, c.height, c.depth, 1, kFixedScreenKind, 0), kScreenFailed)
        << c.width << " x " << c.height << " x " << c.depth;
    EXPECT_FALSE(screen.isOpen());
  }
}

TEST(OpeningTheScreen, TakesEveryAcceptedDepthAndTheFullScreenFlag) {
  for (int depth : {1, 2, 4, 8, 15, 16, 24, 32}) {
    MemoryScreen screen;
    EXPECT_EQ(gfxOpenScreen(640, 480, depth, 0, kFullScreen, 0), kScreenOk) << depth;
    EXPECT_TRUE(screen.isFullScreen());
    EXPECT_EQ(screen.width(), 640);
  }
}

TEST(OpeningTheScreen, FailsWithoutADisplay) {
  MemoryScreen screen(std::vector<DisplayMode>{});
  EXPECT_EQ(gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0), kScreenFailed);
  EXPECT_FALSE(screen.isOpen());
}

}  // namespace
}  // namespace zephyrion
