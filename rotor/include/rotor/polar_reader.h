// Reads a polar in the text form that panel-method airfoil tools save:
//
//   (any header lines: tool, section name, Reynolds and Mach numbers, transition settings)
//    alpha    CL        CD       CDp       CM     Top_Xtr  Bot_Xtr
//   ------ -------- --------- --------- -------- -------- --------
//    -5.000  -0.1089   0.01382   0.00737  -0.0985   0.9236   0.0449
//    ...
//
// The table starts after the first line whose first three words are alpha, CL and CD (in any
// letter case); a line of dashes right after it is skipped. Every following non-blank line is
// one row of at least three numbers (angle in degrees, lift, drag), further columns are read as
// numbers and ignored. Rows may come in any order (two sweeps appended to one file are sorted),
// but no angle may appear twice.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "rotor/airfoil.h"

namespace zephyrion::rotor {

struct PolarReadError {
  int line = 0;  // 1-based; 0 when the fault is in the table as a whole
  std::string message;
};

// The table, its angles increasing; or why the text is not a usable polar. A usable one has at
// least two rows, angles from above -90 to below 90 degrees that reach below and above 0, lift
// from -3 to 3 that changes by no more than 2 per degree between rows, and drag from 0 to 3:
// a table beyond them is no section's, and would let the analysis pass the Betz limit.
std::variant<Polar, PolarReadError> readPolarText(std::string_view text);

// The table in that same form, read back by readPolarText to the digits it holds: the
// `description` lines as the header (each line starts with a blank), the heading, the dashes,
// then the angle to 3 decimals, the lift to 4 and the drag to 5, as the panel-method tools
// write them. Every value finite (asserted).
std::string polarFileText(const Polar& polar, std::string_view description);

}  // namespace zephyrion::rotor
