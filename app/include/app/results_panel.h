// What a calculation shows on the form: the blade's outline plotted into the preview canvas row
// by row, and the four result lines under the fields (or, when a run could not be made, why).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "blade/blade_assembly.h"
#include "widgets/canvas.h"

namespace zephyrion {

// Pixels per millimetre of radius: the span fills the canvas height less 10 pixels at each end.
double previewScale(const xCanvas& canvas, std::int32_t rotorRadius);

// Plots the upper-surface points of one row, seen along the blade's thickness: the span runs
// down the canvas, the span axis stands at its horizontal centre.
void plotPreviewRow(xCanvas& canvas, const BladeGeometry& geometry, double row, double scale);

// The four result lines at x 18, the first at screenHeight - 180 and each next 18 pixels lower,
// each box as wide as its text but no wider than the panel (x 18 to 338), which ends short of
// the preview. Whatever an older, longer line showed beyond the new box is painted over.
void showResultLines(const std::array<std::string, 4>& lines, std::int32_t screenHeight);

// Why a run was refused or failed, wrapped onto the result lines' places across the whole width
// of the panel.
void showRunProblem(std::string_view message, std::int32_t screenHeight);

// The message split at blanks into lines of at most `width` characters (longer words are cut).
std::array<std::string, 4> wrapIntoResultLines(std::string_view message, std::size_t width);

}  // namespace zephyrion
