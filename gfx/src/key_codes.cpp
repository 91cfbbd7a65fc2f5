#include "key_codes.h"

#include <array>
#include <cstddef>

#include "key_ring.h"

namespace zephyrion {
namespace {

struct ExtendedCodes {
  int plain;
  int shift;
  int ctrl;
  int alt;
};

// In NamedKey order, Up to F10.
constexpr std::array<ExtendedCodes, 20> kExtendedCodes{{
    {72, 72, 141, 152},                                                              // Up
    {80, 80, 145, 160},                                                              // Down
    {75, 75, 115, 155},                                                              // Left
    {77, 77, 116, 157},                                                              // Right
    {82, 82, 146, 162},                                                              // Insert
    {83, 83, 147, 163},                                                              // Delete
    {71, 71, 119, 151},                                                              // Home
    {79, 79, 117, 159},                                                              // End
    {73, 73, 132, 153},                                                              // Page Up
    {81, 81, 118, 161},                                                              // Page Down
    {59, 84, 94, 104},  {60, 85, 95, 105},  {61, 86, 96, 106},  {62, 87, 97, 107},   // F1..F4
    {63, 88, 98, 108},  {64, 89, 99, 109},  {65, 90, 100, 110}, {66, 91, 101, 111},  // F5..F8
    {67, 92, 102, 112}, {68, 93, 103, 113},                                          // F9, F10
}};

int ordinaryKeyFor(NamedKey key) {
  switch (key) {
    case NamedKey::Enter:
      return 13;
    case NamedKey::Backspace:
      return 8;
    case NamedKey::Tab:
      return 9;
    case NamedKey::Escape:
      return 27;
    default:
      return 0;
  }
}

int extendedCodeFor(const ExtendedCodes& codes, KeyModifiers modifiers) {
  if (modifiers.alt) return codes.alt;
  if (modifiers.ctrl) return codes.ctrl;
  if (modifiers.shift) return codes.shift;
  return codes.plain;
}

// The length of a UTF-8 sequence from its first byte; 0 for a byte that cannot start one.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

int storedKeyFor(NamedKey key, KeyModifiers modifiers) {
  auto index = static_cast<std::size_t>(key);
  if (index >= kExtendedCodes.size()) return ordinaryKeyFor(key);
  return extendedKey(extendedCodeFor(kExtendedCodes[index], modifiers));
}

std::vector<int> typedCharacterKeys(std::string_view utf8) {
  std::vector<int> keys;
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    int length = sequenceLength(lead);
    if (length == 0) {
      ++i;
      continue;
    }
    bool complete = i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; complete && k < length; ++k) {
      complete = isContinuation(static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]));
    }
    if (!complete) {
      ++i;
      continue;
    }
    if (length == 1 && lead >= 32 && lead != 127) keys.push_back(lead);
    if (length == 2) {
      int code = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      if (code >= 0xA0) keys.push_back(code);
    }
    i += static_cast<std::size_t>(length);
  }
  return keys;
}

std::string keyText(int key) {
  if (key < 256) return std::string(1, static_cast<char>(key));
  return std::string{static_cast<char>(255), static_cast<char>((key >> 8) & 0xFF)};
}

}  // namespace zephyrion
