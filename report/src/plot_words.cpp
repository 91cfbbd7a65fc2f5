#include <string>
#include <string_view>
#include <vector>

#include "markup.h"
#include "plot_values.h"
#include "report/plot.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

std::string countedNote(std::string_view name, std::size_t missing, std::size_t total,
                        std::string_view things) {
  std::string note = std::string(name) + ": ";
  if (total == 0) return note + "no " + std::string(things) + " given";
  note += countText(missing) + " of " + countText(total);
  return note + " " + std::string(things) + " not drawn (missing, not a number or beyond 1e300)";
}

std::string ceilingNote(const Plot& plot, std::string_view name, std::size_t cut, std::size_t total,
                        std::string_view things) {
  return std::string(name) + ": " + countText(cut) + " of " + countText(total) + " " + std::string(things) +
         " above " + figureText(*plot.yCeiling) + ", cut off at the top";
}

std::string rangeWords(const AxisTitle& axis, double low, double high) {
  std::string words = axis.quantity + " " + figureText(low);
  if (high != low) words += " to " + figureText(high);
  return axis.unit.empty() ? words : words + " " + axis.unit;
}

std::string seriesSummary(const Plot& plot, const Series& series) {
  Extent x, y;
  std::size_t drawn = 0;
  for (std::size_t i = 0; i < pointCount(series); ++i) {
    if (!pointDrawn(series, i)) continue;
    x.take(series.x[i]);
    y.take(series.y[i]);
    ++drawn;
  }
  std::string summary = series.name + ": ";
  if (drawn == 0) return summary + "no points drawn. ";
  summary += countText(drawn);
  summary += drawn == 1 ? " point, " : " points, ";
  return summary + rangeWords(plot.x, x.low, x.high) + ", " + rangeWords(plot.y, y.low, y.high) + ". ";
}

}  // namespace

std::vector<std::string> leftOutNotes(const Plot& plot, bool anythingDrawn) {
  std::vector<std::string> notes;
  if (!anythingDrawn) notes.push_back("Nothing to draw: the plot has no value it can show");
  for (const Series& series : plot.series) {
    std::size_t drawn = 0;
    for (std::size_t i = 0; i < pointCount(series); ++i)
      drawn += pointDrawn(series, i) ? 1 : 0;
    if (drawn < valueCount(series) || valueCount(series) == 0) {
      notes.push_back(countedNote(series.name, valueCount(series) - drawn, valueCount(series), "points"));
    }
    std::size_t cut = 0;
    for (std::size_t i = 0; i < pointCount(series); ++i)
      cut += pointDrawn(series, i) && aboveCeiling(plot, series.y[i]) ? 1 : 0;
    if (cut > 0) notes.push_back(ceilingNote(plot, series.name, cut, valueCount(series), "points"));
  }
  if (plot.bars) {
    const Bars& bars = *plot.bars;
    std::size_t total = std::max(bars.x.size(), bars.height.size());
    std::size_t drawn = 0;
    for (std::size_t i = 0; i < barCount(bars); ++i)
      drawn += barDrawn(bars, i) ? 1 : 0;
    if (drawn < total || total == 0) notes.push_back(countedNote(bars.name, total - drawn, total, "bars"));
    std::size_t cut = 0;
    for (std::size_t i = 0; i < barCount(bars); ++i)
      cut += barDrawn(bars, i) && !barsOnSecondAxis(plot) && aboveCeiling(plot, bars.height[i]) ? 1 : 0;
    if (cut > 0) notes.push_back(ceilingNote(plot, bars.name, cut, total, "bars"));
  }
  for (const MarkedPoint& mark : plot.marks) {
    if (!drawable(mark.x) || !drawable(mark.y))
      notes.push_back(mark.label + ": not drawn (not a number)");
    else if (aboveCeiling(plot, mark.y))
      notes.push_back(mark.label + ": above the top, not drawn");
  }
  if (plot.reference && !drawable(plot.reference->y)) {
    notes.push_back(plot.reference->label + ": not drawn (not a number)");
  } else if (plot.reference && aboveCeiling(plot, plot.reference->y)) {
    notes.push_back(plot.reference->label + ": above the top, not drawn");
  }
  return notes;
}

std::string textAlternative(const Plot& plot, const std::vector<std::string>& notes) {
  std::string text = plot.description.empty() ? "" : plot.description + " ";
  for (const Series& series : plot.series)
    text += seriesSummary(plot, series);
  for (const MarkedPoint& mark : plot.marks) {
    if (drawable(mark.x) && drawable(mark.y)) {
      text += mark.label + " at " + figureText(mark.x) + ", " + figureText(mark.y) + ". ";
    }
  }
  if (plot.reference && drawable(plot.reference->y)) {
    text += plot.reference->label + " at " + figureText(plot.reference->y) + ". ";
  }
  for (const std::string& note : notes)
    text += note + ". ";
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace zephyrion::report
