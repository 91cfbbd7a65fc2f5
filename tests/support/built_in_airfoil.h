// The built-in (rough) airfoil of a design's blade over the Reynolds numbers its performance
// curve meets at the design's wind, as the analysis builds it, for tests that analyse a blade.
#pragma once

#include "blade/design_parameters.h"
#include "rotor/design_analysis.h"
#include "rotor/rotor_blade.h"
#include "rotor/rotor_performance.h"

namespace zephyrion::testing_support {

inline rotor::Airfoil builtInAirfoil(const rotor::RotorBlade& blade, const DesignParameters& parameters) {
  rotor::Conditions conditions;
  if (parameters.maxWindSpeed > 0) conditions.windSpeed = parameters.maxWindSpeed;
  double highestTipSpeedRatio = rotor::curveTipSpeedRatios(parameters.tipSpeedRatio).back();
  return rotor::bladeAirfoil(blade, parameters, rotor::Surface::kRough,
                             rotor::bladeReynoldsRange(blade, conditions, highestTipSpeedRatio));
}

}  // namespace zephyrion::testing_support
