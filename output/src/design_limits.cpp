#include "output/design_limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "blade/blade_assembly.h"
#include "blade/section_outline.h"
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

// A whole number with thousands separators, any other number in the short form.
std::string figure(double value) {
  if (value != std::trunc(value) || std::fabs(value) >= 1e15) return numberToText(value);
  char buffer[24];
  std::string digits(buffer,
                     std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value)).ptr);
  for (int i = static_cast<int>(digits.size()) - 3; i > (digits[0] == '-' ? 1 : 0); i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

// The range a field's value must lie in, both ends included, as the user reads it, and why in
// the user's words. NaN lies in no range.
struct FieldRange {
  FormField field;
  double value;
  double lowest;
  double highest;
  std::string bounds;
  const char* why;
};

std::string fromTo(double lowest, double highest) {
  return "be from " + figure(lowest) + " to " + figure(highest);
}

constexpr double kNoUpperEnd = std::numeric_limits<double>::max();

// Each field on its own, in form order; a field's range may depend on the fields before it.
std::optional<std::string> findFieldOutOfRange(const DesignParameters& p) {
  const double radius = p.rotorRadius;
  const std::string upToRadius = "be from 0 to the radius (" + figure(radius) + ")";
  const double hubChamferEnd = radius - computeHubWedge(p.hubRadius, p.bladeCount).endRow - 1;
  // The density is compared as the run holds it, in kg/mm3, so that both ends are accepted.
  const double perCubicMm = 1e-09;
  const FieldRange ranges[] = {
      {kFieldProfile, p.thicknessRatio, 0.01, 0.30, "end in a thickness from 01 to 30",
       "a section needs some thickness, and a thicker one folds over at its nose"},
      {kFieldLift, p.liftCoefficient, 0.1, 2, fromTo(0.1, 2),
       "no four-digit section lifts more, and less asks for a blade far too wide"},
      {kFieldRadius, radius, 2, 100000, fromTo(2, 100000),
       "the table needs a row inside the tip, and larger is no small turbine"},
      {kFieldBlades, static_cast<double>(p.bladeCount), 1, 20, fromTo(1, 20),
       "more would leave each blade a sliver"},
      {kFieldTipSpeedRatio, p.tipSpeedRatio, 0.5, 20, fromTo(0.5, 20),
       "the ideal chord falls with its square, to nothing above 20 and without end below 0.5"},
      {kFieldTipChamfer, p.tipChamfer, 0.25, radius, "be from 0.25 to the radius (" + figure(radius) + ")",
       "a shorter chamfer would widen the tip"},
      {kFieldAngleOfAttack, p.angleOfAttack, 0, 20, fromTo(0, 20) + " degrees",
       "beyond 20 the section stalls"},
      {kFieldChordLimitZ, p.chordLimitZ, 1, kNoUpperEnd, "be at least 1",
       "a thinner blank cannot hold a blade"},
      {kFieldChordLimitX, p.chordLimitX, 1, kNoUpperEnd, "be at least 1",
       "a narrower blank cannot hold a blade"},
      {kFieldDensity, p.densityKgPerMm3, 1 * perCubicMm, 25000 * perCubicMm, fromTo(1, 25000),
       "no blade material lies outside"},
      {kFieldWindSpeed, p.maxWindSpeed, 0, 100, fromTo(0, 100), "no small turbine runs in stronger wind"},
      {kFieldHubRadius, static_cast<double>(p.hubRadius), 0, radius, upToRadius,
       "the hub lies inside the rotor"},
      {kFieldHubChamfer, static_cast<double>(p.hubChamfer), 0, hubChamferEnd, fromTo(0, hubChamferEnd),
       "the blend out of the hub must end below the tip"},
      {kFieldChordDivisions, static_cast<double>(p.chordDivisions), 4, 1000, fromTo(4, 1000),
       "the hub block needs 4, and a printer shows no more"},
  };
  for (const FieldRange& range : ranges) {
    if (!(range.value >= range.lowest && range.value <= range.highest)) {
      return std::string(kFieldNames[range.field]) + " must " + range.bounds + ": " + range.why + ".";
    }
  }
  return std::nullopt;
}

// The first row of the hub block and the blend out of it whose outline folds over itself. The
// rows above are placed sections, which never do: every accepted profile, turned and scaled,
// keeps a simple outline.
std::optional<std::int32_t> firstFoldedHubRow(const DesignParameters& p, const BladeGeometry& geometry) {
  std::int64_t lastBlendRow = std::int64_t{geometry.hubWedge.endRow} + p.hubChamfer;
  std::int32_t last = static_cast<std::int32_t>(std::min<std::int64_t>(p.rotorRadius, lastBlendRow));
  for (std::int32_t row = 1; row <= last; ++row) {
    if (rowFoldsOverItself(geometry.grid, row)) return row;
  }
  return std::nullopt;
}

bool foldsWithHubChamfer(DesignParameters p, std::int32_t hubChamfer) {
  p.hubChamfer = hubChamfer;
  return firstFoldedHubRow(p, buildBlade(p)).has_value();
}

// A shorter hub chamfer whose blend does not fold, found by stepping down in doubling steps and
// then halving the gap to the nearest folding one; nothing when even no chamfer folds.
std::optional<std::int32_t> soundShorterHubChamfer(const DesignParameters& p) {
  std::int32_t folding = p.hubChamfer;
  std::int32_t sound = -1;
  for (std::int32_t step = 1; sound < 0; step *= 2) {
    std::int32_t candidate = std::max(folding - step, 0);
    if (!foldsWithHubChamfer(p, candidate)) {
      sound = candidate;
    } else if (candidate == 0) {
      return std::nullopt;
    }
    if (sound < 0) folding = candidate;
  }
  while (folding - sound > 1) {
    std::int32_t middle = sound + (folding - sound) / 2;
    (foldsWithHubChamfer(p, middle) ? folding : sound) = middle;
  }
  return sound;
}

}  // namespace

std::int64_t stlFacetCount(const DesignParameters& p) {
  std::int64_t n = p.chordDivisions;
  std::int64_t r = p.rotorRadius;
  return 4 * (n - 1) + 4 * n * (r - 1);
}

std::optional<std::string> findDesignProblem(const DesignParameters& parameters) {
  if (auto problem = findFieldOutOfRange(parameters)) return problem;
  std::int64_t facets = stlFacetCount(parameters);
  if (facets > kMaxStlFacets) {
    return std::string(kFieldNames[kFieldRadius]) + " and " + kFieldNames[kFieldChordDivisions] + " give " +
           figure(static_cast<double>(facets)) + " facets; at most " + figure(kMaxStlFacets) +
           " can be written.";
  }
  return std::nullopt;
}

std::optional<std::string> findBuiltBladeProblem(const DesignParameters& p, const BladeGeometry& geometry) {
  std::optional<std::int32_t> fold = firstFoldedHubRow(p, geometry);
  if (!fold) return std::nullopt;
  std::string where = "folds the blend out of the hub over itself at " + figure(*fold) + " mm";
  if (std::optional<std::int32_t> sound = soundShorterHubChamfer(p)) {
    return std::string(kFieldNames[kFieldHubChamfer]) + " of " + figure(p.hubChamfer) + " " + where + "; " +
           figure(*sound) + " gives a sound blade.";
  }
  return "The hub block folds over itself at " + figure(*fold) + " mm: change " +
         kFieldNames[kFieldHubRadius] + " or the chord limits.";
}

}  // namespace zephyrion
