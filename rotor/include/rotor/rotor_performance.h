// Steady performance of the whole rotor: the sections' loads from blade element momentum theory
// (bem.h), summed along the blade and over the blades.
#pragma once

#include <vector>

#include "rotor/airfoil.h"
#include "rotor/bem.h"
#include "rotor/rotor_blade.h"

namespace zephyrion::rotor {

struct Conditions {
  double windSpeed = 10;          // m/s
  double airDensity = 1.225;      // kg/m^3
  double airViscosity = 1.81e-5;  // Pa s
  BemOptions options;
};

struct RotorPerformance {
  double tipSpeedRatio = 0;
  double rotorSpeedRpm = 0;
  double power = 0;                       // W
  double torque = 0;                      // N m
  double thrust = 0;                      // N, all blades
  double powerCoefficient = 0;            // power / (rho/2 pi R^2 V^3)
  double thrustCoefficient = 0;           // thrust / (rho/2 pi R^2 V^2)
  double rootFlapMoment = 0;              // N m, one blade's out-of-plane moment at the hub radius
  std::vector<double> unsolvedRadii;      // mm: sections without a solution, left out of the sums
  std::vector<StationSolution> stations;  // one per section of the blade, in its order
};

// The Reynolds numbers the blade's sections meet in the analysis as the blade element solution
// reckons them (the chord and the relative speed without induction): from a section in the wind
// alone to the fastest at the highest tip speed ratio; sections without chord are left out. Both
// ends within the NACA model's range (naca_polar.h).
ReynoldsRange bladeReynoldsRange(const RotorBlade& blade, const Conditions& conditions,
                                 double highestTipSpeedRatio);

// The rotor at one tip speed ratio. The loads per metre are integrated by the trapezoid rule
// over the sections' radii.
RotorPerformance rotorPerformance(const RotorBlade& blade, const Airfoil& airfoil,
                                  const Conditions& conditions, double tipSpeedRatio);

// The rotor at each of the tip speed ratios (each above 0), in their order.
std::vector<RotorPerformance> performanceCurve(const RotorBlade& blade, const Airfoil& airfoil,
                                               const Conditions& conditions,
                                               const std::vector<double>& tipSpeedRatios);

struct BestTipSpeedRatio {
  double tipSpeedRatio = 0;
  double powerCoefficient = 0;
  // The curve's best point is its first or last: the power may rise further outside it.
  bool atEdge = false;
};

// The tip speed ratio of the largest power coefficient: the curve's best point, refined to about
// 0.001 by Brent's minimisation between its neighbours (brent_maximum.h); at the curve's edge its
// last point, said to be there. The curve is not empty.
BestTipSpeedRatio bestTipSpeedRatio(const RotorBlade& blade, const Airfoil& airfoil,
                                    const Conditions& conditions, const std::vector<RotorPerformance>& curve);

// The tip speed ratio of the unloaded rotor: where its power, searched upwards from `from`,
// falls to zero (stepped by 1, then closed by Brent's root-finder to 0.001). Up to
// kHighestRunawayRatio; a rotor that still makes power there is said to, and taken there.
inline constexpr double kHighestRunawayRatio = 40;
struct Runaway {
  double tipSpeedRatio = 0;
  bool found = true;
};
Runaway runawayTipSpeedRatio(const RotorBlade& blade, const Airfoil& airfoil, const Conditions& conditions,
                             double from);

}  // namespace zephyrion::rotor
