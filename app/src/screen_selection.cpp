#include "app/screen_selection.h"

#include "gfx/screen.h"
#include "text/sinks.h"

namespace zephyrion {

constinit std::int32_t screenWidth = 0;
constinit std::int32_t screenHeight = 0;

namespace {

constexpr int kScreenTextOutput = 0;
constexpr int kColourDepth = 32;
constexpr std::int32_t kFormBackground = 0xD4D0C8;

void printMode() {
  printInteger(kScreenTextOutput, screenWidth, 0);
  printText(kScreenTextOutput, " X ", 0);
  printInteger(kScreenTextOutput, screenHeight, kNewlineFlag);
}

// Examines the listed modes up to the asked one, leaving the last examined in screenWidth and
// screenHeight; false when the display lists none.
bool examineModes(std::int32_t width, std::int32_t height) {
  bool listed = false;
  for (std::int32_t mode = gfxListModes(kColourDepth); mode != 0; mode = gfxListModes(0)) {
    listed = true;
    screenWidth = static_cast<std::int32_t>(static_cast<std::uint32_t>(mode) >> 16);
    screenHeight = mode & 0xFFFF;
    printMode();
    if (screenWidth == width && screenHeight == height) break;
  }
  return listed;
}

}  // namespace

bool selectScreenMode(std::int32_t width, std::int32_t height) {
  if (!examineModes(width, height)) return false;
  const bool windowed = height != 0;
  if (windowed && (screenWidth < width || screenHeight < height)) return false;
  const int opened = windowed ? gfxOpenScreen(width, height, kColourDepth, 1, kFixedScreenKind, 0)
                              : gfxOpenScreen(screenWidth, screenHeight, kColourDepth, 1, kFullScreen, 0);
  if (opened != kScreenOk) return false;
  // A larger listed mode still gets a window of the asked size, and the layout follows the window.
  if (windowed) {
    screenWidth = width;
    screenHeight = height;
  }
  gfxSetTextGrid(screenWidth / 8, screenHeight / 16);
  gfxSetColors(0x000000, kFormBackground, 0);
  gfxClear(kNoArgument);
  return true;
}

}  // namespace zephyrion
