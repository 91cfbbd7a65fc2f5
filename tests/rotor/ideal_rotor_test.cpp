// Rotors whose performance theory states in closed form: the analysis of blades shaped to the
// theory's optimum must reproduce the theory's power coefficient.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

#include "rotor/airfoil.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadius = 1000;  // mm
constexpr int kSections = 2000;
constexpr double kDesignLift = 1.0;

// Lift 2 pi alpha, and a constant drag.
Airfoil thinAirfoil(double drag) {
  Polar polar;
  for (double alpha = -20; alpha <= 20; alpha += 1)
    polar.points.push_back({alpha, 2 * kPi * alpha * kPi / 180, drag});
  return makeAirfoil({polar}, 1.2);
}

double designAlpha() {
  return kDesignLift / (2 * kPi);  // rad
}

// Glauert's optimum rotor with wake rotation, designed at tip speed ratio lambda: at local speed
// ratio x the inflow angle is 2/3 atan(1/x) and the chord 8 pi r (1 - cos phi) / (B cl),
// shrunk by `chordFactor(r, phi)` (Manwell, McGowan and Rogers, Wind Energy Explained, 3.11).
template <class ChordFactor>
RotorBlade glauertOptimumBlade(double lambda, int blades, ChordFactor chordFactor) {
  RotorBlade blade;
  blade.bladeCount = blades;
  blade.tipRadius = kRadius;
  for (int i = 1; i <= kSections; ++i) {
    double r = kRadius * i / kSections;
    double phi = 2.0 / 3.0 * std::atan(kRadius / (lambda * r));
    double chord = 8 * kPi * r * (1 - std::cos(phi)) / (blades * kDesignLift) * chordFactor(r, phi);
    blade.sections.push_back({r, chord, (phi - designAlpha()) * 180 / kPi});
  }
  return blade;
}

// Glauert's maximum power coefficient, 24 / lambda^2 Int_{1/4}^{a2} ((1 - a)(1 - 2a)(1 - 4a) /
// (1 - 3a))^2 da, with a2 the induction at the tip: lambda^2 = (1 - a)(1 - 4a)^2 / (1 - 3a).
double glauertPowerCoefficient(double lambda) {
  double low = 0.25;
  double high = 1.0 / 3.0;
  for (int i = 0; i < 100; ++i) {
    double a = (low + high) / 2;
    ((1 - a) * (1 - 4 * a) * (1 - 4 * a) / (1 - 3 * a) < lambda * lambda ? low : high) = a;
  }
  auto f = [](double a) {
    double g = (1 - a) * (1 - 2 * a) * (1 - 4 * a) / (1 - 3 * a);
    return g * g;
  };
  const int n = 20000;  // Simpson's rule
  double h = (low - 0.25) / n;
  double sum = f(0.25) + f(low);
  for (int i = 1; i < n; ++i)
    sum += (i % 2 ? 4 : 2) * f(0.25 + i * h);
  return 24 / (lambda * lambda) * sum * h / 3;
}

// The textbook prints three digits (0.4155 appears there as 0.416).
TEST(GlauertOptimumRotor, ClosedFormAgreesWithTheTextbookFigures) {
  EXPECT_NEAR(glauertPowerCoefficient(1), 0.416, 0.001);
  EXPECT_NEAR(glauertPowerCoefficient(5), 0.570, 0.001);
  EXPECT_NEAR(glauertPowerCoefficient(10), 0.585, 0.001);
}

TEST(GlauertOptimumRotor, WithoutDragOrLossesReachesGlauertsPowerCoefficient) {
  Conditions conditions;
  conditions.options.tipLoss = false;
  conditions.options.hubLoss = false;
  Airfoil airfoil = thinAirfoil(0);
  for (double lambda : {1.0, 2.0, 5.0, 7.5, 10.0}) {
    RotorBlade blade = glauertOptimumBlade(lambda, 3, [](double, double) { return 1.0; });
    RotorPerformance performance = rotorPerformance(blade, airfoil, conditions, lambda);
    double expected = glauertPowerCoefficient(lambda);
    std::printf("lambda %4.1f  Glauert %.5f  analysis %.5f  (%+.3f %%)\n", lambda, expected,
                performance.powerCoefficient, 100 * (performance.powerCoefficient / expected - 1));
    EXPECT_NEAR(performance.powerCoefficient, expected, 0.01 * expected) << "lambda " << lambda;
    EXPECT_TRUE(performance.unsolvedRadii.empty());
  }
}

// Prandtl's tip loss factor at radius r and inflow angle phi.
double prandtlTipFactor(int blades, double r, double phi) {
  if (r >= kRadius) return 0;
  return 2 / kPi * std::acos(std::exp(-blades / 2.0 * (kRadius - r) / (r * std::sin(phi))));
}

