#include "rotor/rotor_blade.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "units.h"

#include "text/rounding.h"

namespace zephyrion::rotor {
namespace {

struct PlanePoint {
  double x = 0;
  double y = 0;
};

PlanePoint midpoint(const BladeGrid& grid, std::int32_t row, std::int32_t division) {
  return {(grid.upperX(row, division) + grid.lowerX(row, division)) / 2.0,
          (grid.upperY(row, division) + grid.lowerY(row, division)) / 2.0};
}

// How far the outline reaches forward of the trailing edge along the chord direction (dx, dy).
double extentAlong(const BladeGrid& grid, std::int32_t row, PlanePoint trailingEdge, double dx, double dy) {
  double extent = 0;
  for (std::int32_t h = 1; h <= grid.chordDivisions; ++h) {
    extent = std::max(
        extent, (trailingEdge.x - grid.upperX(row, h)) * dx + (trailingEdge.y - grid.upperY(row, h)) * dy);
    extent = std::max(
        extent, (trailingEdge.x - grid.lowerX(row, h)) * dx + (trailingEdge.y - grid.lowerY(row, h)) * dy);
  }
  return extent;
}

}  // namespace

BladeSection sectionOfRow(const BladeGrid& grid, std::int32_t row) {
  BladeSection section;
  section.radius = row;
  PlanePoint nose = midpoint(grid, row, 1);
  PlanePoint trailingEdge = midpoint(grid, row, grid.chordDivisions);
  double length = std::hypot(trailingEdge.x - nose.x, trailingEdge.y - nose.y);
  if (!(length > 0) || !std::isfinite(length)) return section;
  double dx = (trailingEdge.x - nose.x) / length;
  double dy = (trailingEdge.y - nose.y) / length;
  section.chord = extentAlong(grid, row, trailingEdge, dx, dy);
  section.twistDegrees = std::atan2(dy, dx) * kDegreesPerRadian;
  return section;
}

RotorBlade rotorBladeAsBuilt(const BladeGeometry& geometry, const DesignParameters& parameters,
                             std::int32_t mostSections) {
  assert(mostSections >= 2);
  RotorBlade blade;
  blade.bladeCount = parameters.bladeCount;
  blade.tipRadius = parameters.rotorRadius;
  blade.hubRadius = std::max(parameters.hubRadius, 0);
  const std::int32_t first = std::max(parameters.hubRadius, 0) + 1;
  const std::int32_t last = parameters.rotorRadius;
  const std::int64_t rows = std::int64_t{last} - first + 1;
  if (rows <= mostSections) {
    for (std::int32_t row = first; row <= last; ++row)
      blade.sections.push_back(sectionOfRow(geometry.grid, row));
    return blade;
  }
  std::int32_t previous = first - 1;
  for (std::int32_t i = 0; i < mostSections; ++i) {
    double share = (1.0 - std::cos(kPi * i / (mostSections - 1))) / 2.0;
    std::int32_t row = std::clamp(roundToInt32(first + share * (last - first)), first, last);
    if (row == previous) continue;
    blade.sections.push_back(sectionOfRow(geometry.grid, row));
    previous = row;
  }
  return blade;
}

NacaProfile profileOf(const DesignParameters& parameters) {
  return {parameters.maxCamber, parameters.camberPosition, parameters.thicknessRatio};
}

double bladeAspectRatio(const RotorBlade& blade) {
  const std::vector<BladeSection>& s = blade.sections;
  if (s.size() < 2) return 0;
  double area = 0;
  for (std::size_t i = 1; i < s.size(); ++i)
    area += (s[i].radius - s[i - 1].radius) * (s[i].chord + s[i - 1].chord) / 2.0;
  double span = s.back().radius - s.front().radius;
  return area > 0 ? span * span / area : 0;
}

Airfoil bladeAirfoil(const RotorBlade& blade, const DesignParameters& parameters, Surface surface,
                     ReynoldsRange reynolds, const std::optional<Polar>& filePolar) {
  double maxDrag = viternaMaxDrag(bladeAspectRatio(blade));
  if (filePolar) return makeAirfoil({*filePolar}, maxDrag);
  return nacaAirfoil(profileOf(parameters), surface, maxDrag, reynolds.lowest, reynolds.highest);
}

}  // namespace zephyrion::rotor
