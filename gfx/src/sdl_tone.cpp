#include "sdl_tone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "quiet_libraries.h"
#include "text/rounding.h"

namespace zephyrion {
namespace {

constexpr int kToneHz = 1000;
constexpr int kToneMs = 250;
constexpr int kSampleRate = 44100;
constexpr Uint16 kBufferSamples = 1024;
// Past the tone's end, for the device's last buffer (23 ms at 44.1 kHz) to reach the speaker.
constexpr auto kLastBuffer = std::chrono::milliseconds(50);

std::vector<std::int16_t> toneSamples() {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(kSampleRate * kToneMs / 1000));
  constexpr double kTwoPi = 6.283185307179586;
  constexpr double kAmplitude = 8000.0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    double phase = kTwoPi * kToneHz * static_cast<double>(i) / kSampleRate;
    samples[i] = static_cast<std::int16_t>(roundToInt32(kAmplitude * std::sin(phase)));
  }
  return samples;
}

}  // namespace

void SdlTone::play() {
  if (!openDevice()) return;
  static const std::vector<std::int16_t> tone = toneSamples();
  SDL_ClearQueuedAudio(device_);
  SDL_QueueAudio(device_, tone.data(), static_cast<Uint32>(tone.size() * sizeof(std::int16_t)));
  SDL_PauseAudioDevice(device_, 0);
  played_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kToneMs) + kLastBuffer;
}

int SdlTone::msUntilPlayed() const {
  if (device_ == 0) return -1;
  auto left = std::chrono::ceil<std::chrono::milliseconds>(played_ - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<decltype(left.count())>(left.count(), 0));
}

// A device slower than the clock still has samples queued: it plays them out first.
void SdlTone::closeOncePlayed() {
  if (device_ == 0 || std::chrono::steady_clock::now() < played_) return;
  if (SDL_GetQueuedAudioSize(device_) > 0) {
    played_ += kLastBuffer;
    return;
  }
  close();
}

void SdlTone::close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
}

// Sound starts apart from the window, on the first tone; a computer without a sound device is
// not asked again.
bool SdlTone::openDevice() {
  if (device_ != 0) return true;
  if (soundFailed_) return false;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
    silenceSoundLibrary();
    soundFailed_ = SDL_InitSubSystem(SDL_INIT_AUDIO) != 0;
    if (soundFailed_) return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kSampleRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = kBufferSamples;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    soundFailed_ = true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  return device_ != 0;
}

}  // namespace zephyrion
