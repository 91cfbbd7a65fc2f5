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
}

}  // namespace zephyrion
