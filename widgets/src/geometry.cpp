#include "geometry.h"

#include <algorithm>
#include <limits>

#include "gfx/screen.h"
#include "widgets/chain.h"

namespace zephyrion {

std::int32_t saturate32(std::int64_t value) {
  constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

std::int32_t characterCount(const std::string& text) {
  constexpr auto highest = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(std::min(text.size(), highest));
}

void applyYRule(std::int32_t& top, std::int32_t y) {
  if (y >= 0) {
    top = y;
  } else if (y < -1) {
    top = saturate32(std::int64_t{lastWidgetY} - std::int64_t{y});
  } else {
    return;
  }
  lastWidgetY = top;
}

bool isInside(std::int32_t px, std::int32_t py, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height) {
  return x < px && std::int64_t{px} < std::int64_t{x} + width && y < py &&
         std::int64_t{py} < std::int64_t{y} + height;
}

void setViewCorners(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t fill,
                    std::int32_t border, std::uint32_t viewFlags) {
  gfxSetView(saturate32(x1), saturate32(y1), saturate32(x2), saturate32(y2), fill, border, viewFlags);
}

void setWidgetView(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  setViewCorners(x, y, x + width, y + height, 0, 0, kViewNoFillNoBorder);
}

void drawFilledBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t colour) {
  gfxLine(viewCoordinate(x1), viewCoordinate(y1), viewCoordinate(x2), viewCoordinate(y2), colour, kFilledBox,
          kSolidLine, kLinePoints);
}

void drawBoxOutline(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t colour) {
  gfxLine(viewCoordinate(x1), viewCoordinate(y1), viewCoordinate(x2), viewCoordinate(y2), colour, kBoxOutline,
          kSolidLine, kLinePoints);
}

std::int32_t chosenWidth(std::int32_t current, std::int32_t requested, const std::string& text) {
  if (requested == 0) return saturate32(8 * std::int64_t{characterCount(text)} + 8);
  return requested > 0 ? requested : current;
}

}  // namespace zephyrion
