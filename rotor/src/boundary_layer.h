// The boundary layer along one side of a section, from the stagnation point to the trailing edge,
// by integral methods on the edge speeds of the inviscid flow:
// - laminar: Thwaites' method (Thwaites 1949) with the closure of Cebeci and Bradshaw (Momentum
//   Transfer in Boundary Layers, 1977, as given by Moran, An Introduction to Theoretical and
//   Computational Aerodynamics, 1984, section 7.4); the layer separates where Thwaites'
//   pressure-gradient parameter falls below -0.09;
// - transition: the envelope e^N method of Drela and Giles (Viscous-inviscid analysis of transonic
//   and low Reynolds number airfoils, AIAA Journal 25, 1987), N = 9 as in quiet wind tunnels; a
//   laminar layer that separates first turns turbulent where it separates (a short bubble); a
//   tripped layer turns turbulent past its highest speed ahead of its trip point, or at the trip
//   point while the speed still rises there;
// - turbulent: Head's entrainment method (Head 1958, with the fits of Cebeci and Bradshaw 1977)
//   and Ludwieg and Tillmann's skin friction, separating where the shape factor reaches 1.9
//   (within the 1.8-2.4 that Cebeci and Bradshaw give for Head's method; 1.9 puts the lift
//   curves of Sheldahl and Klimas's NACA 0015 at 0.36-2 million, through Kirchhoff's relation in
//   section_polar.h, within a few per cent of their maxima). The separated region keeps about the
//   pressure of the separation point, so the layer reaches the wake as it stood there.
#pragma once

#include <vector>

namespace zephyrion::rotor {

// Edge speeds along one side, from the stagnation point.
struct SurfaceFlow {
  std::vector<double> arc;    // distance from the stagnation point in chords, increasing from 0
  std::vector<double> speed;  // edge speed over the free stream's, 0 at the first station
  double tripArc = 0;         // where a tripped layer is turbulent at the latest
};

struct LayerSummary {
  double transitionArc = 0;  // where the layer turns turbulent; the side's length if it never does
  double separationArc = 0;  // where it leaves the surface; the side's length if it stays on
  // At the trailing edge, or at the separation point for a layer that separates.
  double momentumThickness = 0;  // in chords
  double shapeFactor = 0;
  double edgeSpeed = 0;
  // Ue delta* at each station: the flow the layer displaces. Past a separation it stays as it
  // stood there (the separated region's own displacement is left to the lift's separation factor).
  std::vector<double> massDefect;
};

// Preconditions (asserted): at least three stations, arcs increasing from 0, speeds 0 at the
// stagnation point and above 0 after it; Reynolds number above 0.
LayerSummary solveLayer(const SurfaceFlow& flow, double reynolds, bool tripped);

// The layer's share of the section's drag by Squire and Young's formula (1938): its momentum
// thickness carried to where the wake has recovered the free stream's speed, 2 theta u^((H + 5) / 2).
double squireYoungDrag(const LayerSummary& layer);

}  // namespace zephyrion::rotor
