// Keys, mouse, clock, sleep and the end of the program on the in-memory screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/input.h"
#include "gfx/memory_screen.h"
#include "gfx/screen.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

std::string extended(char code) {
  return std::string{static_cast<char>(255), code};
}

struct Mouse {
  std::int32_t result, x, y, wheel, buttons, confined;
  bool operator==(const Mouse&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Mouse& m) {
  return out << m.result << ": " << m.x << ", " << m.y << ", " << m.wheel << ", " << m.buttons << ", "
             << m.confined;
}

Mouse pollMouse() {
  Mouse m{};
  m.result = inputPollMouse(m.x, m.y, m.wheel, m.buttons, m.confined);
  return m;
}

const Mouse kFailedPoll{1, -1, -1, -1, -1, -1};

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0), kScreenOk); }

  double elapsedSince(double start) const { return screen.now() - start; }

  MemoryScreen screen;
};

TEST_F(InputTest, TwentyKeysTypedWhileNothingPollsLeaveTheLastFifteenOldestFirst) {
  screen.typeText("abcdefghijklmnopqrst");
  std::string polled;
  for (std::string key = inputPollKey(); !key.empty(); key = inputPollKey())
    polled += key;
  EXPECT_EQ(polled, "fghijklmnopqrst");
}

TEST_F(InputTest, KeysComeAsTheirTexts) {
  struct Case {
    std::string name;
    std::function<void()> press;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"Left", [&] { screen.pressExtendedKey(kKeyLeft); }, extended('K')},
      {"Right", [&] { screen.pressExtendedKey(kKeyRight); }, extended('M')},
      {"Delete", [&] { screen.pressExtendedKey(kKeyDelete); }, extended('S')},
      {"close button", [&] { screen.requestClose(); }, extended('k')},
      {"Escape", [&] { screen.pressKey(27); }, "\x1B"},
      {"Enter", [&] { screen.pressKey(13); }, "\r"},
      {"a byte above 126", [&] { screen.pressKey(0xE9); }, "\xE9"},
  };
  for (const Case& c : cases) {
    c.press();
    EXPECT_EQ(inputPollKey(), c.text) << c.name;
    EXPECT_EQ(inputPollKey(), "") << c.name;
  }
}

TEST_F(InputTest, KeysBeforeTheScreenOpensAreNotKept) {
  screen.pressKey('a');
  gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0);
  EXPECT_EQ(inputPollKey(), "");
}

TEST(InputWithoutScreen, NoKeyIsKeptAndTheMousePollFails) {
  MemoryScreen screen;
  screen.pressKey('a');
  EXPECT_EQ(inputPollKey(), "");
  EXPECT_EQ(pollMouse(), kFailedPoll);
}

TEST_F(InputTest, AMousePollFailsWithMinusOneEverywhereWhenInactiveOrOutside) {
  struct Case {
    std::string name;
    std::function<void()> make;
  };
  const std::vector<Case> cases = {
      {"another window active", [&] { screen.setActive(false); }},
      {"pointer off the drawing area", [&] { screen.setInside(false); }},
      {"pointer right of the screen", [&] { screen.moveMouse(800, 10); }},
      {"pointer above the screen", [&] { screen.moveMouse(10, -1); }},
  };
  for (const Case& c : cases) {
    screen.setActive(true);
    screen.setInside(true);
    screen.moveMouse(10, 10);
    ASSERT_EQ(pollMouse().result, 0) << c.name;
    c.make();
    EXPECT_EQ(pollMouse(), kFailedPoll) << c.name;
  }
}

TEST_F(InputTest, AMousePollGivesPositionWheelAndButtons) {
  screen.moveMouse(30, 40);
  screen.setButtons(kLeftButton);
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 0, 1, 0}));
  screen.setButtons(kLeftButton | kRightButton);
  screen.turnWheel(2);
  screen.turnWheel(-1);
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 1, 3, 0}));
}

TEST_F(InputTest, APressAndItsReleaseBetweenTwoPollsAreReportedOnePollAfterTheOther) {
  screen.moveMouse(30, 40);
  screen.setButtons(kLeftButton);
  screen.setButtons(0);
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 0, kLeftButton, 0}));
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 0, 0, 0}));
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 0, 0, 0}));
}

TEST_F(InputTest, EachButtonChangeIsReportedWhereThePointerWasAtThatChange) {
  screen.moveMouse(30, 40);
  screen.setButtons(kLeftButton);
  screen.moveMouse(50, 60);
  screen.setButtons(0);
  screen.moveMouse(70, 80);
  screen.setButtons(kRightButton);
  EXPECT_EQ(pollMouse(), (Mouse{0, 30, 40, 0, kLeftButton, 0}));
  EXPECT_EQ(pollMouse(), (Mouse{0, 50, 60, 0, 0, 0}));
  EXPECT_EQ(pollMouse(), (Mouse{0, 70, 80, 0, kRightButton, 0}));
  screen.moveMouse(90, 100);
  EXPECT_EQ(pollMouse(), (Mouse{0, 90, 100, 0, kRightButton, 0}));
}

