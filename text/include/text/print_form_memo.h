// The print forms of recently written values, for a writer that prints the same values many
// times over: every vertex of an STL solid stands in about six facets.
#pragma once

#include <cstdint>
#include <vector>

#include "text/number_forms.h"

namespace zephyrion {

class PrintFormMemo {
 public:
  PrintFormMemo();

  // Writes the print form of `value` at `out` as printFormTo does (at most kNumberFormMaxBytes
  // bytes) and returns the end of the text.
  char* write(char* out, double value);

 private:
  // One remembered text per slot, chosen by the value's bits; a newer value takes the slot. A
  // print form is at most kNumberFormMaxBytes - 1 bytes long, so the last byte of the text
  // holds its length (0: the slot is empty), and an entry fills half a cache line.
  struct Entry {
    std::uint64_t bits = 0;
    char text[kNumberFormMaxBytes] = {};
  };
  std::vector<Entry> entries_;
};

}  // namespace zephyrion
