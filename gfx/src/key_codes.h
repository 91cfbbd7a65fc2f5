// From the keys a window system reports to the keys of the key buffer. Window-system free, so
// that the mapping is testable without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zephyrion {

// Keys that come as key presses rather than typed characters.
enum class NamedKey {
  Up,
  Down,
  Left,
  Right,
  Insert,
  Delete,
  Home,
  End,
  PageUp,
  PageDown,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  Enter,
  Backspace,
  Tab,
  Escape,
};

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The key stored for a press of `key` with the modifiers held, following the PC keyboard's
// codes: Alt before Ctrl before Shift; Shift leaves the cursor keys as they are. Enter,
// Backspace, Tab and Escape are the ordinary keys 13, 8, 9 and 27 whatever is held.
int storedKeyFor(NamedKey key, KeyModifiers modifiers);

// The characters of typed UTF-8 text as ordinary keys: ASCII as it is, U+00A0..U+00FF as their
// Latin-1 byte; control characters, other characters and broken sequences give nothing.
std::vector<int> typedCharacterKeys(std::string_view utf8);

// The key text of a stored key: one byte for an ordinary key, 255 and the code for an extended one.
std::string keyText(int key);

}  // namespace zephyrion
