#include "app/main_form.h"

#include <array>

#include "app/calculation.h"
#include "app/event_loop.h"
#include "app/form_records.h"
#include "app/screen_selection.h"
#include "blade/form_fields.h"
#include "gfx/input.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

// Where each field's box stands; its caption, drawn left of the box, is padded in the field table
// so that every caption starts at x = 20 and every box ends at x = 330.
constexpr std::array<FormFieldLayout, kFormFieldCount> kFormTable = {{
    {280, 20, 50, false},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, false},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {280, -21, 50, true},
    {128, -25, 202, true},
}};

constexpr std::int32_t kCaptionLeftOfBox = 1;
constexpr std::int32_t kKeep = -1;
constexpr std::int32_t kWhite = 0xFFFFFF;

void layOutFields() {
  for (const FormFieldEntry& entry : formFieldEntries()) {
    const FormFieldLayout& row = kFormTable[entry.field];
    editSet(formFields[entry.field], entry.caption, entry.defaultText, row.x, row.yRule, row.width,
            kCaptionLeftOfBox, kKeep, kKeep);
  }
  for (const FormFieldEntry& entry : formFieldEntries())
    formFields[entry.field].textMode = entry.anyText ? kAnyPrintableText : kDigitsAndPoint;
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
