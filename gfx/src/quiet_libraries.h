// The libraries under the window system that write their own complaints to standard error:
// libwayland when no Wayland display can be reached ("error: XDG_RUNTIME_DIR is invalid ..."),
// alsa-lib when there is no sound card ("ALSA lib ... cannot find card"). The program prints
// what it means to print and nothing else; a screen that cannot open says so itself, and a beep
// that cannot sound is silent.
//
// And libX11, whose default handler ends the process on any error the X server reports. SDL wakes
// a window thread that waits for events by sending its window a message over a second connection
// to the server; sent as the window closes, it can reach the server after the window is gone.
// That BadWindow is no error of the program's, so it does not end it.
#pragma once

namespace zephyrion {

// Each routes its library's messages to nothing, for the rest of the process. Call before the
// window system first starts its display, or its sound; without the library it does nothing.
// The display's also lets a wake-up that came too late pass (see above).
void silenceDisplayLibrary();
void silenceSoundLibrary();

}  // namespace zephyrion
