// The seed of a randomised test: ZEPHYRION_SEED when set, else the test's own default. It is
// printed, so that a failing run can be repeated exactly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zephyrion::testing_support {

inline std::uint64_t testSeed(std::uint64_t fallback) {
  const char* text = std::getenv("ZEPHYRION_SEED");
  std::uint64_t seed = text && *text ? std::stoull(text) : fallback;
  std::printf("[   SEED   ] %llu (set ZEPHYRION_SEED to repeat or vary)\n",
              static_cast<unsigned long long>(seed));
  return seed;
}

}  // namespace zephyrion::testing_support
