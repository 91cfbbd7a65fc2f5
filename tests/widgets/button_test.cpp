// Buttons: the bevelled frame, the centred caption, what counts as a click, and when the action
// runs relative to the rest of the chain.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/input.h"
#include "widget_screen.h"
#include "widgets/button.h"
#include "widgets/edit.h"

namespace zephyrion::testing_support {
namespace {

class ButtonTest : public WidgetTest {
 protected:
  // The main form's Calculate button, placed at (100, 200).
  void placeCalculate(xButton& button) { buttonSet(button, "Calculate", 100, 200, 330); }
};

struct RingPixel {
  int x;  // in the button's view
  int y;
  std::int32_t colour;
};

TEST_F(ButtonTest, TheFrameIsWhiteOutsideGreyTopLeftAndDarkeningInwardsRightAndBottom) {
  xButton button;
  placeCalculate(button);
  const std::vector<RingPixel> rings = {// across the middle row, left to right
                                        {0, 15, kWhite},
                                        {1, 15, 0x808080},
                                        {2, 15, kFormGrey},
                                        {326, 15, kFormGrey},
                                        {327, 15, 0x202020},
                                        {328, 15, 0x404040},
                                        {329, 15, 0x808080},
                                        {330, 15, kWhite},
                                        // down a column clear of the caption, top to bottom
                                        {50, 0, kWhite},
                                        {50, 1, 0x808080},
                                        {50, 2, kFormGrey},
                                        {50, 26, kFormGrey},
                                        {50, 27, 0x202020},
                                        {50, 28, 0x404040},
                                        {50, 29, 0x808080},
                                        {50, 30, kWhite},
                                        // the corners of the inner rings: the lighter ring drawn last wins
                                        {1, 1, 0x808080},
                                        {329, 1, 0x808080},
                                        {1, 29, 0x808080},
                                        {327, 27, 0x202020},
                                        {0, 30, kWhite}};
  for (const RingPixel& ring : rings) {
    EXPECT_EQ(screen.pixel(100 + ring.x, 200 + ring.y), ring.colour) << "at " << ring.x << ", " << ring.y;
  }
}

TEST_F(ButtonTest, DrawsNothingOutsideItsRectangle) {
  xButton button;
  placeCalculate(button);
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, kBackdrop), 800 * 600 - 331 * 31);
}

TEST_F(ButtonTest, TheMainFormCaptionsAreCentredAtTheirKnownPlaces) {
  struct Case {
    const char* caption;
    int textX;
  };
  for (const Case& c : {Case{"Calculate", 129}, Case{"Exit", 149}}) {
    xButton button;
    buttonSet(button, c.caption, 100, 200, 330);
    const auto length = static_cast<int>(std::string(c.caption).size());
    EXPECT_EQ(screen.textAt(100 + c.textX, 207, length, kBlack), c.caption);
    EXPECT_NE(screen.textAt(100 + c.textX + 1, 207, length, kBlack), c.caption);
    EXPECT_NE(screen.textAt(100 + c.textX, 208, length, kBlack), c.caption);
  }
}

TEST_F(ButtonTest, WidthZeroFitsTheCaptionAndNegativeValuesKeepTheOldOnes) {
  xButton button;
  lastWidgetY = 77;
  buttonSet(button, "Go", 10, 20, 0);
  EXPECT_EQ(button.width, 8 * 2 + 8);
  buttonSet(button, "Again", -1, -5, -1);
  EXPECT_EQ(button.x, 10);
  EXPECT_EQ(button.y, 20);
  EXPECT_EQ(button.width, 24);
  EXPECT_EQ(button.height, 30);
  EXPECT_EQ(button.caption, "Again");
  EXPECT_EQ(lastWidgetY, 77);
}

struct PressCase {
  const char* what;
  std::int32_t x;
  std::int32_t y;
  std::int32_t word;
  bool clicks;
};

TEST_F(ButtonTest, OnlyALeftPressJustNowStrictlyInsideClicks) {
  // The button covers (100, 200)-(430, 230).
  const std::vector<PressCase> cases = {
      {"centre", 265, 215, kLeftPressed, true},
      {"first inner pixel", 101, 201, kLeftPressed, true},
      {"last inner pixel", 429, 229, kLeftPressed, true},
      {"left edge", 100, 215, kLeftPressed, false},
      {"right edge", 430, 215, kLeftPressed, false},
      {"top edge", 265, 200, kLeftPressed, false},
      {"bottom edge", 265, 230, kLeftPressed, false},
      {"outside", 500, 215, kLeftPressed, false},
      {"left pressed while the right is held", 265, 215, 19, false},
      {"moved onto it with the left held", 265, 215, kLeftHeld, false},
      {"released over it", 265, 215, kLeftReleased, false},
      {"right pressed", 265, 215, 2 + 32, false},
  };
  for (const PressCase& c : cases) {
    xButton button;
    placeCalculate(button);
    int clicks = 0;
    button.onClick = [&](xButton&) { ++clicks; };
    mouse(c.x, c.y, c.word);
    EXPECT_EQ(clicks, c.clicks ? 1 : 0) << c.what;
  }
}

