// Section areas and the blade's totals: volume, weight and the centrifugal force carried at
// each radius.
#pragma once

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"

namespace zephyrion {

// Area of the plane quadrilateral P1..P4, as two unsigned triangles split along P2-P4.
double quadArea(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);

// Area of the final section of `row` (mm^2), summed over the quads of divisions 2..N.
double sectionArea(const BladeGrid& grid, std::int32_t row);

// One line of the report table.
struct TableRow {
  double radius = 0;         // mm
  double chord = 0;          // mm, the station's limited chord
  double twist = 0;          // degrees, the station's twist
  double sectionArea = 0;    // mm^2
  double forceAtRadius = 0;  // N, everything outboard of this radius included
  double loadStress = 0;     // forceAtRadius / sectionArea x 1000 (0 where the area is 0)
};

// Running sums over the rows, from the tip inwards.
class BladeTotals {
 public:
  // Adds row e (R, R - 1, ..., 2 in turn) and returns its table line.
  TableRow addRow(const BladeGeometry& geometry, const DesignParameters& parameters, double e);

  double bladeVolume() const { return bladeVolume_; }      // mm^3
  double forceAtRadius() const { return forceAtRadius_; }  // N
  double volumeCm3() const { return bladeVolume_ / 1000.0; }
  double weightKg(const DesignParameters& parameters) const {
    return bladeVolume_ * parameters.densityKgPerMm3;
  }

 private:
  double bladeVolume_ = 0;
  double forceAtRadius_ = 0;
};

}  // namespace zephyrion
