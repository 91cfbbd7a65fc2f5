// A plot of one or more series against x, drawn as inline SVG, with the numbers behind it.
//
// Any input gives a well-formed drawing: a value that is nan, infinite or beyond
// kLargestPlotted in magnitude is not drawn (it breaks its series' line into pieces), and the
// plot states in words, under the axes and in its text alternative, what it left out. A plot with
// nothing to draw shows its axes and says so. Figures are written by figureText; ticks at nice
// numbers (nice_ticks.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyrion::report {

// An axis's quantity and unit, shown as "Wind speed [m/s]"; no brackets when the unit is empty.
struct AxisTitle {
  std::string quantity;
  std::string unit;
};

enum class DrawnAs { Line, Markers, LineAndMarkers };

// y[i] against x[i]; values past the shorter of the two are left out.
struct Series {
  std::string name;
  std::vector<double> x;
  std::vector<double> y;
  DrawnAs drawnAs = DrawnAs::Line;
};

// A point the reader should find: "design", "best". Drawn as a ring with its label and values.
struct MarkedPoint {
  std::string label;
  double x = 0;
  double y = 0;
};

// A horizontal line across the plot, such as the Betz limit 16/27, labelled with its value.
struct ReferenceLine {
  std::string label;
  double y = 0;
};

// Bars of the given width centred on x, from zero to height: the energy in each wind speed bin.
// On a second y axis, at the right, when `secondAxis` has a quantity.
struct Bars {
  std::string name;
  std::vector<double> x;
  std::vector<double> height;
  double width = 1;
  AxisTitle secondAxis;
};

struct Plot {
  std::string title;
  std::string description;  // a sentence for the text alternative; the plot adds what it drew
  AxisTitle x;
  AxisTitle y;
  std::vector<Series> series;
  std::optional<Bars> bars;
  std::vector<MarkedPoint> marks;
  std::optional<ReferenceLine> reference;
  // The y axis ends at the first tick at or above it; lines, bars, marks and the reference line
  // above that are cut off at the top, and the plot says so. A curve that soars where it means
  // little (a safety factor where the blade carries nothing) so leaves the rest readable. The
  // numbers table keeps every value.
  std::optional<double> yCeiling = std::nullopt;
  // One unit of x as long as one of y, so that a shape is drawn to scale.
  bool equalScales = false;
};

// The plot as one <svg> element with its own namespace, so that it stands alone as an SVG file
// or sits in an HTML page. role="img" with the title as its label; <desc> says what it shows.
std::string plotSvg(const Plot& plot);

// The numbers behind the plot, one table per series, for the bars and for the marks, inside a
// <details> element that the reader expands.
std::string plotNumbers(const Plot& plot);

}  // namespace zephyrion::report
