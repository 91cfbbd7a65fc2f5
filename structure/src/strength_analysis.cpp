#include "structure/strength_analysis.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

#include "rotor/air.h"
#include "rotor/bem.h"
#include "rotor/rotor_performance.h"
#include "structure/materials.h"
#include "structure/span_loads.h"
#include "text/number_forms.h"

namespace zephyrion::structure {
namespace {

constexpr double kRadiansPerSecondPerRpm = 2 * std::numbers::pi / 60;
constexpr double kMillimetresPerMetre = 1e3;  // density (kg/mm^3) x area (mm^2) is kg/mm
constexpr double kMegapascalsPerGigapascal = 1e3;

// ---- The gate --------------------------------------------------------------------------------

struct Bounds {
  const char* option;
  const char* what;
  double low;
  double high;
  const char* unit;
};

constexpr Bounds kStrengthBounds{"--strength-mpa", "the material's strength", 0.1, 10000, " MPa"};
constexpr Bounds kModulusBounds{"--modulus-gpa", "the material's modulus", 0.01, 1000, " GPa"};
constexpr Bounds kShellBounds{"--shell-mm", "the printed wall's thickness", 0.05, 100, " mm"};
constexpr Bounds kInfillBounds{"--infill", "the core's fill fraction", 0, 1, ""};
constexpr Bounds kStormBounds{"--storm-wind", "the storm's wind speed", 1, 150, " m/s"};
constexpr Bounds kAirBounds{"--air-density", "the air's density", rotor::kLeastAirDensity,
                            rotor::kMostAirDensity, " kg/m3"};

std::optional<std::string> outside(const Bounds& b, double value) {
  if (value >= b.low && value <= b.high) return std::nullopt;
  return std::string(b.option) + " takes " + b.what + " from " + figureText(b.low) + " to " +
         figureText(b.high) + b.unit;
}

std::optional<std::string> outside(const Bounds& b, const std::optional<double>& value) {
  return value ? outside(b, *value) : std::nullopt;
}

std::string materialNames() {
  std::string names;
  for (const Material& m : builtInMaterials())
    names += (names.empty() ? "" : ", ") + std::string(m.name);
  return names;
}

// ---- The blade's rows --------------------------------------------------------------------------

struct ChosenMaterial {
  std::string description;
  double strength = 0;  // MPa
  double modulus = 0;   // GPa
};

ChosenMaterial chosenMaterial(const StrengthOptions& options) {
  if (options.strengthMpa) return {"the builder's own material", *options.strengthMpa, *options.modulusGpa};
  const Material* m = findMaterial(options.material.empty() ? kDefaultMaterial : options.material);
  return {std::string(m->description), m->strength, m->modulus};
}

Shell chosenShell(const StrengthOptions& options) {
  if (!options.shellMm) return {};
  return {*options.shellMm, options.infill.value_or(0.0)};
}

struct SpanRows {
  std::vector<double> radii;  // mm
  std::vector<SectionProperties> sections;
  std::vector<double> masses;  // kg/m
};

SpanRows spanRows(const BladeGeometry& geometry, const DesignParameters& parameters, const Shell& shell) {
  SpanRows rows;
  for (std::int32_t row = std::max(parameters.hubRadius, 1); row <= parameters.rotorRadius; ++row) {
    SectionProperties section = sectionProperties(rowOutline(geometry.grid, row), shell);
    rows.radii.push_back(row);
    rows.masses.push_back(parameters.densityKgPerMm3 * section.area * kMillimetresPerMetre);
    rows.sections.push_back(section);
  }
  return rows;
}

// ---- The loads of each case --------------------------------------------------------------------

// The blade-element forces per metre at each row: linear between the analysis's sections, none
// outside them. The tangential force drives the blade, against grid x.
std::vector<LineLoad> lineLoads(const SpanRows& rows, const rotor::RotorBlade& blade,
                                const std::vector<rotor::StationSolution>& stations) {
  std::vector<LineLoad> loads(rows.radii.size());
  const std::vector<rotor::BladeSection>& sections = blade.sections;
  std::size_t next = 0;
  for (std::size_t i = 0; i < rows.radii.size(); ++i) {
    double r = rows.radii[i];
    loads[i].mass = rows.masses[i];
    if (stations.empty() || r < sections.front().radius || r > sections.back().radius) continue;
    while (next + 1 < sections.size() && sections[next + 1].radius < r)
      ++next;
    std::size_t after = std::min(next + 1, sections.size() - 1);
    double span = sections[after].radius - sections[next].radius;
    double w = span > 0 ? std::clamp((r - sections[next].radius) / span, 0.0, 1.0) : 0.0;
    const rotor::StationSolution& a = stations[next];
    const rotor::StationSolution& b = stations[after];
    loads[i].flapwise = (1 - w) * a.normalForce + w * b.normalForce;
    loads[i].edgewise = -((1 - w) * a.tangentialForce + w * b.tangentialForce);
  }
  return loads;
}

struct CaseLoading {
  CaseResult result;
  double rotorSpeed = 0;  // rad/s
  std::vector<rotor::StationSolution> stations;
};

rotor::Conditions conditionsAt(double windSpeed, const StrengthOptions& options) {
  rotor::Conditions conditions;
  conditions.windSpeed = windSpeed;
  conditions.airDensity = options.airDensity;
  return conditions;
}

CaseLoading turningAt(const rotor::RotorBlade& blade, const rotor::Airfoil& airfoil,
                      const rotor::Conditions& conditions, double tipSpeedRatio) {
  CaseLoading loading;
  loading.result.windSpeed = conditions.windSpeed;
  loading.result.tipSpeedRatio = tipSpeedRatio;
  loading.rotorSpeed = tipSpeedRatio * conditions.windSpeed / (blade.tipRadius * kMetresPerMillimetre);
  loading.result.rotorSpeedRpm = loading.rotorSpeed / kRadiansPerSecondPerRpm;
  loading.stations = rotor::rotorPerformance(blade, airfoil, conditions, tipSpeedRatio).stations;
  return loading;
}

// The blade standing still in the wind: only its weight.
CaseLoading standingStill(double windSpeed) {
  CaseLoading loading;
  loading.result.windSpeed = windSpeed;
  return loading;
}

// The tip speed ratio of the design's rotor speed at the highest operating wind, or none when
// the rotor does not turn there.
std::optional<double> operatingTipSpeedRatio(const DesignParameters& parameters) {
  double speed = parameters.rotorSpeedRpm * kRadiansPerSecondPerRpm;
  if (!(speed > 0) || !(parameters.maxWindSpeed > 0) || parameters.rotorRadius <= 0) return std::nullopt;
  return speed * parameters.rotorRadius * kMetresPerMillimetre / parameters.maxWindSpeed;
}

CaseLoading parkedIn(const rotor::RotorBlade& blade, const rotor::Airfoil& airfoil,
                     const StrengthOptions& options) {
  CaseLoading loading = standingStill(options.stormWind);
  rotor::OperatingPoint flow;
  flow.windSpeed = options.stormWind;
  flow.airDensity = options.airDensity;
  for (const rotor::BladeSection& section : blade.sections)
    loading.stations.push_back(rotor::parkedStation(section, airfoil, flow));
  return loading;
}

std::array<CaseLoading, kLoadCaseCount> caseLoadings(const DesignParameters& parameters,
                                                     const rotor::RotorBlade& blade,
                                                     const rotor::Airfoil& airfoil,
                                                     const StrengthOptions& options) {
  std::array<CaseLoading, kLoadCaseCount> cases;
  std::optional<double> tsr = operatingTipSpeedRatio(parameters);
  rotor::Conditions conditions = conditionsAt(parameters.maxWindSpeed, options);
  if (tsr) {
    cases[kOperating] = turningAt(blade, airfoil, conditions, *tsr);
    rotor::Runaway runaway = rotor::runawayTipSpeedRatio(blade, airfoil, conditions, *tsr);
    cases[kRunaway] = turningAt(blade, airfoil, conditions, runaway.tipSpeedRatio);
    cases[kRunaway].result.runawayFound = runaway.found;
  } else {
    cases[kOperating] = standingStill(parameters.maxWindSpeed);
    cases[kRunaway] = standingStill(parameters.maxWindSpeed);
  }
  cases[kParkedStorm] = parkedIn(blade, airfoil, options);
  return cases;
}

// ---- Stresses and verdicts ---------------------------------------------------------------------

double safetyFactorOf(double strength, double stress) {
  if (!(stress > 0)) return kSafetyFactorCeiling;
  return std::min(strength / stress, kSafetyFactorCeiling);
}

std::string circumstances(LoadCase loadCase, const CaseResult& c) {
  std::string wind = figureText(c.windSpeed) + " m/s";
  switch (loadCase) {
    case kOperating:
      return "turning at " + figureText(c.rotorSpeedRpm) + " rpm in a " + wind + " wind";
    case kRunaway:
      return "running away at " + figureText(c.rotorSpeedRpm) + " rpm in a " + wind + " wind";
    case kParkedStorm:
      break;
  }
  return "parked in a " + wind + " storm";
}

std::string verdictOf(LoadCase loadCase, const CaseResult& c) {
  std::string where = "r = " + figureText(c.weakestRadius) + " mm";
  std::string factor = figureText(c.safetyFactor);
  if (c.safetyFactor >= 1)
    return "holds with a safety factor of " + factor + " at " + where + ", " + circumstances(loadCase, c);
  return "breaks at " + where + " (safety factor " + factor + "), " + circumstances(loadCase, c);
}

// The rows' loads, stresses and safety factors in every case, each row's outline formed once.
void analyseRows(const std::array<std::vector<SectionLoads>, kLoadCaseCount>& carried, const SpanRows& span,
                 const BladeGeometry& geometry, double strength, StrengthAnalysis& analysis) {
  for (std::size_t i = 0; i < span.radii.size(); ++i) {
    std::vector<PlanePoint> outline =
        outlinePolygon(rowOutline(geometry.grid, static_cast<std::int32_t>(span.radii[i])));
    for (int c = 0; c < kLoadCaseCount; ++c) {
      const SectionLoads& loads = carried[c][i];
      RowCase& row = analysis.rows[i].cases[c];
      row = {loads.axialForce, loads.flapMoment, loads.edgeMoment, loads.weightMoment, 0, 0};
      row.stress = peakStress(span.sections[i], outline, loads);
      row.safetyFactor = safetyFactorOf(strength, row.stress);
    }
  }
}

// The case's weakest row, root moments, tip deflection and verdict.
CaseResult summarise(LoadCase loadCase, CaseResult result, const std::vector<SectionLoads>& carried,
                     const SpanRows& span, const StrengthAnalysis& analysis) {
  std::vector<double> curvature(span.radii.size());
  result.safetyFactor = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < span.radii.size(); ++i) {
    const RowCase& row = analysis.rows[i].cases[loadCase];
    if (row.safetyFactor < result.safetyFactor) {
      result.safetyFactor = row.safetyFactor;
      result.weakestRadius = span.radii[i];
    }
    curvature[i] =
        flapwiseCurvature(span.sections[i], carried[i], analysis.modulus * kMegapascalsPerGigapascal);
  }
  result.rootFlapMoment = carried.front().flapMoment;
  result.rootEdgeMoment = carried.front().edgeMoment;
  result.rootWeightMoment = carried.front().weightMoment;
  result.tipDeflection = tipDeflection(span.radii, curvature);
  result.verdict = verdictOf(loadCase, result);
  return result;
}

}  // namespace