struct Design {
  double inflow = 0;  // rad
  double chord = 0;   // mm
};

// The section at local speed ratio x that takes the most power from its annulus, with tip loss
// and drag, working at the design lift. For an inflow angle phi the velocity triangle, tan phi =
// (1 - a) / (x (1 + a')), and the ratio of the momentum equations, a' / (1 + a') = a / (1 - a) g
// with g = tan phi ct / cn, give a = (1 - x tan phi) / (1 + g); the annulus yields power in
// proportion to F a' (1 - a), which is maximised over phi by golden-section search. The chord
// then follows from the axial momentum balance B c cn / (2 pi r) = 4 F sin^2 phi a / (1 - a).
Design optimumSection(int blades, double r, double x, double drag) {
  auto induction = [&](double phi) {
    double cn = kDesignLift * std::cos(phi) + drag * std::sin(phi);
    double ct = kDesignLift * std::sin(phi) - drag * std::cos(phi);
    double a = (1 - x * std::tan(phi)) / (1 + std::tan(phi) * ct / cn);
    double aPrime = (1 - a) / (x * std::tan(phi)) - 1;
    return std::pair{a, aPrime};
  };
  auto power = [&](double phi) {
    auto [a, aPrime] = induction(phi);
    return prandtlTipFactor(blades, r, phi) * aPrime * (1 - a);
  };
  const double golden = (std::sqrt(5.0) - 1) / 2;
  double low = 1e-6;
  double high = std::atan(1 / x);
  for (int i = 0; i < 60; ++i) {
    double x1 = high - golden * (high - low);
    double x2 = low + golden * (high - low);
    if (power(x1) < power(x2)) {
      low = x1;
    } else {
      high = x2;
    }
  }
  double phi = (low + high) / 2;
  auto [a, aPrime] = induction(phi);
  double cn = kDesignLift * std::cos(phi) + drag * std::sin(phi);
  double solidity = 4 * prandtlTipFactor(blades, r, phi) * std::sin(phi) * std::sin(phi) * a / (1 - a) / cn;
  return {phi, solidity * 2 * kPi * r / blades};
}

RotorBlade tipLossOptimumBlade(double lambda, int blades, double drag) {
  RotorBlade blade;
  blade.bladeCount = blades;
  blade.tipRadius = kRadius;
  for (int i = 1; i <= kSections; ++i) {
    double r = kRadius * i / kSections;
    Design design = optimumSection(blades, r, lambda * r / kRadius, drag);
    blade.sections.push_back({r, design.chord, (design.inflow - designAlpha()) * 180 / kPi});
  }
  return blade;
}

// Wilson, Lissaman and Walker's fit (1976) to the largest power coefficient of optimum rotors of
// B blades with tip loss and a section lift-to-drag ratio L/D, for lambda 4 to 20 (as Manwell,
// McGowan and Rogers quote it, 3.12):
// 16/27 lambda / (lambda + (1.32 + ((lambda - 8) / 20)^2) / B^(2/3)) - 0.57 lambda^2 / (L/D (lambda +
// 1/(2B))).
double wilsonLissamanWalker(double lambda, int blades, double liftToDrag) {
  double b = blades;
  double ideal = 16.0 / 27.0 * lambda /
                 (lambda + (1.32 + (lambda - 8) / 20 * (lambda - 8) / 20) / std::pow(b, 2.0 / 3.0));
  return ideal - 0.57 * lambda * lambda / (liftToDrag * (lambda + 1 / (2 * b)));
}

TEST(TipLossOptimumRotor, MatchesTheWilsonLissamanWalkerFitWithinFivePercent) {
  Conditions conditions;
  for (double liftToDrag : {50.0, 100.0}) {
    double drag = kDesignLift / liftToDrag;
    Airfoil airfoil = thinAirfoil(drag);
    for (double lambda = 4; lambda <= 10; lambda += 1) {
      RotorBlade blade = tipLossOptimumBlade(lambda, 3, drag);
      RotorPerformance performance = rotorPerformance(blade, airfoil, conditions, lambda);
      double fit = wilsonLissamanWalker(lambda, 3, liftToDrag);
      std::printf("L/D %3.0f  lambda %4.1f  fit %.4f  analysis %.4f  (%+.2f %%)\n", liftToDrag, lambda, fit,
                  performance.powerCoefficient, 100 * (performance.powerCoefficient / fit - 1));
      EXPECT_NEAR(performance.powerCoefficient, fit, 0.05 * fit)
          << "L/D " << liftToDrag << " lambda " << lambda;
      EXPECT_TRUE(performance.unsolvedRadii.empty());
    }
  }
}

}  // namespace
}  // namespace zephyrion::rotor
