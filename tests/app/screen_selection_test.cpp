// Choosing and opening the screen: the mode lines printed before any screen exists, where the
// listing stops, and what is opened for which display.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/screen_selection.h"
#include "gfx/memory_screen.h"
#include "gfx/screen.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

std::string printed;
MemoryScreen* displayToRemove = nullptr;

void capturePrintedText(std::string_view text) {
  printed += text;
}

// Captures like capturePrintedText, and removes the display's modes once the first line is out.
void captureAndRemoveTheDisplay(std::string_view text) {
  printed += text;
  if (displayToRemove) displayToRemove->setDisplayModes({});
}

class ScreenSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printed.clear();
    screenWidth = 0;
    screenHeight = 0;
    setScreenTextReceiver(capturePrintedText);
  }
  void TearDown() override { setScreenTextReceiver(nullptr); }

  MemoryScreen screen{{{640, 480, 32}, {800, 600, 32}, {1024, 768, 32}}};
};

TEST_F(ScreenSelectionTest, TheListingStopsAtTheAskedModeAfterPrintingEachExaminedOne) {
  ASSERT_TRUE(selectScreenMode(800, 600));
  EXPECT_EQ(printed, " 640 X  480\r\n 800 X  600\r\n");
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);
  EXPECT_TRUE(screen.isOpen());
  EXPECT_FALSE(screen.isFullScreen());
  EXPECT_EQ(screen.width(), 800);
  EXPECT_EQ(screen.height(), 600);
}

TEST_F(ScreenSelectionTest, TheOpenScreenHasTheEightBySixteenCellBlackTextAndTheFormGrey) {
  ASSERT_TRUE(selectScreenMode(800, 600));
  EXPECT_EQ(screen.countPixels(0, 0, 799, 599, 0xD4D0C8), 800 * 600);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 100 | (37 << 16));
  gfxSetPixel(3, 3, 0xFFFFFF, kSinglePointInForeground);
  EXPECT_EQ(screen.pixel(3, 3), 0x000000);
}

TEST_F(ScreenSelectionTest, AnEmptyListOpensNothing) {
  screen.setDisplayModes({});
  EXPECT_FALSE(selectScreenMode(800, 600));
  EXPECT_FALSE(screen.isOpen());
  EXPECT_EQ(printed, "");
}

TEST_F(ScreenSelectionTest, OnlyModesOfThirtyTwoBitsCount) {
  screen.setDisplayModes({{800, 600, 16}});
  EXPECT_FALSE(selectScreenMode(800, 600));
  screen.setDisplayModes({{800, 600, 24}});
  EXPECT_TRUE(selectScreenMode(800, 600));
}

TEST_F(ScreenSelectionTest, OnlySmallerModesOpenNothing) {
  screen.setDisplayModes({{640, 480, 32}, {800, 500, 32}});
  EXPECT_FALSE(selectScreenMode(800, 600));
  EXPECT_FALSE(screen.isOpen());
  EXPECT_EQ(printed, " 640 X  480\r\n 800 X  500\r\n");
}

TEST_F(ScreenSelectionTest, ALargerLastModeGetsAWindowOfTheAskedSizeAndTheLayoutFollowsIt) {
  screen.setDisplayModes({{640, 480, 32}, {1024, 768, 32}});
  ASSERT_TRUE(selectScreenMode(800, 600));
  EXPECT_EQ(printed, " 640 X  480\r\n 1024 X  768\r\n");
  EXPECT_EQ(screen.width(), 800);
  EXPECT_EQ(screen.height(), 600);
  EXPECT_FALSE(screen.isFullScreen());
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 100 | (37 << 16));
}

TEST_F(ScreenSelectionTest, HeightZeroOpensTheLastModeFullScreenWithItsOwnGrid) {
  screen.setDisplayModes({{640, 480, 32}, {1024, 768, 32}});
  ASSERT_TRUE(selectScreenMode(800, 0));
  EXPECT_TRUE(screen.isFullScreen());
  EXPECT_EQ(screen.width(), 1024);
  EXPECT_EQ(screenWidth, 1024);
  EXPECT_EQ(screenHeight, 768);
  EXPECT_EQ(gfxSetTextGrid(100, 37), 128 | (48 << 16));
}

TEST_F(ScreenSelectionTest, AScreenThatCannotBeOpenedIsReportedAsNoMode) {
  displayToRemove = &screen;
  setScreenTextReceiver(captureAndRemoveTheDisplay);
  EXPECT_FALSE(selectScreenMode(800, 600));
  displayToRemove = nullptr;
  EXPECT_FALSE(screen.isOpen());
}

}  // namespace
}  // namespace zephyrion