TEST_F(ButtonTest, KeysAndTicksNeverClick) {
  xButton button;
  placeCalculate(button);
  int clicks = 0;
  button.onClick = [&](xButton&) { ++clicks; };
  dispatchEvent(EVENT_KEY, widgetChainHead, 265, 215, 0, kLeftPressed);
  dispatchEvent(EVENT_TICK, widgetChainHead, 265, 215, 0, kLeftPressed);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonTest, ADisabledButtonDoesNotClick) {
  xButton button;
  placeCalculate(button);
  button.enabled = 0;
  int clicks = 0;
  button.onClick = [&](xButton&) { ++clicks; };
  press(265, 215);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonTest, TheActionGetsItsButtonAndRunsBeforeLaterRecordsSeeTheClick) {
  xEdit field;  // older, so after the button on the chain
  editSet(field, "", "500", 500, 300, 50, 0, -1, -1);
  xButton button;
  placeCalculate(button);
  press(510, 305);
  ASSERT_EQ(field.focused, 1);

  xButton* clicked = nullptr;
  int focusSeenByAction = -1;
  button.onClick = [&](xButton& b) {
    clicked = &b;
    focusSeenByAction = field.focused;
  };
  press(265, 215);
  EXPECT_EQ(clicked, &button);
  EXPECT_EQ(focusSeenByAction, 1);
  EXPECT_EQ(field.focused, 0);
}

TEST_F(ButtonTest, AfterTheActionTheButtonIsDrawnAgain) {
  xButton button;
  placeCalculate(button);
  button.onClick = [](xButton&) {
    gfxSetView(0, 0, 799, 599, 0xFF0000, 0, kViewNoBorder);  // the action paints over everything
  };
  press(265, 215);
  EXPECT_EQ(screen.pixel(100, 200), kWhite);
  EXPECT_EQ(screen.pixel(265, 202), kFormGrey);
  EXPECT_EQ(screen.textAt(229, 207, 9, kBlack), "Calculate");
  EXPECT_EQ(screen.pixel(99, 200), 0xFF0000);
}

TEST_F(ButtonTest, AButtonWithoutAnActionOnlyRedrawsAndPassesTheClickOn) {
  xEdit field;
  editSet(field, "", "1", 500, 300, 50, 0, -1, -1);
  press(510, 305);
  xButton button;
  placeCalculate(button);
  markPixel(265, 202);
  press(265, 215);
  EXPECT_FALSE(isMarked(265, 202));
  EXPECT_EQ(field.focused, 0);
}

TEST_F(ButtonTest, AnActionThatEndsTheProgramNeverReturns) {
  xEdit field;
  editSet(field, "", "1", 500, 300, 50, 0, -1, -1);
  press(510, 305);
  xButton button;
  placeCalculate(button);
  bool returned = false;
  button.onClick = [&](xButton&) {
    endProgram(0);
    returned = true;
  };
  EXPECT_THROW(press(265, 215), ProgramEnded);
  EXPECT_FALSE(returned);
  EXPECT_EQ(field.focused, 1) << "the click went on after the end";
}

TEST_F(ButtonTest, AClickLeavesTheButtonsRectangleAsTheView) {
  xButton button;
  placeCalculate(button);
  gfxSetView(0, 0, 799, 599, 0, 0, kViewNoFillNoBorder);
  press(265, 215);
  gfxSetPixel(3, 4, 0x00FF00, kSinglePoint);
  EXPECT_EQ(screen.pixel(103, 204), 0x00FF00);
}

TEST_F(ButtonTest, AnActionMayRebindItsOwnButton) {
  xButton button;
  placeCalculate(button);
  int second = 0;
  button.onClick = [&](xButton& b) { b.onClick = [&](xButton&) { ++second; }; };
  press(265, 215);
  EXPECT_EQ(second, 0);
  press(265, 215);
  EXPECT_EQ(second, 1);
}

}  // namespace
}  // namespace zephyrion::testing_support
