// An in-memory screen for tests: the drawing and input operations work on it exactly as on the
// window, with no thread and no window system. The test plays the user (keys, mouse, close
// button) and the clock, and reads the pixels back.
//
//   MemoryScreen screen;                      // installed until it goes out of scope
//   gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0);
//   screen.moveMouse(100, 40);
//   screen.after(30, [&] { screen.pressKey(27); });   // Escape 30 ms later (in sleepMs time)
//   EXPECT_EQ(screen.pixel(100, 40), 0xD4D0C8);
//
// The clock starts at 0 and moves only when the program sleeps (sleepMs) or waits for input
// (waitForInput: to the first action that gives some, or the wait's end), or the test calls
// advanceMs (or, when asked, on every reading); actions given to `after` run when the clock reaches their
// time. endProgram closes the files and the screen and then throws ProgramEnded instead of ending the test
// process.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/screen.h"

namespace zephyrion {

// What endProgram throws while a MemoryScreen is installed.
struct ProgramEnded {
  int status = 0;
};

// One at a time: constructing it installs it as the window system, destroying it closes its
// screen and leaves no window system installed.
class MemoryScreen {
 public:
  // The display lists these full-screen modes; an empty list means there is no display, so
  // gfxListModes gives 0 and gfxOpenScreen fails.
  explicit MemoryScreen(std::vector<DisplayMode> displayModes = {{800, 600, 32}});
  ~MemoryScreen();
  MemoryScreen(const MemoryScreen&) = delete;
  MemoryScreen& operator=(const MemoryScreen&) = delete;

  void setDisplayModes(std::vector<DisplayMode> displayModes);

  // The open screen.
  bool isOpen() const;
  int width() const;
  int height() const;
  bool isFullScreen() const;

  // 0xRRGGBB of a screen pixel; -1 outside the screen or with no screen open.
  std::int32_t pixel(int x, int y) const;
  // Every pixel, row by row from the top (width * height values); empty with no screen open.
  std::vector<std::int32_t> pixels() const;
  // How many pixels of the rectangle (x1, y1)-(x2, y2), corners included, have the colour.
  int countPixels(int x1, int y1, int x2, int y2, std::int32_t colour) const;
  // Reads `length` characters drawn in `colour` in the cells of the current font from the screen
  // pixel (x, y) to the right: each cell is matched against the glyphs of bytes 32 to 126; a cell
  // that matches none reads as '?'.
  std::string textAt(int x, int y, int length, std::int32_t colour) const;

  // Keys reach the key buffer only while a screen is open, like those of a window.
  void pressKey(int code);               // an ordinary key 1..255: 13 Enter, 8 Backspace, 27 Escape, ...
  void typeText(std::string_view text);  // each byte as an ordinary key
  void pressExtendedKey(int code);       // kKeyLeft, kKeyDelete, ...
  void requestClose();                   // the window's close button

  // The pointer over the drawing area, in screen pixels. The window starts active with the
  // pointer inside at (0, 0), no button held and the wheel count at 0.
  void moveMouse(int x, int y);
  void setButtons(int buttons);  // kLeftButton | kRightButton ...
  void turnWheel(int notches);   // forward positive
  void setActive(bool active);   // false: another window is active, or this one is minimised
  void setInside(bool inside);   // false: the pointer is off the drawing area

  // The clock, in seconds.
  double now() const;
  void advanceMs(int milliseconds);
  // From now on every reading by the program (clockSeconds) moves the clock on by that much
  // after it is read, as a real clock moves while the program works; 0 (the start) stops it.
  void advanceOnEveryReading(int milliseconds);
  // How many times the program has read the clock (clockSeconds).
  int clockReadings() const;
  // Runs the action when the clock has moved `milliseconds` on from now.
  void after(int milliseconds, std::function<void()> action);

  // How many times beep was called.
  int beepCount() const;

 private:
  struct Backend;
  std::unique_ptr<Backend> backend_;
};

}  // namespace zephyrion
