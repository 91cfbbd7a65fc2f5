#include "text/print_form_memo.h"

#include <bit>
#include <cstring>

namespace zephyrion {
namespace {

// 2048 slots of 32 bytes: room for the vertices of a few strips of a fine blade, in 64 KB that
// stay in the core's cache.
constexpr int kSlotBits = 11;
constexpr std::size_t kLengthByte = kNumberFormMaxBytes - 1;

std::size_t slotOf(std::uint64_t bits) {
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15) >> (64 - kSlotBits));
}

}  // namespace

PrintFormMemo::PrintFormMemo() : entries_(std::size_t{1} << kSlotBits) {}

char* PrintFormMemo::write(char* out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  Entry& entry = entries_[slotOf(bits)];
  if (entry.text[kLengthByte] == 0 || entry.bits != bits) {
    entry.bits = bits;
    entry.text[kLengthByte] = static_cast<char>(printFormTo(entry.text, value) - entry.text);
  }
  // The whole text is copied: the bytes after it lie within the room the form may use.
  std::memcpy(out, entry.text, sizeof entry.text);
  return out + entry.text[kLengthByte];
}

}  // namespace zephyrion
