// Zephyrion, the blade designer: its window is served on this, the process's first thread,
// while the start routine runs the form on a thread of its own.
#include "app/main_form.h"
#include "gfx/program.h"

int main() {
  return zephyrion::gfxRunProgram(zephyrion::startRoutine);
}
