// A program that runs beside its window. Window systems want their calls on the thread that
// started them (on macOS the process's first thread), so the window is served on the process's
// first thread and the program's own logic runs on a second one. Knows no window system, so that
// how the program starts, ends and hands its status over can be tested without one.
//
// The program ends on its own thread: endProgram writes out the files and closes the window,
// then unwinds the program's thread to its start, which hands the status over and lets the
// window's service return. The first thread joins the program's thread before it returns from
// main, so the process ends (and its static objects go) only once nothing else runs.
#pragma once

#include <string>

#include "platform.h"

namespace zephyrion {

// The program's file name without directory and extension: the window's title, and the name an
// error report starts with.
std::string programName();

// A window system whose window is served on the process's first thread while the program runs on
// a thread of its own.
class ProgramBesideWindow : public Platform {
 public:
  // On the process's first thread: installs this as the window system, runs startRoutine on a
  // thread of its own while serveWindow runs on this one, and joins the program's thread. The
  // status given to endProgram, 0 when startRoutine returns, 1 when an exception escaped it (named
  // on standard error once the files are written out and the window closed).
  int run(void (*startRoutine)());

  // Unwinds the program's thread to its start, where run takes the status.
  [[noreturn]] void endProcess(int status) final;

 protected:
  // Serves the window until programEnded has been called.
  virtual void serveWindow() = 0;
  // On the program's thread, once the program has ended: its files written out, its window closed.
  virtual void programEnded() = 0;
};

}  // namespace zephyrion
