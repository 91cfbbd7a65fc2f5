// Lift and drag of a section at one Reynolds number, from its inviscid flow (panel_method.h) and
// the boundary layers on its two sides (boundary_layer.h), and its table between the stalls.
//
// - Lift: the circulation of the inviscid flow, times 0.9 for the boundary layers' displacement,
//   which takes the lift curves of real sections down to 0.88-0.92 of potential flow's (Abbott
//   and von Doenhoff, Theory of Wing Sections, 1959, ch. 7: slopes near 0.105 per degree against
//   potential flow's 0.12 for 12 % sections), times Kirchhoff's factor ((1 + sqrt f) / 2)^2 for a
//   turbulent layer that leaves the suction side at f of the chord (Kirchhoff's free-streamline
//   flow past a plate; Thwaites, Incompressible Aerodynamics, 1960, section 5.22; Leishman and
//   Beddoes, A semi-empirical model for dynamic stall, J. American Helicopter Society 34, 1989).
// - Drag: both layers' momentum thickness by Squire and Young, plus the pressure drag of the nose
//   suction that Kirchhoff's plate keeps only sqrt f of.
// - Stall: where that lift stops growing, marching from the zero-lift angle one degree at a time
//   and then closing in on the top to a quarter of a degree; a flow whose layer leaves the suction
//   side ahead of a fifth of the chord is stalled (the separated plate of Kirchhoff's flow, which
//   Viterna and Corrigan's extension describes better). The negative stall likewise downwards.
#pragma once

#include "boundary_layer.h"
#include "panel_method.h"
#include "rotor/airfoil.h"

namespace zephyrion::rotor {

struct SectionAtAngle {
  double lift = 0;
  double drag = 0;
  double upperSeparation = 1;  // chord share where the upper layer separates; 1 when it stays on
  double lowerSeparation = 1;
};

// Precondition (asserted): Reynolds number above 0.
SectionAtAngle sectionAtAngle(const InviscidSection& section, double alphaDegrees, double reynolds,
                              bool tripped);

// The angle of zero lift of the inviscid flow, degrees.
double inviscidZeroLiftAngle(const InviscidSection& section);

// The table from the negative to the positive stall, in steps of 1 degree and of 0.25-0.5
// degrees over the last degree before each stall; widened to reach over 0 degrees when both
// stalls lie on one side of it.
Polar sectionPolar(const InviscidSection& section, double reynolds, bool tripped);

}  // namespace zephyrion::rotor
