// Section properties of one row of the blade as written: area, centroid, second moments, the
// principal axes and the extreme fibres; solid, or a printed shell around a partly filled core.
//
// Coordinates are the grid's, in millimetres: x in the rotor plane (from the leading edge
// towards the trailing edge, against the blade's motion), y along the rotor axis (downwind).
//
// The outline of a row is the closed polygon u1, u2, ..., uN, lN, ..., l1 of its upper points
// from the leading edge to the trailing edge and its lower points back: the curve the STL's
// strips run along, closed by the trailing- and leading-edge strips. Its integrals of 1, x, y,
// x^2, y^2 and xy come from Green's theorem edge by edge (Steger, "On the calculation of
// arbitrary moments of polygons", technical report FGBV-96-05, TU Munchen, 1996: the moments up
// to second order), about a point of the outline so that a section far from the origin keeps its
// digits. Principal axes follow Mohr's circle (Gere and Timoshenko, Mechanics of Materials,
// 4th ed. 1997, sec. 12.8-12.9): I1,2 = (Ix + Iy)/2 +- sqrt(((Ix - Iy)/2)^2 + Ixy^2), the major
// axis at tan 2t = -2 Ixy / (Ix - Iy).
//
// Printed shell and core. A wall of thickness T follows the outline and the core inside it is
// filled to the fraction F. The core is taken as a cellular solid whose cell walls run along the
// span (a printed grid or honeycomb infill), loaded along its cells: its stiffness and strength
// are then the solid's times F (Gibson and Ashby, Cellular Solids, 2nd ed. 1997, ch. 4, the
// out-of-plane properties of honeycombs: E* = E_s rho*/rho_s, sigma* = sigma_s rho*/rho_s).
// Wall and core share the plane strain of beam bending and fail at the same strain, so the
// section works as a solid one in which the core counts F times: every integral is
// solid - (1 - F) x core, the stresses are those of the material wherever the strain is
// largest, on the outline, and a safety factor needs no second look at the core. F = 1 is the
// solid section; as F -> 0 the wall alone remains, and for T small against the section it tends
// to the thin-walled tube, I = T x (closed integral of n^2 ds) along the wall's mid-line with n
// the distance from the axis (for a circular tube of mean radius r, I = pi r^3 T).
//
// The core is the set of points of the section at least T inside the outline. It is found quad
// by quad (the quad between two chord divisions, as the table's area is summed): each quad is
// clipped by the inward offsets, by T, of its own two edges and of every other outline edge
// within T of it whose line the whole quad lies inside (the outline turning convexly towards
// it). That is exact where the outline is convex. Where it turns concavely (the aft lower
// surface of a cambered section) the true offset rounds the corner on an arc of radius T, whose
// sliver, of the order of T^2 times the turning, stays in the core. Checked against a raster of
// the points at least T from the outline, the default blade's rows agree within 0.2 %.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "blade/blade_grid.h"

namespace zephyrion::structure {

struct PlanePoint {
  double x = 0;  // mm
  double y = 0;  // mm
};

// A section as its chord divisions: the upper and lower point of each division, from the
// leading edge to the trailing edge. At least two divisions, the same number in both; the
// outline they close may not cross itself.
struct SectionOutline {
  std::vector<PlanePoint> upper;
  std::vector<PlanePoint> lower;
};

// The outline of a grid row, as the STL writes it.
SectionOutline rowOutline(const BladeGrid& grid, std::int32_t row);

// u1..uN, lN..l1: the outline as one closed polygon (its last point joins its first).
std::vector<PlanePoint> outlinePolygon(const SectionOutline& outline);

// A printed wall of `thickness` mm round a core filled to the fraction `infill` (0 to 1);
// thickness 0 is a solid section.
struct Shell {
  double thickness = 0;
  double infill = 1;
};

struct SectionProperties {
  double area = 0;           // mm^2 inside the outline: the blade's volume per millimetre of span
  double effectiveArea = 0;  // mm^2 carrying load, in units of the solid (the core counted F times)
  double centroidX = 0;      // mm, of the effective section: where the span axis of bending runs
  double centroidY = 0;
  double ix = 0;                // mm^4, integral of (y - cy)^2: stiffness against flapwise bending
  double iy = 0;                // mm^4, integral of (x - cx)^2: stiffness against edgewise bending
  double ixy = 0;               // mm^4, integral of (x - cx)(y - cy)
  double iMajor = 0;            // mm^4, the larger principal second moment
  double iMinor = 0;            // mm^4, the smaller
  double majorAxisDegrees = 0;  // angle of the major principal axis from x, in (-90, 90]
  double majorAxisFibre = 0;    // mm, the outline's farthest point from the major axis
  double minorAxisFibre = 0;    // mm, the outline's farthest point from the minor axis
};

// The section's properties. Preconditions (asserted): a valid outline; thickness >= 0 and
// infill in [0, 1], both finite.
SectionProperties sectionProperties(const SectionOutline& outline, const Shell& shell = {});

}  // namespace zephyrion::structure
