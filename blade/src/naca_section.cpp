#include "blade/naca_section.h"

#include <cmath>

namespace zephyrion {
namespace {

// Half-thickness of the four-digit section at X = x / c. The last coefficient is 0.1015, which
// leaves the trailing edge a small thickness. The powers go through pow, as the section has
// always been computed; sqrt or products round differently.
double halfThickness(double chordFraction, double chord, double thicknessRatio) {
  double shape = (((0.2969 * std::pow(chordFraction, 0.5) - 0.126 * chordFraction) -
                   0.3516 * std::pow(chordFraction, 2.0)) +
                  0.2843 * std::pow(chordFraction, 3.0)) -
                 0.1015 * std::pow(chordFraction, 4.0);
  return shape * ((thicknessRatio / 0.2) * chord);
}

// Camber line height at x, split at the position of maximum camber.
double camberAt(double x, double chord, double maxCamber, double camberPosition) {
  if (x > chord * camberPosition) {
    return (chord - x) / std::pow(1 - camberPosition, 2.0) * maxCamber *
           ((x / chord + 1) - 2 * camberPosition);
  }
  return x / (camberPosition * camberPosition) * maxCamber * (2 * camberPosition - x / chord);
}

}  // namespace

SectionPoint nacaSectionPoint(double chord, int division, int divisions, double maxCamber,
                              double camberPosition, double thicknessRatio) {
  // The divisions crowd towards the leading edge: x = c (h / N)^2, evaluated step by step.
  double x = ((chord / divisions) * division / divisions) * division;
  double yt = halfThickness(x / chord, chord, thicknessRatio);
  double yc = camberAt(x, chord, maxCamber, camberPosition);
  // The thickness is laid off across the direction from the leading edge to the camber point,
  // not across the camber line's slope.
  double theta = std::atan(yc / x);
  SectionPoint point;
  point.upperX = x - yt * std::sin(theta);
  point.upperY = yc + yt * std::cos(theta);
  point.lowerX = x + yt * std::sin(theta);
  point.lowerY = yc - yt * std::cos(theta);
  return point;
}

}  // namespace zephyrion
