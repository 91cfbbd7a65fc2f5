#include "blade/blade_assembly.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "blade/naca_section.h"
#include "blade/station.h"
#include "text/rounding.h"

namespace zephyrion {
namespace {

constexpr double kPi = 3.141592653589793;

std::array<GridArray*, 4> gridsInOrder(BladeGrid& grid) {
  return {&grid.upperX, &grid.upperY, &grid.lowerX, &grid.lowerY};
}

// One point of a cell turned about the origin through its polar coordinates.
void rotatePoint(double& x, double& y, double angleDegrees) {
  double radius = std::sqrt(x * x + y * y);
  double direction = angleDegrees / kDegreesPerRadian + std::atan2(y, x);
  x = std::cos(direction) * radius;
  y = std::sin(direction) * radius;
}

// Stations from the tip inwards, each placed before the next is computed.
void placeStations(const DesignParameters& parameters, BladeGeometry& geometry) {
  for (double r = parameters.rotorRadius; r >= 1.0; r += -1.0)
    placeStation(parameters, r, geometry);
}

// Half the rounded width of the turned section at the first full-size row.
std::int32_t tipScaleCentreOf(const DesignParameters& parameters, const BladeGrid& grid) {
  std::int32_t referenceRow = roundToInt32(parameters.rotorRadius - parameters.tipChamfer);
  return roundToInt32(grid.upperX(referenceRow, parameters.chordDivisions) - grid.upperX(referenceRow, 1)) /
         2;
}

// Scale of the row e mm inside the tip: sqrt(e / T). The tip row itself keeps half the scale of
// the row after it, so the blade does not end in a point.
double tipScaleAt(double e, double tipChamfer) {
  if (e == 0.0) return 1.0 / std::sqrt(tipChamfer) / 2.0;
  return std::sqrt(e) / std::sqrt(tipChamfer);
}

// Shrinks the sections of the last T millimetres towards the point (tipScaleCentre, 0).
void chamferTip(const DesignParameters& parameters, BladeGeometry& geometry) {
  BladeGrid& grid = geometry.grid;
  geometry.tipScaleCentre = tipScaleCentreOf(parameters, grid);
  double centre = geometry.tipScaleCentre;
  for (double e = 0.0; e <= parameters.tipChamfer; e += 1.0) {
    double scale = tipScaleAt(e, parameters.tipChamfer);
    std::int32_t row = roundToInt32(parameters.rotorRadius - e);
    for (std::int32_t h = 1; h <= parameters.chordDivisions; ++h) {
      grid.upperX(row, h) = (grid.upperX(row, h) - centre) * scale + centre;
      grid.lowerX(row, h) = (grid.lowerX(row, h) - centre) * scale + centre;
      grid.upperY(row, h) = scale * grid.upperY(row, h);
      grid.lowerY(row, h) = scale * grid.lowerY(row, h);
    }
  }
}

// The section's lowest and highest y at the hub circle, before the hub rows are replaced.
void findHubBounds(const DesignParameters& parameters, BladeGeometry& geometry) {
  const BladeGrid& grid = geometry.grid;
  std::int32_t row = parameters.hubRadius;
  geometry.hubMinY = 1000000;
  geometry.hubMaxY = -1000000;
  for (std::int32_t h = 1; h <= parameters.chordDivisions; ++h) {
    for (double y : {grid.upperY(row, h), grid.lowerY(row, h)}) {
      if (geometry.hubMinY > y) geometry.hubMinY = y;
      if (!(geometry.hubMaxY >= y)) geometry.hubMaxY = y;
    }
  }
}

// The span axis crosses the turned section about a third along it, at two thirds of the radius.
std::int32_t spanAxisOffset(const DesignParameters& parameters, const BladeGrid& grid) {
  std::int32_t row = roundToInt32(parameters.rotorRadius * 0.666);
  return roundToInt32((grid.upperX(row, parameters.chordDivisions) - grid.upperX(row, 1)) * 0.33);
}

// One block row: the rectangle x1..x2 by hubMinY..hubMaxY, its upper points climbing the left
// side and running along the top, its lower points running along the bottom and climbing the
// right side.
void fillBlockRow(BladeGeometry& geometry, std::int32_t row, std::int32_t divisions, double x1, double x2) {
  BladeGrid& grid = geometry.grid;
  double half = divisions / 2.0;
  double halfLessOne = half + (-1.0);
  for (std::int32_t h = 1; h <= divisions; ++h) {
    if (h > half) {
      grid.upperX(row, h) = x1 + (x2 - x1) / halfLessOne * ((h - half) + (-1.0));
      grid.upperY(row, h) = geometry.hubMaxY;
      grid.lowerX(row, h) = x2;
      grid.lowerY(row, h) = geometry.hubMaxY / halfLessOne * ((h - half) + (-1.0));
    } else {
      grid.upperX(row, h) = x1;
      grid.upperY(row, h) = geometry.hubMaxY / halfLessOne * (h - 1);
      grid.lowerX(row, h) = x1 + (x2 - x1) / halfLessOne * (h - 1);
      grid.lowerY(row, h) = geometry.hubMinY;
    }
  }
  // The ends of each run are the rectangle's corners. A run's last step can miss its corner by a
  // rounding, and the surface would then hold a sliver of three collinear points where two of
  // them should be one; the corners are set exactly.
  std::int32_t lastOfHalf = divisions / 2;
  grid.upperY(row, lastOfHalf) = geometry.hubMaxY;
  grid.lowerX(row, lastOfHalf) = x2;
  grid.upperX(row, divisions) = x2;
  grid.lowerY(row, divisions) = geometry.hubMaxY;
}

// Rows 1..Q become blocks that fill this blade's wedge of the hub disc, cut by the hub circle
// where the wedge reaches beyond it. A wedge of half-angle pi / 2 or more (one or two blades)
// covers the whole disc, and its rows are the hub circle's chords.
void fillHubBlock(const DesignParameters& parameters, BladeGeometry& geometry) {
  double hubRadius = parameters.hubRadius;
  double axis = geometry.axisOffset;
  double slope = std::tan(-kPi / parameters.bladeCount);
  bool wedgeCoversDisc = parameters.bladeCount <= 2;
  for (double e = 1.0; e <= geometry.hubWedge.endRow; e += 1.0) {
    double x1 = slope * e + axis;
    double x2 = -slope * e + axis;
    if (wedgeCoversDisc || std::sqrt(std::pow(x1 - axis, 2.0) + e * e) > hubRadius) {
      double w = std::sqrt(hubRadius * hubRadius - e * e);
      x1 = axis - w;
      x2 = w + axis;
    }
    fillBlockRow(geometry, roundToInt32(e), parameters.chordDivisions, x1, x2);
  }
}

// Rows Q + 1 .. Q + D are replaced by a cubic through rows Q, Q, Q + D and Q + D + 1 (the
// first sample is taken from row Q as well, so the blend leaves the block almost level).
void blendHubIntoBlade(const DesignParameters& parameters, BladeGeometry& geometry) {
  std::int64_t hubEnd = geometry.hubWedge.endRow;
  std::int64_t bladeStart = hubEnd + parameters.hubChamfer;
  const double nodes[4] = {static_cast<double>(hubEnd - 1), static_cast<double>(hubEnd),
                           static_cast<double>(bladeStart), static_cast<double>(bladeStart + 1)};
  const std::int32_t sampleRows[4] = {geometry.hubWedge.endRow, geometry.hubWedge.endRow,
                                      roundToInt32(nodes[2]), roundToInt32(nodes[3])};
  std::array<GridArray*, 4> grids = gridsInOrder(geometry.grid);
  for (double e = nodes[1] + 1.0; e <= nodes[2]; e += 1.0) {
    std::int32_t row = roundToInt32(e);
    for (std::int32_t h = 1; h <= parameters.chordDivisions; ++h) {
      for (GridArray* values : grids) {
        double samples[4];
        for (int i = 0; i < 4; ++i)
          samples[i] = (*values)(sampleRows[i], h);
        (*values)(row, h) = lagrangeInterpolate(nodes, samples, e, 4);
      }
    }
  }
}

}  // namespace

HubWedge computeHubWedge(std::int32_t hubRadius, std::int32_t bladeCount) {
  HubWedge wedge;
  wedge.halfWidth = roundToInt32(hubRadius * std::sin(kPi / bladeCount));
  double hub = hubRadius;
  double halfWidth = wedge.halfWidth;
  wedge.endRow = roundToInt32(std::sqrt(hub * hub - halfWidth * halfWidth));
  // A row on the hub circle itself would be cut to no width, and the solid would pinch to a
  // line there; the block then ends at the row before.
  if (wedge.endRow >= hubRadius) wedge.endRow = std::max(hubRadius - 1, 0);
  return wedge;
}

BladeGeometry::BladeGeometry(const DesignParameters& parameters)
    : grid(parameters.rotorRadius, parameters.chordDivisions),
      stationTwist(static_cast<std::size_t>(parameters.rotorRadius) + 1, 0.0),
      stationChord(static_cast<std::size_t>(parameters.rotorRadius) + 1, 0.0) {}

void rotateSectionPoints(BladeGrid& grid, std::int32_t row, std::int32_t division, double angleDegrees) {
  rotatePoint(grid.upperX(row, division), grid.upperY(row, division), angleDegrees);
  rotatePoint(grid.lowerX(row, division), grid.lowerY(row, division), angleDegrees);
}

double lagrangeInterpolate(const double* xs, const double* ys, double x, int count) {
  double result = 0.0;
  for (int i = 0; i < count; ++i) {
    double weight = 1.0;
    for (int j = 0; j < count; ++j) {
      if (j != i) weight = ((x - xs[j]) * weight) / (xs[i] - xs[j]);
    }
    result = ys[i] * weight + result;
  }
  return result;
}

// Each division's section point is placed and turned by the twist before the next is computed.
void placeStation(const DesignParameters& parameters, double radius, BladeGeometry& geometry) {
  BladeGrid& grid = geometry.grid;
  std::int32_t row = roundToInt32(radius);
  Station station = computeStation(parameters, radius);
  geometry.stationTwist.at(static_cast<std::size_t>(row)) = station.twist;
  geometry.stationChord.at(static_cast<std::size_t>(row)) = station.chord;
  for (std::int32_t h = 1; h <= parameters.chordDivisions; ++h) {
    SectionPoint point = nacaSectionPoint(station.chord, h, parameters.chordDivisions, parameters.maxCamber,
                                          parameters.camberPosition, parameters.thicknessRatio);
    grid.upperX(row, h) = point.upperX;
    grid.upperY(row, h) = point.upperY;
    grid.lowerX(row, h) = point.lowerX;
    grid.lowerY(row, h) = point.lowerY;
    rotateSectionPoints(grid, row, h, station.twist);
  }
}

BladeGeometry buildBlade(const DesignParameters& parameters) {
  BladeGeometry geometry(parameters);
  placeStations(parameters, geometry);
  chamferTip(parameters, geometry);
  findHubBounds(parameters, geometry);
  geometry.axisOffset = spanAxisOffset(parameters, geometry.grid);
  geometry.hubWedge = computeHubWedge(parameters.hubRadius, parameters.bladeCount);
  fillHubBlock(parameters, geometry);
  blendHubIntoBlade(parameters, geometry);
  return geometry;
}

}  // namespace zephyrion
