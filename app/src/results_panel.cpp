#include "app/results_panel.h"

#include <algorithm>
#include <optional>

#include "gfx/screen.h"
#include "text/rounding.h"
#include "widgets/label.h"

namespace zephyrion {
namespace {

constexpr std::int32_t kPanelLeft = 18;
constexpr std::int32_t kFirstLineAboveBottom = 180;
constexpr std::int32_t kNextLine = -18;  // the y rule: 18 pixels below the previous line
constexpr std::int32_t kPreviewColour = 7;

// The panel runs from x 18 to 338, short of the preview's frame at x 350: a problem's lines fill
// it, and a result line longer than it is cut at its edge.
constexpr std::size_t kPanelCharacters = 39;
constexpr std::int32_t kPanelWidth = 8 * static_cast<std::int32_t>(kPanelCharacters) + 8;

// How wide each line's box was drawn last; a shorter line paints the rest of it over, so that no
// tail of an older text stands beside the new one and reads as part of the result.
std::array<std::int32_t, 4> drawnWidths{};

// A result line's box fits its text, 8 pixels a character and 8 more, as far as the panel goes.
std::int32_t fittedWidth(const std::string& text) {
  return static_cast<std::int32_t>(std::min<std::size_t>(8 * text.size() + 8, kPanelWidth));
}

// Paints the part of the line's older box right of its new one with the panel's background.
void clearBeyond(const xLabel& line, std::int32_t olderWidth) {
  if (olderWidth <= line.width) return;
  gfxSetView(line.x + line.width + 1, line.y, line.x + olderWidth, line.y + line.height, line.backColor, 0,
             kViewNoBorder);
}

void drawPanelLines(const std::array<std::string, 4>& lines, std::int32_t screenHeight,
                    std::optional<std::int32_t> width) {
  std::array<xLabel, 4> labels;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    std::int32_t y = i == 0 ? screenHeight - kFirstLineAboveBottom : kNextLine;
    labelSet(labels[i], lines[i], kPanelLeft, y, width.value_or(fittedWidth(lines[i])));
    clearBeyond(labels[i], drawnWidths[i]);
    drawnWidths[i] = labels[i].width;
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
  drawPanelLines(lines, screenHeight, std::nullopt);
}

void showRunProblem(std::string_view message, std::int32_t screenHeight) {
  drawPanelLines(wrapIntoResultLines(message, kPanelCharacters), screenHeight, kPanelWidth);
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
