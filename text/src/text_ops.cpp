#include "text/text_ops.h"

#include <algorithm>

namespace zephyrion {
namespace {

std::int32_t lengthOf(std::string_view s) {
  return static_cast<std::int32_t>(std::min<std::size_t>(s.size(), INT32_MAX));
}

}  // namespace

std::int32_t textLength(std::string_view s) {
  return lengthOf(s);
}

std::string textMid(std::string_view s, std::int32_t start, std::int32_t n) {
  std::int32_t length = lengthOf(s);
  if (length == 0 || start < 1 || start > length || n == 0) return {};
  std::int32_t available = length - start + 1;
  std::int32_t count = (n < 0 || n > available) ? available : n;
  return std::string(s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::string textLeft(std::string_view s, std::int32_t n) {
  if (n <= 0 || s.empty()) return {};
  return std::string(s.substr(0, std::min<std::size_t>(static_cast<std::size_t>(n), s.size())));
}

std::string textRight(std::string_view s, std::int32_t n) {
  if (n <= 0 || s.empty()) return {};
  std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), s.size());
  return std::string(s.substr(s.size() - count));
}

std::int32_t textCharCode(std::string_view s, std::int32_t pos) {
  if (pos < 1 || pos > lengthOf(s)) return 0;
  return static_cast<unsigned char>(s[static_cast<std::size_t>(pos - 1)]);
}

std::string textFromCodes(std::initializer_list<std::int32_t> codes) {
  std::string text;
  text.reserve(codes.size());
  for (std::int32_t code : codes)
    text.push_back(static_cast<char>(static_cast<unsigned char>(code & 0xFF)));
  return text;
}

std::string textConcat(std::string_view a, std::string_view b) {
  std::string text;
  text.reserve(a.size() + b.size());
  text.append(a);
  text.append(b);
  return text;
}

std::int32_t textCompare(std::string_view a, std::string_view b) {
  std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    int x = static_cast<unsigned char>(a[i]);
    int y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace zephyrion