TEST_F(InputTest, ButtonChangesWaitThroughFailedPollsAndOnlyTheNewestAreKept) {
  screen.setActive(false);
  for (int click = 0; click < 20; ++click) {
    screen.moveMouse(click, 0);
    screen.setButtons(kLeftButton);
    screen.setButtons(0);
  }
  EXPECT_EQ(pollMouse(), kFailedPoll);
  screen.setActive(true);
  // 16 changes are kept: the presses and releases of the last eight clicks.
  for (int click = 12; click < 20; ++click) {
    EXPECT_EQ(pollMouse(), (Mouse{0, click, 0, 0, kLeftButton, 0})) << "click " << click;
    EXPECT_EQ(pollMouse(), (Mouse{0, click, 0, 0, 0, 0})) << "click " << click;
  }
}

TEST_F(InputTest, TheWheelCountStartsAtZeroWithEveryOpenedScreen) {
  screen.turnWheel(5);
  gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0);
  EXPECT_EQ(pollMouse().wheel, 0);
}

TEST_F(InputTest, ClockReadingsDifferByTheTimeThatPassed) {
  double first = clockSeconds();
  screen.advanceMs(1000);
  EXPECT_DOUBLE_EQ(clockSeconds() - first, 1.0);
}

TEST_F(InputTest, ALongSleepEndsAtTheFirstLookAfterAKeyArrivesAndTheKeyStays) {
  double start = screen.now();
  screen.after(30, [&] { screen.pressKey('x'); });
  sleepMs(200);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.050);
  EXPECT_EQ(inputPollKey(), "x");
}

TEST_F(InputTest, ALongSleepWithoutKeysSleepsItsWholeTime) {
  double start = screen.now();
  sleepMs(230);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.230);
}

TEST_F(InputTest, ALongSleepReturnsAtOnceForAKeyThatArrivedSinceTheLastPoll) {
  screen.pressKey('x');
  double start = screen.now();
  sleepMs(200);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.0);
  // That look cleared the mark: the key still waiting no longer shortens a sleep.
  sleepMs(200);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.200);
  EXPECT_EQ(inputPollKey(), "x");
}

TEST_F(InputTest, PollingAKeyClearsTheMarkOfEveryKeyBeforeIt) {
  screen.typeText("xy");
  EXPECT_EQ(inputPollKey(), "x");
  double start = screen.now();
  sleepMs(100);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.100);
}

TEST_F(InputTest, AShortSleepDoesNotLookAtKeys) {
  double start = screen.now();
  screen.after(10, [&] { screen.pressKey('x'); });
  sleepMs(99);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.099);
  sleepMs(0);
  sleepMs(-5);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.099);
}

TEST_F(InputTest, TheKeyWaitLooksEveryFiftyMillisecondsAndLeavesTheKey) {
  double start = screen.now();
  screen.after(120, [&] { screen.pressExtendedKey(kKeyLeft); });
  sleepMs(-1);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.150);
  EXPECT_EQ(inputPollKey(), extended('K'));
}

TEST_F(InputTest, TheKeyWaitEndsAtOnceForAKeyThatArrivedSinceTheLastPoll) {
  screen.pressKey(13);
  double start = screen.now();
  sleepMs(-1);
  EXPECT_DOUBLE_EQ(elapsedSince(start), 0.0);
}

TEST_F(InputTest, TheKeyWaitOfATestWithNothingToComeDoesNotHang) {
  sleepMs(-1);
  EXPECT_EQ(inputPollKey(), "");
}

TEST(InputWithoutScreen, TheKeyWaitReturns) {
  MemoryScreen screen;
  sleepMs(-1);
  EXPECT_DOUBLE_EQ(screen.now(), 0.0);
}

TEST_F(InputTest, BeepsAreCounted) {
  beep();
  beep();
  EXPECT_EQ(screen.beepCount(), 2);
}

TEST_F(InputTest, EndingTheProgramWritesOutOpenFilesClosesTheScreenAndGivesTheStatus) {
  std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("gfx_end_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
  ASSERT_EQ(fileOpenOutput(file.string(), 7), kFileOk);
  printText(7, "kept", kNewlineFlag);
  int status = -1;
  try {
    endProgram(3);
  } catch (const ProgramEnded& ended) {
    status = ended.status;
  }
  EXPECT_EQ(status, 3);
  EXPECT_FALSE(screen.isOpen());
  std::ifstream in(file, std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str(), "kept\r\n");
  EXPECT_EQ(fileClose(7), kFileBadCall);  // the slot is free again
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace zephyrion
