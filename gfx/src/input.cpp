// The polls, the sleep, the beep and the end of the program.
#include <cstdlib>
#include <mutex>

#include "gfx/input.h"
#include "key_codes.h"
#include "platform.h"
#include "screen_state.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

constexpr int kKeyLookMs = 50;
constexpr int kShortestWatchedSleepMs = 100;

// Looks at the key-arrived mark and clears it.
bool keyHasArrived() {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  bool arrived = state.keyArrived;
  state.keyArrived = false;
  return arrived;
}

bool screenIsOpen() {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.screen.has_value();
}

void waitForKey(Platform& platform) {
  if (!screenIsOpen()) {
    platform.waitForConsoleKey();
    return;
  }
  while (!keyHasArrived()) {
    if (!platform.keysCanArrive()) return;
    platform.sleepFor(kKeyLookMs);
  }
}

// Sleeps in steps, looking for a key before each one; the key stays in the buffer.
void sleepWatchingKeys(Platform& platform, int milliseconds) {
  int remaining = milliseconds;
  while (remaining > 0 && !keyHasArrived()) {
    int step = remaining > kKeyLookMs ? kKeyLookMs : remaining;
    platform.sleepFor(step);
    remaining -= step;
  }
}

}  // namespace

std::string inputPollKey() {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  state.keyArrived = false;
  std::optional<int> key = state.keys.pop();
  return key ? keyText(*key) : std::string();
}

int inputPollMouse(std::int32_t& x, std::int32_t& y, std::int32_t& wheel, std::int32_t& buttons,
                   std::int32_t& confined) {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.screen || !state.mouse.active() || !state.mouse.inside) {
    x = y = wheel = buttons = confined = -1;
    return 1;
  }
  const MouseState mouse = mouseForPoll(state);
  x = mouse.x;
  y = mouse.y;
  wheel = mouse.wheel;
  buttons = mouse.buttons;
  confined = 0;
  return 0;
}

double clockSeconds() {
  return currentPlatform().clockSeconds();
}

void sleepMs(int milliseconds) {
  Platform& platform = currentPlatform();
  if (milliseconds == -1) {
    waitForKey(platform);
  } else if (milliseconds >= kShortestWatchedSleepMs) {
    sleepWatchingKeys(platform, milliseconds);
  } else if (milliseconds > 0) {
    platform.sleepFor(milliseconds);
  }
}

void waitForInput(int milliseconds) {
  Platform& platform = currentPlatform();
  if (screenIsOpen()) {
    platform.waitForInput(milliseconds);
  } else if (milliseconds > 0) {
    platform.sleepFor(milliseconds);
  }
}

void endProgram(int status) {
  fileClose(0);
  closeScreen();
  currentPlatform().endProcess(status);
  std::abort();  // only if a window system broke its promise not to return
}

void beep() {
  currentPlatform().beep();
}

}  // namespace zephyrion
