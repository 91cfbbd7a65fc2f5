#include "gfx/memory_screen.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <mutex>

#include "fonts.h"
#include "gfx/input.h"
#include "platform.h"
#include "screen_state.h"

namespace zephyrion {

// The in-memory window system: a clock in whole milliseconds that moves only when asked, and the
// user's mouse, copied into the screen's state while a screen is open.
struct MemoryScreen::Backend final : Platform {
  struct Action {
    std::int64_t atMs;
    std::uint64_t order;
    std::function<void()> run;
  };

  std::vector<DisplayMode> modes;
  std::int64_t clockMs = 0;
  int readingStepMs = 0;
  int readings = 0;
  std::vector<Action> actions;
  std::uint64_t actionsScheduled = 0;
  int beeps = 0;
  bool fullScreen = false;
  MouseState user{0, 0, 0, 0, true, false, true};

  std::vector<DisplayMode> displayModes() override { return modes; }

  bool openWindow(const WindowRequest& request) override {
    if (modes.empty()) return false;
    fullScreen = request.fullScreen;
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    copyMouse(state);
    state.mouse.buttons = user.buttons;
    return true;
  }

  void closeWindow() override {}
  double clockSeconds() override {
    ++readings;
    double reading = static_cast<double>(clockMs) / 1000.0;
    if (readingStepMs > 0) advance(readingStepMs);
    return reading;
  }
  void sleepFor(int milliseconds) override { advance(milliseconds); }
  bool keysCanArrive() override { return !actions.empty(); }
  void waitForConsoleKey() override {}
  // The clock moves on action by action until one gives input; with no limit and no action left,
  // nothing could give any, and the wait ends.
  void waitForInput(int milliseconds) override {
    const std::int64_t limit =
        milliseconds < 0 ? std::numeric_limits<std::int64_t>::max() : clockMs + milliseconds;
    for (;;) {
      if (takeArrivedInput()) return;
      auto due = nextAction();
      if (due == actions.end() || due->atMs > limit) break;
      runAction(due);
    }
    if (milliseconds >= 0) clockMs = std::max(clockMs, limit);
  }
  void screenChanged() override {}
  void beep() override { ++beeps; }
  [[noreturn]] void endProcess(int status) override { throw ProgramEnded{status}; }

  // With the lock held. The wheel count and the buttons stay: the screen counts the notches, and
  // button changes reach it through changeButtons, as a window's do.
  void copyMouse(ScreenState& state) const {
    if (!state.screen) return;
    bool onScreen =
        user.x >= 0 && user.y >= 0 && user.x < state.screen->width() && user.y < state.screen->height();
    int wheel = state.mouse.wheel;
    int buttons = state.mouse.buttons;
    state.mouse = user;
    state.mouse.wheel = wheel;
    state.mouse.buttons = buttons;
    state.mouse.inside = user.inside && onScreen;
  }

  void changeMouse(const std::function<void(MouseState&)>& change) {
    change(user);
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    copyMouse(state);
    if (state.screen) state.inputArrived = true;
  }

  // Moves the clock on, running each due action at its own time.
  void advance(int milliseconds) {
    std::int64_t target = clockMs + std::max(milliseconds, 0);
    for (auto due = nextAction(); due != actions.end() && due->atMs <= target; due = nextAction())
      runAction(due);
    clockMs = target;
  }

  // The earliest action, the first given of those at the same time.
  std::vector<Action>::iterator nextAction() {
    return std::min_element(actions.begin(), actions.end(), [](const Action& a, const Action& b) {
      return a.atMs != b.atMs ? a.atMs < b.atMs : a.order < b.order;
    });
  }

  void runAction(std::vector<Action>::iterator due) {
    clockMs = std::max(clockMs, due->atMs);
    std::function<void()> run = std::move(due->run);
    actions.erase(due);
    run();
  }

