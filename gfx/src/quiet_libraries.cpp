#include "quiet_libraries.h"

#if defined(__linux__)
#include <dlfcn.h>

#include <atomic>
#include <cstdarg>
#if __has_include(<X11/Xlib.h>)
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#define ZEPHYRION_HAS_XLIB 1
#endif
#endif

namespace zephyrion {

#if defined(__linux__)
namespace {

// libwayland-client's and alsa-lib's own types of a message handler.
using WaylandLogHandler = void (*)(const char* format, va_list arguments);
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error,
                                  const char* format, ...);

void dropWaylandMessage(const char* /*format*/, va_list /*arguments*/) {}
void dropAlsaMessage(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                     const char* /*format*/, ...) {}

// The library as the window system will load it: the same instance when it is loaded already,
// so a handler set here is the one it uses. Never closed, so the handler stays.
void* sharedLibrary(const char* name) {
  void* library = dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
  return library ? library : dlopen(name, RTLD_LAZY);
}

template <typename Function>
Function libraryFunction(const char* library, const char* name) {
  void* handle = sharedLibrary(library);
  return handle ? reinterpret_cast<Function>(dlsym(handle, name)) : nullptr;
}

#ifdef ZEPHYRION_HAS_XLIB
using XErrorHandlerFunction = int (*)(Display* display, XErrorEvent* error);
std::atomic<XErrorHandlerFunction> previousXErrorHandler{nullptr};

// Called on whichever thread reads the error; the others go to the handler before (Xlib's default
// one, or SDL's, which ends the process).
int passLateWakeUp(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  XErrorHandlerFunction previous = previousXErrorHandler.load();
  return previous ? previous(display, error) : 0;
}

void passLateWakeUps() {
  using SetHandler = XErrorHandlerFunction (*)(XErrorHandlerFunction);
  if (previousXErrorHandler.load()) return;
  if (auto set = libraryFunction<SetHandler>("libX11.so.6", "XSetErrorHandler"))
    previousXErrorHandler.store(set(passLateWakeUp));
}
#else
void passLateWakeUps() {}
#endif

}  // namespace

void silenceDisplayLibrary() {
  using SetHandler = void (*)(WaylandLogHandler);
  if (auto set = libraryFunction<SetHandler>("libwayland-client.so.0", "wl_log_set_handler_client"))
    set(dropWaylandMessage);
  passLateWakeUps();
}

void silenceSoundLibrary() {
  using SetHandler = int (*)(AlsaErrorHandler);
  if (auto set = libraryFunction<SetHandler>("libasound.so.2", "snd_lib_error_set_handler"))
    set(dropAlsaMessage);
}

#else

void silenceDisplayLibrary() {}
void silenceSoundLibrary() {}

#endif

}  // namespace zephyrion
