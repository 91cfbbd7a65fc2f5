#include "blade/blade_surface.h"

#include "text/rounding.h"

namespace zephyrion {
namespace {

// Upper and lower surface vertices of a grid cell; `radius` is the span coordinate handed to
// the writer, the row's number as a double.
Point3 upperPoint(const BladeGrid& grid, std::int32_t row, double radius, std::int32_t h) {
  return {grid.upperX(row, h), radius, grid.upperY(row, h)};
}

Point3 lowerPoint(const BladeGrid& grid, std::int32_t row, double radius, std::int32_t h) {
  return {grid.lowerX(row, h), radius, grid.lowerY(row, h)};
}

}  // namespace

void endCapQuads(const BladeGrid& grid, std::vector<Quad>& quads) {
  quads.clear();
  std::int32_t tip = grid.rotorRadius;
  double tipRadius = tip;
  for (std::int32_t h = 2; h <= grid.chordDivisions; ++h) {
    quads.push_back({lowerPoint(grid, 1, 1.0, h - 1), upperPoint(grid, 1, 1.0, h - 1),
                     upperPoint(grid, 1, 1.0, h), lowerPoint(grid, 1, 1.0, h)});
    quads.push_back({lowerPoint(grid, tip, tipRadius, h - 1), lowerPoint(grid, tip, tipRadius, h),
                     upperPoint(grid, tip, tipRadius, h), upperPoint(grid, tip, tipRadius, h - 1)});
  }
}

void stripQuads(const BladeGrid& grid, double e, std::vector<Quad>& quads) {
  quads.clear();
  double outer = e;
  double inner = e + (-1.0);
  std::int32_t outerRow = roundToInt32(outer);
  std::int32_t innerRow = roundToInt32(inner);
  std::int32_t last = grid.chordDivisions;
  auto upper = [&](std::int32_t row, double radius, std::int32_t h) {
    return upperPoint(grid, row, radius, h);
  };
  auto lower = [&](std::int32_t row, double radius, std::int32_t h) {
    return lowerPoint(grid, row, radius, h);
  };
  for (std::int32_t h = 2; h <= last; ++h) {
    quads.push_back({upper(innerRow, inner, h - 1), upper(outerRow, outer, h - 1), upper(outerRow, outer, h),
                     upper(innerRow, inner, h)});
    quads.push_back({lower(innerRow, inner, h - 1), lower(innerRow, inner, h), lower(outerRow, outer, h),
                     lower(outerRow, outer, h - 1)});
  }
  // The leading edge is the flat strip between the first division's points, the trailing edge
  // the one between the last division's.
  quads.push_back({lower(outerRow, outer, 1), upper(outerRow, outer, 1), upper(innerRow, inner, 1),
                   lower(innerRow, inner, 1)});
  quads.push_back({lower(outerRow, outer, last), lower(innerRow, inner, last), upper(innerRow, inner, last),
                   upper(outerRow, outer, last)});
}

}  // namespace zephyrion