  static bool takeArrivedInput() {
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    const bool waits = inputWaits(state);
    state.inputArrived = false;
    return waits;
  }
};

namespace {

template <typename Reader>
auto readScreen(Reader reader) {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  return reader(state.screen ? &*state.screen : nullptr);
}

void storeKeyLocked(int key) {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  storeKey(state, key);
}

// The ink of the cell whose top-left pixel is (left, top): the pixels of the colour, one byte a row.
char characterInCell(const PixelScreen& screen, int left, int top, std::int32_t colour) {
  std::uint8_t ink[16] = {};
  for (int row = 0; row < screen.cellHeight(); ++row) {
    for (int bit = 0; bit < 8; ++bit) {
      int x = left + bit;
      int y = top + row;
      if (x < screen.width() && y < screen.height() &&
          static_cast<std::int32_t>(screen.pixel(x, y)) == colour)
        ink[row] = static_cast<std::uint8_t>(ink[row] | (0x80 >> bit));
    }
  }
  return fonts::characterOfInk(screen.cellHeight(), ink);
}

}  // namespace

MemoryScreen::MemoryScreen(std::vector<DisplayMode> displayModes) : backend_(std::make_unique<Backend>()) {
  closeScreen();
  backend_->modes = std::move(displayModes);
  installPlatform(backend_.get());
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  state.modes.clear();
  state.nextMode = 0;
}

MemoryScreen::~MemoryScreen() {
  closeScreen();
  installPlatform(nullptr);
}

void MemoryScreen::setDisplayModes(std::vector<DisplayMode> displayModes) {
  backend_->modes = std::move(displayModes);
}

bool MemoryScreen::isOpen() const {
  return readScreen([](const PixelScreen* screen) { return screen != nullptr; });
}

int MemoryScreen::width() const {
  return readScreen([](const PixelScreen* screen) { return screen ? screen->width() : 0; });
}

int MemoryScreen::height() const {
  return readScreen([](const PixelScreen* screen) { return screen ? screen->height() : 0; });
}

bool MemoryScreen::isFullScreen() const {
  return isOpen() && backend_->fullScreen;
}

std::int32_t MemoryScreen::pixel(int x, int y) const {
  return readScreen([&](const PixelScreen* screen) -> std::int32_t {
    if (!screen || x < 0 || y < 0 || x >= screen->width() || y >= screen->height()) return -1;
    return static_cast<std::int32_t>(screen->pixel(x, y));
  });
}

std::vector<std::int32_t> MemoryScreen::pixels() const {
  return readScreen([](const PixelScreen* screen) {
    std::vector<std::int32_t> all;
    if (!screen) return all;
    all.reserve(static_cast<std::size_t>(screen->width()) * static_cast<std::size_t>(screen->height()));
    for (int y = 0; y < screen->height(); ++y) {
      for (int x = 0; x < screen->width(); ++x)
        all.push_back(static_cast<std::int32_t>(screen->pixel(x, y)));
    }
    return all;
  });
}

int MemoryScreen::countPixels(int x1, int y1, int x2, int y2, std::int32_t colour) const {
  return readScreen([&](const PixelScreen* screen) {
    int count = 0;
    if (!screen) return count;
    for (int y = std::max(std::min(y1, y2), 0); y <= std::min(std::max(y1, y2), screen->height() - 1); ++y) {
      for (int x = std::max(std::min(x1, x2), 0); x <= std::min(std::max(x1, x2), screen->width() - 1); ++x) {
        if (static_cast<std::int32_t>(screen->pixel(x, y)) == colour) ++count;
      }
    }
    return count;
  });
}

std::string MemoryScreen::textAt(int x, int y, int length, std::int32_t colour) const {
  return readScreen([&](const PixelScreen* screen) {
    std::string text;
    if (!screen || x < 0 || y < 0) return text;
    for (int i = 0; i < length; ++i)
      text.push_back(characterInCell(*screen, x + 8 * i, y, colour));
    return text;
  });
}

void MemoryScreen::pressKey(int code) {
  if (code >= 1 && code <= 255) storeKeyLocked(code);
}

void MemoryScreen::typeText(std::string_view text) {
  for (char c : text)
    pressKey(static_cast<unsigned char>(c));
}

void MemoryScreen::pressExtendedKey(int code) {
  if (code >= 1 && code <= 255) storeKeyLocked(extendedKey(code));
}

void MemoryScreen::requestClose() {
  pressExtendedKey(kKeyWindowClose);
}

void MemoryScreen::moveMouse(int x, int y) {
  backend_->changeMouse([&](MouseState& mouse) {
    mouse.x = x;
    mouse.y = y;
  });
}

// Like a window's button messages, each change waits for a poll to report it.
void MemoryScreen::setButtons(int buttons) {
  backend_->user.buttons = buttons & 0x1F;
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.screen) return;
  changeButtons(state, backend_->user.buttons);
}

void MemoryScreen::turnWheel(int notches) {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.screen) return;
  state.mouse.wheel += notches;
  state.inputArrived = true;
}

void MemoryScreen::setActive(bool active) {
  backend_->changeMouse([&](MouseState& mouse) { mouse.focused = active; });
}

void MemoryScreen::setInside(bool inside) {
  backend_->changeMouse([&](MouseState& mouse) { mouse.inside = inside; });
}

double MemoryScreen::now() const {
  return static_cast<double>(backend_->clockMs) / 1000.0;
}

void MemoryScreen::advanceMs(int milliseconds) {
  backend_->advance(milliseconds);
}

void MemoryScreen::advanceOnEveryReading(int milliseconds) {
  backend_->readingStepMs = std::max(milliseconds, 0);
}

int MemoryScreen::clockReadings() const {
  return backend_->readings;
}

void MemoryScreen::after(int milliseconds, std::function<void()> action) {
  backend_->actions.push_back(
      {backend_->clockMs + std::max(milliseconds, 0), backend_->actionsScheduled++, std::move(action)});
}

int MemoryScreen::beepCount() const {
  return backend_->beeps;
}

}  // namespace zephyrion
