// From the window system's keys to the key buffer's codes and texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_codes.h"
#include "key_ring.h"

namespace zephyrion {
namespace {

const std::string kPrefix(1, static_cast<char>(255));

TEST(KeyCodes, ExtendedKeysCarryThePcKeyboardsCodes) {
  struct Case {
    NamedKey key;
    char text;
  };
  const Case cases[] = {{NamedKey::Up, 'H'},       {NamedKey::Down, 'P'},   {NamedKey::Left, 'K'},
                        {NamedKey::Right, 'M'},    {NamedKey::Insert, 'R'}, {NamedKey::Delete, 'S'},
                        {NamedKey::Home, 'G'},     {NamedKey::End, 'O'},    {NamedKey::PageUp, 'I'},
                        {NamedKey::PageDown, 'Q'}, {NamedKey::F1, ';'},     {NamedKey::F10, 'D'}};
  for (const Case& c : cases) {
    EXPECT_EQ(keyText(storedKeyFor(c.key, {})), kPrefix + c.text) << c.text;
  }
}

TEST(KeyCodes, ModifiersGiveOtherCodesExceptShiftOnCursorKeys) {
  struct Case {
    NamedKey key;
    KeyModifiers held;
    int code;
  };
  const Case cases[] = {
      {NamedKey::Left, {true, false, false}, 75},
      {NamedKey::Left, {false, true, false}, 115},
      {NamedKey::Left, {false, false, true}, 155},
      {NamedKey::Left, {false, true, true}, 155},
      {NamedKey::F1, {true, false, false}, 84},
      {NamedKey::F1, {false, true, false}, 94},
      {NamedKey::F10, {false, false, true}, 113},
      {NamedKey::Delete, {false, true, false}, 147},
      // Alt+F4 closes a window by custom, and so it gives the close request's code.
      {NamedKey::F4, {false, false, true}, 107},
  };
  for (const Case& c : cases)
    EXPECT_EQ(storedKeyFor(c.key, c.held), extendedKey(c.code)) << c.code;
}

TEST(KeyCodes, EnterBackspaceTabAndEscapeAreOrdinaryKeysWhateverIsHeld) {
  for (KeyModifiers held : {KeyModifiers{}, KeyModifiers{true, true, false}}) {
    EXPECT_EQ(storedKeyFor(NamedKey::Enter, held), 13);
    EXPECT_EQ(storedKeyFor(NamedKey::Backspace, held), 8);
    EXPECT_EQ(storedKeyFor(NamedKey::Tab, held), 9);
    EXPECT_EQ(storedKeyFor(NamedKey::Escape, held), 27);
  }
}

TEST(KeyCodes, TypedTextGivesOneKeyPerPrintableCharacter) {
  struct Case {
    std::string utf8;
    std::vector<int> keys;
  };
  const Case cases[] = {
      {"a", {97}},
      {"~ 0", {126, 32, 48}},
      {"\xC3\xA9", {0xE9}},         // e acute: its Latin-1 byte
      {"\xE2\x82\xAC", {}},         // the euro sign has no byte
      {"\x01\x1B\x7F", {}},         // control characters come as key presses, if at all
      {"\xC3", {}},                 // a sequence cut short
      {"\xA9x", {120}},             // a stray continuation byte
      {"\xC2\x85", {}},             // a Latin-1 control character
      {"\xF0\x9F\x99\x82!", {33}},  // beyond the first plane
  };
  for (const Case& c : cases)
    EXPECT_EQ(typedCharacterKeys(c.utf8), c.keys) << c.utf8;
}

TEST(KeyRing, HoldsFifteenKeysDroppingTheOldestAcrossManyTurns) {
  KeyRing ring;
  EXPECT_FALSE(ring.pop().has_value());
  for (int key = 1; key <= 100; ++key)
    ring.push(key);
  for (int key = 86; key <= 100; ++key)
    EXPECT_EQ(ring.pop(), key);
  EXPECT_TRUE(ring.empty());
  ring.push(7);
  EXPECT_EQ(ring.pop(), 7);
}

}  // namespace
}  // namespace zephyrion
