// What the screen needs from a window system. Two implementations: the SDL window (served on the
// process's first thread) and the in-memory screen of the tests; with neither installed there is
// no display. Every call comes from the program's thread without the screen lock held.
#pragma once

#include <vector>

#include "gfx/screen.h"

namespace zephyrion {

struct WindowRequest {
  int width = 0;
  int height = 0;
  bool fullScreen = false;
  bool fixedKind = false;  // no switching between window and full screen
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The display's full-screen modes in the window system's order; empty without a display.
  virtual std::vector<DisplayMode> displayModes() = 0;
  // Shows the screen's surface, which exists already; false when neither kind of screen can be had.
  virtual bool openWindow(const WindowRequest& request) = 0;
  virtual void closeWindow() = 0;

  virtual double clockSeconds() = 0;
  virtual void sleepFor(int milliseconds) = 0;
  // False when no key can arrive any more during a key wait, so that the wait would never end.
  virtual bool keysCanArrive() = 0;
  // The key wait with no screen open.
  virtual void waitForConsoleKey() = 0;
  // Returns once inputWaits holds for the screen's state, or once `milliseconds` have passed (-1:
  // no limit); clears the state's inputArrived mark.
  virtual void waitForInput(int milliseconds) = 0;
  // Called after drawing changed the screen while the window showed all of it: changed rows are
  // waiting to be copied. Without the screen lock held.
  virtual void screenChanged() = 0;

  virtual void beep() = 0;
  // Ends the program after the files and the screen have been closed: the process, or the
  // program's own thread where the window system gave it one (the process then ends with it).
  [[noreturn]] virtual void endProcess(int status) = 0;
};

// The installed window system; a display-less one when nothing is installed.
Platform& currentPlatform();
// nullptr restores the display-less one.
void installPlatform(Platform* platform);

// Shared by the real window systems.
double steadyClockSeconds();
void sleepMilliseconds(int milliseconds);
void waitForTerminalKey();

}  // namespace zephyrion
