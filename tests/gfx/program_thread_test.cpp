// How a program that runs beside its window ends: its own thread has ended before run returns,
// its status reaches the window's side, and an exception that escapes it still writes out the
// files and is named on standard error. The window system here serves nothing and only waits.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>

#include "gfx/input.h"
#include "program_thread.h"
#include "temp_folder.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

constexpr int kSlot = 7;
constexpr const char* kWritten = "written.txt";

// Set when the program's thread has ended: a thread's own objects end only when it does.
std::atomic<bool> programThreadEnded{false};
struct ThreadEndMark {
  ~ThreadEndMark() { programThreadEnded = true; }
};
thread_local ThreadEndMark threadEndMark;

void writeWithoutClosing() {
  (void)&threadEndMark;  // made on the program's thread, so it ends with it
  fileOpenOutput(kWritten, kSlot);
  printText(kSlot, "kept", kNewlineFlag);
}

// endProgram from deep inside, as the Exit button's action calls it.
void endsWithStatusFive() {
  writeWithoutClosing();
  endProgram(5);
}

void throwsFromInside() {
  writeWithoutClosing();
  throw std::runtime_error("the blade broke");
}

// A window with nothing to serve: its thread waits for the program's end.
class WaitingWindow final : public ProgramBesideWindow {
 public:
  std::vector<DisplayMode> displayModes() override { return {}; }
  bool openWindow(const WindowRequest&) override { return false; }
  void closeWindow() override {}
  double clockSeconds() override { return 0; }
  void sleepFor(int) override {}
  bool keysCanArrive() override { return false; }
  void waitForConsoleKey() override {}
  void waitForInput(int) override {}
  void screenChanged() override {}
  void beep() override {}

 protected:
  void serveWindow() override {
    std::unique_lock<std::mutex> guard(lock_);
    endSeen_.wait(guard, [this] { return ended_; });
  }
  void programEnded() override {
    std::lock_guard<std::mutex> guard(lock_);
    ended_ = true;
    endSeen_.notify_one();
  }

 private:
  std::mutex lock_;
  std::condition_variable endSeen_;
  bool ended_ = false;
};

class ProgramThreadTest : public ::testing::Test {
 protected:
  void SetUp() override { programThreadEnded = false; }
  std::string written() const { return testing_support::readFile(folder.path() / kWritten); }

  testing_support::TempFolder folder;
  WaitingWindow window;
};

TEST_F(ProgramThreadTest, EndProgramHandsItsStatusOverWithTheFilesWrittenOutAndTheThreadEnded) {
  EXPECT_EQ(window.run(endsWithStatusFive), 5);
  EXPECT_TRUE(programThreadEnded);
  EXPECT_EQ(written(), "kept\r\n");
}

TEST_F(ProgramThreadTest, AnExceptionThatEscapesStillWritesOutTheFilesAndIsNamedOnStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(window.run(throwsFromInside), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "gfx_tests: stopped by an unexpected error: the blade broke\n");
  EXPECT_TRUE(programThreadEnded);
  EXPECT_EQ(written(), "kept\r\n");
}

TEST_F(ProgramThreadTest, AStartRoutineThatReturnsEndsWithStatusZero) {
  EXPECT_EQ(window.run([] {}), 0);
}

}  // namespace
}  // namespace zephyrion
