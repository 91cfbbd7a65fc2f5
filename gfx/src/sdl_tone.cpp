#include "sdl_tone.h"

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
  if (!startSound()) return;
  static const std::vector<std::int16_t> tone = toneSamples();
  SDL_ClearQueuedAudio(device_);
  SDL_QueueAudio(device_, tone.data(), static_cast<Uint32>(tone.size() * sizeof(std::int16_t)));
  SDL_PauseAudioDevice(device_, 0);
}

void SdlTone::close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
}

bool SdlTone::startSound() {
  if (sound_ == Start::Untried) {
    sound_ = Start::Failed;
    silenceSoundLibrary();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec wanted{};
      wanted.freq = kSampleRate;
      wanted.format = AUDIO_S16SYS;
      wanted.channels = 1;
      wanted.samples = 1024;
      device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
      if (device_ != 0) {
        sound_ = Start::Ready;
      } else {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
      }
    }
  }
  return sound_ == Start::Ready;
}

}  // namespace zephyrion
