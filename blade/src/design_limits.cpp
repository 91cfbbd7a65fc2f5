#include "blade/design_limits.h"

#include <algorithm>
#include <cmath>

#include "blade/blade_assembly.h"
#include "blade/form_fields.h"
#include "blade/section_outline.h"
#include "text/number_forms.h"

namespace zephyrion {
namespace {

std::string rangeWording(const FieldRange& range, const DesignParameters& p) {
  if (!range.refusalWording.empty()) return std::string(range.refusalWording);
  std::string from = "be from " + figureWithSeparators(range.lowest) + " to ";
  if (range.dependentHighest) {
    std::string value = figureWithSeparators(range.dependentHighest(p));
    if (range.refusalShowsValueOnly) return from + value;
    return from + std::string(range.highestName) + " (" + value + ")";
  }
  if (range.highest == kNoUpperEnd) return "be at least " + figureWithSeparators(range.lowest);
  return from + figureWithSeparators(range.highest) + std::string(range.unit);
}

// Each field on its own, in form order; a field's range may depend on the fields before it.
// NaN lies in no range.
std::optional<std::string> findFieldOutOfRange(const DesignParameters& p) {
  for (const FormFieldEntry& entry : formFieldEntries()) {
    const FieldRange& range = entry.range;
    if (!range.held) continue;
    double highest = range.dependentHighest ? range.dependentHighest(p) : range.highest;
    double value = range.held(p);
    if (!(value >= range.lowest * range.heldPerTyped && value <= highest * range.heldPerTyped)) {
      return fieldName(entry.field) + " must " + rangeWording(range, p) + ": " + std::string(range.why) + ".";
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
    return (fieldName(kFieldRadius)) + " and " + fieldName(kFieldChordDivisions) + " give " +
           figureWithSeparators(static_cast<double>(facets)) + " facets; at most " +
           figureWithSeparators(kMaxStlFacets) + " can be written.";
  }
  return std::nullopt;
}

std::optional<std::string> findBuiltBladeProblem(const DesignParameters& p, const BladeGeometry& geometry) {
  std::optional<std::int32_t> fold = firstFoldedHubRow(p, geometry);
  if (!fold) return std::nullopt;
  std::string where = "folds the blend out of the hub over itself at " + figureWithSeparators(*fold) + " mm";
  if (std::optional<std::int32_t> sound = soundShorterHubChamfer(p)) {
    return (fieldName(kFieldHubChamfer)) + " of " + figureWithSeparators(p.hubChamfer) + " " + where + "; " +
           figureWithSeparators(*sound) + " gives a sound blade.";
  }
  return "The hub block folds over itself at " + figureWithSeparators(*fold) + " mm: change " +
         fieldName(kFieldHubRadius) + " or the chord limits.";
}

}  // namespace zephyrion
