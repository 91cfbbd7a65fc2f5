#include "text/print_form_memo.h"

#include <bit>
#include <cstring>

namespace zephyrion {
namespace {

// 4096 slots of 40 bytes: room for the vertices of a few strips of a fine blade while the
// table stays in the core's cache.
constexpr int kSlotBits = 12;

std::size_t slotOf(std::uint64_t bits) {
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15) >> (64 - kSlotBits));
}

}  // namespace

PrintFormMemo::PrintFormMemo() : entries_(std::size_t{1} << kSlotBits) {}

char* PrintFormMemo::write(char* out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  Entry& entry = entries_[slotOf(bits)];
  if (entry.length == 0 || entry.bits != bits) {
    entry.bits = bits;
    entry.length = static_cast<std::uint8_t>(printFormTo(entry.text, value) - entry.text);
  }
  // The whole slot is copied: the bytes after the text lie within the room the form may use.
  std::memcpy(out, entry.text, sizeof entry.text);
  return out + entry.length;
}

}  // namespace zephyrion
