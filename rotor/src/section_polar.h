// Lift and drag of a section at one Reynolds number, from its inviscid flow (panel_method.h) and
// the boundary layers on its two sides (boundary_layer.h), and its table between the stalls.
//
// - Coupling: the layers' displacement acts back on the outer flow by transpiration, a source
//   sheet d(Ue delta*)/ds on each panel (Lighthill 1958; Lock and Williams, Viscous-inviscid
//   interactions in external aerodynamics, Prog. Aerospace Sci. 24, 1987; Drela 1989 writes the
//   same sources into a panel method's stream function): the layers are solved on the
//   potential flow, their sources added under a relaxation of 1/2, the layers solved again on the
//   new flow, twice. The sum of the sources leaves the trailing edge as the wake's displacement.
//   Near the edges the displacement is smoothed, and the edge speed over the last 5 % of the chord
//   is carried on at its slope (potential flow's stagnation at a sharp edge of finite angle is not
//   the real flow's). Past a separation the layer leaves the surface along its tangent and the
//   dead air under it is displaced flow too: the separated part of the section loses its camber.
// - Lift: the circulation of the coupled flow, times 0.95 for what a weak coupling leaves out
//   (measured slopes are 0.88-0.92 of potential flow's, Abbott and von Doenhoff, Theory of Wing
//   Sections, 1959, ch. 7, of which the displacement takes 0.95-0.98 here), times Kirchhoff's
//   factor ((1 + sqrt f) / 2)^2 for a turbulent layer that leaves the suction side at f of the
//   chord (Kirchhoff's free-streamline flow past a plate; Thwaites, Incompressible Aerodynamics,
//   1960, section 5.22; Leishman and Beddoes, A semi-empirical model for dynamic stall, J.
//   American Helicopter Society 34, 1989).
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
