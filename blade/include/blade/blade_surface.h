// The blade's closed surface as quadrilaterals, in the order they are written out.
//
// A grid point (x, y) of row r becomes the vertex (x, r, y); the span axis offset is taken off
// x by the writer, not here.
#pragma once

#include <vector>

#include "blade/blade_grid.h"

namespace zephyrion {

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

struct Quad {
  Point3 p1, p2, p3, p4;
};

// The end caps, replacing the contents of `quads`: for h = 2..N the root cap quad at row 1,
// then the tip cap quad at row R.
void endCapQuads(const BladeGrid& grid, std::vector<Quad>& quads);

// The strip joining row e - 1 to row e (e >= 2, a whole number), replacing the contents of
// `quads`: for h = 2..N the upper then the lower surface quad, then the leading-edge strip at
// division 1 and the trailing-edge strip at division N.
void stripQuads(const BladeGrid& grid, double e, std::vector<Quad>& quads);

}  // namespace zephyrion
