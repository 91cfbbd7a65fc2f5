// The outline of the NACA four-digit section exactly as the blade prints it (the blade's own
// section points, blade/naca_section.h), in the frame the rotor analysis measures angles in: the
// chord line from the nose to the middle of the trailing edge along x, the chord (the outline's
// extent along that line) 1, the trailing edge at (1, 0).
#pragma once

#include <vector>

#include "panel_method.h"
#include "rotor/naca_polar.h"

namespace zephyrion::rotor {

// Nodes counterclockwise from the trailing edge over the upper surface to the nose and back along
// the lower surface, `perSide` panels on each side, crowded towards both edges as the cosine
// spacing does. The printed trailing edge has a small thickness; the outline closes it by moving
// each point by its share of the chord along the gap, so that the panel method sees a sharp edge.
std::vector<ContourPoint> sectionContour(const NacaProfile& profile, int perSide);

}  // namespace zephyrion::rotor
