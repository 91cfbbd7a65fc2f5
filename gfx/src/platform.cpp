// The display-less window system, and what the real ones share.
#include "platform.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#if defined(__unix__) || defined(__APPLE__)
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zephyrion {
namespace {

// No display: no modes, no screen, silent beeps.
class NoDisplay final : public Platform {
 public:
  std::vector<DisplayMode> displayModes() override { return {}; }
  bool openWindow(const WindowRequest&) override { return false; }
  void closeWindow() override {}
  double clockSeconds() override { return steadyClockSeconds(); }
  void sleepFor(int milliseconds) override { sleepMilliseconds(milliseconds); }
  bool keysCanArrive() override { return false; }
  void waitForConsoleKey() override { waitForTerminalKey(); }
  // No screen opens, so no input can arrive: the time passes.
  void waitForInput(int milliseconds) override {
    if (milliseconds > 0) sleepMilliseconds(milliseconds);
  }
  void screenChanged() override {}
  void beep() override {}
  [[noreturn]] void endProcess(int status) override { std::exit(status); }
};

NoDisplay noDisplay;
std::atomic<Platform*> installed{nullptr};

}  // namespace

Platform& currentPlatform() {
  Platform* platform = installed.load();
  return platform ? *platform : noDisplay;
}

void installPlatform(Platform* platform) {
  installed.store(platform);
}

double steadyClockSeconds() {
  using Seconds = std::chrono::duration<double>;
  return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void sleepMilliseconds(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Waits for one key of the terminal, unbuffered and unechoed; returns at once when standard
// input is no terminal (a script, a pipe, CI), so that no such run can hang here.
void waitForTerminalKey() {
#if defined(__unix__) || defined(__APPLE__)
  if (!isatty(STDIN_FILENO)) return;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  char key = 0;
  while (read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
  }
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
#endif
}

}  // namespace zephyrion
