// The beep's tone on SDL's sound: 1000 Hz for 250 ms. The sound device is open only while a tone
// plays, as an open device keeps a thread of SDL's waking to feed it, silence or not. On the
// window's thread only.
#pragma once

#include <SDL.h>

#include <chrono>

namespace zephyrion {

class SdlTone {
 public:
  SdlTone() = default;
  SdlTone(const SdlTone&) = delete;
  SdlTone& operator=(const SdlTone&) = delete;

  // Starts the tone from its beginning; silent without a sound device.
  void play();
  // Milliseconds until the tone has played and the device can close; -1 when none plays.
  int msUntilPlayed() const;
  // Closes the sound device once the tone has played.
  void closeOncePlayed();
  // Closes the sound device, before SDL ends.
  void close();

 private:
  bool openDevice();

  bool soundFailed_ = false;  // no sound device: every tone is silent
  SDL_AudioDeviceID device_ = 0;
  std::chrono::steady_clock::time_point played_;
};

}  // namespace zephyrion
