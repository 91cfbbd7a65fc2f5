#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "markup.h"
#include "plot_values.h"
#include "report/nice_ticks.h"
#include "report/plot.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

constexpr double kWidth = 640;
constexpr double kFrameHeight = 260;
constexpr double kFontSize = 12;
constexpr double kTitleFontSize = 14;
// An average sans-serif glyph's advance. Layout only: the browser measures the real text.
constexpr double kCharWidth = 0.6 * kFontSize;
constexpr double kLineHeight = 16;
constexpr double kTickLength = 5;
constexpr double kGap = 6;

// Okabe and Ito's palette, told apart by readers with the common colour-vision deficiencies
// (M. Okabe and K. Ito, "Color Universal Design (CUD): how to make figures and presentations
// that are friendly to colorblind people", 2008).
constexpr std::array<std::string_view, 6> kColours = {"#0072B2", "#D55E00", "#009E73",
                                                      "#CC79A7", "#E69F00", "#56B4E9"};
// Dashes tell the series apart again on a grey printout.
constexpr std::array<std::string_view, 4> kDashes = {"", "7 4", "2 3", "9 3 2 3"};
constexpr std::string_view kBarColour = "#A6CEE3";
constexpr std::string_view kInkColour = "#222222";
constexpr std::string_view kGridColour = "#DDDDDD";

// An axis's ticks mapped onto the drawing: value `ticks.low()` at `from`, `ticks.high()` at `to`.
struct Scale {
  Ticks ticks;
  double from = 0;
  double to = 1;

  double operator()(double value) const {
    return from + (value - ticks.low()) / (ticks.high() - ticks.low()) * (to - from);
  }
};

bool drawsLine(DrawnAs drawnAs) {
  return drawnAs != DrawnAs::Markers;
}
bool drawsMarkers(DrawnAs drawnAs) {
  return drawnAs != DrawnAs::Line;
}

struct Extents {
  Extent x;
  Extent y;
  Extent secondY;
  bool anything = false;
};

bool markDrawn(const Plot& plot, const MarkedPoint& mark) {
  return drawable(mark.x) && drawable(mark.y) && !aboveCeiling(plot, mark.y);
}
bool referenceDrawn(const Plot& plot) {
  return plot.reference && drawable(plot.reference->y) && !aboveCeiling(plot, plot.reference->y);
}

Extents drawnExtents(const Plot& plot) {
  Extents extents;
  auto takePoint = [&](double x, double y) {
    extents.x.take(x);
    extents.y.take(y);
    extents.anything = true;
  };
  for (const Series& series : plot.series) {
    for (std::size_t i = 0; i < pointCount(series); ++i) {
      if (pointDrawn(series, i)) takePoint(series.x[i], shownY(plot, series.y[i]));
    }
  }
  for (const MarkedPoint& mark : plot.marks) {
    if (markDrawn(plot, mark)) takePoint(mark.x, mark.y);
  }
  if (referenceDrawn(plot)) extents.y.take(plot.reference->y);
  if (plot.bars) {
    Extent& heights = barsOnSecondAxis(plot) ? extents.secondY : extents.y;
    for (std::size_t i = 0; i < barCount(*plot.bars); ++i) {
      if (!barDrawn(*plot.bars, i)) continue;
      extents.x.take(plot.bars->x[i] - plot.bars->width / 2);
      extents.x.take(plot.bars->x[i] + plot.bars->width / 2);
      heights.take(0);
      heights.take(barsOnSecondAxis(plot) ? plot.bars->height[i] : shownY(plot, plot.bars->height[i]));
      extents.anything = true;
    }
  }
  return extents;
}

std::string tickLabel(const Ticks& ticks, int i) {
  return figureText(ticks.at(i), ticks.labelDigits);
}

double widestTickLabel(const Ticks& ticks) {
  int widest = 0;
  for (int i = 0; i < ticks.count; ++i)
    widest = std::max(widest, shownLength(tickLabel(ticks, i)));
  return widest * kCharWidth;
}

double textWidth(std::string_view text) {
  return shownLength(text) * kCharWidth;
}

