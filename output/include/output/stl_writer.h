// The blade as an ASCII STL solid: header line, facet blocks, footer line.
#pragma once

#include <cstdint>

#include "blade/blade_surface.h"
#include "blade/design_parameters.h"

namespace zephyrion {

// "solid Zephyrion NACA4412 Radius=500 TSR=5 Blades=3" and CR LF.
void writeStlHeader(int fileNumber, const DesignParameters& parameters);

// One facet with its unit normal (right-hand rule over v1, v2, v3). A degenerate facet, whose
// normal has no length, gets the normal 0 0 0.
void writeStlTriangle(int fileNumber, const Point3& v1, const Point3& v2, const Point3& v3);

// The quad P1..P4 as the facets (P2, P1, P4) and (P3, P2, P4), with axisOffset taken off x.
void writeStlQuad(int fileNumber, std::int32_t axisOffset, const Quad& quad);

// "endsolid" and CR LF.
void writeStlFooter(int fileNumber);

}  // namespace zephyrion
