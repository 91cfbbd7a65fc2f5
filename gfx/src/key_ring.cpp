#include "key_ring.h"

namespace zephyrion {

void KeyRing::push(int key) {
  slots_[static_cast<std::size_t>(tail_)] = key;
  tail_ = following(tail_);
  if (tail_ == head_) head_ = following(head_);
}

std::optional<int> KeyRing::pop() {
  if (empty()) return std::nullopt;
  int key = slots_[static_cast<std::size_t>(head_)];
  head_ = following(head_);
  return key;
}

}  // namespace zephyrion
