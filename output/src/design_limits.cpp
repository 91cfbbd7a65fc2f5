#include "output/design_limits.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "blade/blade_assembly.h"
#include "blade/station.h"
#include "text/number_forms.h"

namespace zephyrion {
namespace {

// The form's captions without their padding, as the user reads them.
constexpr const char* kFieldNames[kFormFieldCount] = {
    "NACA profile [4 digit]",
    "Lift coefficient",
    "Radius of rotor [mm]",
    "Number of blades",
    "Tip speed ratio",
    "Blade tip chamfer [mm]",
    "Angle of attack (alpha)",
    "Chord limit in Z (Height) [mm]",
    "Chord limit in X (Width) [mm]",
    "Density of blade [kg/m3]",
    "Max operating wind speed [m/s]",
    "Hub radius [mm]",
    "Hub to blade chamfer [mm]",
    "STL precision [Chord divisions]",
    "Output name",
};

constexpr double kLongestOptimumChord = 1e13;  // mm

std::string fieldName(FormField field) {
  return kFieldNames[field];
}

std::string withThousands(std::int64_t value) {
  char buffer[24];
  std::string digits(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

std::optional<std::string> findInfiniteValue(const DesignParameters& p) {
  const std::pair<FormField, double> values[] = {
      {kFieldLift, p.liftCoefficient},    {kFieldTipSpeedRatio, p.tipSpeedRatio},
      {kFieldTipChamfer, p.tipChamfer},   {kFieldAngleOfAttack, p.angleOfAttack},
      {kFieldChordLimitZ, p.chordLimitZ}, {kFieldChordLimitX, p.chordLimitX},
      {kFieldDensity, p.densityKgPerMm3}, {kFieldWindSpeed, p.maxWindSpeed},
  };
  for (const auto& [field, value] : values) {
    if (!std::isfinite(value)) return fieldName(field) + " is too large";
  }
  return std::nullopt;
}

std::optional<std::string> findOutOfRange(const DesignParameters& p) {
  const std::string radius = integerToText(p.rotorRadius);
  if (p.thicknessRatio <= 0)
    return fieldName(kFieldProfile) + ": the thickness (digits 3 and 4) must be above 00";
  if (!(p.liftCoefficient > 0)) return fieldName(kFieldLift) + " must be above 0";
  if (p.rotorRadius < 2) return fieldName(kFieldRadius) + " must be 2 or more";
  if (p.bladeCount < 1) return fieldName(kFieldBlades) + " must be 1 or more";
  if (!(p.tipSpeedRatio > 0)) return fieldName(kFieldTipSpeedRatio) + " must be above 0";
  if (!(p.tipChamfer > 0) || p.tipChamfer > p.rotorRadius) {
    return fieldName(kFieldTipChamfer) + " must be above 0 and at most the radius (" + radius + ")";
  }
  if (!(p.chordLimitZ > 0)) return fieldName(kFieldChordLimitZ) + " must be above 0";
  if (!(p.chordLimitX > 0)) return fieldName(kFieldChordLimitX) + " must be above 0";
  if (p.chordDivisions < 4) return fieldName(kFieldChordDivisions) + " must be 4 or more";
  if (p.hubRadius < 0 || p.hubRadius > p.rotorRadius) {
    return fieldName(kFieldHubRadius) + " must be from 0 to the radius (" + radius + ")";
  }
  // The blend above the hub wedge must end below the tip.
  std::int64_t wedgeEnd = computeHubWedge(p.hubRadius, p.bladeCount).endRow;
  std::int64_t largestChamfer = std::int64_t{p.rotorRadius} - wedgeEnd - 1;
  if (p.hubChamfer < 0 || p.hubChamfer > largestChamfer) {
    return fieldName(kFieldHubChamfer) + " must be from 0 to " + withThousands(largestChamfer) +
           " (radius less hub wedge " + withThousands(wedgeEnd) + " less 1)";
  }
  return std::nullopt;
}

}  // namespace

std::int64_t stlFacetCount(const DesignParameters& p) {
  std::int64_t n = p.chordDivisions;
  std::int64_t r = p.rotorRadius;
  // Beyond a billion either way the count is far over any limit; saturate instead of overflowing.
  if (n > 1'000'000'000 || r > 1'000'000'000) return std::numeric_limits<std::int64_t>::max();
  return 4 * (n - 1) + 4 * n * (r - 1);
}

std::optional<std::string> findDesignProblem(const DesignParameters& parameters) {
  if (auto problem = findInfiniteValue(parameters)) return problem;
  if (auto problem = findOutOfRange(parameters)) return problem;
  std::int64_t facets = stlFacetCount(parameters);
  if (facets > kMaxStlFacets) {
    return "Radius and STL precision give " + withThousands(facets) + " facets; at most " +
           withThousands(kMaxStlFacets) + " are written";
  }
  // Chords are cut to the limits in 0.01 mm steps; far beyond this length a step no longer
  // changes the double and the cut would never end.
  double rootChord = optimumChordAt(parameters, 1.0);
  if (!(rootChord <= kLongestOptimumChord)) {
    return "Lift coefficient, blades and tip speed ratio give an optimum chord of " +
           numberToText(rootChord) + " mm near the hub; it must stay below " +
           withThousands(static_cast<std::int64_t>(kLongestOptimumChord)) + " mm";
  }
  return std::nullopt;
}

}  // namespace zephyrion
