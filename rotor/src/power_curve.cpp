#include "rotor/power_curve.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

#include "brent_maximum.h"
#include "brent_root.h"
#include "rotor/bem.h"
#include "rotor/rotor_performance.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

// The best tip speed ratio is searched in this range with first steps of this share of the
// neighbour's ratio, to this tolerance: a power coefficient is flat at its top, so 0.03 off the
// best ratio costs some hundred-thousandths of the power.
constexpr double kLowestRatio = 0.1;
constexpr double kHighestRatio = 40;
constexpr double kFirstRatioGuess = 5;
constexpr double kRatioStep = 0.01;
constexpr double kRatioTolerance = 0.03;
// Past this distance below the neighbour's best ratio, the top speed holds the rotor for sure.
constexpr double kRatioMargin = 0.3;
constexpr int kMaxSteps = 100;
constexpr double kSpeedTolerance = 1e-7;  // relative, for the rotor speeds of the balances
constexpr double kWindTolerance = 1e-6;   // m/s, for the start and cut-in winds

// The rotor at one wind, remembering what it has computed: the searches come back to their
// best points and every bin needs the loads where they end.
class RotorAtWind {
 public:
  RotorAtWind(const RotorModel& rotor, double wind) : rotor_(rotor), wind_(wind) {}

  RotorLoads at(double rotorSpeed) {
    auto seen =
        std::find_if(seen_.begin(), seen_.end(), [&](const auto& s) { return s.first == rotorSpeed; });
    if (seen != seen_.end()) return seen->second;
    seen_.emplace_back(rotorSpeed, rotor_.loads(wind_, rotorSpeed));
    return seen_.back().second;
  }

  double speedAtRatio(double tipSpeedRatio) const { return tipSpeedRatio * wind_ / rotor_.radius; }

 private:
  const RotorModel& rotor_;
  double wind_;
  std::vector<std::pair<double, RotorLoads>> seen_;
};

// Where the rotor runs at one wind, and what it gives.
struct Operation {
  double rotorSpeed = 0;  // rad/s
  RotorLoads loads;
  double current = 0;
  double copperLoss = 0;
  double output = 0;
};

// The rotor speed at which the rotor's torque meets `load` (a torque that grows with the
// speed), bracketed by steps from `guess` that start at 2 % of it and double: 0 when even the
// rotor at rest cannot meet it, none when no speed up to 2^40 times the first step brings the
// torque below it.
template <class Load>
std::optional<double> balancedSpeed(RotorAtWind& rotor, Load load, double guess) {
  auto surplus = [&](double speed) { return rotor.at(speed).torque - load(speed); };
  double step = 0.02 * guess;
  double low = guess;
  double high = guess;
  double lowSurplus = surplus(guess);
  double highSurplus = lowSurplus;
  if (lowSurplus > 0) {
    for (int steps = 0; highSurplus > 0; ++steps, step *= 2) {
      if (steps == 40) return std::nullopt;
      low = high;
      lowSurplus = highSurplus;
      high += step;
      highSurplus = surplus(high);
    }
  } else {
    for (; lowSurplus <= 0; step *= 2) {
      if (low == 0) return 0.0;
      high = low;
      highSurplus = lowSurplus;
      low = std::max(0.0, low - step);
      lowSurplus = surplus(low);
    }
  }
  return brentRoot(surplus, low, high, lowSurplus, highSurplus, kSpeedTolerance * high, kMaxSteps);
}

// The rotor turning freely: its torque spent on the friction alone.
Operation freeRunning(RotorAtWind& rotor, double friction, double guess) {
  double speed = balancedSpeed(
                     rotor, [friction](double) { return friction; }, guess)
                     .value_or(0);
  return {speed, rotor.at(speed)};
}

double surplusPower(const RotorLoads& loads, double friction, double rotorSpeed) {
  return (loads.torque - friction) * rotorSpeed;
}

// What each strategy keeps from one bin to the next: the best tip speed ratio, and the rotor
// speeds of the last two bins (rad/s, 0 while the rotor stood).
struct Neighbour {
  std::optional<double> bestRatio;
  double lastSpeed = 0;
  double speedBefore = 0;

  void turned(double rotorSpeed) {
    speedBefore = lastSpeed;
    lastSpeed = rotorSpeed;
  }
};

// The speed of the last two bins carried on in a straight line; the best ratio's speed before.
double speedGuess(const Neighbour& neighbour, const RotorAtWind& rotor) {
  if (neighbour.lastSpeed > 0 && neighbour.speedBefore > 0)
    return std::max(neighbour.lastSpeed, 2 * neighbour.lastSpeed - neighbour.speedBefore);
  return rotor.speedAtRatio(kFirstRatioGuess);
}

