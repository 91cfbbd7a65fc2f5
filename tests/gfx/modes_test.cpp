// The list of display modes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/memory_screen.h"
#include "gfx/screen.h"

namespace zephyrion {
namespace {

constexpr std::int32_t packed(int width, int height) {
  return (width << 16) | height;
}

// The first mode for the depth, then every next one up to and including the first 0, and one more call.
std::vector<std::int32_t> listed(int depth) {
  std::vector<std::int32_t> modes{gfxListModes(depth)};
  while (modes.back() != 0)
    modes.push_back(gfxListModes(0));
  modes.push_back(gfxListModes(0));
  return modes;
}

const std::vector<DisplayMode> kDisplay = {
    {1024, 768, 32}, {800, 600, 24}, {640, 480, 16},  {800, 600, 32}, {1280, 1024, 32},
    {1024, 600, 32}, {800, 600, 8},  {1024, 768, 24}, {640, 480, 15}, {320, 200, 8},
};

TEST(DisplayModes, ComeOnceEachSortedByWidthThenHeightAndThenZeroForEver) {
  MemoryScreen screen(kDisplay);
  EXPECT_EQ(listed(32), (std::vector<std::int32_t>{packed(800, 600), packed(1024, 600), packed(1024, 768),
                                                   packed(1280, 1024), 0, 0}));
}

TEST(DisplayModes, CountFifteenAndSixteenAsOneDepthAndTwentyFourAndThirtyTwoAsAnother) {
  MemoryScreen screen(kDisplay);
  EXPECT_EQ(listed(16), (std::vector<std::int32_t>{packed(640, 480), 0, 0}));
  EXPECT_EQ(listed(15), (std::vector<std::int32_t>{packed(640, 480), 0, 0}));
  EXPECT_EQ(listed(24), listed(32));
  EXPECT_EQ(listed(8), (std::vector<std::int32_t>{packed(320, 200), packed(800, 600), 0, 0}));
}

TEST(DisplayModes, OfAVirtualTwentyFourBitDisplayAnswerADepthOfThirtyTwo) {
  MemoryScreen screen({{1024, 768, 24}});
  EXPECT_EQ(listed(32), (std::vector<std::int32_t>{packed(1024, 768), 0, 0}));
}

TEST(DisplayModes, AreNoneWithoutADisplay) {
  MemoryScreen screen(std::vector<DisplayMode>{});
  EXPECT_EQ(gfxListModes(32), 0);
  EXPECT_EQ(gfxListModes(0), 0);
}

TEST(DisplayModes, GiveNothingNextBeforeAListWasAskedFor) {
  MemoryScreen screen(kDisplay);
  EXPECT_EQ(gfxListModes(0), 0);
  EXPECT_EQ(gfxListModes(-32), 0);
}

TEST(DisplayModes, StartAgainWithEveryCallThatNamesADepth) {
  MemoryScreen screen(kDisplay);
  EXPECT_EQ(gfxListModes(32), packed(800, 600));
  EXPECT_EQ(gfxListModes(0), packed(1024, 600));
  EXPECT_EQ(gfxListModes(32), packed(800, 600));
  screen.setDisplayModes({{1920, 1080, 32}});
  EXPECT_EQ(gfxListModes(0), packed(1024, 600));  // the list already made stays
  EXPECT_EQ(gfxListModes(32), packed(1920, 1080));
}

TEST(DisplayModes, TooWideToPackAreLeftOut) {
  MemoryScreen screen({{40000, 600, 32}, {800, 70000, 32}, {0, 600, 32}, {800, 600, 32}});
  EXPECT_EQ(listed(32), (std::vector<std::int32_t>{packed(800, 600), 0, 0}));
}

}  // namespace
}  // namespace zephyrion
