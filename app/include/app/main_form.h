// The designer's start: the screen, the main form (fifteen fields, the preview canvas, the
// Calculate and Exit buttons) and the event loop.
#pragma once

#include <cstdint>

#include "blade/design_parameters.h"
#include "widgets/button.h"

namespace zephyrion {

// Where a field's box stands on the form and whether it can be edited; what it is called and
// holds stands in the field table (blade/form_fields.h).
struct FormFieldLayout {
  std::int32_t x;      // left edge of the box
  std::int32_t yRule;  // >= 0 absolute top, below -1 that far below the previous field
  std::int32_t width;
  bool enabled;  // false: locked at its default
};

const FormFieldLayout& formFieldLayout(FormField field);

// Selects and opens the 800 x 600 screen, lays out and draws the form, runs the event loop and
// ends the program with status 0 when the user presses Escape or closes the window.
void startRoutine();

// The Exit button's action: ends the program with status 0.
[[noreturn]] void exitAction(xButton& button);

}  // namespace zephyrion
