// Canvases: the framed area they cover, plotting inside and outside it, and that they take no
// part in input.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "widget_screen.h"
#include "widgets/canvas.h"
#include "widgets/edit.h"

namespace zephyrion::testing_support {
namespace {

class CanvasTest : public WidgetTest {
 protected:
  // The main form's preview at 800x600.
  static void placePreview(xCanvas& canvas) { canvasSet(canvas, 20, 350, 560, 430, -1, kWhite, -1); }
};

TEST_F(CanvasTest, ThePreviewCoversItsRectangleWhiteInsideABlackFrame) {
  xCanvas canvas;
  placePreview(canvas);
  EXPECT_EQ(canvas.x, 350);
  EXPECT_EQ(canvas.y, 20);
  EXPECT_EQ(screen.countPixels(351, 21, 779, 579, kWhite), 429 * 559);
  EXPECT_EQ(screen.countPixels(350, 20, 780, 580, kBlack), 2 * 431 + 2 * 559);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kBackdrop), 800 * 600 - 431 * 561);
}

TEST_F(CanvasTest, MinusOneKeepsEachColourAndTheSpareColourIsStored) {
  xCanvas canvas;
  EXPECT_EQ(canvas.backColor, kFormGrey);
  canvasSet(canvas, 10, 10, 20, 20, 0x123456, -1, 0xFF0000);
  EXPECT_EQ(canvas.spareColor, 0x123456);
  EXPECT_EQ(screen.pixel(20, 20), kFormGrey);
  EXPECT_EQ(screen.pixel(10, 10), 0xFF0000);
  canvasSet(canvas, 10, 10, 20, 20, -1, 0x00FF00, -1);
  EXPECT_EQ(canvas.spareColor, 0x123456);
  EXPECT_EQ(screen.pixel(20, 20), 0x00FF00);
  EXPECT_EQ(screen.pixel(30, 30), 0xFF0000);
}

TEST_F(CanvasTest, PlotsLandInCanvasCoordinatesFrameIncluded) {
  xCanvas canvas;
  placePreview(canvas);
  canvasPlot(canvas, 0, 0, 7);
  canvasPlot(canvas, 430 / 2, 560 / 2, 7);
  canvasPlot(canvas, 430, 560, 0xFF0000);
  EXPECT_EQ(screen.pixel(350, 20), 7);
  EXPECT_EQ(screen.pixel(565, 300), 7);
  EXPECT_EQ(screen.pixel(780, 580), 0xFF0000);
}

TEST_F(CanvasTest, PlotsOutsideTheCanvasChangeNothing) {
  xCanvas canvas;
  placePreview(canvas);
  const std::vector<std::int32_t> before = screen.pixels();
  for (auto [px, py] :
       std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {431, 10}, {10, 561}, {-5000, 99999}})
    canvasPlot(canvas, px, py, 0xFF0000);
  EXPECT_EQ(screen.pixels(), before);
}

TEST_F(CanvasTest, ClearingWipesThePlotsAndLeavesTheCanvasAsTheView) {
  xCanvas canvas;
  placePreview(canvas);
  canvasPlot(canvas, 100, 100, 7);
  canvasClear(canvas);
  EXPECT_EQ(screen.pixel(450, 120), kWhite);
  gfxSetPixel(5, 5, 0x00FF00, kSinglePoint);
  EXPECT_EQ(screen.pixel(355, 25), 0x00FF00);
}

TEST_F(CanvasTest, AClickOnTheCanvasChangesNothingAndReachesTheFieldsBehindIt) {
  xEdit field;
  editSet(field, "", "1", 100, 100, 50, 0, -1, -1);
  xCanvas canvas;
  placePreview(canvas);
  press(101, 101);
  ASSERT_EQ(field.focused, 1);
  markPixel(400, 400);
  press(400, 300);
  EXPECT_EQ(field.focused, 0);
  EXPECT_TRUE(isMarked(400, 400));
  EXPECT_EQ(screen.countPixels(350, 20, 780, 580, kWhite), 429 * 559 - 1);
}

}  // namespace
}  // namespace zephyrion::testing_support
