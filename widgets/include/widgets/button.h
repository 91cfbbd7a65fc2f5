// A push button with a fixed bevelled frame and a centred caption. A press of the left button
// strictly inside it runs its action at once, on the press.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "widgets/chain.h"

namespace zephyrion {

struct xButton;
using ButtonAction = std::function<void(xButton& button)>;

struct xButton {
  const std::string typeName = "xButton";
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 80;
  std::int32_t height = 30;
  std::int32_t enabled = 1;  // non-zero: a click runs onClick
  std::int32_t faceColor = 0xD4D0C8;
  std::int32_t textColor = 0;
  std::string caption;
  WidgetRef next;
  ButtonAction onClick;  // empty: a click only redraws

  xButton();  // links the button at the chain head
  ~xButton();
  xButton(const xButton&) = delete;
  xButton& operator=(const xButton&) = delete;
};

// Stores the caption (always), x and y unless negative (lastWidgetY is left alone) and the width
// (0: fit the caption, 8 per character plus 8; negative: keep), then draws the button.
void buttonSet(xButton& button, std::string_view caption, std::int32_t x, std::int32_t y, std::int32_t width);

// A left press (button word 17) strictly inside an enabled button runs its action and then
// redraws it; every event is then passed on to `next`. An action that ends the program never
// returns, so nothing after it happens.
void buttonOnEvent(xButton& button, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d);

}  // namespace zephyrion
