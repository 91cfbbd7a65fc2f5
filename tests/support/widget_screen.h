// The screen and chain every widget test starts from: an 800x600 in-memory screen with the 8x16
// cell, black text, a backdrop colour no widget uses, an empty chain and the layout cursor at 0;
// and the events the event loop would send.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "gfx/input.h"
#include "gfx/memory_screen.h"
#include "gfx/screen.h"
#include "widgets/chain.h"

namespace zephyrion::testing_support {

inline constexpr std::int32_t kBackdrop = 0x102030;
inline constexpr std::int32_t kFormGrey = 0xD4D0C8;
inline constexpr std::int32_t kWhite = 0xFFFFFF;
inline constexpr std::int32_t kBlack = 0x000000;

class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widgetChainHead = {};
    lastWidgetY = 0;
    ASSERT_EQ(gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0), kScreenOk);
    gfxSetTextGrid(100, 37);
    gfxSetColors(kBlack, kBackdrop, 0);
    gfxClear(kNoArgument);
  }

  static void mouse(std::int32_t x, std::int32_t y, std::int32_t word) {
    dispatchEvent(EVENT_MOUSE, widgetChainHead, x, y, 0, word);
  }
  static void press(std::int32_t x, std::int32_t y) { mouse(x, y, kLeftPressed); }
  static void key(int code) { dispatchEvent(EVENT_KEY, widgetChainHead, 1, code, code, 0); }
  static void extendedKey(int code) {
    dispatchEvent(EVENT_KEY, widgetChainHead, 2, kExtendedKeyPrefix, code, 0);
  }
  static void typeText(std::string_view text) {
    for (char c : text)
      key(static_cast<unsigned char>(c));
  }
  static void tick(std::int32_t milliseconds) {
    dispatchEvent(EVENT_TICK, widgetChainHead, milliseconds, 0, 0, 0);
  }

  // Paints one screen pixel in a colour no widget draws; a redraw that covers it paints it over.
  static void markPixel(int x, int y) {
    gfxSetView(0, 0, 799, 599, 0, 0, kViewNoFillNoBorder);
    gfxSetPixel(static_cast<float>(x), static_cast<float>(y), kMarker, kSinglePoint);
  }
  bool isMarked(int x, int y) const { return screen.pixel(x, y) == kMarker; }

  static constexpr std::int32_t kMarker = 0xABCDEF;
  MemoryScreen screen;
};

}  // namespace zephyrion::testing_support