Operation atBestRatio(RotorAtWind& rotor, const OperatingStrategy& strategy, Neighbour& neighbour) {
  double topSpeed = strategy.maxRpm / kRpmPerRadianPerSecond;
  double speed = topSpeed;
  bool heldAtTop = neighbour.bestRatio && rotor.speedAtRatio(*neighbour.bestRatio - kRatioMargin) > topSpeed;
  if (!heldAtTop) {
    double guess = neighbour.bestRatio.value_or(kFirstRatioGuess);
    auto power = [&](double ratio) { return rotor.at(rotor.speedAtRatio(ratio)).power; };
    Sample best = maximumNear(power, guess, kRatioStep * guess, kLowestRatio, kHighestRatio, kRatioTolerance,
                              kMaxSteps);
    neighbour.bestRatio = best.x;
    speed = std::min(speed, rotor.speedAtRatio(best.x));
  }
  RotorLoads loads = rotor.at(speed);
  double output = surplusPower(loads, strategy.frictionTorque, speed);
  if (!(output > 0)) return freeRunning(rotor, strategy.frictionTorque, speed);
  return {speed, loads, 0, 0, std::min(output, strategy.ratedPower)};
}

Operation atFixedSpeed(RotorAtWind& rotor, const OperatingStrategy& strategy) {
  double speed = strategy.fixedRpm / kRpmPerRadianPerSecond;
  RotorLoads loads = rotor.at(speed);
  double output = surplusPower(loads, strategy.frictionTorque, speed);
  if (!(output > 0)) return freeRunning(rotor, strategy.frictionTorque, speed);
  return {speed, loads, 0, 0, output};
}

// The alternator's constant in SI units: volts per rad/s, newton metres per ampere.
double machineConstant(const AlternatorConstants& alternator) {
  return alternator.voltsPerRpm * kRpmPerRadianPerSecond;
}

double alternatorCurrent(const AlternatorConstants& alternator, double rotorSpeed) {
  double overBattery = machineConstant(alternator) * rotorSpeed - alternator.batteryVolts;
  return overBattery > 0 ? overBattery / alternator.windingOhms : 0.0;
}

double alternatorCutInSpeed(const AlternatorConstants& alternator) {
  return alternator.batteryVolts / machineConstant(alternator);
}

Operation onAlternator(RotorAtWind& rotor, const OperatingStrategy& strategy, const Neighbour& neighbour) {
  const AlternatorConstants& alternator = strategy.alternator;
  auto load = [&](double speed) {
    return strategy.frictionTorque + machineConstant(alternator) * alternatorCurrent(alternator, speed);
  };
  double speed = balancedSpeed(rotor, load, speedGuess(neighbour, rotor)).value_or(0);
  Operation operation{speed, rotor.at(speed)};
  operation.current = alternatorCurrent(alternator, speed);
  operation.copperLoss = operation.current * operation.current * alternator.windingOhms;
  operation.output = alternator.batteryVolts * operation.current;
  return operation;
}

Operation operate(RotorAtWind& rotor, const OperatingStrategy& strategy, Neighbour& neighbour) {
  switch (strategy.control) {
    case Control::bestTipSpeedRatio:
      return atBestRatio(rotor, strategy, neighbour);
    case Control::fixedSpeed:
      return atFixedSpeed(rotor, strategy);
    case Control::alternator:
      return onAlternator(rotor, strategy, neighbour);
  }
  return {};
}

PowerCurvePoint pointOf(const RotorModel& rotor, double wind, const Operation& operation) {
  double windPower = 0.5 * rotor.airDensity * kPi * rotor.radius * rotor.radius * wind * wind * wind;
  PowerCurvePoint point;
  point.windSpeed = wind;
  point.rotorSpeedRpm = operation.rotorSpeed * kRpmPerRadianPerSecond;
  point.tipSpeedRatio = operation.rotorSpeed * rotor.radius / wind;
  point.powerCoefficient = operation.loads.power / windPower;
  point.rotorPower = operation.loads.power;
  point.torque = operation.loads.torque;
  point.thrust = operation.loads.thrust;
  point.current = operation.current;
  point.copperLoss = operation.copperLoss;
  point.output = operation.output;
  point.unsolvedSections = operation.loads.unsolvedSections;
  return point;
}

// The wind in (0, 25] m/s at which `surplus` first turns positive, from its first positive bin:
// Brent's root between that bin and the one below (or still air, where no torque acts and the
// surplus is -friction).
template <class Surplus>
std::optional<double> firstWindWhere(Surplus surplus, int firstBin, double friction) {
  if (firstBin >= kPowerCurveBins) return std::nullopt;
  double high = binWind(firstBin);
  double low = firstBin == 0 ? 0.0 : binWind(firstBin - 1);
  double lowSurplus = firstBin == 0 ? -friction : surplus(low);
  if (lowSurplus > 0) return low;
  auto root = brentRoot(surplus, low, high, lowSurplus, surplus(high), kWindTolerance, kMaxSteps);
  return root.value_or(high);
}

std::optional<double> startWind(const RotorModel& rotor, double friction) {
  auto surplus = [&](double wind) { return rotor.loads(wind, 0).torque - friction; };
  int bin = 0;
  while (bin < kPowerCurveBins && !(surplus(binWind(bin)) > 0))
    ++bin;
  return firstWindWhere(surplus, bin, friction);
}

