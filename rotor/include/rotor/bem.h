// Blade element momentum theory for one blade section: the inflow angle at which the section's
// lift and drag balance the momentum taken from the annulus of air it sweeps.
//
// The balance is solved as one equation in the inflow angle phi (Ning, "A simple solution method
// for the blade element momentum equations with guaranteed convergence", Wind Energy 17, 2014).
// With the local speed ratio lr = Omega r / V, the local solidity s = B c / (2 pi r), the
// section's normal and tangential force coefficients cn = cl cos phi + cd sin phi and
// ct = cl sin phi - cd cos phi, and the loss factor F,
//     k = s cn / (4 F sin^2 phi),   k' = s ct / (4 F sin phi cos phi),
// the induction factors follow from phi alone:
// - phi > 0, k <= 2/3: momentum theory, a = k / (1 + k);
// - phi > 0, k > 2/3: the turbulent wake state, where momentum theory fails, by Buhl's
//   empirical thrust CT = 8/9 + (4F - 40/9) a + (50/9 - 4F) a^2 (NREL/TP-500-36834, 2005),
//   which meets momentum theory at a = 0.4 with the same slope;
// - phi < 0: the propeller brake state, a = k / (k - 1), physical only for k > 1;
// and a' = k' / (1 - k'). The residual
//     R(phi) = sin phi / (1 - a) - (cos phi - s ct / (4 F sin phi)) / lr
// is zero where the velocity triangle closes, tan phi = (1 - a) V / ((1 + a') Omega r); it is
// continuous in phi within each state, so a sign change brackets a solution that Brent's method
// finds without fail. The brackets are tried in Ning's order: (0, pi/2], then the propeller
// brake [-pi/4, 0), then [pi/2, pi). A section where none changes sign has no solution and is
// reported so.
//
// Losses: Prandtl's tip and hub factors, F = 2/pi acos(exp(-f)) with
// f = B/2 (R - r) / (r |sin phi|) at the tip and f = B/2 (r - Rh) / (Rh |sin phi|) at the hub.
#pragma once

#include <cstdint>
#include <optional>

#include "rotor/airfoil.h"
#include "rotor/rotor_blade.h"

namespace zephyrion::rotor {

struct BemOptions {
  bool tipLoss = true;
  bool hubLoss = true;  // only where the blade has a hub radius
};

// The air and how the rotor meets it.
struct OperatingPoint {
  double windSpeed = 0;           // m/s, far upstream
  double rotorSpeed = 0;          // rad/s
  double airDensity = 1.225;      // kg/m^3
  double airViscosity = 1.81e-5;  // Pa s, air at 15 degrees C
};

struct StationSolution {
  bool solved = false;       // false: no inflow angle balances this section; its loads are 0
  double inflowAngle = 0;    // phi, rad
  double angleOfAttack = 0;  // rad
  double reynolds = 0;
  double lift = 0;                 // cl
  double drag = 0;                 // cd
  double lossFactor = 1;           // F
  double axialInduction = 0;       // a
  double tangentialInduction = 0;  // a'
  double relativeSpeed = 0;        // W, m/s
  double normalForce = 0;          // N per metre of span, along the rotor axis (downwind)
  double tangentialForce = 0;      // N per metre of span, in the rotor plane (driving the rotor)
};

// Solves one section of the blade (its radius strictly between 0 and the tip, or at the tip).
// A section where the loss factor is 0 (at the tip, or on the hub radius) carries nothing and
// counts as solved. `neighbourAngle`, the inflow angle of the section beside it at the same
// operating point, speeds the search; any root it finds balances the section as well.
StationSolution solveStation(const BladeSection& section, const RotorBlade& blade, const Airfoil& airfoil,
                             const OperatingPoint& flow, const BemOptions& options,
                             std::optional<double> neighbourAngle = std::nullopt);

// One section of the rotor at rest (flow.rotorSpeed is not used). A parked rotor slows the wind
// so little that the induction is taken as 0: the section meets the undisturbed wind along the
// axis, at inflow angle 90 degrees and angle of attack 90 degrees less its twist, where the
// post-stall polar holds. Its drag then pushes downwind (normalForce) and its lift turns the
// rotor (tangentialForce): the torque a rotor starts with (blade element theory at zero speed,
// as in Wood, Small Wind Turbines, 2011, ch. 5).
StationSolution parkedStation(const BladeSection& section, const Airfoil& airfoil,
                              const OperatingPoint& flow);

}  // namespace zephyrion::rotor
