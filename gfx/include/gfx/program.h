// The program entry for a program with a window.
#pragma once

namespace zephyrion {

// Runs startRoutine, and everything it calls, on a thread of its own while the calling thread,
// which must be the process's first, serves the window: window systems want their calls on the
// thread that started them. Returns the status given to endProgram, or 0 when startRoutine
// returns; main returns it: `int main() { return zephyrion::gfxRunProgram(startRoutine); }`.
// endProgram unwinds the program's thread (its objects end on the way), and that thread has
// ended when this returns. An exception that escapes startRoutine still writes out the files
// and closes the window; it is named on standard error and the status is 1.
int gfxRunProgram(void (*startRoutine)());

}  // namespace zephyrion
