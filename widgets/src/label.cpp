#include "widgets/label.h"

#include "geometry.h"
#include "gfx/screen.h"

namespace zephyrion {

void labelSet(xLabel& label, std::string_view text, std::int32_t x, std::int32_t y, std::int32_t width) {
  label.caption = std::string(text);
  if (x >= 0) label.x = x;
  applyYRule(label.y, y);
  label.width = chosenWidth(label.width, width, label.caption);
  setWidgetView(label.x, label.y, label.width, label.height);
  drawFilledBox(0, 0, label.width, label.height, label.backColor);
  // Labels carry no text colour of their own: they write in the screen's foreground colour.
  gfxDrawText(4, 2, kSinglePointInForeground, label.caption, 0);
}

}  // namespace zephyrion
