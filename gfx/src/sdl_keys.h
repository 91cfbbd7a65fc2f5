// SDL's keys and mouse buttons as the key buffer and the mouse poll know them.
#pragma once

#include <SDL.h>

#include <optional>

#include "key_codes.h"

namespace zephyrion {

// The key a press of `key` stands for: cursor, function and editing keys, Enter, Backspace, Tab
// and Escape; the number pad's keys act as cursor keys while Num Lock is off. None for a key
// whose character comes as typed text, and for any other key.
std::optional<NamedKey> namedKey(SDL_Keycode key, bool numLock);

// The button's bit in the mouse poll's buttons (kLeftButton, ...); 0 for any other button.
int buttonBit(Uint8 button);

}  // namespace zephyrion
