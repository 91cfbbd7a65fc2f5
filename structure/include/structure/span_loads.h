// The loads a blade carries along its span as a cantilever clamped at its root row, and the
// stresses and bending they cause there.
//
// Each row carries everything that acts outboard of it, integrated by the trapezoid rule over
// the rows (radius r to the tip R):
// - tension from the centrifugal force, N(r) = omega^2 int_r^R m(r') r' dr';
// - the bending moments of the distributed forces q, M(r) = int_r^R q(r') (r' - r) dr', taken as
//   the integral of the shear V(r) = int_r^R q dr' (dM/dr = -V): flapwise from the forces along
//   the rotor axis, edgewise from those in the rotor plane;
// - edgewise, the moment of the blade's own weight g m(r) with the blade level. It turns with
//   the rotor, so it adds to the aerodynamic edgewise moment one way round and takes from it the
//   other; the stress takes the worse.
// The section works as a straight beam in tension and unsymmetric bending, plane sections
// staying plane (Boresi and Schmidt, Advanced Mechanics of Materials, 6th ed. 2003, ch. 7,
// nonsymmetrical bending): about the centroid, sigma = N / A + a X + b Y with
//   a Iy + b Ixy = -M_edge,  a Ixy + b Ix = -M_flap
// (Ix = int Y^2 dA, Iy = int X^2 dA, Ixy = int X Y dA): the outboard forces' moments balanced
// by the stresses' (a load downwind compresses the downwind side). The stress is largest on the
// outline, at one of its points. The span axis bends with the curvature (kappa_x, kappa_y) =
// -(a, b) / E, and the tip's flapwise deflection is kappa_y integrated twice from the root,
// where the blade is clamped level.
#pragma once

#include <span>
#include <vector>

#include "structure/section_properties.h"

namespace zephyrion::structure {

inline constexpr double kStandardGravity = 9.80665;  // m/s^2
inline constexpr double kMetresPerMillimetre = 1e-3;

// What acts on one metre of span at a row.
struct LineLoad {
  double mass = 0;      // kg/m
  double flapwise = 0;  // N/m along the rotor axis, downwind
  double edgewise = 0;  // N/m in the rotor plane, towards the trailing edge (against the motion)
};

// What a row carries from everything outboard of it.
struct SectionLoads {
  double axialForce = 0;    // N, tension
  double flapMoment = 0;    // N m, of the flapwise forces
  double edgeMoment = 0;    // N m, of the edgewise forces
  double weightMoment = 0;  // N m, of the weight with the blade level: edgewise, either way round
};

// The loads at each radius (mm, strictly increasing; the last is the tip) from one line load per
// radius, at rotor speed `rotorSpeed` (rad/s).
std::vector<SectionLoads> sectionLoads(std::span<const double> radii, std::span<const LineLoad> loads,
                                       double rotorSpeed);

// The largest tensile or compressive stress on the outline (MPa), for the outline polygon of
// the section whose properties are given, the weight's moment taken the worse way round.
double peakStress(const SectionProperties& section, std::span<const PlanePoint> outline,
                  const SectionLoads& loads);

// The span axis's flapwise curvature (1/mm, towards downwind) under the flapwise and edgewise
// moments, for the modulus `modulus` (MPa). The weight's moment, turning with the rotor, is left
// out: it bends the blade to and fro about the mean bend.
double flapwiseCurvature(const SectionProperties& section, const SectionLoads& loads, double modulus);

// The deflection at the last radius (mm) of a beam clamped level at the first, from the
// curvature (1/mm) at each radius (mm).
double tipDeflection(std::span<const double> radii, std::span<const double> curvature);

}  // namespace zephyrion::structure
