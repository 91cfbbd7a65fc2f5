// Labels: the width rule, the y rule, drawing in the screen's foreground, and that a redraw
// covers only the label's new rectangle.
#include <gtest/gtest.h>

#include "widget_screen.h"
#include "widgets/label.h"

namespace zephyrion::testing_support {
namespace {

using LabelTest = WidgetTest;

TEST_F(LabelTest, WidthZeroLeavesFourPixelsBeforeTheTextAndFiveAfterIt) {
  xLabel label;
  labelSet(label, "Volume", 10, 420, 0);
  EXPECT_EQ(label.width, 8 * 6 + 8);
  EXPECT_EQ(screen.countPixels(10, 420, 66, 437, kBackdrop), 0);
  EXPECT_EQ(screen.countPixels(9, 419, 67, 438, kBackdrop), 59 * 20 - 57 * 18);
  EXPECT_EQ(screen.textAt(14, 422, 6, kBlack), "Volume");
  EXPECT_EQ(screen.countPixels(10, 420, 13, 437, kBlack), 0);
  EXPECT_EQ(screen.countPixels(62, 420, 66, 437, kBlack), 0);
}

TEST_F(LabelTest, ItWritesInTheScreensForegroundColour) {
  gfxSetColors(0x00AA00, 0, kKeepBackground);
  xLabel label;
  labelSet(label, "Weight", 10, 100, 0);
  EXPECT_EQ(screen.textAt(14, 102, 6, 0x00AA00), "Weight");
  EXPECT_EQ(screen.countPixels(10, 100, 66, 117, kBlack), 0);
}

TEST_F(LabelTest, AShorterTextRedrawsOnlyTheNarrowerRectangle) {
  xLabel label;
  labelSet(label, "Longer text", 10, 420, 0);
  labelSet(label, "Short", -1, -1, 0);
  EXPECT_EQ(label.width, 48);
  EXPECT_EQ(screen.textAt(14, 422, 5, kBlack), "Short");
  // "text" of the old caption stood at characters 7 to 10, right of the new rectangle.
  EXPECT_EQ(screen.textAt(14 + 7 * 8, 422, 4, kBlack), "text");
}

TEST_F(LabelTest, ANegativeYBelowMinusOnePlacesItBelowTheLastPlacedWidget) {
  xLabel first;
  labelSet(first, "Rotor speed", 10, 420, 0);
  xLabel second;
  labelSet(second, "Volume", 10, -18, 0);
  EXPECT_EQ(second.y, 438);
  EXPECT_EQ(lastWidgetY, 438);
  labelSet(second, "Volume", -1, -1, -1);
  EXPECT_EQ(second.y, 438);
  EXPECT_EQ(second.x, 10);
  EXPECT_EQ(second.width, 56);
  EXPECT_EQ(lastWidgetY, 438);
}

TEST_F(LabelTest, APositiveWidthIsTakenAsGivenAndTheTextClippedAtTheRightEdge) {
  xLabel label;
  labelSet(label, "ABCDEFGHIJ", 10, 50, 20);
  EXPECT_EQ(label.width, 20);
  EXPECT_EQ(screen.countPixels(31, 50, 120, 67, kBackdrop), 90 * 18);
  EXPECT_EQ(screen.textAt(14, 52, 2, kBlack), "AB");
}

TEST_F(LabelTest, ALabelIsNeverChained) {
  xLabel label;
  EXPECT_FALSE(widgetChainHead);
  labelSet(label, "x", 0, 0, 0);
  EXPECT_FALSE(widgetChainHead);
}

}  // namespace
}  // namespace zephyrion::testing_support
