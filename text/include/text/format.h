// Formatted printing through a format text with numeric fields ("#####", "#######.#####").
//
// One format is current for the whole program: formatBegin sets it, formatNumber writes the
// literal text up to the next field and the value in that field, formatEnd writes the
// remaining literal text and drops it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

void formatBegin(std::string_view format);
void formatNumber(int fileNumber, double value, std::uint32_t flags);
void formatEnd(int fileNumber);

// The text of one value in a field of `places` digit places before the point and `decimals`
// places after it (-1: the field has no point); an infinity or NaN gives its short form. Used by
// formatNumber; exposed for tests.
std::string formatField(double value, int places, int decimals);

}  // namespace zephyrion
