#include "report/blade_drawing.h"

#include <algorithm>
#include <cmath>

#include "blade/station.h"
#include "even_sample.h"
#include "plot_values.h"

namespace zephyrion::report {
namespace {

void appendExtents(const BladeGrid& grid, std::int32_t row, BladeDrawing& drawing) {
  Extent x, z;
  for (std::int32_t h = 1; h <= grid.chordDivisions; ++h) {
    x.take(grid.upperX(row, h));
    x.take(grid.lowerX(row, h));
    z.take(grid.upperY(row, h));
    z.take(grid.lowerY(row, h));
  }
  drawing.width.push_back(x.high - x.low);
  drawing.height.push_back(z.high - z.low);
}

SectionOutline outlineOf(const BladeGeometry& geometry, std::string name, std::int32_t row) {
  const BladeGrid& grid = geometry.grid;
  SectionOutline outline{std::move(name), static_cast<double>(row), {}, {}};
  auto add = [&](double x, double z) {
    outline.x.push_back(x - geometry.axisOffset);
    outline.z.push_back(z);
  };
  std::vector<std::size_t> divisions =
      evenlySampled(static_cast<std::size_t>(grid.chordDivisions), kMostSectionPoints);
  for (std::size_t i : divisions) {
    auto h = static_cast<std::int32_t>(i) + 1;
    add(grid.upperX(row, h), grid.upperY(row, h));
  }
  for (auto i = divisions.rbegin(); i != divisions.rend(); ++i) {
    auto h = static_cast<std::int32_t>(*i) + 1;
    add(grid.lowerX(row, h), grid.lowerY(row, h));
  }
  outline.x.push_back(outline.x.front());
  outline.z.push_back(outline.z.front());
  return outline;
}

}  // namespace

BladeDrawing bladeDrawingOf(const BladeGeometry& geometry, const DesignParameters& parameters) {
  BladeDrawing drawing;
  drawing.chordLimitX = parameters.chordLimitX;
  drawing.chordLimitZ = parameters.chordLimitZ;
  const std::int32_t tipRow = parameters.rotorRadius;
  for (std::size_t i : evenlySampled(static_cast<std::size_t>(tipRow - 1), kMostDrawnRows)) {
    std::size_t row = i + 2;
    drawing.radius.push_back(static_cast<double>(row));
    drawing.chord.push_back(geometry.stationChord.at(row));
    drawing.optimumChord.push_back(optimumChordAt(parameters, static_cast<double>(row)));
    drawing.twist.push_back(geometry.stationTwist.at(row));
    appendExtents(geometry.grid, static_cast<std::int32_t>(row), drawing);
  }
  // The hub blend ends at the hub block's last row plus the hub chamfer, on the blade's own
  // section; the tip chamfer shrinks every row within its length of the tip.
  std::int32_t root = std::clamp(geometry.hubWedge.endRow + parameters.hubChamfer, 1, tipRow);
  auto chamfered = static_cast<std::int32_t>(std::ceil(parameters.tipChamfer));
  std::int32_t tip = std::clamp(tipRow - chamfered, root, tipRow);
  drawing.sections = {outlineOf(geometry, "root", root),
                      outlineOf(geometry, "middle", root + (tip - root) / 2),
                      outlineOf(geometry, "tip", tip)};
  return drawing;
}

}  // namespace zephyrion::report
