// Plots of values that cannot be drawn as they are, for the plot test and the page that the
// browser check opens.
#pragma once

#include <cstddef>
#include <limits>
#include <vector>

#include "report/plot.h"

namespace zephyrion::testing_support {

using report::Bars;
using report::DrawnAs;
using report::Plot;
using report::ReferenceLine;

inline constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// One series "values" of y against x, in mm and N.
inline Plot plotOf(std::vector<double> x, std::vector<double> y, DrawnAs drawnAs = DrawnAs::Line) {
  return {"values", "", {"x", "mm"}, {"y", "N"}, {{"values", std::move(x), std::move(y), drawnAs}},
          {},       {}, {}};
}

struct BadInput {
  const char* what;
  Plot plot;
  std::size_t lines;  // polylines
  std::size_t dots;   // circles of single points and markers
  std::size_t notes;  // stated gaps
};

// Every kind of value a plot cannot draw as it is, each with what its drawing must hold.
inline std::vector<BadInput> badPlots() {
  Plot badExtras = plotOf({0, 1}, {0, 1});
  badExtras.bars = Bars{"bars", {0, 1}, {1, 2}, kNan, {"energy", "kWh"}};
  badExtras.marks = {{"lost", kNan, 1}};
  badExtras.reference = ReferenceLine{"limit", kInf};
  Plot nothing = plotOf({}, {});
  auto withCeiling = [](Plot plot, double ceiling) {
    plot.yCeiling = ceiling;
    return plot;
  };
  nothing.series.clear();
  return {
      {"an empty series", plotOf({}, {}), 0, 0, 2},
      {"no series", nothing, 0, 0, 1},
      {"a single point", plotOf({2}, {3}), 0, 1, 0},
      {"nan and infinities alone", plotOf({kNan, 1, kInf, 2}, {1, -kInf, 2, kNan}), 0, 0, 2},
      {"all values equal", plotOf({1, 2, 3}, {7, 7, 7}), 1, 0, 0},
      {"all zero", plotOf({0, 0}, {0, 0}), 1, 0, 0},
      {"a huge range", plotOf({1, 2, 3}, {1e-300, 1, 1e300}), 1, 0, 0},
      {"the widest range", plotOf({-1e300, 1e300}, {1e300, -1e300}), 1, 0, 0},
      {"beyond the widest range", plotOf({0, 1, 2}, {1, 1e301, 1.7e308}), 0, 1, 1},
      {"denormals", plotOf({1, 2, 3}, {4.9e-324, -1e-310, 2.2e-308}), 1, 0, 0},
      {"a gap in the middle", plotOf({1, 2, 3, 4, 5}, {1, 2, kNan, 4, 5}), 2, 0, 1},
      {"a lone point between gaps", plotOf({1, 2, 3, 4, 5, 6}, {1, 2, kNan, 4, kNan, 5}), 1, 2, 1},
      {"more x than y", plotOf({1, 2, 3, 4}, {1, 2}), 1, 0, 1},
      {"markers alone", plotOf({1, 2, 3}, {1, kNan, 3}, DrawnAs::Markers), 0, 2, 1},
      {"bars of no width, a nan mark, an infinite limit", badExtras, 1, 0, 3},
      {"a line cut twice by a ceiling", withCeiling(plotOf({0, 1, 2, 3, 4}, {1, 50, 1, 50, 1}), 3), 3, 0, 1},
      {"a ceiling below every value", withCeiling(plotOf({0, 1}, {5, 6}), 1), 0, 0, 1},
      {"a ceiling of nan", withCeiling(plotOf({0, 1}, {5, 6}), kNan), 1, 0, 0},
  };
}

}  // namespace zephyrion::testing_support
