#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "markup.h"
#include "plot_values.h"
#include "report/plot.h"
#include "report/table.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

// A value as the table states it: the figure, or words where there is no number to show.
std::string figureOrWords(double value) {
  return std::isfinite(value) ? figureText(value) : "no value";
}

std::string cellText(const std::vector<double>& values, std::size_t i) {
  return i < values.size() ? figureOrWords(values[i]) : "no value";
}

Table columnsTable(std::string caption, const AxisTitle& x, const AxisTitle& y, const std::vector<double>& xs,
                   const std::vector<double>& ys) {
  Table table{std::move(caption), {axisTitleText(x), axisTitleText(y)}, {}};
  for (std::size_t i = 0; i < std::max(xs.size(), ys.size()); ++i)
    table.rows.push_back({cellText(xs, i), cellText(ys, i)});
  return table;
}

Table marksTable(const Plot& plot) {
  Table table{"Marked values", {"Point", axisTitleText(plot.x), axisTitleText(plot.y)}, {}};
  for (const MarkedPoint& mark : plot.marks)
    table.rows.push_back({mark.label, figureOrWords(mark.x), figureOrWords(mark.y)});
  if (plot.reference) table.rows.push_back({plot.reference->label, "", figureOrWords(plot.reference->y)});
  return table;
}

}  // namespace

std::string plotNumbers(const Plot& plot) {
  std::string out =
      "<details class=\"numbers\"><summary>Numbers behind the plot “" + escaped(plot.title) + "”</summary>\n";
  for (const Series& series : plot.series)
    out += tableHtml(columnsTable(series.name, plot.x, plot.y, series.x, series.y));
  if (plot.bars) {
    const Bars& bars = *plot.bars;
    AxisTitle heights = bars.secondAxis.quantity.empty() ? plot.y : bars.secondAxis;
    std::string width = figureOrWords(bars.width) + (plot.x.unit.empty() ? "" : " " + plot.x.unit);
    std::string caption = bars.name + ", bars " + width + " wide";
    out += tableHtml(columnsTable(caption, plot.x, heights, bars.x, bars.height));
  }
  if (!plot.marks.empty() || plot.reference) out += tableHtml(marksTable(plot));
  return out + "</details>\n";
}

}  // namespace zephyrion::report
