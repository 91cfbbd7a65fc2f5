// The program entry for a program with a window.
#pragma once

namespace zephyrion {

// Runs startRoutine, and everything it calls, on a thread of its own while the calling thread,
// which must be the process's first, serves the window: window systems want their calls on the
// thread that started them. Returns the status given to endProgram, or 0 when startRoutine
// returns; main returns it: `int main() { return zephyrion::gfxRunProgram(startRoutine); }`.
int gfxRunProgram(void (*startRoutine)());

}  // namespace zephyrion
