#include "text/number_forms.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "text/sixteen_digits.h"

namespace zephyrion {
namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr std::uint64_t kZeroBytes = 0x3030303030303030;

// The eight digits of n < 10^8 as the values of eight bytes, the first digit in the lowest byte:
// n is split into two halves of four digits, each half into two of two digits and each of
// those into two digits, every split done in all lanes of the word at once. The quotients by
// 100 and 10 are exact products with 10486 / 2^20 and 103 / 2^10 in these ranges.
std::uint64_t eightDigitValues(std::uint32_t n) {
  std::uint64_t x = (n / 10000) | (std::uint64_t{n % 10000} << 32);
  const std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007F;
  x = hundreds | ((x - hundreds * 100) << 16);
  const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000F;
  return tens | ((x - tens * 10) << 8);
}

// The 16 digits of a rounded value as text in a 128-bit word (the first digit in the lowest
// byte), and how many remain once trailing zeros are dropped.
struct DigitText {
  Uint128 text;
  int significant;
};

DigitText digitTextOf(std::uint64_t significand) {
  const std::uint64_t first = eightDigitValues(static_cast<std::uint32_t>(significand / 100'000'000));
  const std::uint64_t last = eightDigitValues(static_cast<std::uint32_t>(significand % 100'000'000));
  // The highest non-zero byte holds the last significant digit; the first digit is never 0.
  const int significant = last != 0 ? 16 - std::countl_zero(last) / 8 : 8 - std::countl_zero(first) / 8;
  return {(Uint128{last + kZeroBytes} << 64) | (first + kZeroBytes), significant};
}

// Stores the 16 bytes of a text word, the lowest byte first.
void storeText(char* out, Uint128 text) {
  for (int half = 0; half < 2; ++half) {
    auto word = static_cast<std::uint64_t>(text >> (64 * half));
    if constexpr (std::endian::native == std::endian::big) {
      std::uint64_t swapped = 0;
      for (int byte = 0; byte < 8; ++byte)
        swapped |= ((word >> (8 * byte)) & 0xFF) << (8 * (7 - byte));
      word = swapped;
    }
    std::memcpy(out + 8 * half, &word, 8);
  }
}

char digitAt(const DigitText& d, int index) {
  return static_cast<char>(static_cast<std::uint8_t>(d.text >> (8 * index)));
}

// Fixed notation with 15 - exponent digits after the point, trailing zeros and a bare point
// removed. The text is stored in whole 16-byte words, the point put in by shifting the word.
char* writeFixed(char* out, const DigitText& d, int exponent) {
  if (exponent < 0) {
    std::memcpy(out, "0.000000", 8);  // "0." and the zeros before the first digit (at most 3)
    out += 1 - exponent;
    storeText(out, d.text);
    return out + d.significant;
  }
  const int whole = exponent + 1;
  if (d.significant <= whole) {
    storeText(out, d.text);
    return out + whole;
  }
  // The digits after the whole part move up one byte; the last of them leaves the word.
  const int wholeBits = 8 * whole;
  const Uint128 wholePart = d.text & ((Uint128{1} << wholeBits) - 1);
  const Uint128 fraction = ((d.text >> wholeBits) << wholeBits) << 8;
  storeText(out, wholePart | (Uint128{'.'} << wholeBits) | fraction);
  out[16] = digitAt(d, 15);
  return out + d.significant + 1;
}

// One digit, the point (kept or dropped as asked when no digit follows it), the other digits
// without trailing zeros, "e", the exponent's sign and three digits (|exponent| <= 324).
char* writeExponentForm(char* out, const DigitText& d, int exponent, bool keepBarePoint) {
  storeText(out + 1, d.text);
  out[0] = digitAt(d, 0);
  out[1] = '.';
  out += (d.significant > 1 || keepBarePoint) ? d.significant + 1 : 1;
  const auto magnitude = static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent);
  out[0] = 'e';
  out[1] = exponent < 0 ? '-' : '+';
  out[2] = static_cast<char>('0' + magnitude / 100);
  out[3] = static_cast<char>('0' + magnitude / 10 % 10);
  out[4] = static_cast<char>('0' + magnitude % 10);
  return out + 5;
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

std::string figureText(double value, int significantDigits) {
  assert(significantDigits >= 1 && significantDigits <= 17);
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  if (value == 0) return "0";
  char buffer[64];
  // Rounding through the scientific text rounds the decimal value exactly, halves to even.
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            significantDigits - 1)
                  .ptr;
  if (significantDigits > 15) {
    // Past 15 digits two decimals may share a double: its shortest text decides.
    double rounded = 0;
    std::from_chars(buffer, end, rounded);
    bool fixed = std::fabs(rounded) >= 1e-6 && std::fabs(rounded) < 1e15;
    end = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                        fixed ? std::chars_format::fixed : std::chars_format::scientific)
              .ptr;
    return std::string(buffer, end);
  }
  // Up to 15 digits the rounded decimal is the shortest text of its double: its digits less the
  // trailing zeros, laid out in fixed notation from 1e-6 up to 1e15.
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  bool negative = text.front() == '-';
  std::size_t e = text.find('e');
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
  std::string digits;
  for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
  std::string figure = negative ? "-" : "";
  if (exponent < -6 || exponent >= 15) {
    figure += digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "e" +
              (exponent < 0 ? "-" : "+") + (std::abs(exponent) < 10 ? "0" : "") +
              std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    figure += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
    figure += digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    std::size_t point = static_cast<std::size_t>(exponent) + 1;
    figure += digits.substr(0, point) + "." + digits.substr(point);
  }
  return figure;
}

}  // namespace zephyrion
