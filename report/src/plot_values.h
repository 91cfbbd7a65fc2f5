// What the SVG and the table of a plot agree on: which values are drawn and how axes are named.
#pragma once

#include <cmath>
#include <string>

#include "report/nice_ticks.h"
#include "report/plot.h"

namespace zephyrion::report {

inline bool drawable(double value) {
  return std::fabs(value) <= kLargestPlotted;
}

inline std::string axisTitleText(const AxisTitle& axis) {
  return axis.unit.empty() ? axis.quantity : axis.quantity + " [" + axis.unit + "]";
}

}  // namespace zephyrion::report
