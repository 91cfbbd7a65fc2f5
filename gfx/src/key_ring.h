// The key buffer: a ring of 16 slots holding up to 15 keys; a key arriving at a full ring drops
// the oldest. Codes 1..255 are ordinary keys, 256 and above extended keys (code in bits 8..15).
#pragma once

#include <array>
#include <optional>

namespace zephyrion {

class KeyRing {
 public:
  static constexpr int kSlots = 16;

  void push(int key);
  std::optional<int> pop();
  void clear() { head_ = tail_ = 0; }
  bool empty() const { return head_ == tail_; }

 private:
  static int following(int slot) { return (slot + 1) % kSlots; }

  std::array<int, kSlots> slots_{};
  int head_ = 0;  // the oldest key
  int tail_ = 0;  // where the next key goes
};

// The integer stored for an extended key: its code in bits 8..15 (keyText turns it back into a
// key text).
constexpr int extendedKey(int code) {
  return (code & 0xFF) << 8;
}

}  // namespace zephyrion
