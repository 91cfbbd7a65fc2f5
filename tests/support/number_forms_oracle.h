// The print form and the short form built the plain way, as strings from the digits of
// std::to_chars(..., scientific, 15): the independent oracle that the fast number forms are
// checked against.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace zephyrion::testing_support {

// |value| rounded to 16 significant digits: d0 d1 ... d15 and the decimal exponent of d0.
struct OracleDigits {
  char digits[16];
  int exponent = 0;

  std::string text() const { return std::string(digits, sizeof digits); }
};

inline OracleDigits oracleDigits(double magnitude) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 15);
  // buffer holds "d.ddddddddddddddde+XX"
  OracleDigits d;
  d.digits[0] = buffer[0];
  std::copy(buffer + 2, buffer + 17, d.digits + 1);
  const char* exponent = buffer + 18;
  if (*exponent == '+') ++exponent;
  std::from_chars(exponent, result.ptr, d.exponent);
  return d;
}

inline std::string withoutTrailingZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0')
    digits.pop_back();
  return digits;
}

inline std::string oracleFixed(const OracleDigits& d) {
  std::string whole = "0";
  std::string fraction;
  if (d.exponent >= 0) {
    whole = d.text().substr(0, static_cast<std::size_t>(d.exponent) + 1);
    fraction = d.text().substr(static_cast<std::size_t>(d.exponent) + 1);
  } else {
    fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.text();
  }
  fraction = withoutTrailingZeros(fraction);
  return fraction.empty() ? whole : whole + "." + fraction;
}

inline std::string oracleExponentForm(const OracleDigits& d, bool keepBarePoint) {
  std::string fraction = withoutTrailingZeros(d.text().substr(1));
  std::string magnitude = std::to_string(std::abs(d.exponent));
  magnitude.insert(0, 3 - std::min<std::size_t>(3, magnitude.size()), '0');
  std::string point = (fraction.empty() && !keepBarePoint) ? "" : ".";
  return d.text().substr(0, 1) + point + fraction + (d.exponent < 0 ? "e-" : "e+") + magnitude;
}

inline std::string oraclePrintForm(double value) {
  std::string text;
  if (std::isnan(value)) {
    text = "nan";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-inf" : "inf";
  } else if (value == 0) {
    text = "0";
  } else {
    OracleDigits d = oracleDigits(std::fabs(value));
    bool fixed = d.exponent >= -1 && d.exponent <= 15;
    text = (value < 0 ? "-" : "") + (fixed ? oracleFixed(d) : oracleExponentForm(d, true));
  }
  return text.front() == '-' ? text : " " + text;
}

inline std::string oracleShortForm(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) return "0";
  OracleDigits d = oracleDigits(std::fabs(value));
  bool fixed = d.exponent >= -4 && d.exponent <= 15;
  return (value < 0 ? "-" : "") + (fixed ? oracleFixed(d) : oracleExponentForm(d, false));
}

}  // namespace zephyrion::testing_support
