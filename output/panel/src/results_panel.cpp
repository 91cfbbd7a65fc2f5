#include "output/results_panel.h"

#include <algorithm>

#include "text/rounding.h"
#include "widgets/label.h"

namespace zephyrion {
namespace {

constexpr std::int32_t kPanelLeft = 18;
constexpr std::int32_t kFirstLineAboveBottom = 180;
constexpr std::int32_t kNextLine = -18;  // the y rule: 18 pixels below the previous line
constexpr std::int32_t kPreviewColour = 7;
constexpr std::int32_t kFitText = 0;

// A problem's lines fill the panel from x 18 to 338, short of the canvas at x 350.
constexpr std::size_t kProblemLineCharacters = 39;
constexpr std::int32_t kProblemLineWidth = 8 * static_cast<std::int32_t>(kProblemLineCharacters) + 8;

// Whether the panel holds a problem's full-width lines, which result lines, as wide as their
// own text, would not cover.
bool panelShowsProblem = false;

void drawPanelLines(const std::array<std::string, 4>& lines, std::int32_t screenHeight, std::int32_t width) {
  std::array<xLabel, 4> labels;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    std::int32_t y = i == 0 ? screenHeight - kFirstLineAboveBottom : kNextLine;
    labelSet(labels[i], lines[i], kPanelLeft, y, width);
  }
}

}  // namespace

double previewScale(const xCanvas& canvas, std::int32_t rotorRadius) {
  std::int64_t usableHeight = std::int64_t{canvas.height} - 20;
  return static_cast<double>(usableHeight) / rotorRadius;
}

void plotPreviewRow(xCanvas& canvas, const BladeGeometry& geometry, double row, double scale) {
  const BladeGrid& grid = geometry.grid;
  std::int32_t r = roundToInt32(row);
  std::int32_t py = roundToInt32(scale * row + 10.0);
  for (std::int32_t d = 1; d <= grid.chordDivisions; ++d) {
    std::int32_t px = roundToInt32((grid.upperX(r, d) - geometry.axisOffset) * scale + canvas.width / 2.0);
    canvasPlot(canvas, px, py, kPreviewColour);
  }
}

void showResultLines(const std::array<std::string, 4>& lines, std::int32_t screenHeight) {
  if (panelShowsProblem) drawPanelLines({}, screenHeight, kProblemLineWidth);
  drawPanelLines(lines, screenHeight, kFitText);
  panelShowsProblem = false;
}

void showRunProblem(std::string_view message, std::int32_t screenHeight) {
  drawPanelLines(wrapIntoResultLines(message, kProblemLineCharacters), screenHeight, kProblemLineWidth);
  panelShowsProblem = true;
}

std::array<std::string, 4> wrapIntoResultLines(std::string_view message, std::size_t width) {
  std::array<std::string, 4> lines;
  std::size_t line = 0;
  while (!message.empty() && line < lines.size()) {
    while (!message.empty() && message.front() == ' ')
      message.remove_prefix(1);
    std::size_t take = message.size() <= width ? message.size() : message.rfind(' ', width);
    if (take == std::string_view::npos || take == 0) take = std::min(width, message.size());
    lines[line++] = std::string(message.substr(0, take));
    message.remove_prefix(take);
  }
  return lines;
}

}  // namespace zephyrion
