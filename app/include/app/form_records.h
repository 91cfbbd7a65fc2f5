// The records of the main form, which live for the whole run of the program: its fifteen edit
// fields and the preview canvas. They are constructed at program initialisation, fields 0 to 14
// and then the canvas, so that the canvas stands in front of the fields on the widget chain.
#pragma once

#include <array>
#include <cstddef>

#include "blade/design_parameters.h"
#include "widgets/canvas.h"
#include "widgets/edit.h"

namespace zephyrion {

extern std::array<xEdit, kFormFieldCount> formFields;
extern xCanvas formCanvas;

}  // namespace zephyrion
