// The built-in polars of the NACA four-digit sections, for when no measured polar is given,
// computed at each Reynolds number from the section the blade prints (blade/naca_section.h):
//
// - potential flow about the section by a linear-vorticity panel method, 60 panels a side
//   (rotor/src/panel_method.h; Drela 1989): the lift curve's slope and zero-lift angle come from
//   the actual outline, thickness and camber alike;
// - the boundary layer on each side by integral methods on that flow's edge speeds
//   (rotor/src/boundary_layer.h): Thwaites (laminar), Drela and Giles's e^N envelope with N = 9
//   or a laminar separation (transition), Head with Ludwieg and Tillmann's friction (turbulent);
// - a weak viscous-inviscid coupling (rotor/src/section_polar.h): the layers' displacement blown
//   out through the surface as sources d(Ue delta*)/ds (Lighthill 1958; Lock and Williams 1987),
//   which leave the trailing edge as the wake's displacement, two passes under-relaxed by half;
//   past a separation the layer leaves along the surface's tangent and the dead air under it is
//   displaced too, taking away the camber of the separated part;
// - drag by Squire and Young from both layers; lift 0.95 of the coupled flow's circulation, times
//   Kirchhoff's factor where the turbulent layer leaves the suction side, whose lost nose suction
//   adds a pressure drag; stall where that lift stops growing;
// - a smooth surface keeps its layer laminar until it grows unstable or separates; a rough one
//   is tripped, turbulent past its speed peak or 5 % of the chord behind the nose, whichever
//   comes first (grit, or a printed or hand-finished surface).
//
// Checked (tests/rotor/naca_data_test.cpp) against NACA 0012 at 6 million smooth (Abbott and von
// Doenhoff) and tripped (Ladson), NACA 0015 at 0.36-2 million (Sheldahl and Klimas) and NACA 4412
// at 3 and 6 million (Abbott and von Doenhoff): lift slopes within 4 %, zero-lift angles within
// 0.4 degrees, least drag within 18 % smooth and 16 % rough, drag at a lift of 0.8 within 21 %,
// maximum lift within 13 % and its angle within 2 degrees on every set but the rough 4412 (the
// 0012's maximum 9-11 % low, the cambered 4412's 11-13 % high).
//
// Calibrated on these sets, within published ranges: the lift share 0.95 and the turbulent
// separation at a shape factor of 1.9. Assumptions and limits. The coupling is weak (the layers
// are solved on a given flow, not with it), so separation is found by a direct method and the
// separated region is modelled, not solved: Kirchhoff's factor still carries most of the stall.
// The edge speed over the last 5 % of the chord is extrapolated (potential flow stagnates at a
// sharp edge, the real flow does not). A thin section that stalls from its nose bubble is not
// described (no laminar bubble is modelled: the layer turns turbulent where it separates): NACA
// 0006 at 6 million peaks 21 % high (Abbott and von Doenhoff). A rough surface is tripped, not roughened: the
// extra friction of coarse grit (NACA's standard roughness) is not modelled, and a 4412 with it stalls 32 %
// high and 3.5 degrees late. Reynolds numbers from 50,000 to 10 million; outside them the model keeps the
// figures of the nearer end. No compressibility (tip speeds stay far below Mach 0.3 on these rotors), no
// hysteresis, no rotational augmentation near the root. Past each table's ends Viterna and Corrigan's
// extension takes over (airfoil.h). The model refuses sheets thinner than 3 % and camber at 90 % of the chord
// (findNacaModelProblem).
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
  double liftSlopePerDegree = 0;  // over the degree above the zero-lift angle
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