std::optional<std::string> findStrengthProblem(const StrengthOptions& options) {
  if (!options.material.empty() && !findMaterial(options.material))
    return "--material takes one of " + materialNames();
  if (options.strengthMpa.has_value() != options.modulusGpa.has_value())
    return std::string("--strength-mpa and --modulus-gpa go together");
  if (options.strengthMpa && !options.material.empty())
    return std::string("--material or --strength-mpa with --modulus-gpa: one material, not both");
  if (options.infill && !options.shellMm) return std::string("--infill goes with --shell-mm");
  for (const std::optional<std::string>& problem :
       {outside(kStrengthBounds, options.strengthMpa), outside(kModulusBounds, options.modulusGpa),
        outside(kShellBounds, options.shellMm), outside(kInfillBounds, options.infill),
        outside(kStormBounds, options.stormWind), outside(kAirBounds, options.airDensity)}) {
    if (problem) return problem;
  }
  return std::nullopt;
}

StrengthAnalysis analyseStrength(const BladeGeometry& geometry, const DesignParameters& parameters,
                                 const rotor::RotorBlade& blade, const rotor::Airfoil& airfoil,
                                 const StrengthOptions& options) {
  assert(!findStrengthProblem(options));
  ChosenMaterial material = chosenMaterial(options);
  StrengthAnalysis analysis;
  analysis.materialDescription = material.description;
  analysis.strength = material.strength;
  analysis.modulus = material.modulus;
  analysis.shell = chosenShell(options);
  SpanRows span = spanRows(geometry, parameters, analysis.shell);
  assert(!span.radii.empty());
  analysis.rows.resize(span.radii.size());
  for (std::size_t i = 0; i < span.radii.size(); ++i)
    analysis.rows[i] = {span.radii[i], span.sections[i], {}};
  std::array<CaseLoading, kLoadCaseCount> loadings = caseLoadings(parameters, blade, airfoil, options);
  std::array<std::vector<SectionLoads>, kLoadCaseCount> carried;
  for (int c = 0; c < kLoadCaseCount; ++c)
    carried[c] =
        sectionLoads(span.radii, lineLoads(span, blade, loadings[c].stations), loadings[c].rotorSpeed);
  analyseRows(carried, span, geometry, material.strength, analysis);
  for (int c = 0; c < kLoadCaseCount; ++c) {
    LoadCase loadCase = static_cast<LoadCase>(c);
    analysis.cases[c] = summarise(loadCase, loadings[c].result, carried[c], span, analysis);
    if (analysis.cases[c].safetyFactor < analysis.cases[analysis.governing].safetyFactor)
      analysis.governing = loadCase;
  }
  return analysis;
}

const char* loadCaseName(LoadCase loadCase) {
  switch (loadCase) {
    case kOperating:
      return "operating";
    case kRunaway:
      return "runaway";
    case kParkedStorm:
      break;
  }
  return "parked in a storm";
}

}  // namespace zephyrion::structure
