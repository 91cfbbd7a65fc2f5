#include "app/event_loop.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "gfx/input.h"
#include "text/rounding.h"
#include "widgets/chain.h"

namespace zephyrion {

namespace {

constexpr char kEscapeKey = 27;
constexpr std::int32_t kEveryMillisecond = 1;

// Bits 0-3 of the button word; a fifth button would run into the change bits.
constexpr std::int32_t kReportedButtons = 0xF;

// What the loop remembers between passes.
struct LoopState {
  double previousClock = 0;
  std::int32_t lastX = 0;
  std::int32_t lastY = 0;
  std::int32_t lastWheel = 0;
  std::int32_t lastButtons = 0;
};

std::int32_t keyCode(char character) {
  return static_cast<unsigned char>(character);
}

void sendKey(const std::string& key) {
  if (key.empty()) return;
  const auto length = static_cast<std::int32_t>(key.size());
  dispatchEvent(EVENT_KEY, widgetChainHead, length, keyCode(key.front()), keyCode(key.back()), 0);
}

// One reading serves as this pass's end and the next pass's start, so that the ticks add up to
// the time that passed: a second reading would drop the time between the two.
void sendTick(LoopState& state) {
  const double now = clockSeconds();
  const std::int32_t elapsedMs = roundToInt32(std::fabs(now - state.previousClock) * 1000.0);
  state.previousClock = now;
  dispatchEvent(EVENT_TICK, widgetChainHead, elapsedMs, 0, 0, 0);
}

// The wheel count only ever moves by notches, so its change is taken modulo 2^32.
std::int32_t wheelChange(std::int32_t wheel, std::int32_t lastWheel) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(wheel) - static_cast<std::uint32_t>(lastWheel));
}

void sendMouse(LoopState& state) {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t wheel = 0;
  std::int32_t buttons = 0;
  std::int32_t confined = 0;
  if (inputPollMouse(x, y, wheel, buttons, confined) != 0) return;
  buttons &= kReportedButtons;
  if (x == state.lastX && y == state.lastY && wheel == state.lastWheel && buttons == state.lastButtons)
    return;
  const std::int32_t word = buttons + ((buttons ^ state.lastButtons) << 4);
  state.lastButtons = buttons;
  dispatchEvent(EVENT_MOUSE, widgetChainHead, x, y, wheelChange(wheel, state.lastWheel), word);
  state.lastX = x;
  state.lastY = y;
  state.lastWheel = wheel;
}

// A millisecond, as it always was, while a record of a type of the program's own is on the chain
// (nothing says when its ticks matter); otherwise until input arrives or a widget's tick matters.
void waitForNextPass() {
  const std::int32_t tickMattersIn = msUntilATickMatters();
  if (tickMattersIn == kEveryMillisecond) {
    sleepMs(kEveryMillisecond);
  } else {
    waitForInput(tickMattersIn);
  }
}

bool endsLoop(const std::string& key) {
  static const std::string closeRequest{static_cast<char>(kExtendedKeyPrefix),
                                        static_cast<char>(kKeyWindowClose)};
  return key == std::string(1, kEscapeKey) || key == closeRequest;
}

}  // namespace

void eventLoop() {
  LoopState state;
  state.previousClock = clockSeconds();
  for (;;) {
    const std::string key = inputPollKey();
    sendKey(key);
    sendTick(state);
    sendMouse(state);
    if (endsLoop(key)) return;
    waitForNextPass();
  }
}

}  // namespace zephyrion
