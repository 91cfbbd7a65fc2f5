#include "widgets/button.h"

#include "geometry.h"
#include "gfx/screen.h"

namespace zephyrion {

namespace {

// The bevel: each ring is drawn over the last, so the outermost ring ends up white, the top and
// left show 0x808080 inside it, and the right and bottom darken inwards to 0x202020.
void drawButton(const xButton& button) {
  const std::int64_t w = button.width;
  const std::int64_t h = button.height;
  setWidgetView(button.x, button.y, w, h);
  drawFilledBox(0, 0, w, h, button.faceColor);
  drawBoxOutline(1, 1, w - 3, h - 3, 0x202020);
  drawBoxOutline(1, 1, w - 2, h - 2, 0x404040);
  drawBoxOutline(1, 1, w - 1, h - 1, 0x808080);
  drawBoxOutline(0, 0, w, h, 0xFFFFFF);
  const std::int64_t length = characterCount(button.caption);
  gfxDrawText(viewCoordinate(w / 2 - 4 * length), viewCoordinate(h / 2 - 8), kSinglePoint, button.caption,
              button.textColor);
}

bool isClick(const xButton& button, std::int32_t kind, std::int32_t px, std::int32_t py, std::int32_t word) {
  return kind == EVENT_MOUSE && button.enabled != 0 &&
         isInside(px, py, button.x, button.y, button.width, button.height) && word == kLeftPressed;
}

}  // namespace

xButton::xButton() {
  linkAtChainHead(typeName, this, next);
}

xButton::~xButton() {
  unlinkFromChain(this);
}

void buttonSet(xButton& button, std::string_view caption, std::int32_t x, std::int32_t y,
               std::int32_t width) {
  button.caption = std::string(caption);
  if (x >= 0) button.x = x;
  if (y >= 0) button.y = y;
  button.width = chosenWidth(button.width, width, button.caption);
  drawButton(button);
}

void buttonOnEvent(xButton& button, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d) {
  if (isClick(button, kind, a, b, d)) {
    // A copy, so that an action may rebind the button's onClick while it runs.
    if (ButtonAction action = button.onClick) action(button);
    buttonSet(button, button.caption, -1, -1, -1);
  }
  dispatchEvent(kind, button.next, a, b, c, d);
}

}  // namespace zephyrion
