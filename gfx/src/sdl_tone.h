// The beep's tone on SDL's sound: 1000 Hz for 250 ms. On the window's thread only.
#pragma once

#include <SDL.h>

namespace zephyrion {

class SdlTone {
 public:
  SdlTone() = default;
  SdlTone(const SdlTone&) = delete;
  SdlTone& operator=(const SdlTone&) = delete;

  // Starts the tone from its beginning. Sound starts apart from the window, once, on the first
  // tone; without a sound device every tone is silent.
  void play();
  // Closes the sound device, before SDL ends.
  void close();

 private:
  bool startSound();

  enum class Start { Untried, Ready, Failed };
  Start sound_ = Start::Untried;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace zephyrion
