#include "text/number_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "text/sixteen_digits.h"

namespace zephyrion {
namespace {

// "00" to "99", so that two digits are written at once.
constexpr char kDigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

void writeFourDigits(char* out, std::uint32_t value) {
  std::memcpy(out, kDigitPairs + 2 * (value / 100), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (value % 100), 2);
}

void writeEightDigits(char* out, std::uint32_t value) {
  writeFourDigits(out, value / 10000);
  writeFourDigits(out + 4, value % 10000);
}

// The 16 digits of a rounded value and how many remain once trailing zeros are dropped.
struct DigitText {
  char digits[16];
  int significant;
};

DigitText digitTextOf(std::uint64_t significand) {
  DigitText text;
  writeEightDigits(text.digits, static_cast<std::uint32_t>(significand / 100'000'000));
  writeEightDigits(text.digits + 8, static_cast<std::uint32_t>(significand % 100'000'000));
  text.significant = 16;
  while (text.digits[text.significant - 1] == '0')  // the first digit is never 0
    --text.significant;
  return text;
}

char* copyDigits(char* out, const char* digits, int count) {
  std::memcpy(out, digits, static_cast<std::size_t>(count));
  return out + count;
}

// Fixed notation with 15 - exponent digits after the point, trailing zeros and a bare point removed.
char* writeFixed(char* out, const DigitText& d, int exponent) {
  if (exponent >= 0) {
    const int whole = exponent + 1;
    out = copyDigits(out, d.digits, whole);
    if (d.significant <= whole) return out;
    *out++ = '.';
    return copyDigits(out, d.digits + whole, d.significant - whole);
  }
  *out++ = '0';
  *out++ = '.';
  for (int zero = 1; zero < -exponent; ++zero)
    *out++ = '0';
  return copyDigits(out, d.digits, d.significant);
}

// One digit, the point (kept or dropped as asked when no digit follows it), the other digits
// without trailing zeros, "e", the exponent's sign and three digits (|exponent| <= 324).
char* writeExponentForm(char* out, const DigitText& d, int exponent, bool keepBarePoint) {
  *out++ = d.digits[0];
  if (d.significant > 1 || keepBarePoint) *out++ = '.';
  out = copyDigits(out, d.digits + 1, d.significant - 1);
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const auto magnitude = static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent);
  *out++ = static_cast<char>('0' + magnitude / 100);
  std::memcpy(out, kDigitPairs + 2 * (magnitude % 100), 2);
  return out + 2;
}

char* copyText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* writeNonFinite(char* out, double value) {
  if (std::isnan(value)) return copyText(out, "nan");
  return copyText(out, value < 0 ? "-inf" : "inf");
}

// The digits of a finite, non-zero value in fixed notation for first-digit exponents from
// `lowestFixed` to 15, otherwise in exponent form.
char* writeSixteenDigits(char* out, double value, int lowestFixed, bool keepBarePoint) {
  const SixteenDigits rounded = roundToSixteenDigits(std::fabs(value));
  const DigitText d = digitTextOf(rounded.significand);
  if (rounded.exponent >= lowestFixed && rounded.exponent <= 15) return writeFixed(out, d, rounded.exponent);
  return writeExponentForm(out, d, rounded.exponent, keepBarePoint);
}

}  // namespace

char* printFormTo(char* out, double value) {
  // NaN and negative zero are not negative values: they get the blank.
  *out++ = value < 0 ? '-' : ' ';
  if (std::isnan(value)) return copyText(out, "nan");
  if (std::isinf(value)) return copyText(out, "inf");
  if (value == 0.0) return copyText(out, "0");
  return writeSixteenDigits(out, value, -1, true);
}

std::string printForm(double value) {
  char text[kNumberFormMaxBytes];
  return std::string(text, printFormTo(text, value));
}

char* shortFormTo(char* out, double value) {
  if (!std::isfinite(value)) return writeNonFinite(out, value);
  if (value == 0.0) return copyText(out, "0");
  if (value < 0) *out++ = '-';
  return writeSixteenDigits(out, value, -4, false);
}

std::string numberToText(double value) {
  char text[kNumberFormMaxBytes];
  return std::string(text, shortFormTo(text, value));
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
