#include "rotor/design_analysis.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

// Air at 7,000 m on a hot day, and at sea level at -50 degrees C.
constexpr double kLeastAirDensity = 0.5;
constexpr double kMostAirDensity = 1.6;

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

}  // namespace

std::optional<std::string> findAnalysisProblem(const DesignParameters& parameters,
                                               const AnalysisOptions& options) {
  if (!(parameters.maxWindSpeed > 0))
    return "The rotor analysis needs a maximum operating wind speed above 0";
  if (!(options.airDensity >= kLeastAirDensity && options.airDensity <= kMostAirDensity))
    return "--air-density must be from 0.5 to 1.6 kg/m3: the air at any height and in any weather a turbine "
           "stands in";
  return std::nullopt;
}

DesignAnalysis analyseDesign(const BladeGeometry& geometry, const DesignParameters& parameters,
                             const AnalysisOptions& options) {
  assert(!findAnalysisProblem(parameters, options));
  DesignAnalysis analysis;
  analysis.blade = rotorBladeAsBuilt(geometry, parameters);
  analysis.airfoil = bladeAirfoil(analysis.blade, parameters, options.polar);
  analysis.conditions.windSpeed = parameters.maxWindSpeed;
  analysis.conditions.airDensity = options.airDensity;
  analysis.curve = performanceCurve(analysis.blade, analysis.airfoil, analysis.conditions);
  analysis.best = bestTipSpeedRatio(analysis.blade, analysis.airfoil, analysis.conditions, analysis.curve);
  analysis.designTipSpeedRatio = parameters.tipSpeedRatio;
  analysis.design =
      rotorPerformance(analysis.blade, analysis.airfoil, analysis.conditions, parameters.tipSpeedRatio);
  return analysis;
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

std::vector<std::string> performanceLines(const DesignAnalysis& analysis) {
  const RotorPerformance& design = analysis.design;
  std::string wind = " at " + numberToText(analysis.conditions.windSpeed) + " m/s wind";
  return {
      "Power " + figureText(design.power) + " W, Cp " + figureText(design.powerCoefficient) +
          " at tip speed ratio " + numberToText(analysis.designTipSpeedRatio),
      "Best tip speed ratio " + figureText(analysis.best.tipSpeedRatio) + ", Cp " +
          figureText(analysis.best.powerCoefficient),
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

}  // namespace zephyrion::rotor
