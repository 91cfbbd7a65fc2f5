// The SDL2 window's service, on the process's first thread while the program runs on its own
// (program_thread.h). The two meet in the screen's state under the one screen lock; the program's
// requests (list the modes, open and close the window, beep) are handed to the window's thread as
// work. Only the files named sdl_* include SDL.
#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <thread>

#include "gfx/input.h"
#include "gfx/program.h"
#include "program_thread.h"
#include "quiet_libraries.h"
#include "screen_state.h"
#include "sdl_keys.h"
#include "sdl_tone.h"

namespace zephyrion {
namespace {

// How often, at most, changed rows are copied to the window. The window's thread sleeps until an
// event, the program's work or changed rows wake it, so a click waits for no copy, and an idle
// window costs nothing.
constexpr auto kCopyPeriod = std::chrono::milliseconds(15);
constexpr int kNoLimit = -1;

using Clock = std::chrono::steady_clock;

// Copies the rows changed since the last copy into the window's surface; the part of the
// window to update. Rows the surface could not take (it could not be locked) are copied later.
std::optional<SDL_Rect> copyChangedRows(PixelScreen& screen, SDL_Surface* target) {
  std::optional<SDL_Rect> copied;
  screen.copyChangedRows([&](RowRange rows) {
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return false;
    // Rows below a smaller surface can never be shown; they are done with.
    if (rows.first < target->h) {
      int width = std::min(screen.width(), target->w);
      int count = std::min(rows.last, target->h - 1) - rows.first + 1;
      auto* destination =
          static_cast<Uint8*>(target->pixels) + static_cast<std::ptrdiff_t>(rows.first) * target->pitch;
      SDL_ConvertPixels(width, count, SDL_PIXELFORMAT_RGB888, screen.row(rows.first), screen.width() * 4,
                        target->format->format, destination, target->pitch);
      copied = SDL_Rect{0, rows.first, width, count};
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    return true;
  });
  return copied;
}

class SdlWindowService final : public ProgramBesideWindow {
 public:
  std::vector<DisplayMode> displayModes() override {
    std::vector<DisplayMode> modes;
    runOnWindowThread([&] { modes = listModes(); });
    return modes;
  }
  bool openWindow(const WindowRequest& request) override {
    bool opened = false;
    runOnWindowThread([&] { opened = createWindow(request); });
    return opened;
  }
  void closeWindow() override {
    runOnWindowThread([&] { destroyWindow(); });
  }
  double clockSeconds() override { return steadyClockSeconds(); }
  void sleepFor(int milliseconds) override { sleepMilliseconds(milliseconds); }
  bool keysCanArrive() override { return true; }
  void waitForConsoleKey() override { waitForTerminalKey(); }
  void waitForInput(int milliseconds) override;
  void screenChanged() override;
  void beep() override {
    post([this] { tone_.play(); });
  }

 protected:
  void serveWindow() override;
  void programEnded() override;

 private:
  void post(std::function<void()> work);
  void runOnWindowThread(const std::function<void()>& work);
  void wakeWindowThread();

  // On the window's thread only.
  bool startVideo();
  std::vector<DisplayMode> listModes();
  bool createWindow(const WindowRequest& request);
  bool createWindowOfKind(int width, int height, bool fullScreen);
  void destroyWindow();
  void runPostedWork(std::unique_lock<std::mutex>& guard);
  void serviceWindow();
  int eventWaitMs();
  void collectInput(std::vector<InputChange>& changes);
  void translate(const SDL_Event& event, std::vector<InputChange>& changes);
  void keyPressed(const SDL_Keysym& key, std::vector<InputChange>& changes);
  void toggleFullScreen(std::vector<InputChange>& changes);
  void shutDown();

  // Under the screen lock.
  std::condition_variable workPosted_;
  std::condition_variable workDone_;
  std::deque<std::function<void()>> work_;
  std::uint64_t workPostedCount_ = 0;
  std::uint64_t workDoneCount_ = 0;
  bool ending_ = false;
  bool windowShown_ = false;  // the window's thread waits for SDL's events, not for workPosted_
  std::condition_variable inputArrives_;

  Clock::time_point nextCopy_ = Clock::now();

  std::thread::id windowThread_ = std::this_thread::get_id();
  enum class Start { Untried, Ready, Failed };
  Start video_ = Start::Untried;
  SDL_Window* window_ = nullptr;
  bool fixedKind_ = false;
  SdlTone tone_;
};

void SdlWindowService::serveWindow() {
  // Ctrl+C ends the process as usual instead of becoming an event nobody asked for.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The surface is copied by the processor: no graphics library to start, nothing to re-create.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  ScreenState& state = screenState();
  std::unique_lock<std::mutex> guard(state.lock);
  while (!ending_) {
    if (!windowShown_) workPosted_.wait(guard, [&] { return !work_.empty() || ending_; });
    runPostedWork(guard);
    if (windowShown_ && !ending_) {
      guard.unlock();
      serviceWindow();
      guard.lock();
    }
  }
  guard.unlock();
  shutDown();
}

void SdlWindowService::runPostedWork(std::unique_lock<std::mutex>& guard) {
  while (!work_.empty()) {
    std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    guard.unlock();
    work();
    guard.lock();
    ++workDoneCount_;
    workDone_.notify_all();
  }
}

// With the screen lock held. An event ends the window thread's wait for SDL's events; it means
// nothing itself, and SDL's queue keeps it until that wait, however late it begins.
void SdlWindowService::wakeWindowThread() {
  if (!windowShown_) return;
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
}

void SdlWindowService::waitForInput(int milliseconds) {
  ScreenState& state = screenState();
  std::unique_lock<std::mutex> guard(state.lock);
  auto arrived = [&] { return inputWaits(state); };
  if (milliseconds < 0) {
    inputArrives_.wait(guard, arrived);
  } else {
    inputArrives_.wait_for(guard, std::chrono::milliseconds(milliseconds), arrived);
  }
  state.inputArrived = false;
}

void SdlWindowService::screenChanged() {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  wakeWindowThread();
}

// A beep that fails is silent: nothing waits for posted work, so nothing hears of its failure.
void SdlWindowService::post(std::function<void()> work) {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  work_.push_back([work = std::move(work)] {
    try {
      work();
    } catch (...) {
    }
  });
  ++workPostedCount_;
  workPosted_.notify_one();
  wakeWindowThread();
}

// An exception of the work reaches the caller, on its own thread, as if the work had run there.
void SdlWindowService::runOnWindowThread(const std::function<void()>& work) {
  if (std::this_thread::get_id() == windowThread_) {
    work();
    return;
  }
  std::exception_ptr failure;
  {
    ScreenState& state = screenState();
    std::unique_lock<std::mutex> guard(state.lock);
    work_.push_back([&] {
      try {
        work();
      } catch (...) {
        failure = std::current_exception();
      }
    });
    std::uint64_t ticket = ++workPostedCount_;
    workPosted_.notify_one();
    wakeWindowThread();
    workDone_.wait(guard, [&] { return workDoneCount_ >= ticket; });
  }
  if (failure) std::rethrow_exception(failure);
}

void SdlWindowService::programEnded() {
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  ending_ = true;
  workPosted_.notify_one();
  wakeWindowThread();
}

// Without a display SDL falls back to drivers that show nothing; those count as no display.
bool SdlWindowService::startVideo() {
  if (video_ == Start::Untried) {
    video_ = Start::Failed;
    silenceDisplayLibrary();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
      const char* driver = SDL_GetCurrentVideoDriver();
      bool shows = driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0 &&
                   SDL_GetNumVideoDisplays() > 0;
      if (shows) {
        video_ = Start::Ready;
      } else {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
      }
    }
  }
  return video_ == Start::Ready;
}

std::vector<DisplayMode> SdlWindowService::listModes() {
  std::vector<DisplayMode> modes;
  if (!startVideo()) return modes;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(0, i, &mode) == 0) {
      modes.push_back({mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format))});
    }
  }
  return modes;
}

