// The built-in polars of the NACA four-digit sections, for when no measured polar is given,
// computed from the section the blade prints (blade/naca_section.h) at each Reynolds number:
//
// - potential flow about the section by a linear-vorticity panel method, 60 panels a side
//   (rotor/src/panel_method.h; Drela 1989), which gives the lift curve's slope and zero-lift angle
//   from the actual outline, thickness and camber alike;
// - the boundary layer on each side by integral methods (rotor/src/boundary_layer.h): Thwaites
//   (laminar), Drela and Giles's e^N envelope with N = 9 or a laminar separation (transition),
//   Head with Ludwieg and Tillmann's friction (turbulent), on the potential flow's edge speeds;
// - drag by Squire and Young from both layers' momentum thickness at the trailing edge; lift
//   0.9 of potential flow's for the layers' displacement, reduced by Kirchhoff's factor where
//   the turbulent layer leaves the suction side (rotor/src/section_polar.h);
// - a smooth surface keeps its layer laminar until it grows unstable or separates, a rough one
//   is tripped: turbulent past the first speed peak or 5 % of the chord, whichever comes first
//   (grit or a printed surface near the leading edge).
//
// Assumptions and limits. The layers are solved on the edge speeds of potential flow, without
// their displacement acting back on it (no viscous-inviscid iteration): the lift curve is bent
// only by separation, and stall is trailing-edge stall, the separation point running forward. A
// thin section that stalls from its nose at high Reynolds numbers (a 0012 at 6 million lifts
// 1.6 before its leading-edge bubble bursts) stalls earlier and lower in the model; cambered
// sections bend over later than measured (a 4412 at 6 million peaks at 1.85 near 20 degrees
// against 1.65 at 15). A rough surface is tripped, not roughened: the extra friction of
// coarse grit (NACA's standard roughness) is not modelled. Reynolds numbers from 50,000 to 10
// million (checked against wind-tunnel data from 160,000 to 6 million); outside them the model
// keeps the figures of the nearer end. No compressibility (tip speeds stay far below Mach 0.3 on
// these rotors), no hysteresis, no rotational augmentation near the root. Past each table's ends
// Viterna and Corrigan's extension takes over (airfoil.h).
#pragma once

#include <optional>
#include <string>

#include "rotor/airfoil.h"

namespace zephyrion::rotor {

struct NacaProfile {
  double maxCamber = 0;       // m, fraction of chord (first digit / 100)
  double camberPosition = 0;  // p, fraction of chord (second digit / 10)
  double thicknessRatio = 0;  // t, fraction of chord (last two digits / 100)
};

enum class Surface {
  kSmooth,  // laminar until the layer grows unstable or separates
  kRough,   // the layer tripped near the leading edge
};

inline constexpr double kNacaModelLowestReynolds = 5e4;
inline constexpr double kNacaModelHighestReynolds = 1e7;

// Why the model gives this profile no sound polar, naming it ("NACA 9901: ..."); nothing when it
// can. Every other function here requires (asserts) that it gives nothing.
std::optional<std::string> findNacaModelProblem(const NacaProfile& profile);

// Summary figures of the model at one Reynolds number.
struct NacaSectionModel {
  double zeroLiftAlphaDegrees = 0;
  double liftSlopePerDegree = 0;  // at the zero-lift angle
  double maxLift = 0;             // at the positive stall
  double stallAlphaDegrees = 0;
  double minLift = 0;  // at the negative stall
  double negativeStallAlphaDegrees = 0;
  double minDrag = 0;  // the least drag between the stalls
};
NacaSectionModel nacaSectionModel(const NacaProfile& profile, double reynolds, Surface surface);

// The table at one Reynolds number from the negative to the positive stall, in steps of 1 degree
// and 0.25 degrees over the last degree before each stall (reaching over 0 degrees when both
// stalls lie on one side of it).
Polar nacaPolar(const NacaProfile& profile, double reynolds, Surface surface);

// Tables from the lowest to the highest Reynolds number (clamped to the model's range), at most
// a factor of 3 apart, extended past stall with a flat plate's drag maxDrag. Preconditions
// (asserted): 0 < lowestReynolds <= highestReynolds, maxDrag > 0.
Airfoil nacaAirfoil(const NacaProfile& profile, Surface surface, double maxDrag, double lowestReynolds,
                    double highestReynolds);

}  // namespace zephyrion::rotor