// ---- Elements ----

void appendAttribute(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  appendCoordinate(out, value);
  out += '"';
}

void appendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += ' ';
  out += name;
  out += "=\"";
  out += escaped(value);
  out += '"';
}

void appendText(std::string& out, double x, double y, std::string_view text,
                std::string_view anchor = "start", std::string_view extra = {}) {
  out += "<text";
  appendAttribute(out, "x", x);
  appendAttribute(out, "y", y);
  if (anchor != "start") appendAttribute(out, "text-anchor", anchor);
  out += extra;
  out += '>';
  out += escaped(text);
  out += "</text>\n";
}

void appendLine(std::string& out, double x1, double y1, double x2, double y2, std::string_view colour,
                std::string_view dash = {}, std::string_view width = "1") {
  out += "<line";
  appendAttribute(out, "x1", x1);
  appendAttribute(out, "y1", y1);
  appendAttribute(out, "x2", x2);
  appendAttribute(out, "y2", y2);
  appendAttribute(out, "stroke", colour);
  appendAttribute(out, "stroke-width", width);
  if (!dash.empty()) appendAttribute(out, "stroke-dasharray", dash);
  out += "/>\n";
}

void appendCircle(std::string& out, std::string_view kind, double x, double y, double radius,
                  std::string_view fill, std::string_view stroke = "none") {
  out += "<circle";
  appendAttribute(out, "class", kind);
  appendAttribute(out, "cx", x);
  appendAttribute(out, "cy", y);
  appendAttribute(out, "r", radius);
  appendAttribute(out, "fill", fill);
  appendAttribute(out, "stroke", stroke);
  out += "/>\n";
}

void appendRect(std::string& out, std::string_view kind, double x, double y, double width, double height,
                std::string_view fill, std::string_view stroke = "none") {
  out += "<rect";
  if (!kind.empty()) appendAttribute(out, "class", kind);
  appendAttribute(out, "x", x);
  appendAttribute(out, "y", y);
  appendAttribute(out, "width", width);
  appendAttribute(out, "height", height);
  appendAttribute(out, "fill", fill);
  appendAttribute(out, "stroke", stroke);
  out += "/>\n";
}

std::string_view colourOf(std::size_t series) {
  return kColours[series % kColours.size()];
}
std::string_view dashOf(std::size_t series) {
  return kDashes[series % kDashes.size()];
}

// ---- Layout ----