// The asked kind of screen first, then the other kind.
bool SdlWindowService::createWindow(const WindowRequest& request) {
  if (!startVideo()) return false;
  destroyWindow();
  fixedKind_ = request.fixedKind;
  return createWindowOfKind(request.width, request.height, request.fullScreen) ||
         createWindowOfKind(request.width, request.height, !request.fullScreen);
}

// The window is created hidden and shown only once its surface exists: made later, the surface
// could make SDL create the window anew, with a new identity, under a running program.
bool SdlWindowService::createWindowOfKind(int width, int height, bool fullScreen) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window* window = SDL_CreateWindow(programName().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        width, height, flags);
  if (!window) return false;
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (!target) {
    SDL_DestroyWindow(window);
    return false;
  }
  window_ = window;
  std::optional<SDL_Rect> copied;
  {
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    windowShown_ = true;
    if (state.screen) {
      state.screen->markAllChanged();
      copied = copyChangedRows(*state.screen, target);
    }
  }
  if (copied) SDL_UpdateWindowSurfaceRects(window_, &*copied, 1);
  SDL_ShowWindow(window_);
  return true;
}

void SdlWindowService::destroyWindow() {
  if (!window_) return;
  {
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    windowShown_ = false;
  }
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// Sleeps until SDL has an event (the program's wake-ups among them) or something is due; then
// hands the input to the program and copies the changed rows, once a copy period has passed.
void SdlWindowService::serviceWindow() {
  std::vector<InputChange> changes;
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, eventWaitMs())) {
    translate(event, changes);
    collectInput(changes);
  }
  tone_.closeOncePlayed();
  const Clock::time_point now = Clock::now();
  SDL_Surface* target = now >= nextCopy_ ? SDL_GetWindowSurface(window_) : nullptr;
  std::optional<SDL_Rect> copied;
  {
    ScreenState& state = screenState();
    std::lock_guard<std::mutex> guard(state.lock);
    for (const InputChange& change : changes)
      applyChange(state, change);
    if (state.inputArrived) inputArrives_.notify_one();
    if (state.screen && target && state.screen->hasChangedRows()) {
      copied = copyChangedRows(*state.screen, target);
      nextCopy_ = now + kCopyPeriod;
    }
  }
  if (copied) SDL_UpdateWindowSurfaceRects(window_, &*copied, 1);
}

