// The blade as the rotor analysis sees it: radius, chord and twist of each section, the number
// of blades, the tip and the hub.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "rotor/naca_polar.h"

namespace zephyrion::rotor {

struct BladeSection {
  double radius = 0;        // mm from the rotor axis
  double chord = 0;         // mm
  double twistDegrees = 0;  // angle of the chord line out of the rotor plane, trailing edge downwind
};

struct RotorBlade {
  std::vector<BladeSection> sections;  // increasing radius, all outside the hub
  std::int32_t bladeCount = 0;
  double tipRadius = 0;  // mm
  double hubRadius = 0;  // mm; 0 for none
};

// The section of one grid row as the solid has it, whatever shaped it (chord limits, tip
// chamfer, hub blend). The chord line runs from the camber point of the first division (the
// midpoint of its upper and lower points) to the middle of the trailing edge; the chord is the
// outline's extent along that line. The solid's leading edge is the flat strip between the
// first division's points, so this is the chord that is printed: for N divisions it falls
// short of the designed chord by about (1/N)^2 of it. A row whose outline has no length gives
// chord 0.
BladeSection sectionOfRow(const BladeGrid& grid, std::int32_t row);

// How many sections the analysis takes of a blade at most, so that it costs the same at any
// radius. Rows are taken denser towards the root and the tip, where the loads change fastest
// (cosine spacing); the rotor's power and thrust so differ from those of every 1 mm row by
// under 0.3 % (checked in tests/rotor/rotor_blade_test.cpp).
inline constexpr std::int32_t kAnalysedSections = 80;

// The finished blade, one section for each of at most `mostSections` rows outside the hub
// radius (every row when there are no more): rows at or inside it belong to the hub block and
// make no power. The first row outside the hub and the tip row are always taken.
RotorBlade rotorBladeAsBuilt(const BladeGeometry& geometry, const DesignParameters& parameters,
                             std::int32_t mostSections = kAnalysedSections);

// The NACA profile of the design.
NacaProfile profileOf(const DesignParameters& parameters);

// Span over mean chord of the sections (0 for a blade without length or area).
double bladeAspectRatio(const RotorBlade& blade);

// The Reynolds numbers a blade's sections meet.
struct ReynoldsRange {
  double lowest = 0;
  double highest = 0;
};

// The blade's airfoil: the polars of `filePolar` when given, else the built-in ones of the
// design's NACA section with the given surface over the given Reynolds numbers; extended past
// stall with the drag of a plate of the blade's aspect ratio. Preconditions (asserted) for the
// built-in polars: the profile passes findNacaModelProblem, 0 < lowest <= highest.
Airfoil bladeAirfoil(const RotorBlade& blade, const DesignParameters& parameters, Surface surface,
                     ReynoldsRange reynolds, const std::optional<Polar>& filePolar = {});

}  // namespace zephyrion::rotor
