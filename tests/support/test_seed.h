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

// How many cases a randomised test runs: the environment variable `variable` when set, else
// `fallback`, so that a longer search or a quicker sanitizer run can ask for another count.
inline int testCount(const char* variable, int fallback) {
  const char* text = std::getenv(variable);
  return text && *text ? std::atoi(text) : fallback;
}

}  // namespace zephyrion::testing_support
