#include "text/format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "text/number_forms.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

constexpr int kNoPoint = -1;
constexpr int kMaxDecimals = 16;

// The one current format of the program and the position reached in it.
struct FormatState {
  std::string format;
  std::size_t position = 0;
};
FormatState current;

bool fieldStartsAt(std::string_view format, std::size_t i) {
  if (format[i] == '#') return true;
  return format[i] == '.' && i + 1 < format.size() && format[i + 1] == '#';
}

// Copies literal text up to the next numeric field or the end of the format. "_" takes the
// byte after it literally. Only "#" fields are built, so the other field characters of this
// format language ("!", "&", "+", "\", "$$", "**") are copied like any literal byte.
void copyLiteral(int fileNumber) {
  std::string_view format = current.format;
  std::string literal;
  std::size_t& i = current.position;
  while (i < format.size() && !fieldStartsAt(format, i)) {
    if (format[i] == '_' && i + 1 < format.size()) ++i;
    literal.push_back(format[i++]);
  }
  printText(fileNumber, literal, 0);
}

struct Field {
  int places = 0;
  int decimals = kNoPoint;
};

Field readField() {
  std::string_view format = current.format;
  std::size_t& i = current.position;
  Field field;
  while (i < format.size() && format[i] == '#') {
    ++field.places;
    ++i;
  }
  if (i < format.size() && format[i] == '.') {
    ++i;
    field.decimals = 0;
    while (i < format.size() && format[i] == '#') {
      ++field.decimals;
      ++i;
    }
  }
  return field;
}

double powerOfTen(int exponent) {
  return std::pow(10.0, exponent);
}

// The decimal digits of a whole-valued double at `out` (at most 309).
char* writeWholeNumber(char* out, double wholeValue) {
  return std::to_chars(out, out + 400, wholeValue, std::chars_format::fixed, 0).ptr;
}

// The decimals of a fraction in [0, 1), written by a fixed conversion with `decimals` places
// at `out`. Sets `carried` when that conversion rounded the fraction up to 1.
char* writeFractionDigits(char* out, double fraction, int decimals, bool& carried) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, fraction, std::chars_format::fixed, decimals);
  carried = buffer[0] == '1';
  const std::size_t count = static_cast<std::size_t>(result.ptr - buffer) - 2;  // after "0." or "1."
  std::memcpy(out, buffer + 2, count);
  return out + count;
}

char* writeBlanks(char* out, int count) {
  for (int i = 0; i < count; ++i)
    *out++ = ' ';
  return out;
}

// "%e+" and the number of digits the value was scaled down by.
char* writeOverflowMarker(char* out, int scaledDigits) {
  std::memcpy(out, "%e+", 3);
  return std::to_chars(out + 3, out + 16, scaledDigits).ptr;
}

}  // namespace

char* formatFieldTo(char* out, double value, int places, int decimals) {
  // No digits to place: an infinity or NaN reads as in the short form.
  if (!std::isfinite(value)) return shortFormTo(out, value);
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  const int shownDecimals = decimals > 0 ? decimals : 0;

  // A negative value's "-" takes one of the digit places.
  const bool negative = value < 0;
  const bool signTakesPlace = negative && places >= 1;
  int integerPlaces = signTakesPlace ? places - 1 : places;
  double v = std::fabs(value);

  // Number of digits before the point.
  int digitsBeforePoint = v != 0 ? static_cast<int>(std::floor(std::log10(v))) + 1 : 0;

  // A value whose first significant digit lies beyond the last shown place shows as zero.
  bool cleared = false;
  if (digitsBeforePoint < 0 && -digitsBeforePoint >= shownDecimals) {
    v = 0;
    cleared = true;
  } else if (digitsBeforePoint < 0) {
    digitsBeforePoint = 0;
  }

  // Rounding: up only when what lies beyond the last shown place is at least half a unit of
  // that place plus 1e-15, so an exact half goes toward zero.
  double whole = std::trunc(v);
  double fraction = v - whole;
  double shownUnits = 0;
  double beyond = fraction;
  if (shownDecimals > 0) {
    double scaled = fraction * powerOfTen(shownDecimals);
    shownUnits = std::trunc(scaled);
    beyond = scaled - shownUnits;
  }
  if (std::trunc(beyond * powerOfTen(15 - shownDecimals)) > std::trunc(5 * powerOfTen(14 - shownDecimals))) {
    shownUnits += 1;
  }
  double rounded = whole + shownUnits / powerOfTen(shownDecimals);

  // Too few digit places: scale the value down and mark the field.
  int overflowDigits = 0;
  if (!cleared && digitsBeforePoint > integerPlaces) {
    overflowDigits = digitsBeforePoint - integerPlaces;
    rounded /= powerOfTen(overflowDigits);
  }

  double roundedWhole = std::trunc(rounded);
  char decimalsText[64];
  char* decimalsEnd = decimalsText;
  if (shownDecimals > 0) {
    bool carried = false;
    decimalsEnd = writeFractionDigits(decimalsText, rounded - roundedWhole, shownDecimals, carried);
    if (carried) roundedWhole += 1;
  }
  char wholeText[400];
  char* wholeEnd = integerPlaces >= 1 ? writeWholeNumber(wholeText, roundedWhole) : wholeText;
  if (signTakesPlace) ++integerPlaces;

  const int beforePoint = static_cast<int>(wholeEnd - wholeText) + (negative ? 1 : 0);
  if (integerPlaces >= 1) out = writeBlanks(out, integerPlaces - beforePoint);
  if (negative) *out++ = '-';
  std::memcpy(out, wholeText, static_cast<std::size_t>(wholeEnd - wholeText));
  out += wholeEnd - wholeText;
  if (decimals != kNoPoint) {
    *out++ = '.';
    std::memcpy(out, decimalsText, static_cast<std::size_t>(decimalsEnd - decimalsText));
    out += decimalsEnd - decimalsText;
  }
  if (overflowDigits > 0) out = writeOverflowMarker(out, overflowDigits);
  return out;
}

std::string formatField(double value, int places, int decimals) {
  std::string text(formatFieldMaxBytes(places), '\0');
  text.resize(static_cast<std::size_t>(formatFieldTo(text.data(), value, places, decimals) - text.data()));
  return text;
}

void formatBegin(std::string_view format) {
  current.format.assign(format);
  current.position = 0;
}

void formatNumber(int fileNumber, double value, std::uint32_t flags) {
  if (current.position >= current.format.size()) current.position = 0;
  copyLiteral(fileNumber);
  if (current.position < current.format.size()) {
    Field field = readField();
    printText(fileNumber, formatField(value, field.places, field.decimals), 0);
    copyLiteral(fileNumber);
  }
  if (flags & kLastItemFlag) {
    if (flags & kNewlineFlag) printText(fileNumber, "", kNewlineFlag);
    current = FormatState{};
  }
}

void formatEnd(int fileNumber) {
  copyLiteral(fileNumber);
  current = FormatState{};
}

}  // namespace zephyrion
