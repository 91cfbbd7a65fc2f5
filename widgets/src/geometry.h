// What the widgets share about their rectangles: the y rule, the hit rule and the arithmetic of
// edges, done in 64 bits and saturated so that no record values can overflow.
#pragma once

#include <cstdint>
#include <string>

namespace zephyrion {

// The value limited to the range of a signed 32-bit integer.
std::int32_t saturate32(std::int64_t value);

// The number of characters of a text, as a column number.
std::int32_t characterCount(const std::string& text);

// A coordinate of a box corner for gfxLine and gfxDrawText.
inline float viewCoordinate(std::int64_t value) {
  return static_cast<float>(value);
}

// The y rule: y >= 0 is an absolute top edge, y below -1 lies that many pixels below the top edge
// given last; either becomes lastWidgetY. -1 keeps the top edge and lastWidgetY.
void applyYRule(std::int32_t& top, std::int32_t y);

// The hit rule: the point is inside when it lies strictly within the rectangle from (x, y) to
// (x + width, y + height); the edge pixels are outside.
bool isInside(std::int32_t px, std::int32_t py, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height);

// Makes (x1, y1)-(x2, y2), both corners included, the view with the given fill, border and flags.
void setViewCorners(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t fill,
                    std::int32_t border, std::uint32_t viewFlags);

// Makes a widget's rectangle (x, y)-(x + width, y + height) the view, with neither fill nor border.
void setWidgetView(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);

// Box drawing in view coordinates, solid.
void drawFilledBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t colour);
void drawBoxOutline(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t colour);

// The width of a label or button: 0 fits the text (8 per character plus 8), a negative width
// keeps the current one.
std::int32_t chosenWidth(std::int32_t current, std::int32_t requested, const std::string& text);

}  // namespace zephyrion
