#include "blade/blade_totals.h"

#include <cmath>
#include <cstddef>

#include "text/rounding.h"

namespace zephyrion {
namespace {

// (2 pi / 60)^2 / 1000, rounded: turns rpm^2 x mm into the centripetal acceleration in m/s^2.
constexpr double kCentripetalPerRpmSquaredMm = 1.097e-05;

}  // namespace

double quadArea(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4) {
  double a = x1 - x2;
  double b = y1 - y2;
  double c = x3 - x2;
  double d = y3 - y2;
  double f = x4 - x2;
  double g = y4 - y2;
  return std::fabs((g * c - d * f) * 0.5) + std::fabs((g * a - b * f) * 0.5);
}

double sectionArea(const BladeGrid& grid, std::int32_t row) {
  double area = 0.0;
  for (std::int32_t h = 2; h <= grid.chordDivisions; ++h) {
    area +=
        quadArea(grid.lowerX(row, h - 1), grid.lowerY(row, h - 1), grid.lowerX(row, h), grid.lowerY(row, h),
                 grid.upperX(row, h), grid.upperY(row, h), grid.upperX(row, h - 1), grid.upperY(row, h - 1));
  }
  return area;
}

TableRow BladeTotals::addRow(const BladeGeometry& geometry, const DesignParameters& parameters, double e) {
  std::int32_t row = roundToInt32(e);
  double rpm = parameters.rotorSpeedRpm;
  TableRow line;
  line.radius = e;
  line.chord = geometry.stationChord.at(static_cast<std::size_t>(row));
  line.twist = geometry.stationTwist.at(static_cast<std::size_t>(row));
  line.sectionArea = sectionArea(geometry.grid, row);
  bladeVolume_ = line.sectionArea + bladeVolume_;
  forceAtRadius_ =
      parameters.densityKgPerMm3 * e * line.sectionArea * rpm * rpm * kCentripetalPerRpmSquaredMm +
      forceAtRadius_;
  line.forceAtRadius = forceAtRadius_;
  // A section of no area carries no stress worth showing; 0 stands in for the quotient.
  line.loadStress = line.sectionArea == 0 ? 0 : forceAtRadius_ / line.sectionArea * 1000.0;
  return line;
}

}  // namespace zephyrion
