#include "markup.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence that starts the text, or 0 when it is not one
// (RFC 3629, section 4: no overlong forms, no surrogates, nothing past U+10FFFF).
std::size_t sequenceLength(std::string_view text) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!isContinuation(byte(i))) return 0;
  }
  unsigned char second = byte(1);
  if (lead == 0xE0 && second < 0xA0) return 0;
  if (lead == 0xED && second > 0x9F) return 0;
  if (lead == 0xF0 && second < 0x90) return 0;
  if (lead == 0xF4 && second > 0x8F) return 0;
  return length;
}

// XML 1.0's Char production, for the characters the UTF-8 check lets through.
bool xmlCanHold(std::string_view sequence) {
  if (sequence.size() == 1) {
    unsigned char c = static_cast<unsigned char>(sequence[0]);
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
  }
  return sequence != "\xEF\xBF\xBE" && sequence != "\xEF\xBF\xBF";
}

std::string_view entityFor(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return {};
  }
}

}  // namespace

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    std::size_t length = sequenceLength(text);
    std::string_view sequence = text.substr(0, length);
    // A byte that starts no character is replaced alone; a whole character XML cannot hold, once.
    if (length == 0 || !xmlCanHold(sequence)) {
      out += kReplacement;
      length = std::max<std::size_t>(length, 1);
    } else if (std::string_view entity = entityFor(text[0]); !entity.empty()) {
      out += entity;
    } else {
      out += sequence;
    }
    text.remove_prefix(length);
  }
  return out;
}

int shownLength(std::string_view text) {
  int length = 0;
  for (char c : text)
    length += isContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return length;
}

std::string countText(std::size_t count) {
  constexpr std::size_t kLargest = std::numeric_limits<std::int32_t>::max();
  return integerToText(static_cast<std::int32_t>(std::min(count, kLargest)));
}

void appendCoordinate(std::string& out, double value) {
  // Plots map every value into their frame; the bound keeps a stray one to a short text.
  constexpr double kFarOutside = 1e6;
  assert(std::fabs(value) <= kFarOutside);
  double bounded = std::isnan(value) ? 0 : std::clamp(value, -kFarOutside, kFarOutside);
  char buffer[32];
  // Adding zero turns -0 into +0, so that no coordinate reads "-0.00".
  auto result = std::to_chars(buffer, buffer + sizeof buffer, bounded + 0.0, std::chars_format::fixed, 2);
  out.append(buffer, result.ptr);
}

}  // namespace zephyrion::report
