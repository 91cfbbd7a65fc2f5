// The outline of a row of the finished blade, as the surface runs round it.
#pragma once

#include <cstdint>

#include "blade/blade_grid.h"

namespace zephyrion {

// Whether the outline of `row` — the upper points from division 1 to N, then the lower points
// back from N to 1 — has two edges that cross each other. Edges that only touch, or overlap
// along a line, do not count. Such a row is a section folded over itself, and the solid
// through it overlaps itself.
bool rowFoldsOverItself(const BladeGrid& grid, std::int32_t row);

}  // namespace zephyrion
