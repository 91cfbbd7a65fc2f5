// Which of many rows a drawing takes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace zephyrion::report {

// Indices of `count` items, at most `most` (at least 2) of them spread evenly from the first to
// the last, both kept, and the `kept` ones besides, in order.
inline std::vector<std::size_t> evenlySampled(std::size_t count, std::size_t most,
                                              const std::vector<std::size_t>& kept = {}) {
  std::vector<std::size_t> indices;
  std::size_t taken = std::min(count, most);
  for (std::size_t k = 0; k < taken; ++k)
    indices.push_back(taken == 1 ? 0 : k * (count - 1) / (taken - 1));
  for (std::size_t index : kept) {
    if (index < count) indices.push_back(index);
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

}  // namespace zephyrion::report
