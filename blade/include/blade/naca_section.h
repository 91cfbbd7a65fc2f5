// Points of a NACA four-digit section on a given chord.
#pragma once

namespace zephyrion {

// The upper and lower surface points of one chord division, in the section's own plane:
// leading edge at the origin, chord along +x, y positive on the suction side (mm).
struct SectionPoint {
  double upperX = 0;
  double upperY = 0;
  double lowerX = 0;
  double lowerY = 0;
};

// Division `division` (1..divisions) of a section of chord `chord` (mm), with maximum camber
// m, camber position p and thickness t as fractions of the chord.
SectionPoint nacaSectionPoint(double chord, int division, int divisions, double maxCamber,
                              double camberPosition, double thicknessRatio);

}  // namespace zephyrion
