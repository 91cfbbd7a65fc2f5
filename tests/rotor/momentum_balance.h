// The blade element and momentum equations of one section, restated from the textbook to check
// the analysis against (Manwell, McGowan and Rogers 3.8-3.10; Buhl's turbulent-wake thrust).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "rotor/bem.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::rotor {

inline constexpr double kPi = std::numbers::pi;

inline OperatingPoint operatingPointOf(const Conditions& conditions, const RotorBlade& blade,
                                       double tipSpeedRatio) {
  OperatingPoint flow;
  flow.windSpeed = conditions.windSpeed;
  flow.rotorSpeed = tipSpeedRatio * conditions.windSpeed / (blade.tipRadius / 1000);
  flow.airDensity = conditions.airDensity;
  flow.airViscosity = conditions.airViscosity;
  return flow;
}

inline double prandtlFactor(double blades, double distance, double radius, double sinPhi) {
  return 2 / kPi * std::acos(std::exp(-blades / 2 * distance / (radius * std::fabs(sinPhi))));
}

// Thrust coefficient of an annulus from momentum theory: 4 F a (1 - a) up to a = 0.4, Buhl's
// turbulent-wake line above it, and 4 F a (a - 1) in the propeller brake state (phi < 0).
inline double momentumThrust(double a, double F, double phi) {
  if (phi < 0) return 4 * F * a * (a - 1);
  if (a <= 0.4) return 4 * F * a * (1 - a);
  return 8.0 / 9 + (4 * F - 40.0 / 9) * a + (50.0 / 9 - 4 * F) * a * a;
}

// The section's forces per metre equal the momentum its annulus takes, per blade.
inline void expectBalanced(const StationSolution& s, const BladeSection& section, const RotorBlade& blade,
                           const OperatingPoint& flow) {
  double V = flow.windSpeed;
  double r = section.radius / 1000;
  double c = section.chord / 1000;
  double omega = flow.rotorSpeed;
  double B = blade.bladeCount;
  double phi = s.inflowAngle;
  double F = prandtlFactor(B, blade.tipRadius - section.radius, section.radius, std::sin(phi));
  if (blade.hubRadius > 0)
    F *= prandtlFactor(B, section.radius - blade.hubRadius, blade.hubRadius, std::sin(phi));
  if (section.radius >= blade.tipRadius) {
    EXPECT_EQ(s.normalForce, 0);
    EXPECT_EQ(s.tangentialForce, 0);
    return;
  }
  double a = s.axialInduction;
  double aPrime = s.tangentialInduction;
  double W = s.relativeSpeed;
  double cn = s.lift * std::cos(phi) + s.drag * std::sin(phi);
  double ct = s.lift * std::sin(phi) - s.drag * std::cos(phi);
  auto near = [](double x, double y) {
    return std::fabs(x - y) <= 1e-6 * (std::fabs(x) + std::fabs(y)) + 1e-9;
  };
  EXPECT_TRUE(near(s.angleOfAttack, phi - section.twistDegrees * kPi / 180));
  EXPECT_TRUE(near(W * std::sin(phi), V * (1 - a))) << "velocity triangle at r = " << section.radius;
  EXPECT_TRUE(near(W * std::cos(phi), omega * r * (1 + aPrime)))
      << "velocity triangle at r = " << section.radius;
  double thrustElement = B * 0.5 * W * W * c * cn;
  double thrustMomentum = 0.5 * V * V * 2 * kPi * r * momentumThrust(a, F, phi);
  EXPECT_TRUE(near(thrustElement, thrustMomentum))
      << "thrust at r = " << section.radius << ": " << thrustElement << " vs " << thrustMomentum << ", a "
      << a;
  double torqueElement = B * 0.5 * W * W * c * ct * r;
  double torqueMomentum = 4 * kPi * r * r * r * V * omega * (1 - a) * aPrime * F;
  EXPECT_TRUE(near(torqueElement, torqueMomentum))
      << "torque at r = " << section.radius << ": " << torqueElement << " vs " << torqueMomentum;
  EXPECT_TRUE(near(s.normalForce, flow.airDensity * 0.5 * W * W * c * cn));
  EXPECT_TRUE(near(s.tangentialForce, flow.airDensity * 0.5 * W * W * c * ct));
}

}  // namespace zephyrion::rotor
