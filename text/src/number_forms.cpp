#include "text/number_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zephyrion {
namespace {

// |value| rounded to 16 significant digits: digits d0 d1 ... d15 and the decimal exponent of
// d0, so |value| ~ d0.d1...d15 x 10^exponent. std::to_chars rounds exactly from the binary value.
struct SixteenDigits {
  char digits[16];
  int exponent;
};

SixteenDigits roundToSixteenDigits(double magnitude) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 15);
  // buffer holds "d.ddddddddddddddde+XX" (or e-XX, e+XXX).
  SixteenDigits rounded{};
  rounded.digits[0] = buffer[0];
  for (int i = 1; i < 16; ++i)
    rounded.digits[i] = buffer[i + 1];
  const char* exponentText = buffer + 18;  // after "d." + 15 digits + "e"
  if (*exponentText == '+') ++exponentText;
  std::from_chars(exponentText, result.ptr, rounded.exponent);
  return rounded;
}

void trimTrailingZeros(std::string& fraction) {
  while (!fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
}

// Fixed notation with 15 - exponent digits after the point, trailing zeros and a bare point removed.
std::string fixedNotation(const SixteenDigits& d) {
  std::string integerPart;
  std::string fraction;
  if (d.exponent >= 0) {
    integerPart.assign(d.digits, static_cast<std::size_t>(d.exponent) + 1);
    fraction.assign(d.digits + d.exponent + 1, static_cast<std::size_t>(15 - d.exponent));
  } else {
    integerPart = "0";
    fraction.assign(static_cast<std::size_t>(-d.exponent - 1), '0');
    fraction.append(d.digits, 16);
  }
  trimTrailingZeros(fraction);
  return fraction.empty() ? integerPart : integerPart + "." + fraction;
}

// "e", the exponent's sign and at least three digits.
std::string exponentSuffix(int exponent) {
  char buffer[16];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, exponent < 0 ? -exponent : exponent);
  std::string magnitude(buffer, result.ptr);
  if (magnitude.size() < 3) magnitude.insert(0, 3 - magnitude.size(), '0');
  return std::string(exponent < 0 ? "e-" : "e+") + magnitude;
}

// One digit, the point (kept or dropped as asked when no digit follows it), the other digits
// without trailing zeros, and the exponent.
std::string exponentNotation(const SixteenDigits& d, bool keepBarePoint) {
  std::string fraction(d.digits + 1, 15);
  trimTrailingZeros(fraction);
  std::string text(1, d.digits[0]);
  if (!fraction.empty() || keepBarePoint) text += ".";
  return text + fraction + exponentSuffix(d.exponent);
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

}  // namespace

std::string printForm(double value) {
  std::string text;
  if (!std::isfinite(value)) {
    text = nonFiniteText(value);
  } else if (value == 0.0) {
    text = "0";  // negative zero included: it is not a negative value
  } else {
    SixteenDigits d = roundToSixteenDigits(std::fabs(value));
    bool fixed = d.exponent >= -1 && d.exponent <= 15;
    text = fixed ? fixedNotation(d) : exponentNotation(d, true);
    if (value < 0) text.insert(0, "-");
  }
  if (text.front() != '-') text.insert(0, " ");
  return text;
}

std::string numberToText(double value) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (value == 0.0) return "0";
  SixteenDigits d = roundToSixteenDigits(std::fabs(value));
  bool fixed = d.exponent >= -4 && d.exponent < 16;
  std::string text = fixed ? fixedNotation(d) : exponentNotation(d, false);
  return value < 0 ? "-" + text : text;
}

std::string integerToText(std::int32_t value) {
  char buffer[16];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

namespace {

bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

int radixOfPrefix(char letter) {
  switch (letter) {
    case 'H':
    case 'h':
      return 16;
    case 'O':
    case 'o':
      return 8;
    case 'B':
    case 'b':
      return 2;
    default:
      return 0;
  }
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// "&H", "&O", "&B": digits of the radix into an unsigned 64-bit integer that wraps on
// overflow, read as signed 64-bit.
double readRadixNumber(std::string_view digits, int radix) {
  std::uint64_t accumulated = 0;
  for (char c : digits) {
    int digit = digitValue(c);
    if (digit >= radix) break;
    accumulated = accumulated * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  }
  return static_cast<double>(static_cast<std::int64_t>(accumulated));
}

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The longest prefix of `text` of the form [sign] digits [. digits] [e [sign] digits], with at
// least one mantissa digit; "D" counts as "E". Returns its length (0: no number) and the
// decimal exponent of its first significant digit, which tells an overflow from an underflow.
struct DecimalPrefix {
  std::size_t length = 0;
  bool negative = false;
  long long magnitudeExponent = 0;
  bool allZero = true;
};

DecimalPrefix scanDecimal(std::string_view text) {
  DecimalPrefix prefix;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) prefix.negative = text[i++] == '-';
  std::size_t mantissaDigits = 0;
  long long integerDigits = 0;
  long long leadingFractionZeros = 0;
  while (i < text.size() && isDecimalDigit(text[i])) {
    if (text[i] != '0' || !prefix.allZero) {
      prefix.allZero = false;
      ++integerDigits;
    }
    ++mantissaDigits;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDecimalDigit(text[i])) {
      if (prefix.allZero && text[i] == '0') ++leadingFractionZeros;
      if (text[i] != '0') prefix.allZero = false;
      ++mantissaDigits;
      ++i;
    }
  }
  if (mantissaDigits == 0) return {};
  prefix.length = i;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && isDecimalDigit(text[j])) {
      while (j < text.size() && isDecimalDigit(text[j])) {
        exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000000LL);
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
      prefix.length = j;
    }
  }
  prefix.magnitudeExponent = (integerDigits > 0 ? integerDigits - 1 : -leadingFractionZeros - 1) + exponent;
  return prefix;
}

double readDecimalNumber(std::string_view text) {
  DecimalPrefix prefix = scanDecimal(text);
  if (prefix.length == 0) return 0.0;
  std::string number(text.substr(0, prefix.length));
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  const char* first = number.data();
  if (*first == '+') ++first;  // std::from_chars takes a "-" but no "+"
  double value = 0.0;
  auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    double magnitude =
        (prefix.allZero || prefix.magnitudeExponent < 0) ? 0.0 : std::numeric_limits<double>::infinity();
    value = prefix.negative ? -magnitude : magnitude;
  }
  return value;
}

}  // namespace

double textToNumber(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0.0;
  text.remove_prefix(start);
  if (text.size() >= 2 && text[0] == '&') {
    int radix = radixOfPrefix(text[1]);
    if (radix != 0) return readRadixNumber(text.substr(2), radix);
    return 0.0;  // "&" followed by anything else reads no digit
  }
  while (!text.empty() && isWhiteSpace(text.front()))
    text.remove_prefix(1);
  return readDecimalNumber(text);
}

}  // namespace zephyrion
