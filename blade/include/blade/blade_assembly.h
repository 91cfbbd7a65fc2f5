// The blade solid: sections placed at their twist, the tip chamfer, the hub block and its blend
// into the blade, and the span axis.
#pragma once

#include <cstdint>
#include <vector>

#include "blade/blade_grid.h"
#include "blade/design_parameters.h"

namespace zephyrion {

// The hub wedge of one blade: its half width q at the hub circle and its last row Q.
struct HubWedge {
  std::int32_t halfWidth = 0;  // q
  std::int32_t endRow = 0;     // Q (hubWedgeEnd)
};
HubWedge computeHubWedge(std::int32_t hubRadius, std::int32_t bladeCount);

struct BladeGeometry {
  explicit BladeGeometry(const DesignParameters& parameters);

  BladeGrid grid;
  std::vector<double> stationTwist;  // degrees, index = radius in mm (index 0 stays 0)
  std::vector<double> stationChord;  // mm, same indexing
  std::int32_t tipScaleCentre = 0;
  double hubMinY = 0;
  double hubMaxY = 0;
  std::int32_t axisOffset = 0;
  HubWedge hubWedge;
};

// Turns the upper and lower points of cell (row, division) about the origin by angle degrees,
// counter-clockwise, through polar coordinates.
void rotateSectionPoints(BladeGrid& grid, std::int32_t row, std::int32_t division, double angleDegrees);

// The value at x of the polynomial through the `count` points (xs[i], ys[i]).
double lagrangeInterpolate(const double* xs, const double* ys, double x, int count);

// Computes the station at radius r (a whole number from 1 to R), stores its twist and chord, and
// stores its section points in row r, turned by the twist: the station loop's work for one row.
void placeStation(const DesignParameters& parameters, double radius, BladeGeometry& geometry);

// Runs the stations from the tip to the root and every reshaping stage, leaving the grid final.
// The parameters must lie in the engine's ranges.
BladeGeometry buildBlade(const DesignParameters& parameters);

}  // namespace zephyrion
