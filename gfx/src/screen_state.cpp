#include "screen_state.h"

namespace zephyrion {

ScreenState& screenState() {
  static ScreenState state;
  return state;
}

void storeKey(ScreenState& state, int key) {
  if (!state.screen) return;
  state.keys.push(key);
  state.keyArrived = true;
  state.inputArrived = true;
}

void changeButtons(ScreenState& state, int buttons) {
  if (buttons == state.mouse.buttons) return;
  state.mouse.buttons = buttons;
  state.inputArrived = true;
  if (state.unreportedButtons.size() == kKeptButtonChanges) state.unreportedButtons.pop_front();
  state.unreportedButtons.push_back({state.mouse.x, state.mouse.y, buttons});
}

bool inputWaits(const ScreenState& state) {
  return state.inputArrived || !state.keys.empty() || !state.unreportedButtons.empty();
}

MouseState mouseForPoll(ScreenState& state) {
  MouseState reported = state.mouse;
  if (!state.unreportedButtons.empty()) {
    const ButtonChange& oldest = state.unreportedButtons.front();
    reported.x = oldest.x;
    reported.y = oldest.y;
    reported.buttons = oldest.buttons;
    state.unreportedButtons.pop_front();
  }
  return reported;
}

}  // namespace zephyrion
