// The two halves of the built-in section model against closed forms: the panel method against
// the exact potential flow about a Joukowski section, its transpiration against a second panel
// solution about the displaced surface, the boundary layer against the flat plate's laminar
// (Blasius) and turbulent (Prandtl and Schlichting) friction.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "boundary_layer.h"
#include "panel_method.h"
#include "section_contour.h"

namespace zephyrion::rotor {
namespace {

constexpr double kPi = std::numbers::pi;

// The Joukowski map z + 1/z of a circle through z = 1 centred at (-0.1, 0.08): a cambered section
// with a cusped trailing edge, nodes counterclockwise from it and crowded at both edges. Its
// exact lift is 8 pi R sin(alpha + beta) / chord, beta the circle's angle at the trailing edge.
struct Joukowski {
  std::vector<ContourPoint> nodes;
  double chord = 0;
  double radius = std::hypot(1.1, 0.08);
  double beta = std::asin(0.08 / std::hypot(1.1, 0.08));
};

Joukowski joukowski(int panels) {
  Joukowski j;
  double leading = 2.0;
  for (int k = 0; k <= panels; ++k) {
    double theta = -j.beta + kPi * (1.0 - std::cos(kPi * k / panels));
    std::complex<double> z(-0.1 + j.radius * std::cos(theta), 0.08 + j.radius * std::sin(theta));
    std::complex<double> zeta = z + 1.0 / z;
    j.nodes.push_back({zeta.real(), zeta.imag()});
    leading = std::min(leading, zeta.real());
  }
  j.nodes.back() = j.nodes.front();
  j.chord = 2.0 - leading;
  return j;
}

TEST(PanelMethod, LiftsAJoukowskiSectionAsItsExactFlowDoes) {
  Joukowski j = joukowski(120);
  InviscidSection section = solveInviscid(j.nodes);
  for (double degrees : {-4.0, 0.0, 5.0, 10.0}) {
    double alpha = degrees * kPi / 180;
    double exact = 8 * kPi * j.radius * std::sin(alpha + j.beta) / j.chord;
    EXPECT_NEAR(circulationLift(section, sheetStrength(section, alpha), j.chord), exact,
                1e-3 * std::fabs(exact) + 1e-4)
        << degrees << " degrees";
  }
}

// Lighthill (On displacement thickness, 1958): blowing d(Ue delta*)/ds through the surface moves
// the outer flow as the surface moved out by delta* does. A NACA 4412 carrying a displacement
// 4 e x (1 - x) on its upper side and half that on its lower, to first order in e: the lifts'
// changes agree within 2 %.
TEST(PanelMethod, BlowsTheDisplacementOutAsTheDisplacedSurfaceLifts) {
  std::vector<ContourPoint> nodes = sectionContour({0.04, 0.4, 0.12}, 60);
  InviscidSection section = solveInviscid(nodes);
  std::size_t nose = 60;  // upper side: nodes 0 (trailing edge) to 60, lower side from there on
  auto displacement = [&](std::size_t k) {
    return (k < nose ? 0.008 : 0.004) * nodes[k].x * (1.0 - nodes[k].x);
  };
  std::vector<ContourPoint> displaced = nodes;
  for (std::size_t k = 1; k + 1 < nodes.size(); ++k) {  // outwards, to the contour's right
    double dx = nodes[k + 1].x - nodes[k - 1].x;
    double dy = nodes[k + 1].y - nodes[k - 1].y;
    double length = std::hypot(dx, dy);
    displaced[k] = {nodes[k].x + displacement(k) * dy / length, nodes[k].y - displacement(k) * dx / length};
  }
  InviscidSection moved = solveInviscid(displaced);
  for (double degrees : {0.0, 6.0}) {
    double alpha = degrees * kPi / 180;
    std::vector<double> speed = sheetStrength(section, alpha);  // counterclockwise
    std::vector<double> sources(nodes.size() - 1);
    for (std::size_t j = 0; j < sources.size(); ++j) {  // the flow leaves the nose both ways
      double outflow = std::fabs(speed[j + 1]) * displacement(j + 1) - std::fabs(speed[j]) * displacement(j);
      sources[j] = (j < nose ? -outflow : outflow) / (section.arc[j + 1] - section.arc[j]);
    }
    double lift = circulationLift(section, speed, 1.0);
    double blown = circulationLift(section, sheetStrength(section, alpha, sources), 1.0) - lift;
    double displacedLift = circulationLift(moved, sheetStrength(moved, alpha), 1.0) - lift;
    EXPECT_GT(std::fabs(displacedLift), 0.005) << degrees << " degrees";
    EXPECT_NEAR(blown / displacedLift, 1.0, 0.02) << degrees << " degrees";
  }
}

// A plate of unit length in a uniform stream, its edge speed rising from the stagnation point
// within a ten-thousandth of the chord.
SurfaceFlow flatPlate() {
  SurfaceFlow flow{{0.0, 1e-4}, {0.0, 1.0}, 0.0};
  for (int k = 1; k <= 100; ++k) {
    flow.arc.push_back(k / 100.0);
    flow.speed.push_back(1.0);
  }
  return flow;
}

TEST(BoundaryLayer, RubsAFlatPlateAsBlasiusWhenLaminar) {
  for (double reynolds : {1e5, 1e6}) {
    LayerSummary layer = solveLayer(flatPlate(), reynolds, false);
    EXPECT_EQ(layer.transitionArc, 1.0) << "stays laminar at " << reynolds;
    EXPECT_NEAR(squireYoungDrag(layer) * std::sqrt(reynolds), 1.328, 0.02) << reynolds;
  }
}

TEST(BoundaryLayer, RubsAFlatPlateAsPrandtlAndSchlichtingWhenTripped) {
  for (double reynolds : {1e6, 1e7}) {
    double friction = 0.455 / std::pow(std::log10(reynolds), 2.58);
    EXPECT_NEAR(squireYoungDrag(solveLayer(flatPlate(), reynolds, true)) / friction, 1.0, 0.1) << reynolds;
  }
}

}  // namespace
}  // namespace zephyrion::rotor
