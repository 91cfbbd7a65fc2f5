// Numbers to and from text, in the exact forms the output files and the form fields use.
//
// Every number that reaches a file or the screen goes through one of these forms. They are
// built on std::to_chars / std::from_chars, so they never depend on the C locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

// Reads a number the way a form field is read: leading blanks skipped, "&H", "&O", "&B" radix
// prefixes, "D" taken as "E", and reading stops at the first byte that does not fit.
// Unreadable text gives 0; it never fails. Decimal values beyond the double range give ±inf.
double textToNumber(std::string_view text);

// Room for any text of the print form or the short form: the longest, "-1.234567890123456e-308",
// has 23 bytes.
inline constexpr std::size_t kNumberFormMaxBytes = 24;

// The print form: 16 significant digits, a leading blank unless the text starts with "-",
// fixed notation for 0.1 <= |v| < 1e16, otherwise "d.ddde+XXX" with a three-digit exponent.
// Negative zero prints as " 0"; infinities as " inf" / "-inf", NaN as " nan".
// Writes at most kNumberFormMaxBytes bytes at `out` and returns the end of the text.
char* printFormTo(char* out, double value);
std::string printForm(double value);

// The short form ("%.16g" with a three-digit exponent and no leading blank), written as
// printFormTo writes.
char* shortFormTo(char* out, double value);
std::string numberToText(double value);

// Decimal digits of an integer, "-" for negative values, no blank.
std::string integerToText(std::int32_t value);

// A printed figure: the value rounded to `significantDigits` (1 to 17) significant digits and
// written as briefly as that rounded value allows, so that 64.90000000000001 reads "64.9" and
// 12345.6 reads "12350". Fixed notation from 1e-6 up to 1e15, else "1.234e+20". Negative zero
// reads "0"; the infinities "inf" and "-inf", NaN "nan".
std::string figureText(double value, int significantDigits = 4);

}  // namespace zephyrion
