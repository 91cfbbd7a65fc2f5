#include "rotor/design_analysis.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "rotor/polar_reader.h"
#include "text/number_forms.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

// The curve runs from the lowest tip speed ratio the form allows in half steps to 15, or on to
// one and a half times the design's, so that it holds the design point and a rotor's best.
constexpr double kCurveFirst = 0.5;
constexpr double kCurveStep = 0.5;
constexpr double kCurveLeastLast = 15;
constexpr double kCurveReachBeyondDesign = 1.5;

// The polar written for the builder: the angles a rotor's sections meet running and starting.
constexpr double kDesignPolarFirst = -20;
constexpr double kDesignPolarLast = 30;
constexpr double kDesignPolarStep = 0.5;
constexpr double kDesignPolarRadiusShare = 0.75;

// The sections the analysis could not solve, anywhere on the curve or at the design point.
struct UnsolvedTally {
  std::int64_t count = 0;
  double lowest = 0;   // mm
  double highest = 0;  // mm

  void add(const RotorPerformance& point) {
    for (double radius : point.unsolvedRadii) {
      lowest = count == 0 ? radius : std::min(lowest, radius);
      highest = count == 0 ? radius : std::max(highest, radius);
      ++count;
    }
  }
};

// The Reynolds numbers the analyses meet: the curve's at the design's wind, stretched to the
// other winds asked for, as at one tip speed ratio the Reynolds number grows with the wind.
ReynoldsRange reynoldsRangeOf(const RotorBlade& blade, const Conditions& conditions,
                              double highestTipSpeedRatio, const AnalysisOptions& options) {
  ReynoldsRange range = bladeReynoldsRange(blade, conditions, highestTipSpeedRatio);
  if (!options.winds) return range;
  double wind = conditions.windSpeed;
  range.lowest =
      std::max(kNacaModelLowestReynolds, range.lowest * std::min(1.0, options.winds->lowest / wind));
  range.highest = std::clamp(range.highest * std::max(1.0, options.winds->highest / wind), range.lowest,
                             kNacaModelHighestReynolds);
  return range;
}

}  // namespace

std::vector<double> curveTipSpeedRatios(double designTipSpeedRatio) {
  double last = std::max(kCurveLeastLast, kCurveReachBeyondDesign * designTipSpeedRatio);
  auto steps = static_cast<int>(std::ceil((last - kCurveFirst) / kCurveStep));
  std::vector<double> ratios;
  // Each point is formed from its index, so that the steps add up no rounding.
  for (int i = 0; i <= steps; ++i)
    ratios.push_back(kCurveFirst + i * kCurveStep);
  return ratios;
}

std::optional<std::string> findAnalysisProblem(const DesignParameters& parameters,
                                               const AnalysisOptions& options) {
  if (!(parameters.maxWindSpeed > 0))
    return "The rotor analysis needs a maximum operating wind speed above 0";
  return findAirProblem(options.air);
}

std::optional<std::string> findSectionProblem(const DesignParameters& parameters,
                                              const AnalysisOptions& options) {
  if (options.polar) return std::nullopt;
  return findNacaModelProblem(profileOf(parameters));
}

AnalysedBlade analysedBlade(const BladeGeometry& geometry, const DesignParameters& parameters,
                            const AnalysisOptions& options) {
  assert(!findAnalysisProblem(parameters, options) && !findSectionProblem(parameters, options));
  AnalysedBlade analysed;
  analysed.blade = rotorBladeAsBuilt(geometry, parameters);
  analysed.conditions.windSpeed = parameters.maxWindSpeed;
  analysed.conditions.airDensity = airDensityOf(options.air);
  double highestTipSpeedRatio = curveTipSpeedRatios(parameters.tipSpeedRatio).back();
  analysed.airfoil = bladeAirfoil(
      analysed.blade, parameters, options.surface,
      reynoldsRangeOf(analysed.blade, analysed.conditions, highestTipSpeedRatio, options), options.polar);
  return analysed;
}

DesignAnalysis analyseDesign(const AnalysedBlade& blade, const DesignParameters& parameters) {
  DesignAnalysis analysis;
  analysis.blade = blade.blade;
  analysis.airfoil = blade.airfoil;
  analysis.conditions = blade.conditions;
  analysis.curve = performanceCurve(analysis.blade, analysis.airfoil, analysis.conditions,
                                    curveTipSpeedRatios(parameters.tipSpeedRatio));
  analysis.best = bestTipSpeedRatio(analysis.blade, analysis.airfoil, analysis.conditions, analysis.curve);
  analysis.designTipSpeedRatio = parameters.tipSpeedRatio;
  analysis.design =
      rotorPerformance(analysis.blade, analysis.airfoil, analysis.conditions, parameters.tipSpeedRatio);
  return analysis;
}

DesignAnalysis analyseDesign(const BladeGeometry& geometry, const DesignParameters& parameters,
                             const AnalysisOptions& options) {
  return analyseDesign(analysedBlade(geometry, parameters, options), parameters);
}

