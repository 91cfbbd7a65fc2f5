// Formatted printing through a format text with numeric fields ("#####", "#######.#####").
//
// One format is current for the whole program: formatBegin sets it, formatNumber writes the
// literal text up to the next field and the value in that field, formatEnd writes the
// remaining literal text and drops it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

void formatBegin(std::string_view format);
void formatNumber(int fileNumber, double value, std::uint32_t flags);
void formatEnd(int fileNumber);

// Room for the text of a field of `places` digit places, whatever the value and the decimals:
// a sign, one digit more than the places (a carry), the point and 16 decimals, and the overflow
// marker "%e+" with up to three digits.
constexpr std::size_t formatFieldMaxBytes(int places) {
  return static_cast<std::size_t>(places > 0 ? places : 0) + 25;
}

// The text of one value in a field of `places` digit places before the point and `decimals`
// places after it (-1: the field has no point); an infinity or NaN gives its short form.
// formatFieldTo writes it at `out` and returns its end; formatNumber uses it.
char* formatFieldTo(char* out, double value, int places, int decimals);
std::string formatField(double value, int places, int decimals);

}  // namespace zephyrion
