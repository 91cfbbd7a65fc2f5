// Edit fields: the box, text and caption they draw; focus, caret and selection from the mouse;
// the caret blink; and every editing key.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "widget_screen.h"
#include "widgets/edit.h"

namespace zephyrion::testing_support {
namespace {

constexpr std::int32_t kUnfocusedBox = 0xEEEEEE;
constexpr std::int32_t kSelection = 0x8888FF;
constexpr std::int32_t kCaret = 0x000007;

class EditTest : public WidgetTest {
 protected:
  // The main form's "Radius of rotor" field, with a shorter caption.
  void placeRadius(xEdit& field) { editSet(field, "Radius", "500", 280, 62, 50, 1, -1, -1); }
  // A wider field at (100, 100), no caption.
  void placeWide(xEdit& field, std::string_view text) { editSet(field, "", text, 100, 100, 80, 0, -1, -1); }

  static void pressColumn(const xEdit& field, int column) { press(field.x + 8 * column + 1, field.y + 5); }
  static void dragToColumn(const xEdit& field, int column) {
    mouse(field.x + 8 * column + 1, field.y + 5, kLeftHeld);
  }
  static void focus(const xEdit& field) { press(field.x + 1, field.y + 1); }
  // Focuses the field and selects from caret column `caret` back or on to column `anchor`.
  static void select(const xEdit& field, int caret, int anchor) {
    focus(field);
    pressColumn(field, caret);
    dragToColumn(field, anchor);
  }
  int caretPixels() const { return screen.countPixels(0, 0, 799, 599, kCaret); }
};

// --- drawing -------------------------------------------------------------------------------

TEST_F(EditTest, TheFirstDrawPutsCaretAndAnchorAfterTheText) {
  xEdit field;
  EXPECT_EQ(field.caretCol, -1);
  placeRadius(field);
  EXPECT_EQ(field.caretCol, 3);
  EXPECT_EQ(field.anchorCol, 3);
}

TEST_F(EditTest, AnUnfocusedBoxIsLightGreyInABlackBorderWithTheTextAtFourTwo) {
  xEdit field;
  placeRadius(field);
  const int box = 51 * 18;
  EXPECT_EQ(
      screen.countPixels(280, 62, 330, 79, kUnfocusedBox) + screen.countPixels(280, 62, 330, 79, kBlack),
      box);
  EXPECT_EQ(screen.countPixels(279, 61, 331, 80, kBlack) - screen.countPixels(280, 62, 330, 79, kBlack),
            53 * 20 - box);
  EXPECT_EQ(screen.textAt(284, 64, 3, kBlack), "500");
}

TEST_F(EditTest, CaptionModeOneDrawsTheCaptionOnGreyEndingThirteenPixelsBeforeTheBox) {
  xEdit field;
  placeRadius(field);
  // Six characters: the caption area runs from 280 - 8 * 8 = 216 to 272.
  EXPECT_EQ(screen.textAt(220, 64, 6, kBlack), "Radius");
  EXPECT_EQ(screen.countPixels(216, 62, 272, 79, kFormGrey) + screen.countPixels(216, 62, 272, 79, kBlack),
            57 * 18);
  EXPECT_EQ(screen.countPixels(268, 62, 278, 79, kBlack), 0);
  EXPECT_EQ(screen.pixel(215, 70), kBackdrop);
  EXPECT_EQ(screen.pixel(273, 70), kBackdrop);
}

TEST_F(EditTest, CaptionModeThreeDrawsItRightOfTheBoxAndOtherModesNone) {
  xEdit right;
  editSet(right, "Unit", "1", 100, 100, 50, 3, -1, 0x00FF00);
  EXPECT_EQ(screen.textAt(100 + 50 + 12, 102, 4, kBlack), "Unit");
  EXPECT_EQ(screen.pixel(158, 110), 0x00FF00);
  EXPECT_EQ(screen.pixel(157, 110), kBackdrop);

  xEdit none;
  editSet(none, "Unit", "1", 100, 200, 50, 2, -1, 0x00FF00);
  EXPECT_EQ(screen.countPixels(0, 200, 98, 217, kBackdrop), 99 * 18);
  EXPECT_EQ(screen.countPixels(152, 200, 799, 217, kBackdrop), 648 * 18);
}

TEST_F(EditTest, MinusOneAndNilKeepTheOldValuesAndYFollowsTheYRule) {
  xEdit first;
  editSet(first, "A", "1", 280, 20, 50, 1, 0x000080, 0x00FF00);
  xEdit field;
  editSet(field, "Caption", "2", 128, -21, 202, 3, 0x800000, 0x0000FF);
  EXPECT_EQ(field.y, 41);
  EXPECT_EQ(lastWidgetY, 41);
  editSet(field, kKeepCaption, "3", -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(field.caption, "Caption");
  EXPECT_EQ(field.text, "3");
  EXPECT_EQ(field.x, 128);
  EXPECT_EQ(field.y, 41);
  EXPECT_EQ(field.width, 202);
  EXPECT_EQ(field.height, 17);
  EXPECT_EQ(field.captionMode, 3);
  EXPECT_EQ(field.textColor, 0x800000);
  EXPECT_EQ(field.backColor, 0x0000FF);
}

TEST_F(EditTest, TextLongerThanTheBoxIsClippedAndTheCaretMayMoveOutOfSight) {
  xEdit field;
  editSet(field, "", "12345678901234", 100, 100, 50, 0, -1, -1);
  EXPECT_EQ(screen.countPixels(152, 99, 799, 118, kBackdrop), 648 * 20);
  focus(field);
  tick(1);
  EXPECT_EQ(field.caretCol, 14);
  EXPECT_EQ(caretPixels(), 0);
  extendedKey(kKeyLeft);
  EXPECT_EQ(field.caretCol, 13);
}

// --- focus and the mouse -------------------------------------------------------------------

TEST_F(EditTest, TheFocusingPressPutsTheCaretAtTheEndAndTheNextAtThePressedColumn) {
  xEdit field;
  placeRadius(field);
  press(290, 70);
  EXPECT_EQ(field.focused, 1);
  EXPECT_EQ(field.caretCol, 3);
  press(280 + 13, 70);
  EXPECT_EQ(field.caretCol, 1);
  EXPECT_EQ(field.anchorCol, 1);
}

TEST_F(EditTest, APressChoosesTheColumnNearestThePointer) {
  struct Case {
    int offset;  // pointer x minus the box's left edge
    std::int32_t column;
  };
  // Character 0 stands at 4..11, character 1 at 12..19 and character 2 at 20..27.
  for (const Case& c :
       {Case{1, 0}, Case{7, 0}, Case{8, 1}, Case{15, 1}, Case{16, 2}, Case{24, 3}, Case{49, 3}}) {
    xEdit field;
    placeRadius(field);
    focus(field);
    press(280 + c.offset, 70);
    EXPECT_EQ(field.caretCol, c.column) << "offset " << c.offset;
  }
}

TEST_F(EditTest, AFocusedBoxIsWhiteAndShowsTheCaretBarOnceTheBlinkTurnsIt) {
  xEdit field;
  placeRadius(field);
  focus(field);
  EXPECT_EQ(screen.pixel(320, 70), kWhite);
  EXPECT_EQ(caretPixels(), 0);
  tick(1);
  // Column 3: the bar stands on view columns 27 and 28, rows 1 to 16.
  EXPECT_EQ(screen.countPixels(307, 63, 308, 78, kCaret), 2 * 16);
  EXPECT_EQ(caretPixels(), 2 * 16);
}

TEST_F(EditTest, EveryLeftPressAnywhereRedrawsEveryFieldAndTakesTheFocusOutside) {
  xEdit first;
  placeWide(first, "1");
  xEdit second;
  editSet(second, "", "2", 100, 200, 80, 0, -1, -1);
  focus(first);
  markPixel(170, 105);
  markPixel(170, 205);
  press(500, 500);
  EXPECT_FALSE(isMarked(170, 105));
  EXPECT_FALSE(isMarked(170, 205));
  EXPECT_EQ(first.focused, 0);
  typeText("9");
  EXPECT_EQ(first.text, "1");
}

TEST_F(EditTest, OnlyOneFieldHoldsTheFocus) {
  xEdit first;
  placeWide(first, "1");
  xEdit second;
  editSet(second, "", "2", 100, 200, 80, 0, -1, -1);
  focus(first);
  focus(second);
  EXPECT_EQ(first.focused, 0);
  EXPECT_EQ(second.focused, 1);
  typeText("7");
  EXPECT_EQ(first.text, "1");
  EXPECT_EQ(second.text, "27");
}

TEST_F(EditTest, ALockedFieldIsNeverFocusedAndKeysLeaveItAlone) {
  xEdit field;
  placeRadius(field);
  field.enabled = 0;
  focus(field);
  pressColumn(field, 1);
  EXPECT_EQ(field.focused, 0);
  typeText("9");
  extendedKey(kKeyDelete);
  EXPECT_EQ(field.text, "500");
  tick(1);
  EXPECT_EQ(caretPixels(), 0);
}

TEST_F(EditTest, ADragInsideTheFocusedFieldMovesTheAnchorAndShowsTheSelection) {
  xEdit field;
  placeWide(field, "12345");
  focus(field);
  dragToColumn(field, 1);
  EXPECT_EQ(field.caretCol, 5);
  EXPECT_EQ(field.anchorCol, 1);
  // From view x 12 (column 1) to 44 (column 5), the full height; text drawn over it.
  EXPECT_EQ(screen.pixel(112, 101), kSelection);
  EXPECT_EQ(screen.pixel(144, 116), kSelection);
  EXPECT_EQ(screen.pixel(111, 101), kWhite);
  EXPECT_EQ(screen.pixel(145, 101), kWhite);
  EXPECT_EQ(screen.textAt(104, 102, 5, kBlack), "12345");
}

TEST_F(EditTest, DragsOutsideTheFieldOrWithoutFocusChangeNothing) {
  xEdit field;
  placeWide(field, "12345");
  dragToColumn(field, 1);
  EXPECT_EQ(field.anchorCol, 5);
  focus(field);
  mouse(300, 105, kLeftHeld);
  mouse(100, 105, kLeftHeld);
  EXPECT_EQ(field.anchorCol, 5);
}

// --- the blink -----------------------------------------------------------------------------

TEST_F(EditTest, TheBlinkRedrawsOnlyWhenTheCaretShowsOrHides) {
  xEdit field;
  placeRadius(field);
  focus(field);
  struct Step {
    std::int32_t ms;
    std::int32_t counter;
    bool redraws;
    bool caretShown;
  };
  const std::vector<Step> steps = {
      {1, 1, true, true},     {300, 301, false, true},   {99, 400, false, true},
      {1, -400, true, false}, {399, -1, false, false},   {1, 0, false, false},
      {1, 1, true, true},     {2000, -400, true, false}, {0, -400, false, false},
  };
  for (const Step& step : steps) {
    markPixel(320, 70);
    tick(step.ms);
    EXPECT_EQ(field.blinkMs, step.counter) << "after " << step.ms << " ms";
    EXPECT_EQ(!isMarked(320, 70), step.redraws) << "after " << step.ms << " ms";
    EXPECT_EQ(screen.pixel(308, 70) == kCaret, step.caretShown) << "after " << step.ms << " ms";
  }
}

TEST_F(EditTest, AnUnfocusedFieldIgnoresTicksAndTheCounterSurvivesAFocusChange) {
  xEdit field;
  placeRadius(field);
  tick(100);
  EXPECT_EQ(field.blinkMs, 0);
  focus(field);
  tick(100);
  press(600, 500);
  tick(100);
  EXPECT_EQ(field.blinkMs, 100);
  focus(field);
  EXPECT_EQ(field.blinkMs, 100);
}

// --- keys ----------------------------------------------------------------------------------

TEST_F(EditTest, LeftAndRightStopAtTheEndsOfTheText) {
  xEdit field;
  placeRadius(field);
  focus(field);
  extendedKey(kKeyRight);
  EXPECT_EQ(field.caretCol, 3);
  for (int i = 0; i < 4; ++i)
    extendedKey(kKeyLeft);
  EXPECT_EQ(field.caretCol, 0);
  extendedKey(kKeyRight);
  EXPECT_EQ(field.caretCol, 1);
  EXPECT_EQ(field.text, "500");
}

TEST_F(EditTest, DeleteAtTheEndWithoutASelectionLeavesTheText) {
  xEdit field;
  placeRadius(field);
  focus(field);
  extendedKey(kKeyDelete);
  EXPECT_EQ(field.text, "500");
  extendedKey(kKeyLeft);
  extendedKey(kKeyLeft);
  extendedKey(kKeyDelete);
  EXPECT_EQ(field.text, "50");
  EXPECT_EQ(field.caretCol, 1);
}

struct SelectionCase {
  const char* what;
  int caret;
  int anchor;
  bool typeNine;  // else Delete
  const char* text;
  std::int32_t caretAfter;
};

TEST_F(EditTest, ASelectionIsRemovedByDeleteAndReplacedByATypedCharacter) {
  const std::vector<SelectionCase> cases = {
      {"dragged leftwards, Delete", 4, 1, false, "15", 2},
      {"dragged leftwards, 9", 4, 1, true, "195", 2},
      {"dragged rightwards, Delete", 1, 4, false, "15", 1},
      {"dragged rightwards, 9", 1, 4, true, "195", 2},
  };
  for (const SelectionCase& c : cases) {
    xEdit field;
    placeWide(field, "12345");
    select(field, c.caret, c.anchor);
    ASSERT_EQ(field.caretCol, c.caret) << c.what;
    ASSERT_EQ(field.anchorCol, c.anchor) << c.what;
    if (c.typeNine) {
      key('9');
    } else {
      extendedKey(kKeyDelete);
    }
    EXPECT_EQ(field.text, c.text) << c.what;
    EXPECT_EQ(field.caretCol, c.caretAfter) << c.what;
    EXPECT_EQ(field.anchorCol, c.caretAfter) << c.what;
  }
}

TEST_F(EditTest, BackspaceIgnoresTheSelectionAndEveryKeyEndsIt) {
  xEdit field;
  placeWide(field, "12345");
  select(field, 4, 1);
  key(8);
  EXPECT_EQ(field.text, "1235");
  EXPECT_EQ(field.caretCol, 3);
  EXPECT_EQ(field.anchorCol, 3);
  select(field, 4, 1);
  extendedKey(kKeyRight);
  EXPECT_EQ(field.caretCol, 4);
  EXPECT_EQ(field.anchorCol, 4);
}

TEST_F(EditTest, BackspaceAtColumnZeroChangesNothingButRedraws) {
  xEdit field;
  placeRadius(field);
  focus(field);
  for (int i = 0; i < 3; ++i)
    extendedKey(kKeyLeft);
  markPixel(320, 70);
  key(8);
  EXPECT_EQ(field.text, "500");
  EXPECT_EQ(field.caretCol, 0);
  EXPECT_FALSE(isMarked(320, 70));
}

TEST_F(EditTest, TextModeZeroTakesOnlyDigitsAndThePoint) {
  xEdit field;
  placeWide(field, "");
  focus(field);
  typeText("1a.- 2B.3+e");
  EXPECT_EQ(field.text, "1.2.3");
  EXPECT_EQ(screen.textAt(104, 102, 5, kBlack), "1.2.3");
}

TEST_F(EditTest, TextModeOneTakesEveryPrintableCharacterAndNoOther) {
  xEdit field;
  placeWide(field, "d");
  field.textMode = 1;
  focus(field);
  typeText(":\\x ~");
  for (int code : {9, 31, 127, 200, 255})
    key(code);
  EXPECT_EQ(field.text, "d:\\x ~");
}

TEST_F(EditTest, ExtendedKeysTypeNothing) {
  xEdit field;
  placeWide(field, "1");
  field.textMode = 1;
  focus(field);
  for (int code : {kKeyUp, kKeyDown, kKeyHome, kKeyEnd, kKeyInsert, int{'5'}})
    extendedKey(code);
  EXPECT_EQ(field.text, "1");
}

TEST_F(EditTest, EnterTakesTheFocusAndTheBoxTurnsLightGreyWithoutTheCaret) {
  xEdit field;
  placeRadius(field);
  focus(field);
  tick(1);
  ASSERT_GT(caretPixels(), 0);
  key(13);
  EXPECT_EQ(field.focused, 0);
  EXPECT_EQ(screen.pixel(320, 70), kUnfocusedBox);
  EXPECT_EQ(screen.countPixels(280, 62, 330, 79, kWhite), 0);
  EXPECT_EQ(caretPixels(), 0);
  typeText("7");
  EXPECT_EQ(field.text, "500");
}

TEST_F(EditTest, ARedrawByTheHandlerSetsCaptionModeOne) {
  xEdit field;
  editSet(field, "Unit", "1", 300, 100, 50, 3, -1, -1);
  focus(field);
  EXPECT_EQ(field.captionMode, 1);
  EXPECT_EQ(screen.textAt(300 - 44, 102, 4, kBlack), "Unit");
}

TEST_F(EditTest, ARedrawLeavesTheCaptionAreaAsTheView) {
  xEdit field;
  placeRadius(field);
  gfxSetView(0, 0, 799, 599, 0, 0, kViewNoFillNoBorder);
  focus(field);
  gfxSetPixel(0, 0, 0x00FF00, kSinglePoint);
  EXPECT_EQ(screen.pixel(216, 62), 0x00FF00);
}

// --- a text replaced while the caret stood further right -----------------------------------

TEST_F(EditTest, AShorterTextFromEditSetBringsTheCaretToItsEnd) {
  xEdit field;
  placeWide(field, "123456");
  focus(field);
  editSet(field, kKeepCaption, "ab", -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(field.caretCol, 2);
  EXPECT_EQ(field.anchorCol, 2);
  key(8);
  EXPECT_EQ(field.text, "a");
}

TEST_F(EditTest, KeysStayOnTheTextWhenItWasReplacedDirectly) {
  xEdit field;
  placeWide(field, "123456");
  select(field, 6, 2);
  field.text = "9";
  key(8);
  EXPECT_EQ(field.text, "");
  field.text = "12";
  field.caretCol = 7;
  field.anchorCol = -3;
  key('5');
  EXPECT_EQ(field.text, "5");
  EXPECT_EQ(field.caretCol, 1);
}

}  // namespace
}  // namespace zephyrion::testing_support
