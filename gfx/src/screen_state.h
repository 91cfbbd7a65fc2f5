// The state that the program's thread and the window service share: the pixel screen, the key
// buffer and the mouse, all under the one screen lock.
#pragma once

#include <cstdint>
#include <deque>
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

// The buttons as they became after a press or release, and where the pointer was then.
struct ButtonChange {
  int x = 0;
  int y = 0;
  int buttons = 0;
};

struct ScreenState {
  std::mutex lock;
  std::optional<PixelScreen> screen;  // present while a screen is open
  KeyRing keys;
  bool keyArrived = false;  // set by every stored key, cleared by polls and the sleep's looks
  // Set by every key, pointer, button, wheel and activation change, cleared when waitForInput
  // returns: input that came after a pass's polls ends the wait that follows them.
  bool inputArrived = false;
  MouseState mouse;
  // Button changes that no poll has reported yet, oldest first (at most kKeptButtonChanges).
  std::deque<ButtonChange> unreportedButtons;
  std::vector<std::int32_t> modes;  // the last gfxListModes list
  std::size_t nextMode = 0;
};

ScreenState& screenState();

// With the lock held: stores a key while a screen is open (keys before that are not kept).
void storeKey(ScreenState& state, int key);

// Far more button changes than a user makes between two polls; past that the oldest goes.
inline constexpr std::size_t kKeptButtonChanges = 16;

// With the lock held: the buttons held become `buttons`, with the pointer where it is now. A
// press and its release can both come between two polls (a click sent at once, as xdotool and
// remote desktops send them); each change is kept until a poll has reported it, so the next poll
// sees the button pressed and a later one sees it released.
void changeButtons(ScreenState& state, int buttons);

// With the lock held: whether input waits for the program's polls: a key in the buffer, a button
// change no poll has reported, or anything that arrived since the last input wait.
bool inputWaits(const ScreenState& state);

// With the lock held: the mouse as the next poll reports it, with the oldest unreported button
// change (and the pointer where it happened) taking the place of the buttons held now.
MouseState mouseForPoll(ScreenState& state);

// One thing a window reported, translated without the lock and applied under it.
struct InputChange {
  enum class Kind {
    Key,
    Motion,
    ButtonDown,
    ButtonUp,
    Wheel,
    Focus,
    Blur,
    Minimise,
    Restore,
    Enter,
    Leave,
    Redraw
  };
  Kind kind;
  int a = 0;  // the key, the pointer's x, the button's bit or the wheel's notches
  int b = 0;  // the pointer's y
};

// With the lock held: the change in the screen's state; every change but Redraw is input.
void applyChange(ScreenState& state, const InputChange& change);

// Closes the screen if one is open: the window goes and file number 0 prints to standard output again.
void closeScreen();

}  // namespace zephyrion
