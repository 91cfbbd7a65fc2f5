// A built-in model of the polars of NACA four-digit sections, for when no measured polar is
// given. It is a model, not a measurement: use it to compare designs and to see what limits
// cost, and bring a measured or panel-method polar (--polar) for figures to build on.
//
// At a Reynolds number Re (of the chord and the relative speed), for maximum camber m, its
// position p and thickness t (fractions of the chord):
// - Zero-lift angle a0 by thin-airfoil theory from the section's mean line,
//     a0 = -1/pi Int_0^pi dz/dx (cos th - 1) dth,  x = (1 - cos th) / 2,
//   -4.15 degrees for 4412, -2.08 for 2412, 0 for symmetric sections.
// - Lift slope 0.9 x 2 pi (1 + 0.77 t) per radian: thin-airfoil theory's 2 pi, raised by
//   thickness as potential flow about thick sections is, and lowered a tenth by the boundary
//   layer; 0.108 per degree for 12 % thickness, as the measured 0.10 to 0.11 of such sections.
// - Stall. The symmetric section's largest lift is taken from thickness as smooth sections
//   reach it at Re = 6 million (0.9 at 6 %, 1.6 at 12-15 %, falling to 1.2 at 30 %), times
//   (Re / 6e6)^0.1 for the lower Reynolds numbers of small rotors; camber shifts both stalls
//   up by half the lift at zero angle. The lift curve is straight up to 70 % of the way from
//   that centre to stall and then bends over as a parabola that meets the stall point level.
//   A 4412 at Re = 200 000 so stalls at 11.6 degrees with a lift of 1.36.
// - Profile drag cd0 + 0.02 (cl - cl(0))^2 up to stall, with cd0 the skin friction of a fully
//   turbulent flat plate on both sides times a thickness form factor,
//     cd0 = 2 x 0.074 Re^-0.2 x (1 + 2 t + 60 t^4)
//   (0.016 for 12 % at Re = 200 000). A printed or hand-finished blade is rough enough to trip
//   its boundary layer near the leading edge, so no laminar run is assumed.
// - Past stall, Viterna and Corrigan's extension (see airfoil.h).
//
// Limits. Reynolds numbers from 100 000 to 10 million: outside them the model keeps the figures
// of the nearer end. Below 100 000 real sections lose much more to laminar separation than the
// model shows. Thickness 6 % to 24 %, camber up to 6 %. Expect the lift curve and drag within
// about 15 % of wind-tunnel data of rough sections near the design angle, less near and past
// stall; the model has no hysteresis, no rotational augmentation near the root and no
// compressibility (tip speeds stay far below Mach 0.3 on these rotors).
#pragma once

#include "rotor/airfoil.h"

namespace zephyrion::rotor {

struct NacaProfile {
  double maxCamber = 0;       // m, fraction of chord
  double camberPosition = 0;  // p, fraction of chord
  double thicknessRatio = 0;  // t, fraction of chord
};

inline constexpr double kNacaModelLowestReynolds = 1e5;
inline constexpr double kNacaModelHighestReynolds = 1e7;

// Thin-airfoil zero-lift angle of the section's mean line, degrees.
double thinAirfoilZeroLiftAngle(const NacaProfile& profile);

// The model's figures at one Reynolds number.
struct NacaSectionModel {
  double zeroLiftAlphaDegrees = 0;
  double liftSlopePerDegree = 0;
  double zeroAlphaLift = 0;  // lift at zero angle of attack, -slope x a0
  double maxLift = 0;        // at the positive stall
  double minLift = 0;        // at the negative stall
  double stallAlphaDegrees = 0;
  double negativeStallAlphaDegrees = 0;
  double minDrag = 0;  // cd0
};
NacaSectionModel nacaSectionModel(const NacaProfile& profile, double reynolds);

// The model's table between its two stalls at one Reynolds number, in steps of at most 0.25
// degrees.
Polar nacaPolar(const NacaProfile& profile, double reynolds);

// Tables at Reynolds numbers 1e5, 2e5, 5e5, 1e6, 2e6, 5e6 and 1e7, extended past stall.
Airfoil nacaAirfoil(const NacaProfile& profile, double maxDrag);

}  // namespace zephyrion::rotor
