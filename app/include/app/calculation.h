// The Calculate button's action.
#pragma once

#include "widgets/button.h"

namespace zephyrion {

// One design from the form's fields: clears the preview, writes the three files, plots the
// blade's outline and shows the four result lines. A name whose table file cannot be created
// puts "Bad file name" into the output-name field; a design out of range or a file that cannot be
// written shows why in the results panel; both beep.
void runCalculation(xButton& button);

}  // namespace zephyrion