struct Frame {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

struct LegendEntry {
  std::string name;
  std::size_t series = 0;  // the series' index, for its colour and dash
  bool isBars = false;
  DrawnAs drawnAs = DrawnAs::Line;
};

std::vector<LegendEntry> legendEntries(const Plot& plot) {
  std::vector<LegendEntry> entries;
  for (std::size_t i = 0; i < plot.series.size(); ++i) {
    entries.push_back({plot.series[i].name, i, false, plot.series[i].drawnAs});
  }
  if (plot.bars) entries.push_back({plot.bars->name, 0, true, DrawnAs::Line});
  return entries;
}

constexpr double kSampleWidth = 24;

double legendEntryWidth(const LegendEntry& entry) {
  return kSampleWidth + kGap + textWidth(entry.name) + 3 * kGap;
}

// The legend's rows, filled left to right from `left` and wrapped before `right`.
std::vector<std::vector<LegendEntry>> legendRows(const std::vector<LegendEntry>& entries, double left,
                                                 double right) {
  std::vector<std::vector<LegendEntry>> rows;
  double x = right;
  for (const LegendEntry& entry : entries) {
    if (rows.empty() || x + legendEntryWidth(entry) > right) {
      rows.emplace_back();
      x = left;
    }
    rows.back().push_back(entry);
    x += legendEntryWidth(entry);
  }
  return rows;
}

void appendLegendSample(std::string& out, const LegendEntry& entry, double x, double y) {
  if (entry.isBars) {
    appendRect(out, "", x + 6, y - 9, kSampleWidth - 12, 10, kBarColour, kInkColour);
    return;
  }
  if (drawsLine(entry.drawnAs))
    appendLine(out, x, y - 4, x + kSampleWidth, y - 4, colourOf(entry.series), dashOf(entry.series), "2");
  if (drawsMarkers(entry.drawnAs))
    appendCircle(out, "sample", x + kSampleWidth / 2, y - 4, 3, colourOf(entry.series));
}

void appendLegend(std::string& out, const std::vector<std::vector<LegendEntry>>& rows, double left,
                  double firstBaseline) {
  double y = firstBaseline;
  out += "<g class=\"legend\">\n";
  for (const auto& row : rows) {
    double x = left;
    for (const LegendEntry& entry : row) {
      appendLegendSample(out, entry, x, y);
      appendText(out, x + kSampleWidth + kGap, y, entry.name);
      x += legendEntryWidth(entry);
    }
    y += kLineHeight;
  }
  out += "</g>\n";
}

// ---- Drawing ----

// A y tick's label is centred on the tick's height, so its y is the tick's own.
constexpr std::string_view kBesideTick = " class=\"tick-y\" dominant-baseline=\"central\"";
constexpr std::string_view kBesideSecondTick = " class=\"tick-y2\" dominant-baseline=\"central\"";

void appendAxes(std::string& out, const Frame& frame, const Scale& x, const Scale& y, const Plot& plot) {
  for (int i = 0; i < x.ticks.count; ++i) {
    double at = x(x.ticks.at(i));
    appendLine(out, at, frame.top, at, frame.bottom, kGridColour);
    appendLine(out, at, frame.bottom, at, frame.bottom + kTickLength, kInkColour);
    appendText(out, at, frame.bottom + kTickLength + kFontSize + 1, tickLabel(x.ticks, i), "middle",
               " class=\"tick-x\"");
  }
  for (int i = 0; i < y.ticks.count; ++i) {
    double at = y(y.ticks.at(i));
    appendLine(out, frame.left, at, frame.right, at, kGridColour);
    appendLine(out, frame.left - kTickLength, at, frame.left, at, kInkColour);
    appendText(out, frame.left - kTickLength - 2, at, tickLabel(y.ticks, i), "end", kBesideTick);
  }
  appendRect(out, "frame", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, "none",
             kInkColour);
  appendText(out, (frame.left + frame.right) / 2, frame.bottom + kTickLength + kFontSize + kLineHeight + 3,
             axisTitleText(plot.x), "middle");
  double middle = (frame.top + frame.bottom) / 2;
  std::string turn = " transform=\"rotate(-90 ";
  appendCoordinate(turn, kLineHeight);
  turn += ' ';
  appendCoordinate(turn, middle);
  turn += ")\"";
  appendText(out, kLineHeight, middle, axisTitleText(plot.y), "middle", turn);
}

void appendSecondAxis(std::string& out, const Frame& frame, const Scale& y, const AxisTitle& title) {
  for (int i = 0; i < y.ticks.count; ++i) {
    double at = y(y.ticks.at(i));
    appendLine(out, frame.right, at, frame.right + kTickLength, at, kInkColour);
    appendText(out, frame.right + kTickLength + 2, at, tickLabel(y.ticks, i), "start", kBesideSecondTick);
  }
  double middle = (frame.top + frame.bottom) / 2;
  std::string turn = " transform=\"rotate(90 ";
  appendCoordinate(turn, kWidth - kLineHeight);
  turn += ' ';
  appendCoordinate(turn, middle);
  turn += ")\"";
  appendText(out, kWidth - kLineHeight, middle, axisTitleText(title), "middle", turn);
}

void appendBars(std::string& out, const Plot& plot, const Scale& x, const Scale& y) {
  const Bars& bars = *plot.bars;
  out += "<g class=\"bars\">\n";
  for (std::size_t i = 0; i < barCount(bars); ++i) {
    if (!barDrawn(bars, i)) continue;
    double left = x(bars.x[i] - bars.width / 2);
    double right = x(bars.x[i] + bars.width / 2);
    double base = y(0);
    double top = y(barsOnSecondAxis(plot) ? bars.height[i] : shownY(plot, bars.height[i]));
    appendRect(out, "bar", left, std::min(base, top), right - left, std::abs(base - top), kBarColour,
               kInkColour);
  }
  out += "</g>\n";
}

void appendPolyline(std::string& out, const std::vector<double>& points, std::size_t series) {
  out += "<polyline class=\"line\" points=\"";
  for (std::size_t i = 0; i < points.size(); i += 2) {
    if (i > 0) out += ' ';
    appendCoordinate(out, points[i]);
    out += ',';
    appendCoordinate(out, points[i + 1]);
  }
  out += '"';
  appendAttribute(out, "fill", "none");
  appendAttribute(out, "stroke", colourOf(series));
  appendAttribute(out, "stroke-width", "2");
  if (!dashOf(series).empty()) appendAttribute(out, "stroke-dasharray", dashOf(series));
  out += "/>\n";
}

// Where the segment from point a to point b crosses the height `at`, which lies between theirs.
double crossingX(double xa, double ya, double xb, double yb, double at) {
  // The fraction first, so that no product of two huge values overflows.
  return xa + (at - ya) / (yb - ya) * (xb - xa);
}

// One polyline for each run of drawn points: a value left out breaks the line there, and so does a
// stretch above the ceiling, the line cut where it crosses it. A run of one point is a dot, so
// that it does not vanish.
void appendSeries(std::string& out, const Plot& plot, std::size_t index, const Scale& x, const Scale& y) {
  const Series& series = plot.series[index];
  out += "<g class=\"series series-" + countText(index + 1) + "\">\n";
  std::vector<double> run;
  auto endRun = [&] {
    if (run.size() >= 4) appendPolyline(out, run, index);
    if (run.size() == 2 && !drawsMarkers(series.drawnAs))
      appendCircle(out, "lone", run[0], run[1], 2.5, colourOf(index));
    run.clear();
  };
  auto addToRun = [&](double atX, double atY) {
    if (!drawsLine(series.drawnAs)) return;
    run.push_back(x(atX));
    run.push_back(y(atY));
  };
  bool previousDrawn = false;
  for (std::size_t i = 0; i < pointCount(series); ++i) {
    if (!pointDrawn(series, i)) {
      endRun();
      previousDrawn = false;
      continue;
    }
    bool above = aboveCeiling(plot, series.y[i]);
    if (previousDrawn && above != aboveCeiling(plot, series.y[i - 1])) {
      double ceiling = *plot.yCeiling;
      addToRun(crossingX(series.x[i - 1], series.y[i - 1], series.x[i], series.y[i], ceiling), ceiling);
    }
    previousDrawn = true;
    if (above) {
      endRun();
      continue;
    }
    addToRun(series.x[i], series.y[i]);
    if (drawsMarkers(series.drawnAs))
      appendCircle(out, "marker", x(series.x[i]), y(series.y[i]), 3, colourOf(index));
  }
  endRun();
  out += "</g>\n";
}

// A white outline under the letters keeps a label readable where it crosses a line.
constexpr std::string_view kHalo =
    " paint-order=\"stroke\" stroke=\"#FFFFFF\" stroke-width=\"3\" stroke-linejoin=\"round\"";

void appendReference(std::string& out, const ReferenceLine& reference, const Frame& frame, const Scale& y) {
  double at = y(reference.y);
  appendLine(out, frame.left, at, frame.right, at, kInkColour, "6 3", "1.5");
  double labelY = at - kFontSize - 4 < frame.top ? at + kFontSize + 2 : at - 4;
  appendText(out, frame.right - kGap, labelY, reference.label + " " + figureText(reference.y), "end", kHalo);
}

struct Box {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  bool inside(const Frame& frame) const {
    return left >= frame.left && right <= frame.right && top >= frame.top && bottom <= frame.bottom;
  }
  bool overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// A mark's label takes the first place beside its ring, above or below, right or left, that
// stays inside the frame and clear of the labels placed before it.
void appendMark(std::string& out, const MarkedPoint& mark, const Frame& frame, const Scale& x, const Scale& y,
                std::vector<Box>& labels) {
  double atX = x(mark.x);
  double atY = y(mark.y);
  appendCircle(out, "mark", atX, atY, 5.5, "none", kInkColour);
  std::string label = mark.label + " (" + figureText(mark.x) + ", " + figureText(mark.y) + ")";
  double width = textWidth(label);
  std::vector<Box> places;
  // Marks close together push their labels a line further out each.
  for (int linesAway = 0; linesAway < 4; ++linesAway) {
    double away = linesAway * kLineHeight;
    for (double top : {atY - kGap - kFontSize - 2 - away, atY + kGap + 2 + away}) {
      places.push_back({atX + kGap, top, atX + kGap + width, top + kFontSize});
      places.push_back({atX - kGap - width, top, atX - kGap, top + kFontSize});
    }
  }
  auto clear = [&](const Box& place) {
    return std::none_of(labels.begin(), labels.end(),
                        [&](const Box& other) { return place.overlaps(other); });
  };
  auto found =
      std::find_if(places.begin(), places.end(), [&](const Box& p) { return p.inside(frame) && clear(p); });
  if (found == places.end())
    found = std::find_if(places.begin(), places.end(), [&](const Box& p) { return p.inside(frame); });
  Box place = found == places.end() ? places.front() : *found;
  labels.push_back(place);
  // A label pushed out from its ring is tied to it by a thin line.
  if (found != places.end() && found - places.begin() >= 4) {
    double toX = place.left > atX ? place.left : place.right;
    appendLine(out, atX, atY, toX, (place.top + place.bottom) / 2, kInkColour, {}, "0.75");
  }
  // Baseline a fifth of the font size above the box's bottom, for the descenders.
  appendText(out, place.left, place.bottom - kFontSize / 5, label, "start", kHalo);
}

struct Layout {
  Frame frame;
  Scale x;
  Scale y;
  Scale secondY;
  std::vector<std::vector<LegendEntry>> legend;
  double legendBaseline = 0;
  double notesBaseline = 0;
  double height = 0;
};

// The frame's left and right: margins wide enough for the tick labels and axis titles.
void placeFrameSides(Layout& layout, const Plot& plot) {
  Frame& frame = layout.frame;
  frame.left = kLineHeight + kGap + widestTickLabel(layout.y.ticks) + kTickLength + kGap;
  double secondAxisMargin = kLineHeight + kGap + widestTickLabel(layout.secondY.ticks) + kTickLength + kGap;
  double lastXLabel = textWidth(tickLabel(layout.x.ticks, layout.x.ticks.count - 1)) / 2 + kGap;
  frame.right = kWidth - std::max(barsOnSecondAxis(plot) ? secondAxisMargin : kGap, lastXLabel);
}

double span(const Ticks& ticks) {
  return ticks.high() - ticks.low();
}

// The pixels of one unit on both axes when the frame is drawn to scale.
double unitToScale(const Layout& layout) {
  return std::min((layout.frame.right - layout.frame.left) / span(layout.x.ticks),
                  kFrameHeight / span(layout.y.ticks));
}

// A shape far wider than tall (or the other way) would be drawn to scale in a sliver of a frame:
// the short axis is widened about its middle until the frame is readable across it.
void widenToScale(Layout& layout) {
  constexpr double kLeastSide = 120;
  double unit = unitToScale(layout);
  for (Ticks* ticks : {&layout.x.ticks, &layout.y.ticks}) {
    if (unit * span(*ticks) >= kLeastSide) continue;
    double middle = (ticks->low() + ticks->high()) / 2;
    double half = kLeastSide / unit / 2;
    *ticks = niceTicks(std::max(middle - half, -kLargestPlotted), std::min(middle + half, kLargestPlotted));
  }
}

// The legend's rows above the frame, the notes below it. The frame keeps its height (less, drawn
// to scale), the drawing grows with the rows.
Layout layOut(const Plot& plot, const Extents& extents, std::size_t noteCount) {
  Layout layout{{}, {extents.x.ticks()}, {extents.y.ticks()}, {extents.secondY.ticks()}, {}, 0, 0, 0};
  Frame& frame = layout.frame;
  placeFrameSides(layout, plot);
  double frameHeight = kFrameHeight;
  if (plot.equalScales) {
    widenToScale(layout);
    placeFrameSides(layout, plot);
    double unit = unitToScale(layout);
    frame.right = frame.left + unit * span(layout.x.ticks);
    frameHeight = unit * span(layout.y.ticks);
  }
  layout.legend = legendRows(legendEntries(plot), frame.left, frame.right);
  layout.legendBaseline = kTitleFontSize + kGap + kLineHeight;
  frame.top = layout.legendBaseline + kLineHeight * static_cast<double>(layout.legend.size());
  frame.bottom = frame.top + frameHeight;
  layout.notesBaseline = frame.bottom + kTickLength + kFontSize + 2 * kLineHeight + kGap;
  layout.height = layout.notesBaseline + kLineHeight * static_cast<double>(noteCount);
  layout.x.from = frame.left;
  layout.x.to = frame.right;
  layout.y.from = layout.secondY.from = frame.bottom;
  layout.y.to = layout.secondY.to = frame.top;
  return layout;
}

// The <svg> element's start: its size, text alternative, white ground and title. A title wider
// than the drawing is squeezed to fit rather than cut off.
void appendSvgStart(std::string& out, const Plot& plot, double height, const std::string& alternative) {
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"plot\" role=\"img\"";
  appendAttribute(out, "aria-label", plot.title);
  out += " viewBox=\"0 0 ";
  appendCoordinate(out, kWidth);
  out += ' ';
  appendCoordinate(out, height);
  out += '"';
  appendAttribute(out, "width", kWidth);
  appendAttribute(out, "height", height);
  out += " font-family=\"sans-serif\" font-size=\"12\">\n<title>" + escaped(plot.title) + "</title>\n";
  out += "<desc>" + escaped(alternative) + "</desc>\n";
  appendRect(out, "", 0, 0, kWidth, height, "#FFFFFF");
  std::string titleStyle = " font-size=\"14\" font-weight=\"bold\"";
  double room = kWidth - 2 * kGap;
  if (textWidth(plot.title) * kTitleFontSize / kFontSize > room) {
    titleStyle += " lengthAdjust=\"spacingAndGlyphs\" textLength=\"";
    appendCoordinate(titleStyle, room);
    titleStyle += '"';
  }
  appendText(out, kWidth / 2, kTitleFontSize + 4, plot.title, "middle", titleStyle);
}

}  // namespace

std::string plotSvg(const Plot& given) {
  Extents extents = drawnExtents(given);
  // A cut line runs on to the frame's top, the tick above the ceiling.
  Plot plot = given;
  if (hasCeiling(given)) plot.yCeiling = extents.y.ticks().high();
  std::vector<std::string> notes = leftOutNotes(plot, extents.anything);
  Layout layout = layOut(plot, extents, notes.size());
  const Frame& frame = layout.frame;
  std::string out;
  appendSvgStart(out, plot, layout.height, textAlternative(plot, notes));
  appendLegend(out, layout.legend, frame.left, layout.legendBaseline);
  appendAxes(out, frame, layout.x, layout.y, plot);
  if (barsOnSecondAxis(plot)) appendSecondAxis(out, frame, layout.secondY, plot.bars->secondAxis);
  if (plot.bars) appendBars(out, plot, layout.x, barsOnSecondAxis(plot) ? layout.secondY : layout.y);
  if (referenceDrawn(plot)) appendReference(out, *plot.reference, frame, layout.y);
  for (std::size_t i = 0; i < plot.series.size(); ++i)
    appendSeries(out, plot, i, layout.x, layout.y);
  std::vector<Box> markLabels;
  for (const MarkedPoint& mark : plot.marks) {
    if (markDrawn(plot, mark)) appendMark(out, mark, frame, layout.x, layout.y, markLabels);
  }
  double noteY = layout.notesBaseline;
  for (const std::string& note : notes) {
    appendText(out, frame.left, noteY, note, "start", " class=\"note\" font-style=\"italic\"");
    noteY += kLineHeight;
  }
  return out + "</svg>\n";
}

}  // namespace zephyrion::report
