// A label: one line of static text on a filled rectangle. Labels are not chained and take no
// events; a label is drawn when it is set and never again by itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

struct xLabel {
  const std::string typeName = "xLabel";
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 80;
  std::int32_t height = 17;
  std::string caption;
  std::int32_t backColor = 0xD4D0C8;
  std::int32_t spareColor = 0;  // read by no operation

  xLabel() = default;
  xLabel(const xLabel&) = delete;
  xLabel& operator=(const xLabel&) = delete;
};

// Stores the text (always), x unless negative, y by the y rule (>= 0 absolute, below -1 that many
// pixels below lastWidgetY, -1 keep) and the width (0: fit the text, 8 per character plus 8;
// negative: keep), then fills the rectangle with backColor and draws the text at (4, 2) in the
// screen's foreground colour.
void labelSet(xLabel& label, std::string_view text, std::int32_t x, std::int32_t y, std::int32_t width);

}  // namespace zephyrion
