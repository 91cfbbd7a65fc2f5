// The designer's start: the screen, the main form (fifteen fields, the preview canvas, the
// Calculate and Exit buttons) and the event loop.
#pragma once

#include <cstdint>
#include <string_view>

#include "blade/design_parameters.h"
#include "widgets/button.h"

namespace zephyrion {

// One row of the form table: where a field stands and how it is drawn.
struct FormFieldLayout {
  std::string_view caption;  // drawn left of the box
  std::int32_t x;            // left edge of the box
  std::int32_t yRule;        // >= 0 absolute top, below -1 that far below the previous field
  std::int32_t width;
  std::int32_t textMode;  // 0 digits and ".", 1 any printable character
  bool enabled;           // false: locked at its default
};

const FormFieldLayout& formFieldLayout(FormField field);

// Selects and opens the 800 x 600 screen, lays out and draws the form, runs the event loop and
// ends the program with status 0 when the user presses Escape or closes the window.
void startRoutine();

// The Exit button's action: ends the program with status 0.
[[noreturn]] void exitAction(xButton& button);

}  // namespace zephyrion