// Until changed rows are due to be copied or the tone has played; with neither, until an event.
int SdlWindowService::eventWaitMs() {
  int wait = tone_.msUntilPlayed();
  ScreenState& state = screenState();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.screen && state.screen->hasChangedRows()) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(nextCopy_ - Clock::now()).count();
    int copyWait = static_cast<int>(std::max<decltype(left)>(left, 0));
    wait = wait == kNoLimit ? copyWait : std::min(wait, copyWait);
  }
  return wait;
}

void SdlWindowService::collectInput(std::vector<InputChange>& changes) {
  SDL_Event event;
  while (SDL_PollEvent(&event))
    translate(event, changes);
}

void SdlWindowService::translate(const SDL_Event& event, std::vector<InputChange>& changes) {
  using Kind = InputChange::Kind;
  switch (event.type) {
    case SDL_TEXTINPUT:
      for (int key : typedCharacterKeys(event.text.text))
        changes.push_back({Kind::Key, key});
      break;
    case SDL_KEYDOWN:
      keyPressed(event.key.keysym, changes);
      break;
    case SDL_MOUSEMOTION:
      changes.push_back({Kind::Motion, event.motion.x, event.motion.y});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      changes.push_back({Kind::Motion, event.button.x, event.button.y});
      changes.push_back({event.type == SDL_MOUSEBUTTONDOWN ? Kind::ButtonDown : Kind::ButtonUp,
                         buttonBit(event.button.button)});
      break;
    case SDL_MOUSEWHEEL: {
      int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (notches != 0) changes.push_back({Kind::Wheel, notches > 0 ? 1 : -1});
      break;
    }
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          changes.push_back({Kind::Key, extendedKey(kKeyWindowClose)});
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          changes.push_back({Kind::Focus});
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          changes.push_back({Kind::Blur});
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          changes.push_back({Kind::Minimise});
          break;
        case SDL_WINDOWEVENT_RESTORED:
          changes.push_back({Kind::Restore});
          break;
        case SDL_WINDOWEVENT_ENTER:
          changes.push_back({Kind::Enter});
          break;
        case SDL_WINDOWEVENT_LEAVE:
          changes.push_back({Kind::Leave});
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          changes.push_back({Kind::Redraw});
          break;
        case SDL_WINDOWEVENT_MAXIMIZED:
          // A fixed window has no maximise; otherwise maximising means full screen.
          if (fixedKind_) {
            SDL_RestoreWindow(window_);
          } else {
            toggleFullScreen(changes);
          }
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

// Cursor and function keys, and the four ordinary keys without a character of their own.
// Typed characters come only from text input, so none is stored twice.
void SdlWindowService::keyPressed(const SDL_Keysym& key, std::vector<InputChange>& changes) {
  KeyModifiers held{(key.mod & KMOD_SHIFT) != 0, (key.mod & KMOD_CTRL) != 0, (key.mod & KMOD_ALT) != 0};
  bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  if (enter && held.alt) {
    if (!fixedKind_) toggleFullScreen(changes);
    return;
  }
  std::optional<NamedKey> named = namedKey(key.sym, (key.mod & KMOD_NUM) != 0);
  if (!named) return;
  if (int stored = storedKeyFor(*named, held)) changes.push_back({InputChange::Kind::Key, stored});
}

void SdlWindowService::toggleFullScreen(std::vector<InputChange>& changes) {
  bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0u : static_cast<Uint32>(SDL_WINDOW_FULLSCREEN));
  changes.push_back({InputChange::Kind::Redraw});
}

void SdlWindowService::shutDown() {
  destroyWindow();
  tone_.close();
  SDL_Quit();
}

}  // namespace

int gfxRunProgram(void (*startRoutine)()) {
  SdlWindowService service;
  return service.run(startRoutine);
}

}  // namespace zephyrion