std::string performanceCurveCsv(const DesignAnalysis& analysis) {
  std::string text =
      "tip_speed_ratio,power_coefficient,thrust_coefficient,power_W,torque_Nm,thrust_N,rpm,unsolved_"
      "sections\r\n";
  for (const RotorPerformance& point : analysis.curve) {
    for (double value : {point.tipSpeedRatio, point.powerCoefficient, point.thrustCoefficient, point.power,
                         point.torque, point.thrust, point.rotorSpeedRpm})
      text += numberToText(value) + ",";
    text += integerToText(static_cast<std::int32_t>(point.unsolvedRadii.size())) + "\r\n";
  }
  return text;
}

namespace {

// The best point, or where the curve's best stands at its edge and the power may rise beyond.
std::string bestLine(const DesignAnalysis& analysis) {
  const BestTipSpeedRatio& best = analysis.best;
  std::string line =
      "Best tip speed ratio " + figureText(best.tipSpeedRatio) + ", Cp " + figureText(best.powerCoefficient);
  if (!best.atEdge) return line;
  return line + " (at the edge of the tip speed ratios analysed, " +
         figureText(analysis.curve.front().tipSpeedRatio) + " to " +
         figureText(analysis.curve.back().tipSpeedRatio) + ")";
}

}  // namespace

std::vector<std::string> performanceLines(const DesignAnalysis& analysis) {
  const RotorPerformance& design = analysis.design;
  std::string wind = " at " + numberToText(analysis.conditions.windSpeed) + " m/s wind";
  return {
      "Power " + figureText(design.power) + " W, Cp " + figureText(design.powerCoefficient) +
          " at tip speed ratio " + numberToText(analysis.designTipSpeedRatio),
      bestLine(analysis),
      "Thrust " + figureText(design.thrust) + " N" + wind,
      "Root flapwise bending moment " + figureText(design.rootFlapMoment) + " N m" + wind,
  };
}

std::string unsolvedSectionsWarning(const DesignAnalysis& analysis) {
  UnsolvedTally tally;
  tally.add(analysis.design);
  for (const RotorPerformance& point : analysis.curve)
    tally.add(point);
  if (tally.count == 0) return {};
  return "no momentum balance for " + numberToText(static_cast<double>(tally.count)) +
         " sections of the curve (radius " + numberToText(tally.lowest) + " to " +
         numberToText(tally.highest) + " mm); they are counted as carrying no load";
}

double designReynolds(const RotorBlade& blade, const DesignParameters& parameters, double airDensity) {
  assert(!blade.sections.empty());
  double radius = kDesignPolarRadiusShare * blade.tipRadius;
  auto nearest = std::min_element(blade.sections.begin(), blade.sections.end(),
                                  [radius](const BladeSection& a, const BladeSection& b) {
                                    return std::fabs(a.radius - radius) < std::fabs(b.radius - radius);
                                  });
  double localSpeedRatio = parameters.tipSpeedRatio * nearest->radius / blade.tipRadius;
  double speed = parameters.maxWindSpeed * std::hypot(1.0, localSpeedRatio);
  return airDensity * speed * nearest->chord * kMillimetre / Conditions{}.airViscosity;
}

std::optional<std::string> findDesignPolarProblem(const DesignParameters& parameters,
                                                  std::optional<double> reynolds) {
  if (auto problem = findNacaModelProblem(profileOf(parameters))) return problem;
  if (reynolds && !(*reynolds >= kNacaModelLowestReynolds && *reynolds <= kNacaModelHighestReynolds))
    return "--reynolds must be from 50,000 to 10,000,000: the range the built-in model is checked over";
  if (!reynolds && !(parameters.maxWindSpeed > 0))
    return "--write-polar needs --reynolds RE when the maximum operating wind speed is 0";
  return std::nullopt;
}

std::string designPolarText(const BladeGeometry& geometry, const DesignParameters& parameters,
                            Surface surface, std::optional<double> reynolds) {
  assert(!findDesignPolarProblem(parameters, reynolds));
  RotorBlade blade = rotorBladeAsBuilt(geometry, parameters);
  double re = std::clamp(reynolds.value_or(designReynolds(blade, parameters, kSeaLevelAirDensity)),
                         kNacaModelLowestReynolds, kNacaModelHighestReynolds);
  Airfoil airfoil = bladeAirfoil(blade, parameters, surface, {re, re});
  Polar polar = sampledPolar(airfoil, re, kDesignPolarFirst, kDesignPolarLast, kDesignPolarStep);
  std::string description =
      "Zephyrion's built-in polar of NACA " + parameters.nacaCode + ", Reynolds number " + figureText(re) +
      ", " + (surface == Surface::kRough ? "rough (tripped)" : "smooth") +
      " surface\nPast the stalls, Viterna and Corrigan's extension to a flat plate's drag of " +
      figureText(airfoil.maxDrag) + " at 90 degrees";
  return polarFileText(polar, description);
}

}  // namespace zephyrion::rotor