// The rotor speed at which the strategy delivers, as a function of the wind (for the best
// ratio, at the ratio of its first delivering bin, as the best ratio varies little with wind).
double deliveringSpeed(const RotorModel& rotor, const OperatingStrategy& strategy,
                       const PowerCurvePoint& firstDelivering, double wind) {
  switch (strategy.control) {
    case Control::bestTipSpeedRatio:
      return std::min(strategy.maxRpm / kRpmPerRadianPerSecond,
                      firstDelivering.tipSpeedRatio * wind / rotor.radius);
    case Control::fixedSpeed:
      return strategy.fixedRpm / kRpmPerRadianPerSecond;
    case Control::alternator:
      return alternatorCutInSpeed(strategy.alternator);
  }
  return 0;
}

std::optional<double> cutInWind(const RotorModel& rotor, const OperatingStrategy& strategy,
                                const std::vector<PowerCurvePoint>& points, std::optional<double> start) {
  auto first =
      std::find_if(points.begin(), points.end(), [](const PowerCurvePoint& p) { return p.output > 0; });
  if (first == points.end() || !start) return std::nullopt;
  auto surplus = [&](double wind) {
    return rotor.loads(wind, deliveringSpeed(rotor, strategy, *first, wind)).torque - strategy.frictionTorque;
  };
  auto delivering =
      firstWindWhere(surplus, static_cast<int>(first - points.begin()), strategy.frictionTorque);
  return std::max(*start, delivering.value_or(first->windSpeed));
}

[[maybe_unused]] bool usable(const OperatingStrategy& s) {
  auto positive = [](double value) { return value > 0 && std::isfinite(value); };
  bool controlled = true;
  if (s.control == Control::bestTipSpeedRatio) controlled = positive(s.maxRpm) && s.ratedPower > 0;
  if (s.control == Control::fixedSpeed) controlled = positive(s.fixedRpm);
  if (s.control == Control::alternator)
    controlled = positive(s.alternator.voltsPerRpm) && positive(s.alternator.windingOhms) &&
                 positive(s.alternator.batteryVolts);
  return controlled && s.frictionTorque >= 0 && std::isfinite(s.frictionTorque);
}

RotorLoads parkedLoads(const RotorBlade& blade, const Airfoil& airfoil, double airDensity, double wind) {
  OperatingPoint flow;
  flow.windSpeed = wind;
  flow.airDensity = airDensity;
  RotorLoads loads;
  double previousTorque = 0;
  double previousThrust = 0;
  for (std::size_t i = 0; i < blade.sections.size(); ++i) {
    const BladeSection& section = blade.sections[i];
    StationSolution parked = parkedStation(section, airfoil, flow);
    double torque = parked.tangentialForce * section.radius * kMillimetre;
    if (i > 0) {
      double width = (section.radius - blade.sections[i - 1].radius) * kMillimetre;
      loads.torque += width * (torque + previousTorque) / 2.0;
      loads.thrust += width * (parked.normalForce + previousThrust) / 2.0;
    }
    previousTorque = torque;
    previousThrust = parked.normalForce;
  }
  loads.torque *= blade.bladeCount;
  loads.thrust *= blade.bladeCount;
  return loads;
}

}  // namespace

double binWind(int bin) {
  return kBinWidth * (bin + 1);
}

RotorModel bladeElementRotor(const RotorBlade& blade, const Airfoil& airfoil, double airDensity) {
  RotorModel model;
  model.radius = blade.tipRadius * kMillimetre;
  model.airDensity = airDensity;
  model.loads = [&blade, &airfoil, airDensity, radius = model.radius](double wind, double rotorSpeed) {
    if (rotorSpeed == 0) return parkedLoads(blade, airfoil, airDensity, wind);
    Conditions conditions;
    conditions.windSpeed = wind;
    conditions.airDensity = airDensity;
    RotorPerformance performance = rotorPerformance(blade, airfoil, conditions, rotorSpeed * radius / wind);
    return RotorLoads{performance.power, performance.torque, performance.thrust,
                      static_cast<std::int32_t>(performance.unsolvedRadii.size())};
  };
  return model;
}

PowerCurve powerCurve(const RotorModel& rotor, const OperatingStrategy& strategy) {
  assert(rotor.radius > 0 && rotor.airDensity > 0 && rotor.loads);
  assert(usable(strategy));
  PowerCurve curve;
  curve.startWind = startWind(rotor, strategy.frictionTorque);
  Neighbour neighbour;
  for (int bin = 0; bin < kPowerCurveBins; ++bin) {
    RotorAtWind atWind(rotor, binWind(bin));
    Operation operation;
    if (curve.startWind && binWind(bin) >= *curve.startWind) {
      operation = operate(atWind, strategy, neighbour);
      neighbour.turned(operation.rotorSpeed);
    } else {
      operation.loads = atWind.at(0);
    }
    curve.points.push_back(pointOf(rotor, binWind(bin), operation));
  }
  curve.cutInWind = cutInWind(rotor, strategy, curve.points, curve.startWind);
  return curve;
}

}  // namespace zephyrion::rotor
