// Axis ticks at "nice" numbers: steps of 1, 2 or 5 times a power of ten, so that a reader can
// interpolate between them at a glance.
//
// The step is chosen by Heckbert's loose labelling (P. S. Heckbert, "Nice numbers for graph
// labels", in A. S. Glassner (ed.), Graphics Gems, Academic Press, 1990, pp. 61-63, 657-659):
// the range rounded up to a nice number, divided into about five parts, the part rounded to the
// nearest nice number, and the first and last ticks the multiples of the step just outside the
// data. The step is then moved along 1, 2, 5, 10, ... until there are 3 to 10 ticks.
#pragma once

#include <cstdint>

namespace zephyrion::report {

// The largest magnitude an axis holds. Plots leave out values beyond it (and any nan or
// infinity), so that the ticks and the span between them stay finite doubles.
inline constexpr double kLargestPlotted = 1e300;

struct Ticks {
  double firstIndex = 0;  // the first tick is firstIndex * step; an integer
  double step = 1;
  int count = 0;        // 3 to 10
  int labelDigits = 1;  // significant digits that tell every tick's label from its neighbours'

  // Each tick is an integer times the step, never a running sum, so that 0 is exactly 0.
  double at(int i) const { return (firstIndex + i) * step; }
  double low() const { return at(0); }
  double high() const { return at(count - 1); }
};

// Ticks from at or below `low` to at or above `high`. Requires low <= high, both finite and at
// most kLargestPlotted in magnitude. A range of one value is widened by a tenth of it either side
// (to -1..1 at zero); any range is widened about its middle to at least a 1e-12 part of its
// magnitude and to at least 1e-290, so that the ticks are distinct normal doubles.
Ticks niceTicks(double low, double high);

}  // namespace zephyrion::report
