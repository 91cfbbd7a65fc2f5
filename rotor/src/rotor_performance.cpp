#include "rotor/rotor_performance.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMillimetre = 1e-3;
constexpr double kBestTolerance = 1e-3;

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

RotorPerformance rotorPerformance(const RotorBlade& blade, const Airfoil& airfoil,
                                  const Conditions& conditions, double tipSpeedRatio) {
  OperatingPoint flow = operatingPointAt(blade, conditions, tipSpeedRatio);
  RotorPerformance result;
  result.tipSpeedRatio = tipSpeedRatio;
  result.rotorSpeedRpm = flow.rotorSpeed * 60.0 / (2.0 * kPi);
  double thrustPerBlade = 0;
  double torquePerBlade = 0;
  SectionLoads previous;
  for (std::size_t i = 0; i < blade.sections.size(); ++i) {
    const BladeSection& section = blade.sections[i];
    StationSolution solution = solveStation(section, blade, airfoil, flow, conditions.options);
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
  double low = best == curve.begin() ? best->tipSpeedRatio : (best - 1)->tipSpeedRatio;
  double high = best + 1 == curve.end() ? best->tipSpeedRatio : (best + 1)->tipSpeedRatio;
  auto cp = [&](double tsr) { return rotorPerformance(blade, airfoil, conditions, tsr).powerCoefficient; };
  const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
  double x1 = high - golden * (high - low);
  double x2 = low + golden * (high - low);
  double f1 = cp(x1);
  double f2 = cp(x2);
  while (high - low > kBestTolerance) {
    if (f1 < f2) {
      low = x1;
      x1 = x2;
      f1 = f2;
      x2 = low + golden * (high - low);
      f2 = cp(x2);
    } else {
      high = x2;
      x2 = x1;
      f2 = f1;
      x1 = high - golden * (high - low);
      f1 = cp(x1);
    }
  }
  BestTipSpeedRatio found{best->tipSpeedRatio, best->powerCoefficient,
                          best == curve.begin() || best + 1 == curve.end()};
  double middle = (low + high) / 2.0;
  double middleCp = cp(middle);
  if (middleCp > found.powerCoefficient) {
    found.tipSpeedRatio = middle;
    found.powerCoefficient = middleCp;
  }
  return found;
}

}  // namespace zephyrion::rotor
