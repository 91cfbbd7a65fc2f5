#include "rotor/naca_polar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kReferenceReynolds = 6e6;
constexpr double kLinearShareOfStall = 0.7;
constexpr double kDragRise = 0.02;
constexpr double kLargestStep = 0.25;  // degrees

// Slope of the NACA four-digit mean line at x (fraction of chord).
double meanLineSlope(const NacaProfile& profile, double x) {
  double m = profile.maxCamber;
  double p = profile.camberPosition;
  if (x <= p) return 2.0 * m / (p * p) * (p - x);
  return 2.0 * m / ((1.0 - p) * (1.0 - p)) * (p - x);
}

// Largest lift of the smooth symmetric section at Re = 6 million, from its thickness.
double symmetricMaxLift(double thickness) {
  constexpr std::array<std::pair<double, double>, 7> kByThickness = {
      {{0.06, 0.9}, {0.09, 1.3}, {0.12, 1.6}, {0.15, 1.6}, {0.18, 1.5}, {0.24, 1.3}, {0.30, 1.2}}};
  if (thickness <= kByThickness.front().first) return kByThickness.front().second;
  for (std::size_t i = 1; i < kByThickness.size(); ++i) {
    auto [t1, lift1] = kByThickness[i];
    if (thickness <= t1) {
      auto [t0, lift0] = kByThickness[i - 1];
      return lift0 + (thickness - t0) / (t1 - t0) * (lift1 - lift0);
    }
  }
  return kByThickness.back().second;
}

double clampedReynolds(double reynolds) {
  return std::clamp(reynolds, kNacaModelLowestReynolds, kNacaModelHighestReynolds);
}

// Lift at an angle between the two stalls: straight, bent over as a parabola near each stall.
double modelLift(const NacaSectionModel& model, double alphaDegrees) {
  double slope = model.liftSlopePerDegree;
  double centre = model.zeroAlphaLift / 2.0;
  double straightUpper = centre + kLinearShareOfStall * (model.maxLift - centre);
  double straightLower = centre + kLinearShareOfStall * (model.minLift - centre);
  double alphaUpper = model.zeroLiftAlphaDegrees + straightUpper / slope;
  double alphaLower = model.zeroLiftAlphaDegrees + straightLower / slope;
  if (alphaDegrees > alphaUpper) {
    double d = alphaDegrees - alphaUpper;
    return straightUpper + slope * d - slope * d * d / (2.0 * (model.stallAlphaDegrees - alphaUpper));
  }
  if (alphaDegrees < alphaLower) {
    double d = alphaDegrees - alphaLower;
    return straightLower + slope * d + slope * d * d / (2.0 * (alphaLower - model.negativeStallAlphaDegrees));
  }
  return slope * (alphaDegrees - model.zeroLiftAlphaDegrees);
}

}  // namespace

double thinAirfoilZeroLiftAngle(const NacaProfile& profile) {
  constexpr int kSteps = 4000;
  double sum = 0;
  for (int i = 0; i < kSteps; ++i) {
    double theta = (i + 0.5) * kPi / kSteps;
    double x = (1.0 - std::cos(theta)) / 2.0;
    sum += meanLineSlope(profile, x) * (std::cos(theta) - 1.0);
  }
  return -sum / kSteps * kDegreesPerRadian;  // -1/pi x (sum x pi / steps), in degrees
}

NacaSectionModel nacaSectionModel(const NacaProfile& profile, double reynolds) {
  double re = clampedReynolds(reynolds);
  double t = profile.thicknessRatio;
  NacaSectionModel model;
  model.zeroLiftAlphaDegrees = profile.maxCamber > 0 ? thinAirfoilZeroLiftAngle(profile) : 0.0;
  model.liftSlopePerDegree = 0.9 * 2.0 * kPi * (1.0 + 0.77 * t) / kDegreesPerRadian;
  model.zeroAlphaLift = -model.liftSlopePerDegree * model.zeroLiftAlphaDegrees;
  double stallLift = symmetricMaxLift(t) * std::pow(re / kReferenceReynolds, 0.1);
  double centre = model.zeroAlphaLift / 2.0;
  model.maxLift = centre + stallLift;
  model.minLift = centre - stallLift;
  // The parabola leaves the straight line with its slope and meets stall level: it spans twice
  // the angle the straight line would need for the remaining lift.
  double straightAlpha =
      model.zeroLiftAlphaDegrees + (centre + kLinearShareOfStall * stallLift) / model.liftSlopePerDegree;
  double roundSpan = 2.0 * (1.0 - kLinearShareOfStall) * stallLift / model.liftSlopePerDegree;
  model.stallAlphaDegrees = straightAlpha + roundSpan;
  double straightAlphaBelow =
      model.zeroLiftAlphaDegrees + (centre - kLinearShareOfStall * stallLift) / model.liftSlopePerDegree;
  model.negativeStallAlphaDegrees = straightAlphaBelow - roundSpan;
  model.minDrag = 2.0 * 0.074 * std::pow(re, -0.2) * (1.0 + 2.0 * t + 60.0 * std::pow(t, 4.0));
  return model;
}

Polar nacaPolar(const NacaProfile& profile, double reynolds) {
  NacaSectionModel model = nacaSectionModel(profile, reynolds);
  double first = model.negativeStallAlphaDegrees;
  double span = model.stallAlphaDegrees - first;
  int steps = static_cast<int>(std::ceil(span / kLargestStep));
  Polar polar;
  polar.reynolds = reynolds;
  for (int i = 0; i <= steps; ++i) {
    double alpha = i == steps ? model.stallAlphaDegrees : first + span * i / steps;
    double lift = modelLift(model, alpha);
    double excess = lift - model.zeroAlphaLift;
    polar.points.push_back({alpha, lift, model.minDrag + kDragRise * excess * excess});
  }
  return polar;
}

Airfoil nacaAirfoil(const NacaProfile& profile, double maxDrag) {
  std::vector<Polar> polars;
  for (double reynolds : {1e5, 2e5, 5e5, 1e6, 2e6, 5e6, 1e7})
    polars.push_back(nacaPolar(profile, reynolds));
  return makeAirfoil(std::move(polars), maxDrag);
}

}  // namespace zephyrion::rotor
