// How a program with a window ends: its own thread has ended before the process does, and an
// exception that escapes it still writes out the files. Each program runs in a child process
// (a death test) that needs no display, as these start routines never open the screen.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "gfx/input.h"
#include "gfx/program.h"
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

// Runs the program in this (child) process and exits with its status, or 99 when the program's
// thread was still there after gfxRunProgram returned.
[[noreturn]] void runAndExit(void (*startRoutine)()) {
  int status = gfxRunProgram(startRoutine);
  std::exit(programThreadEnded ? status : 99);
}

class ProgramTest : public ::testing::Test {
 protected:
  std::string written() const { return testing_support::readFile(folder.path() / kWritten); }

  testing_support::TempFolder folder;
};

TEST_F(ProgramTest, EndProgramEndsTheProgramsThreadBeforeTheProcessWithItsFilesWrittenOut) {
  EXPECT_EXIT(runAndExit(endsWithStatusFive), ::testing::ExitedWithCode(5), "^$");
  EXPECT_EQ(written(), "kept\r\n");
}

TEST_F(ProgramTest, AnExceptionThatEscapesStillWritesOutTheFilesAndIsNamedOnStandardError) {
  EXPECT_EXIT(runAndExit(throwsFromInside), ::testing::ExitedWithCode(1),
              "stopped by an unexpected error: the blade broke");
  EXPECT_EQ(written(), "kept\r\n");
}

}  // namespace
}  // namespace zephyrion
