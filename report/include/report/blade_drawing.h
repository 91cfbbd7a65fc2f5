// The blade as the report draws it, taken from the finished geometry in the design run's hook:
// its planform and twist along the radius, and three of its sections, each from the rows the
// files print. Plain numbers, so that the page is made after the run without the geometry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"

namespace zephyrion::report {

// Rows drawn along the span at most, and points along each surface of a section: the page of a
// 100 m blade is as small and as quick to draw as that of a 500 mm one.
inline constexpr std::size_t kMostDrawnRows = 400;
inline constexpr std::size_t kMostSectionPoints = 200;

// One section's outline as the STL holds it: X in the rotor plane with the span axis at 0, Z
// across the rotor plane, in mm; the upper surface from the leading edge to the trailing edge,
// then the lower one back, closed.
struct SectionOutline {
  std::string name;   // "root", "middle", "tip"
  double radius = 0;  // mm
  std::vector<double> x;
  std::vector<double> z;
};

struct BladeDrawing {
  // The table's rows (2 mm to the tip), all of them or evenly spread with both ends.
  std::vector<double> radius;        // mm
  std::vector<double> chord;         // mm, as the table prints it: after the limits
  std::vector<double> optimumChord;  // mm, the Betz optimum the design starts from
  std::vector<double> width;         // mm, the printed section's extent in the rotor plane
  std::vector<double> height;        // mm, and across it
  std::vector<double> twist;         // degrees, as the table prints it
  double chordLimitX = 0;            // mm, the form's width limit
  double chordLimitZ = 0;            // mm, the form's height limit
  // The root (where the hub blend ends), the middle, and the tip (the last row the tip chamfer
  // leaves full size).
  std::array<SectionOutline, 3> sections;
};

// Preconditions: the geometry is the one built from `parameters`, inside the engine's ranges.
BladeDrawing bladeDrawingOf(const BladeGeometry& geometry, const DesignParameters& parameters);

}  // namespace zephyrion::report
