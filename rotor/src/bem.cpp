#include "rotor/bem.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <optional>
#include <utility>

#include "brent_root.h"
#include "units.h"

namespace zephyrion::rotor {
namespace {

constexpr double kBracketGap = 1e-6;       // rad: the brackets stop short of 0 and pi, where sin phi = 0
constexpr double kAngleTolerance = 1e-10;  // rad
constexpr int kMaxSteps = 200;
constexpr double kNoLossExponent = 35;
constexpr double kNeighbourSpan = 0.1;  // the narrow bracket's half width, a share of the angle

// What one section needs for its residual, fixed for the operating point.
struct Section {
  double radius = 0;           // m
  double localSpeedRatio = 0;  // Omega r / V
  double solidity = 0;         // B c / (2 pi r)
  double twist = 0;            // rad
  bool tipLoss = false;
  double tipLossScale = 0;  // B/2 (R - r) / r
  bool hubLoss = false;
  double hubLossScale = 0;  // B/2 (r - Rh) / Rh
  double reynolds = 0;      // of the chord and the relative speed without induction
  AirfoilAtReynolds airfoil;
};

// Everything that follows from one inflow angle.
struct InflowState {
  double residual = 0;
  double axialInduction = 0;
  double tangentialInduction = 0;
  double lossFactor = 1;
  SectionCoefficients coefficients;
  bool physical = true;  // false in the propeller brake state with k <= 1
};

double prandtlFactor(bool applies, double scale, double absSinPhi) {
  if (!applies) return 1.0;
  double f = scale / absSinPhi;
  // Far from the tip or the hub the factor differs from 1 by 2/pi exp(-f), below 1e-15 here.
  if (f > kNoLossExponent) return 1.0;
  return 2.0 / kPi * std::acos(std::exp(-f));
}

// Buhl's turbulent-wake thrust 8/9 + (4F - 40/9) a + (50/9 - 4F) a^2 set equal to the blade
// element's 4 F k (1 - a)^2 is the quadratic g3 a^2 - 2 g1 a + (2Fk - 4/9) = 0 with
// g1 = 2Fk - (10/9 - F) and g3 = 2Fk - (25/9 - 2F), whose discriminant over 4 is
// g2 = 2Fk - F (4/3 - F). The root that meets momentum theory at a = 0.4 is (g1 - sqrt g2) / g3,
// written as (2Fk - 4/9) / (g1 + sqrt g2) where g3 is near 0.
double buhlInduction(double k, double lossFactor) {
  double twoFk = 2.0 * lossFactor * k;
  double g1 = twoFk - (10.0 / 9.0 - lossFactor);
  double g2 = twoFk - lossFactor * (4.0 / 3.0 - lossFactor);
  double g3 = twoFk - (25.0 / 9.0 - 2.0 * lossFactor);
  double root = std::sqrt(g2);
  if (std::fabs(g3) >= 0.1) return (g1 - root) / g3;
  return (twoFk - 4.0 / 9.0) / (g1 + root);
}

InflowState inflowState(const Section& s, double phi) {
  InflowState state;
  double sinPhi = std::sin(phi);
  double cosPhi = std::cos(phi);
  double absSin = std::fabs(sinPhi);
  state.lossFactor =
      prandtlFactor(s.tipLoss, s.tipLossScale, absSin) * prandtlFactor(s.hubLoss, s.hubLossScale, absSin);
  state.coefficients = sectionCoefficients(s.airfoil, phi - s.twist);
  double cl = state.coefficients.lift;
  double cd = state.coefficients.drag;
  double cn = cl * cosPhi + cd * sinPhi;
  double ct = cl * sinPhi - cd * cosPhi;
  double F = state.lossFactor;
  double k = s.solidity * cn / (4.0 * F * sinPhi * sinPhi);
  double tangentialLoad = s.solidity * ct / (4.0 * F * sinPhi);  // k' cos phi
  double inverseOneMinusA;
  if (phi > 0 && k <= 2.0 / 3.0) {
    state.axialInduction = k / (1.0 + k);
    inverseOneMinusA = 1.0 + k;
  } else if (phi > 0) {
    state.axialInduction = buhlInduction(k, F);
    inverseOneMinusA = 1.0 / (1.0 - state.axialInduction);
  } else {
    state.physical = k > 1.0;
    state.axialInduction = k / (k - 1.0);
    inverseOneMinusA = 1.0 - k;
  }
  state.residual = sinPhi * inverseOneMinusA - (cosPhi - tangentialLoad) / s.localSpeedRatio;
  // a' = k' / (1 - k'), with k' = tangentialLoad / cos phi.
  state.tangentialInduction = tangentialLoad / (cosPhi - tangentialLoad);
  return state;
}

Section sectionAt(const BladeSection& bladeSection, const RotorBlade& blade, const Airfoil& airfoil,
                  const OperatingPoint& flow, const BemOptions& options) {
  Section s;
  s.radius = bladeSection.radius * kMillimetre;
  double chord = bladeSection.chord * kMillimetre;
  double blades = blade.bladeCount;
  s.localSpeedRatio = flow.rotorSpeed * s.radius / flow.windSpeed;
  s.solidity = blades * chord / (2.0 * kPi * s.radius);
  s.twist = bladeSection.twistDegrees * kPi / 180.0;
  s.tipLoss = options.tipLoss;
  s.tipLossScale = blades / 2.0 * (blade.tipRadius - bladeSection.radius) / bladeSection.radius;
  s.hubLoss = options.hubLoss && blade.hubRadius > 0;
  if (s.hubLoss) s.hubLossScale = blades / 2.0 * (bladeSection.radius - blade.hubRadius) / blade.hubRadius;
  double speed = std::hypot(flow.windSpeed, flow.rotorSpeed * s.radius);
  s.reynolds = flow.airDensity * speed * chord / flow.airViscosity;
  s.airfoil = airfoilAtReynolds(airfoil, s.reynolds);
  return s;
}

// A zero of the residual in [low, high] when it changes sign there.
std::optional<double> rootBetween(const Section& s, double low, double high) {
  auto residual = [&s](double phi) { return inflowState(s, phi).residual; };
  double fLow = residual(low);
  double fHigh = residual(high);
  if (!std::isfinite(fLow) || !std::isfinite(fHigh) || (fLow > 0) == (fHigh > 0)) {
    if (fLow == 0.0) return low;
    if (fHigh == 0.0) return high;
    return std::nullopt;
  }
  return brentRoot(residual, low, high, fLow, fHigh, kAngleTolerance, kMaxSteps);
}

// Ning's brackets in his order: the windmill and turbulent-wake states, the propeller brake,
// then inflow from behind the rotor plane. A zero in the propeller brake with k <= 1 balances
// no real flow, so the search goes on past it. A neighbouring section's angle, when given, is
// tried first in a narrow bracket inside the windmill states': the inflow angle changes little
// from one section to the next, so a sign change there is usual and Brent's method closes it in
// half the steps.
std::optional<double> solveInflowAngle(const Section& s, std::optional<double> neighbourAngle) {
  if (neighbourAngle && *neighbourAngle > 0 && *neighbourAngle < kPi / 2.0) {
    double low = std::max(kBracketGap, *neighbourAngle * (1.0 - kNeighbourSpan));
    double high = std::min(kPi / 2.0, *neighbourAngle * (1.0 + kNeighbourSpan));
    if (std::optional<double> phi = rootBetween(s, low, high)) return phi;
  }
  const std::pair<double, double> brackets[] = {
      {kBracketGap, kPi / 2.0}, {-kPi / 4.0, -kBracketGap}, {kPi / 2.0, kPi - kBracketGap}};
  for (auto [low, high] : brackets) {
    std::optional<double> phi = rootBetween(s, low, high);
    // Only the propeller brake (phi < 0) has states that balance no real flow.
    if (phi && (*phi > 0 || inflowState(s, *phi).physical)) return phi;
  }
  return std::nullopt;
}

// The loads where the velocity triangle closes.
StationSolution solutionAt(const Section& s, const BladeSection& bladeSection, const OperatingPoint& flow,
                           double phi) {
  InflowState state = inflowState(s, phi);
  StationSolution solution;
  solution.reynolds = s.reynolds;
  solution.inflowAngle = phi;
  solution.angleOfAttack = phi - s.twist;
  solution.lift = state.coefficients.lift;
  solution.drag = state.coefficients.drag;
  solution.lossFactor = state.lossFactor;
  solution.axialInduction = state.axialInduction;
  solution.tangentialInduction = state.tangentialInduction;
  double axial = flow.windSpeed * (1.0 - state.axialInduction);
  double tangential = flow.rotorSpeed * s.radius * (1.0 + state.tangentialInduction);
  solution.relativeSpeed = std::hypot(axial, tangential);
  double dynamicPressureChord = 0.5 * flow.airDensity * solution.relativeSpeed * solution.relativeSpeed *
                                bladeSection.chord * kMillimetre;
  solution.normalForce =
      dynamicPressureChord * (solution.lift * std::cos(phi) + solution.drag * std::sin(phi));
  solution.tangentialForce =
      dynamicPressureChord * (solution.lift * std::sin(phi) - solution.drag * std::cos(phi));
  solution.solved = true;
  return solution;
}

}  // namespace

StationSolution solveStation(const BladeSection& bladeSection, const RotorBlade& blade,
                             const Airfoil& airfoil, const OperatingPoint& flow, const BemOptions& options,
                             std::optional<double> neighbourAngle) {
  assert(bladeSection.radius > 0 && bladeSection.radius <= blade.tipRadius);
  assert(flow.windSpeed > 0 && flow.rotorSpeed > 0);
  Section s = sectionAt(bladeSection, blade, airfoil, flow, options);
  StationSolution unloaded;
  unloaded.reynolds = s.reynolds;
  if ((s.tipLoss && s.tipLossScale == 0.0) || (s.hubLoss && s.hubLossScale == 0.0)) {
    unloaded.solved = true;
    unloaded.lossFactor = 0;
    return unloaded;
  }
  std::optional<double> phi = solveInflowAngle(s, neighbourAngle);
  if (!phi) return unloaded;
  StationSolution solution = solutionAt(s, bladeSection, flow, *phi);
  if (!std::isfinite(solution.normalForce) || !std::isfinite(solution.tangentialForce)) return unloaded;
  return solution;
}

StationSolution parkedStation(const BladeSection& bladeSection, const Airfoil& airfoil,
                              const OperatingPoint& flow) {
  double chord = bladeSection.chord * kMillimetre;
  StationSolution parked;
  parked.solved = true;
  parked.inflowAngle = kPi / 2.0;
  parked.angleOfAttack = kPi / 2.0 - bladeSection.twistDegrees * kPi / 180.0;
  parked.relativeSpeed = flow.windSpeed;
  parked.reynolds = flow.airDensity * flow.windSpeed * chord / flow.airViscosity;
  SectionCoefficients c =
      sectionCoefficients(airfoilAtReynolds(airfoil, parked.reynolds), parked.angleOfAttack);
  parked.lift = c.lift;
  parked.drag = c.drag;
  double dynamicPressureChord = 0.5 * flow.airDensity * flow.windSpeed * flow.windSpeed * chord;
  parked.normalForce = dynamicPressureChord * c.drag;
  parked.tangentialForce = dynamicPressureChord * c.lift;
  return parked;
}

}  // namespace zephyrion::rotor
