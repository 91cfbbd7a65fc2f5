// What the SVG, its words and its table agree on: which values are drawn, and how an axis is
// named.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "report/nice_ticks.h"
#include "report/plot.h"

namespace zephyrion::report {

inline bool drawable(double value) {
  return std::fabs(value) <= kLargestPlotted;
}

inline std::string axisTitleText(const AxisTitle& axis) {
  return axis.unit.empty() ? axis.quantity : axis.quantity + " [" + axis.unit + "]";
}

inline std::size_t pointCount(const Series& series) {
  return std::min(series.x.size(), series.y.size());
}
inline std::size_t valueCount(const Series& series) {
  return std::max(series.x.size(), series.y.size());
}
inline bool pointDrawn(const Series& series, std::size_t i) {
  return drawable(series.x[i]) && drawable(series.y[i]);
}

inline std::size_t barCount(const Bars& bars) {
  return std::min(bars.x.size(), bars.height.size());
}
inline bool barDrawn(const Bars& bars, std::size_t i) {
  double half = bars.width / 2;
  return drawable(bars.height[i]) && bars.width > 0 && drawable(bars.x[i] - half) &&
         drawable(bars.x[i] + half);
}
inline bool barsOnSecondAxis(const Plot& plot) {
  return plot.bars && !plot.bars->secondAxis.quantity.empty();
}

// A ceiling that cannot be drawn cuts nothing.
inline bool hasCeiling(const Plot& plot) {
  return plot.yCeiling && drawable(*plot.yCeiling);
}
inline bool aboveCeiling(const Plot& plot, double y) {
  return hasCeiling(plot) && y > *plot.yCeiling;
}
// A y value as the first axis shows it: at most the ceiling.
inline double shownY(const Plot& plot, double y) {
  return aboveCeiling(plot, y) ? *plot.yCeiling : y;
}

// The least and greatest drawn value of one axis.
struct Extent {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void take(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool empty() const { return low > high; }
  Ticks ticks() const { return empty() ? niceTicks(0, 1) : niceTicks(low, high); }
};

// What a plot leaves out, in words: one note for each series, the bars, a mark or the reference
// line that has a value it cannot draw, and one when there is nothing to draw at all.
std::vector<std::string> leftOutNotes(const Plot& plot, bool anythingDrawn);

// The plot's text alternative: the caller's description, each series' count and ranges, the
// marks, the reference line and the notes.
std::string textAlternative(const Plot& plot, const std::vector<std::string>& notes);

}  // namespace zephyrion::report
