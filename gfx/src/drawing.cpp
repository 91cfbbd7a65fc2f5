// The screen operations: each takes the screen lock for its whole duration.
#include <algorithm>
#include <cstdio>
#include <mutex>

#include "gfx/screen.h"
#include "platform.h"
#include "screen_state.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

// Far above any display, and small enough that a screen of 32-bit pixels fits in memory.
constexpr int kLargestSide = 16384;

bool isAcceptedDepth(int depth) {
  return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 15 || depth == 16 || depth == 24 ||
         depth == 32;
}

// 15 and 16 bits count as the same depth, and so do 24 and 32.
int depthClass(int depth) {
  if (depth == 15) return 16;
  if (depth == 24) return 32;
  return depth;
}

std::vector<std::int32_t> packedModesOfDepth(const std::vector<DisplayMode>& modes, int depth) {
  std::vector<std::int32_t> packed;
  for (const DisplayMode& mode : modes) {
    bool fits = mode.width > 0 && mode.height > 0 && mode.width < 32768 && mode.height < 65536;
    if (fits && depthClass(mode.bitsPerPixel) == depthClass(depth)) {
      packed.push_back(static_cast<std::int32_t>((static_cast<std::uint32_t>(mode.width) << 16) |
                                                 static_cast<std::uint32_t>(mode.height)));
    }
  }
  std::sort(packed.begin(), packed.end());  // by width, then height: the packing keeps that order
  packed.erase(std::unique(packed.begin(), packed.end()), packed.end());
  return packed;
}

void writeToStandardOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// Runs a drawing operation on the open screen under the lock; false without a screen. The window
// hears of the first change it has not shown, so that it need not look for changes while idle.
template <typename Operation>
bool drawOnScreen(Operation operation) {
  ScreenState& state = screenState();
  std::unique_lock<std::mutex> guard(state.lock);
  if (!state.screen) return false;
  const bool allShown = !state.screen->hasChangedRows();
  operation(*state.screen);
  const bool firstChange = allShown && state.screen->hasChangedRows();
  guard.unlock();
  if (firstChange) currentPlatform().screenChanged();
  return true;
}

// The text of file number 0: on the open screen, else on standard output. The screen's text
// receiver and gfxPrint both end here and neither calls the other, so a receiver left in place
// with no screen open prints once instead of handing the text back and forth for ever.
void printOnScreen(std::string_view text) {
  if (!drawOnScreen([&](PixelScreen& screen) { screen.print(text); })) writeToStandardOutput(text);
}

}  // namespace

int gfxOpenScreen(int width, int height, int depth, int pages, std::uint32_t windowFlags, int refreshRate) {
  (void)pages;        // one page: the surface is always the visible one
  (void)refreshRate;  // the window system's default
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide || !isAcceptedDepth(depth)) {
    return kScreenFailed;
  }
  closeScreen();
  ScreenState& state = screenState();
  {
    std::lock_guard<std::mutex> guard(state.lock);
    state.screen.emplace(width, height);
    state.keys.clear();
    state.keyArrived = false;
    state.mouse = MouseState{};
    state.unreportedButtons.clear();
  }
  WindowRequest request{width, height, (windowFlags & kFullScreen) != 0,
                        (windowFlags & kFixedScreenKind) != 0};
  if (!currentPlatform().openWindow(request)) {
    std::lock_guard<std::mutex> guard(state.lock);
    state.screen.reset();
    return kScreenFailed;
  }
  setScreenTextReceiver(printOnScreen);
  return kScreenOk;
}

void closeScreen() {
  ScreenState& state = screenState();
  {
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.screen) return;
  }
  setScreenTextReceiver(nullptr);
  currentPlatform().closeWindow();
  std::lock_guard<std::mutex> guard(state.lock);
  state.screen.reset();
  state.keys.clear();
}

std::int32_t gfxListModes(int depth) {
  ScreenState& state = screenState();
  if (depth > 0) {
    std::vector<std::int32_t> modes = packedModesOfDepth(currentPlatform().displayModes(), depth);
    std::lock_guard<std::mutex> guard(state.lock);
    state.modes = std::move(modes);
    state.nextMode = 0;
  } else if (depth < 0) {
    return 0;
  }
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.nextMode >= state.modes.size()) return 0;
  return state.modes[state.nextMode++];
}

std::int32_t gfxSetTextGrid(int columns, int rows) {
  std::int32_t previous = 0;
  drawOnScreen([&](PixelScreen& screen) { previous = screen.setTextGrid(columns, rows); });
  return previous;
}

std::int32_t gfxSetColors(std::int32_t foreground, std::int32_t background, std::uint32_t omissionFlags) {
  std::int32_t previous = 0;
  drawOnScreen(
      [&](PixelScreen& screen) { previous = screen.setColors(foreground, background, omissionFlags); });
  return previous;
}

void gfxClear(std::uint32_t mode) {
  drawOnScreen([&](PixelScreen& screen) { screen.clear(mode); });
}

void gfxSetView(int x1, int y1, int x2, int y2, std::int32_t fill, std::int32_t border,
                std::uint32_t viewFlags) {
  drawOnScreen([&](PixelScreen& screen) { screen.setView(x1, y1, x2, y2, fill, border, viewFlags); });
}

void gfxLine(float x1, float y1, float x2, float y2, std::int32_t colour, int kind, std::int32_t style,
             std::uint32_t pointFlags) {
  drawOnScreen([&](PixelScreen& screen) { screen.line(x1, y1, x2, y2, colour, kind, style, pointFlags); });
}

void gfxDrawText(float x, float y, std::uint32_t pointFlags, std::string_view text, std::int32_t colour) {
  drawOnScreen([&](PixelScreen& screen) { screen.drawText(x, y, pointFlags, text, colour); });
}

void gfxSetPixel(float x, float y, std::int32_t colour, std::uint32_t pointFlags) {
  drawOnScreen([&](PixelScreen& screen) { screen.setPixel(x, y, colour, pointFlags); });
}

void gfxPrint(std::string_view text) {
  printOnScreen(text);
}

}  // namespace zephyrion
