#include "app/main_form.h"

#include <array>

#include "app/calculation.h"
#include "app/event_loop.h"
#include "app/form_records.h"
#include "app/screen_selection.h"
#include "gfx/input.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

// Captions are padded with blanks to 31 characters, so that with each caption drawn left of its
// box every caption starts at x = 20 and every box ends at x = 330.
constexpr std::array<FormFieldLayout, kFormFieldCount> kFormTable = {{
    {"NACA profile         [4 digit] ", 280, 20, 50, 0, false},
    {"Lift coefficient               ", 280, -21, 50, 0, true},
    {"Radius of rotor           [mm] ", 280, -21, 50, 0, true},
    {"Number of blades               ", 280, -21, 50, 0, true},
    {"Tip speed ratio                ", 280, -21, 50, 0, false},
    {"Blade tip chamfer         [mm] ", 280, -21, 50, 0, true},
    {"Angle of attack (alpha)        ", 280, -21, 50, 0, true},
    {"Chord limit in Z (Height) [mm] ", 280, -21, 50, 0, true},
    {"Chord limit in X (Width)  [mm] ", 280, -21, 50, 0, true},
    {"Density of blade       [kg/m3] ", 280, -21, 50, 0, true},
    {"Max operating wind speed [m/s] ", 280, -21, 50, 0, true},
    {"Hub radius                [mm] ", 280, -21, 50, 0, true},
    {"Hub to blade chamfer      [mm] ", 280, -21, 50, 0, true},
    {"STL precision [Chord divisions]", 280, -21, 50, 0, true},
    {"Output name ", 128, -25, 202, 1, true},
}};

constexpr bool captionsEndAtTheBoxes() {
  for (const FormFieldLayout& row : kFormTable) {
    if (row.x - 8 * (static_cast<std::int32_t>(row.caption.size()) + 2) + 4 != 20) return false;
    if (row.x + row.width != 330) return false;
  }
  return true;
}
static_assert(captionsEndAtTheBoxes(), "every caption starts at x 20 and every box ends at x 330");

constexpr std::int32_t kCaptionLeftOfBox = 1;
constexpr std::int32_t kKeep = -1;
constexpr std::int32_t kWhite = 0xFFFFFF;

void layOutFields() {
  const FormTexts& defaults = defaultFormTexts();
  for (std::size_t i = 0; i < kFormTable.size(); ++i) {
    const FormFieldLayout& row = kFormTable[i];
    editSet(formFields[i], row.caption, defaults[i], row.x, row.yRule, row.width, kCaptionLeftOfBox, kKeep,
            kKeep);
  }
  for (std::size_t i = 0; i < kFormTable.size(); ++i)
    formFields[i].textMode = kFormTable[i].textMode;
}

void layOutPreview() {
  canvasSet(formCanvas, 20, 350, screenHeight - 40, screenWidth - 370, kKeep, kWhite, kKeep);
}

void lockFields() {
  for (std::size_t i = 0; i < kFormTable.size(); ++i) {
    if (!kFormTable[i].enabled) formFields[i].enabled = 0;
  }
}

}  // namespace

const FormFieldLayout& formFieldLayout(FormField field) {
  return kFormTable[field];
}

void exitAction(xButton& /*button*/) {
  endProgram(0);
}

void startRoutine() {
  if (!selectScreenMode(800, 600)) {
    printText(0, "Can't set graphic mode", kNewlineFlag);
    sleepMs(-1);
    endProgram(0);
  }
  layOutFields();
  layOutPreview();
  {
    // The buttons live until the loop ends; built in this order, Exit heads the chain.
    xButton calculateButton;
    buttonSet(calculateButton, "Calculate", 10, screenHeight - 90, 330);
    xButton exitButton;
    buttonSet(exitButton, "Exit", 10, screenHeight - 50, 330);
    lockFields();
    exitButton.onClick = exitAction;
    calculateButton.onClick = runCalculation;
    eventLoop();
  }
  endProgram(0);
}

}  // namespace zephyrion
