// Inviscid, incompressible flow about a closed two-dimensional section by a linear-vorticity
// panel method in the stream-function form of Drela (XFOIL: an analysis and design system for
// low Reynolds number airfoils, Lecture Notes in Engineering 54, Springer 1989, section 2): a
// vortex sheet whose strength varies linearly along each straight panel makes the surface one
// streamline, its stream function the same at every node; the Kutta condition gives the flow
// one speed on both sides of the trailing edge, and at a sharp edge, where both sides share a
// node, the sheet's strength bends alike on both sides as it reaches the edge. The flow inside
// the contour is then at rest, so the sheet's strength at a node is the speed of the flow just
// outside the surface.
//
// A source sheet of constant strength on each panel blows flow out through the surface: the
// transpiration by which a boundary layer's displacement acts on the outer flow (Lighthill, On
// displacement thickness, J. Fluid Mech. 4, 1958; Lock and Williams, Viscous-inviscid interactions
// in external aerodynamics, Prog. Aerospace Sci. 24, 1987). Each source's stream function has its
// branch cut leave the panel outwards, where no node lies.
//
// The angle of attack and the sources enter only through the right-hand side, so the system is
// factored once and solved for two free streams, along x and along y, and for a unit source on
// each panel; any flow is their sum weighted by the angle's cosine and sine and the sources.
#pragma once

#include <vector>

namespace zephyrion::rotor {

struct ContourPoint {
  double x = 0;
  double y = 0;
};

struct InviscidSection {
  // Nodes counterclockwise from the trailing edge over the upper surface to the leading edge and
  // back along the lower surface; the last is the first (a sharp trailing edge).
  std::vector<ContourPoint> nodes;
  std::vector<double> arc;  // distance along the contour from the first node
  // Sheet strength at each node, counterclockwise positive, for a unit free stream along x and
  // along y: the flow's speed along the contour's direction just outside the surface.
  std::vector<double> alongX;
  std::vector<double> alongY;
  // Sheet strength at each node for a unit source on one panel: the response to panel j's source
  // starts at j times the number of strengths.
  std::vector<double> sourceResponse;
};

// Preconditions (asserted): at least 8 nodes, the last equal to the first, no panel of zero
// length, counterclockwise order.
InviscidSection solveInviscid(std::vector<ContourPoint> nodes);

// The sheet strength at every node at the angle of attack (radians) in a unit free stream.
std::vector<double> sheetStrength(const InviscidSection& section, double alphaRadians);

// The same with a source sheet of constant strength on each panel, which blows that much flow out
// through it per unit length (a boundary layer's displacement, section_polar.h). Precondition
// (asserted): one source strength per panel.
std::vector<double> sheetStrength(const InviscidSection& section, double alphaRadians,
                                  const std::vector<double>& sources);

// Lift coefficient on the given chord from the circulation, by the Kutta-Joukowski theorem.
double circulationLift(const InviscidSection& section, const std::vector<double>& strength, double chord);

}  // namespace zephyrion::rotor
