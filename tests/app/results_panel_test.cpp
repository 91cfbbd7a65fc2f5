#include "app/results_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/memory_screen.h"
#include "widgets/chain.h"

namespace zephyrion {
namespace {

constexpr std::int32_t kPreviewInk = 7;

class ResultsPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0), kScreenOk);
    gfxSetTextGrid(100, 37);
    gfxSetColors(0, 0xD4D0C8, 0);
    gfxClear(kNoArgument);
    lastWidgetY = 0;
  }
  // A canvas placed as the form's, off the chain's concerns of this test.
  void placeCanvas(std::int32_t height) { canvasSet(canvas, 20, 350, height, 430, -1, 0xFFFFFF, -1); }
  bool plotted(int px, int py) const { return screen.pixel(350 + px, 20 + py) == kPreviewInk; }

  MemoryScreen screen;
  xCanvas canvas;
};

DesignParameters twoDivisionBlade() {
  DesignParameters p;
  p.rotorRadius = 500;
  p.chordDivisions = 2;
  return p;
}

TEST_F(ResultsPanelTest, ScalesTheSpanToTheCanvasLessTwentyPixels) {
  placeCanvas(560);
  EXPECT_DOUBLE_EQ(previewScale(canvas, 500), 1.08);
  EXPECT_DOUBLE_EQ(previewScale(canvas, 270), 2.0);
}

TEST_F(ResultsPanelTest, PlotsTheTipRowAt550AndRowTwoAt12) {
  placeCanvas(560);
  BladeGeometry geometry(twoDivisionBlade());
  geometry.axisOffset = 22;
  geometry.grid.upperX(500, 1) = 22;  // on the span axis: the canvas's centre column
  geometry.grid.upperX(2, 1) = 22;
  double u = previewScale(canvas, 500);
  plotPreviewRow(canvas, geometry, 500, u);
  plotPreviewRow(canvas, geometry, 2, u);
  EXPECT_TRUE(plotted(215, 550));
  EXPECT_TRUE(plotted(215, 12));
  // Division 2 lies at x 0, 22 mm left of the axis: 215 - 23.76.
  EXPECT_TRUE(plotted(191, 550));
  EXPECT_EQ(screen.countPixels(350, 20, 780, 580, kPreviewInk), 4);
}

TEST_F(ResultsPanelTest, RoundsPointsHalvesToEven) {
  placeCanvas(520);  // one pixel a millimetre; the centre of 430 is 215.0
  BladeGeometry geometry(twoDivisionBlade());
  geometry.axisOffset = 0;
  geometry.grid.upperX(250, 1) = 0.5;  // 215.5 -> 216
  geometry.grid.upperX(250, 2) = 1.5;  // 216.5 -> 216, not 217
  plotPreviewRow(canvas, geometry, 250, previewScale(canvas, 500));
  EXPECT_TRUE(plotted(216, 260));
  EXPECT_FALSE(plotted(217, 260));
  EXPECT_EQ(screen.countPixels(350, 20, 780, 580, kPreviewInk), 1);
}

TEST_F(ResultsPanelTest, PointsOutsideTheCanvasAreNotDrawn) {
  placeCanvas(560);
  BladeGeometry geometry(twoDivisionBlade());
  geometry.grid.upperX(400, 1) = 1e6;
  geometry.grid.upperX(400, 2) = -1e6;
  plotPreviewRow(canvas, geometry, 400, previewScale(canvas, 500));
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kPreviewInk), 0);
}

TEST_F(ResultsPanelTest, ShowsTheFourResultLines18PixelsApart) {
  showResultLines({"Rotor speed 955 RPM at 10 m/s wind", "b", "c", "d"}, 600);
  EXPECT_EQ(screen.textAt(22, 422, 34, 0), "Rotor speed 955 RPM at 10 m/s wind");
  EXPECT_EQ(screen.textAt(22, 440, 1, 0), "b");
  EXPECT_EQ(screen.textAt(22, 458, 1, 0), "c");
  EXPECT_EQ(screen.textAt(22, 476, 1, 0), "d");
  EXPECT_EQ(lastWidgetY, 474);
}

TEST_F(ResultsPanelTest, AShorterLinePaintsOverWhatTheLongerOneBeforeItShowed) {
  // Each line in turn gets shorter by 1, 5 and 12 characters, and the last one longer.
  const std::array<std::string, 4> first{"Rotor speed 955 RPM at 10.1234 m/s wind",
                                         "Blade volume 123.4567 cm3", "Blade weight 0.123456789 kg",
                                         "Force on blade root 1 N"};
  const std::array<std::string, 4> second{"Rotor speed 955 RPM at 10.123 m/s wind", "Blade volume 123.4 cm3",
                                          "Blade weight 0.1 kg", "Force on blade root 12.5 N"};
  showResultLines(first, 600);
  showResultLines(second, 600);
  for (std::size_t i = 0; i < second.size(); ++i) {
    const int top = 420 + 18 * static_cast<int>(i);
    const int n = static_cast<int>(second[i].size());
    EXPECT_EQ(screen.textAt(22, top + 2, n, 0), second[i]) << "line " << i;
    // From the new box's right edge to the panel's end, only the panel's background.
    const int beyond = 18 + 8 * n + 8 + 1;
    EXPECT_EQ(screen.countPixels(beyond, top, 338, top + 17, 0xD4D0C8), (339 - beyond) * 18) << "line " << i;
  }
}

TEST_F(ResultsPanelTest, ALineLongerThanThePanelStopsShortOfThePreviewsFrame) {
  placeCanvas(560);
  const std::string longLine(60, '8');
  showResultLines({longLine, "b", "c", "d"}, 600);
  EXPECT_EQ(screen.textAt(22, 422, 39, 0), longLine.substr(0, 39));
  // Between the panel's edge at x 338 and the frame at x 350, the form's grey; the frame and the
  // canvas untouched.
  EXPECT_EQ(screen.countPixels(339, 400, 349, 500, 0xD4D0C8), 11 * 101);
  EXPECT_EQ(screen.countPixels(350, 20, 350, 580, 0x000000), 561);
  EXPECT_EQ(screen.countPixels(351, 21, 779, 579, 0xFFFFFF), 429 * 559);
}

TEST_F(ResultsPanelTest, ResultLinesAfterAProblemLeaveNoWordOfItBesideThem) {
  showRunProblem("Number of blades must be 1 or more, and the hub radius must be less than the rotor's", 600);
  showResultLines({"Rotor speed 955 RPM at 10 m/s wind", "b", "c", "d"}, 600);
  EXPECT_EQ(screen.countPixels(18 + 8 * 34 + 9, 420, 338, 437, 0x000000), 0);
  EXPECT_EQ(screen.countPixels(18 + 17, 438, 338, 491, 0x000000), 0);
}

struct WrapCase {
  const char* message;
  std::array<std::string, 4> lines;
};

class WrapTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapTest, BreaksAtBlanksWithinTheWidth) {
  EXPECT_EQ(wrapIntoResultLines(GetParam().message, 10), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, WrapTest,
    ::testing::Values(WrapCase{"short", {"short", "", "", ""}}, WrapCase{"", {"", "", "", ""}},
                      WrapCase{"exactly 10", {"exactly 10", "", "", ""}},
                      WrapCase{"two words and more", {"two words", "and more", "", ""}},
                      WrapCase{"averyveryverylongword x", {"averyveryv", "erylongwor", "d x", ""}},
                      WrapCase{"a b c d e f g h i j k l m n o p q r s t u v w x y z",
                               {"a b c d e", "f g h i j", "k l m n o", "p q r s t"}}));

}  // namespace
}  // namespace zephyrion
