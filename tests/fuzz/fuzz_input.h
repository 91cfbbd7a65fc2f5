// Reading a fuzzer's bytes as the values a target needs, and stopping the run on a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace zephyrion::fuzzing {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // The next eight bytes as the bits of a double (zeros past the end).
  double nextDouble() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
      bits = bits << 8 | nextByte();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  std::uint8_t nextByte() { return offset_ < size_ ? data_[offset_++] : 0; }

  // The rest of the input as text.
  std::string_view rest() const { return {reinterpret_cast<const char*>(data_) + offset_, size_ - offset_}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

// A property that failed: says which, and with what, and ends the run so that the fuzzer keeps
// the input.
[[noreturn]] inline void finding(const char* what, std::string_view detail) {
  std::fprintf(stderr, "finding: %s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

inline bool holdsNanOrInf(std::string_view text) {
  return text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos;
}

}  // namespace zephyrion::fuzzing
