#include "rotor/rotor_performance.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <optional>

#include "brent_maximum.h"
#include "brent_root.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

constexpr double kBestTolerance = 1e-3;
constexpr int kBestSteps = 40;
constexpr double kRunawayStep = 1;
constexpr double kRunawayTolerance = 1e-3;
constexpr int kMaxSteps = 100;

OperatingPoint operatingPointAt(const RotorBlade& blade, const Conditions& conditions, double tipSpeedRatio) {
  OperatingPoint flow;
  flow.windSpeed = conditions.windSpeed;
  flow.rotorSpeed = tipSpeedRatio * conditions.windSpeed / (blade.tipRadius * kMillimetre);
  flow.airDensity = conditions.airDensity;
  flow.airViscosity = conditions.airViscosity;
  return flow;
}

// Per-metre loads of one blade at one section, as the integrals need them.
struct SectionLoads {
  double thrust = 0;      // N/m
  double torque = 0;      // N m / m
  double flapMoment = 0;  // N m / m about the hub radius
};

SectionLoads loadsOf(const StationSolution& solution, const BladeSection& section, const RotorBlade& blade) {
  if (!solution.solved) return {};
  double radius = section.radius * kMillimetre;
  double armFromHub = (section.radius - blade.hubRadius) * kMillimetre;
  return {solution.normalForce, solution.tangentialForce * radius, solution.normalForce * armFromHub};
}

}  // namespace

ReynoldsRange bladeReynoldsRange(const RotorBlade& blade, const Conditions& conditions,
                                 double highestTipSpeedRatio) {
  double perChord = conditions.airDensity * conditions.windSpeed / conditions.airViscosity * kMillimetre;
  double lowest = std::numeric_limits<double>::infinity();
  double highest = 0;
  for (const BladeSection& section : blade.sections) {
    if (!(section.chord > 0)) continue;
    double inWind = perChord * section.chord;
    double fastest = inWind * std::hypot(1.0, highestTipSpeedRatio * section.radius / blade.tipRadius);
    if (inWind < lowest) lowest = inWind;  // a figure that is not a number never passes
    if (fastest > highest) highest = fastest;
  }
  if (!(lowest <= highest)) return {kNacaModelLowestReynolds, kNacaModelLowestReynolds};
  auto withinModel = [](double reynolds) {
    return reynolds >= kNacaModelHighestReynolds
               ? kNacaModelHighestReynolds
               : (reynolds >= kNacaModelLowestReynolds ? reynolds : kNacaModelLowestReynolds);
  };
  return {withinModel(lowest), withinModel(highest)};
}

RotorPerformance rotorPerformance(const RotorBlade& blade, const Airfoil& airfoil,
                                  const Conditions& conditions, double tipSpeedRatio) {
  OperatingPoint flow = operatingPointAt(blade, conditions, tipSpeedRatio);
  RotorPerformance result;
  result.tipSpeedRatio = tipSpeedRatio;
  result.rotorSpeedRpm = flow.rotorSpeed * 60.0 / (2.0 * kPi);
  double thrustPerBlade = 0;
  double torquePerBlade = 0;
  SectionLoads previous;
  std::optional<double> neighbourAngle;
  for (std::size_t i = 0; i < blade.sections.size(); ++i) {
    const BladeSection& section = blade.sections[i];
    StationSolution solution =
        solveStation(section, blade, airfoil, flow, conditions.options, neighbourAngle);
    neighbourAngle =
        solution.solved && solution.lossFactor > 0 ? std::optional(solution.inflowAngle) : std::nullopt;
    if (!solution.solved) result.unsolvedRadii.push_back(section.radius);
    SectionLoads loads = loadsOf(solution, section, blade);
    if (i > 0) {
      double width = (section.radius - blade.sections[i - 1].radius) * kMillimetre;
      thrustPerBlade += width * (loads.thrust + previous.thrust) / 2.0;
      torquePerBlade += width * (loads.torque + previous.torque) / 2.0;
      result.rootFlapMoment += width * (loads.flapMoment + previous.flapMoment) / 2.0;
    }
    previous = loads;
    result.stations.push_back(solution);
  }
  double blades = blade.bladeCount;
  double radius = blade.tipRadius * kMillimetre;
  double windForce =
      0.5 * conditions.airDensity * kPi * radius * radius * conditions.windSpeed * conditions.windSpeed;
  result.thrust = blades * thrustPerBlade;
  result.torque = blades * torquePerBlade;
  result.power = result.torque * flow.rotorSpeed;
  result.thrustCoefficient = result.thrust / windForce;
  result.powerCoefficient = result.power / (windForce * conditions.windSpeed);
  return result;
}

std::vector<RotorPerformance> performanceCurve(const RotorBlade& blade, const Airfoil& airfoil,
                                               const Conditions& conditions,
                                               const std::vector<double>& tipSpeedRatios) {
  std::vector<RotorPerformance> curve;
  curve.reserve(tipSpeedRatios.size());
  for (double tipSpeedRatio : tipSpeedRatios)
    curve.push_back(rotorPerformance(blade, airfoil, conditions, tipSpeedRatio));
  return curve;
}

BestTipSpeedRatio bestTipSpeedRatio(const RotorBlade& blade, const Airfoil& airfoil,
                                    const Conditions& conditions,
                                    const std::vector<RotorPerformance>& curve) {
  assert(!curve.empty());
  auto best =
      std::max_element(curve.begin(), curve.end(), [](const RotorPerformance& a, const RotorPerformance& b) {
        return a.powerCoefficient < b.powerCoefficient;
      });
  BestTipSpeedRatio found{best->tipSpeedRatio, best->powerCoefficient,
                          best == curve.begin() || best + 1 == curve.end()};
  if (found.atEdge) return found;
  auto cp = [&](double tsr) { return rotorPerformance(blade, airfoil, conditions, tsr).powerCoefficient; };
  Sample peak =
      brentMaximum(cp, {(best - 1)->tipSpeedRatio, (best - 1)->powerCoefficient},
                   {best->tipSpeedRatio, best->powerCoefficient},
                   {(best + 1)->tipSpeedRatio, (best + 1)->powerCoefficient}, kBestTolerance, kBestSteps);
  if (peak.f > found.powerCoefficient) {
    found.tipSpeedRatio = peak.x;
    found.powerCoefficient = peak.f;
  }
  return found;
}

Runaway runawayTipSpeedRatio(const RotorBlade& blade, const Airfoil& airfoil, const Conditions& conditions,
                             double from) {
  auto power = [&](double tsr) { return rotorPerformance(blade, airfoil, conditions, tsr).power; };
  double low = from;
  double lowPower = power(from);
  if (!(lowPower > 0)) return {from, true};
  if (from >= kHighestRunawayRatio) return {from, false};
  // Each step is formed from its index, so the steps do not add up rounding.
  for (int i = 1;; ++i) {
    double high = std::min(from + i * kRunawayStep, kHighestRunawayRatio);
    double highPower = power(high);
    if (!(highPower > 0)) {
      std::optional<double> root =
          brentRoot(power, low, high, lowPower, highPower, kRunawayTolerance, kMaxSteps);
      return {root.value_or((low + high) / 2.0), true};
    }
    if (high == kHighestRunawayRatio) return {high, false};
    low = high;
    lowPower = highPower;
  }
}

}  // namespace zephyrion::rotor
