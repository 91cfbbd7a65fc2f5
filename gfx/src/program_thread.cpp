#include "program_thread.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>
#include <thread>

#include "gfx/input.h"

namespace zephyrion {
namespace {

// The exit status when an error nobody handled stopped the program.
constexpr int kStoppedByErrorStatus = 1;

// What endProcess throws on the program's thread, to unwind it to its start.
struct ProgramThreadEnd {
  int status = 0;
};

// Writes "NAME: stopped by an unexpected error: WHAT" on standard error.
void reportStoppingError(std::exception_ptr error) {
  std::string line = programName() + ": stopped by an unexpected error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& known) {
    line += std::string(": ") + known.what();
  } catch (...) {
  }
  line += "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

// An error nobody handled still ends the program as endProgram does: the files written out and
// the window closed, then a line on standard error and a failing status.
int endAfterError(std::exception_ptr error) {
  reportStoppingError(error);
  try {
    endProgram(kStoppedByErrorStatus);
  } catch (...) {
    // The end itself (or a window that could not be closed) ends here, as nothing is left to do.
  }
  return kStoppedByErrorStatus;
}

// On the program's thread: the start routine to the program's end, however it ends.
int runToEnd(void (*startRoutine)()) {
  try {
    startRoutine();
    endProgram(0);
  } catch (const ProgramThreadEnd& end) {
    return end.status;
  } catch (...) {
    return endAfterError(std::current_exception());
  }
}

}  // namespace

std::string programName() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.stem().empty()) return "zephyrion";
  return program.stem().string();
}

// The status is the program thread's to write and this thread's to read only after the join.
int ProgramBesideWindow::run(void (*startRoutine)()) {
  installPlatform(this);
  int status = 0;
  std::thread program([this, startRoutine, &status] {
    status = runToEnd(startRoutine);
    programEnded();
  });
  serveWindow();
  program.join();
  installPlatform(nullptr);
  return status;
}

// Only the program's thread ends the program; the window's thread runs none of its code, and an
// end inside work done for the program reaches the program's thread with the work's exceptions.
void ProgramBesideWindow::endProcess(int status) {
  throw ProgramThreadEnd{status};
}

}  // namespace zephyrion
