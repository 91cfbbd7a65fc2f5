// One radius station: the twist and the Betz optimum chord, shortened to the height and width
// limits of the form.
#pragma once

#include <cstdint>

#include "blade/design_parameters.h"

namespace zephyrion {

// Degrees per radian, as the design has always used it (not 180/pi).
inline constexpr double kDegreesPerRadian = 57.2958;

struct Station {
  double twist = 0;              // degrees: inflow angle less the angle of attack
  double chord = 0;              // mm, after both limits
  std::int64_t heightSteps = 0;  // 0.01 mm steps taken by the height limit
  std::int64_t widthSteps = 0;   // 0.01 mm steps taken by the width limit
};

// The Betz optimum chord at radius r (mm), before the limits.
double optimumChordAt(const DesignParameters& parameters, double radius);

// The station at radius r (mm). The parameters must lie in the engine's ranges.
Station computeStation(const DesignParameters& parameters, double radius);

}  // namespace zephyrion
