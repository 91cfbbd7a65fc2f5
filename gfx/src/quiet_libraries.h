// The libraries under the window system that write their own complaints to standard error:
// libwayland when no Wayland display can be reached ("error: XDG_RUNTIME_DIR is invalid ..."),
// alsa-lib when there is no sound card ("ALSA lib ... cannot find card"). The program prints
// what it means to print and nothing else; a screen that cannot open says so itself, and a beep
// that cannot sound is silent.
#pragma once

namespace zephyrion {

// Each routes its library's messages to nothing, for the rest of the process. Call before the
// window system first starts its display, or its sound; without the library it does nothing.
void silenceDisplayLibrary();
void silenceSoundLibrary();

}  // namespace zephyrion
