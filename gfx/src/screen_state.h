// The state that the program's thread and the window service share: the pixel screen, the key
// buffer and the mouse, all under the one screen lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "key_ring.h"
#include "pixel_screen.h"

namespace zephyrion {

struct MouseState {
  int x = 0;
  int y = 0;
  int wheel = 0;
  int buttons = 0;
  bool focused = false;  // the window is the active window
  bool minimised = false;
  bool inside = false;  // the pointer is over the drawing area

  bool active() const { return focused && !minimised; }
};

struct ScreenState {
  std::mutex lock;
  std::optional<PixelScreen> screen;  // present while a screen is open
  KeyRing keys;
  bool keyArrived = false;  // set by every stored key, cleared by polls and the sleep's looks
  MouseState mouse;
  std::vector<std::int32_t> modes;  // the last gfxListModes list
  std::size_t nextMode = 0;
};

ScreenState& screenState();

// With the lock held: stores a key while a screen is open (keys before that are not kept).
void storeKey(ScreenState& state, int key);

// Closes the screen if one is open: the window goes and file number 0 prints to standard output again.
void closeScreen();

}  // namespace zephyrion
