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

void applyChange(ScreenState& state, const InputChange& change) {
  MouseState& mouse = state.mouse;
  if (change.kind != InputChange::Kind::Redraw) state.inputArrived = true;
  switch (change.kind) {
    case InputChange::Kind::Key:
      storeKey(state, change.a);
      break;
    case InputChange::Kind::Motion: {
      bool over = state.screen && change.a >= 0 && change.b >= 0 && change.a < state.screen->width() &&
                  change.b < state.screen->height();
      if (over) {
        mouse.x = change.a;
        mouse.y = change.b;
      }
      mouse.inside = over;
      break;
    }
    case InputChange::Kind::ButtonDown:
      changeButtons(state, mouse.buttons | change.a);
      break;
    case InputChange::Kind::ButtonUp:
      changeButtons(state, mouse.buttons & ~change.a);
      break;
    case InputChange::Kind::Wheel:
      mouse.wheel += change.a;
      break;
    case InputChange::Kind::Focus:
      mouse.focused = true;
      break;
    case InputChange::Kind::Blur:
      mouse.focused = false;
      break;
    case InputChange::Kind::Minimise:
      mouse.minimised = true;
      break;
    case InputChange::Kind::Restore:
      mouse.minimised = false;
      break;
    case InputChange::Kind::Enter:
      mouse.inside = true;
      break;
    case InputChange::Kind::Leave:
      mouse.inside = false;
      break;
    case InputChange::Kind::Redraw:
      if (state.screen) state.screen->markAllChanged();
      break;
  }
}

}  // namespace zephyrion
