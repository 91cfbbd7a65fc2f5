// Byte-string operations. Positions count from 1; every result is a new text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zephyrion {

std::int32_t textLength(std::string_view s);
// Empty when s is empty, start < 1, start > length or n == 0; a negative n means "to the end".
std::string textMid(std::string_view s, std::int32_t start, std::int32_t n);
std::string textLeft(std::string_view s, std::int32_t n);
std::string textRight(std::string_view s, std::int32_t n);
// The byte at pos as 0..255; 0 outside the text.
std::int32_t textCharCode(std::string_view s, std::int32_t pos);
// The bytes c1..cn, each taken modulo 256.
std::string textFromCodes(std::initializer_list<std::int32_t> codes);
std::string textConcat(std::string_view a, std::string_view b);
// Unsigned byte comparison; the shorter of two texts where one is a prefix of the other is less.
// 0 when equal, negative when a < b, positive when a > b.
std::int32_t textCompare(std::string_view a, std::string_view b);

}  // namespace zephyrion
