// The event loop with input played on the in-memory screen, whose clock moves 1 ms with every
// pass's sleep: which events each pass sends, in which order, and when the loop ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/event_loop.h"
#include "event_log.h"
#include "widget_screen.h"
#include "widgets/button.h"
#include "widgets/edit.h"

namespace zephyrion::testing_support {
namespace {

constexpr int kEscape = 27;

class EventLoopTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    loggedEvents().clear();
    log.emplace("log");
  }

  // Runs the loop; a late Escape ends it should the test's own input fail to.
  void runLoop() {
    screen.after(60000, [this] { screen.pressKey(kEscape); });
    eventLoop();
  }

  static LoggedEvent keyEvent(std::int32_t length, std::int32_t first, std::int32_t last) {
    return {"log", EVENT_KEY, length, first, last, 0};
  }
  static LoggedEvent tickEvent(std::int32_t ms) { return {"log", EVENT_TICK, ms, 0, 0, 0}; }
  static LoggedEvent mouseEvent(std::int32_t x, std::int32_t y, std::int32_t wheel, std::int32_t word) {
    return {"log", EVENT_MOUSE, x, y, wheel, word};
  }
  static std::vector<LoggedEvent> lastEvents(std::size_t count) {
    const std::vector<LoggedEvent>& all = loggedEvents();
    return {all.end() - static_cast<std::ptrdiff_t>(std::min(count, all.size())), all.end()};
  }

  std::optional<EventLog> log;
};

TEST_F(EventLoopTest, WithNoInputEachPassSendsOneTickAndNothingElse) {
  screen.advanceMs(5000);  // the clock is far from 0 when the loop starts
  screen.after(10, [this] { screen.pressKey(kEscape); });
  runLoop();
  // Ten quiet passes (the first measured from the loop's entry), then the pass with Escape.
  std::vector<LoggedEvent> expected{tickEvent(0)};
  for (int pass = 2; pass <= 10; ++pass)
    expected.push_back(tickEvent(1));
  expected.push_back(keyEvent(1, kEscape, kEscape));
  expected.push_back(tickEvent(1));
  EXPECT_EQ(loggedEvents(), expected);
}

TEST_F(EventLoopTest, TheTicksAddUpToTheTimeThatPassedWhileTheClockMovesAsItIsRead) {
  screen.advanceMs(5000);
  screen.advanceOnEveryReading(1);
  screen.after(20, [this] { screen.pressKey(kEscape); });
  runLoop();
  std::int64_t ticked = 0;
  for (const LoggedEvent& tick : eventsOfKind(EVENT_TICK))
    ticked += tick.a;
  // From the loop's first reading (at 5000 ms) to the last pass's reading, which the clock's own
  // step after it follows.
  EXPECT_EQ(ticked, std::llround(screen.now() * 1000.0) - 5000 - 1);
}

TEST_F(EventLoopTest, ATickCarriesTheTimeAnActionTookInThePassBefore) {
  xButton button;
  buttonSet(button, "Slow", 10, 10, 80);
  button.onClick = [this](xButton&) { screen.advanceMs(250); };
  screen.after(3, [this] {
    screen.moveMouse(20, 20);
    screen.setButtons(kLeftButton);
  });
  screen.after(1000, [this] { screen.pressKey(kEscape); });
  runLoop();
  const std::vector<LoggedEvent>& all = loggedEvents();
  const auto press = std::find(all.begin(), all.end(), mouseEvent(20, 20, 0, kLeftPressed));
  ASSERT_NE(press, all.end());
  ASSERT_NE(press + 1, all.end());
  EXPECT_EQ(*(press + 1), tickEvent(250 + 1));
}

TEST_F(EventLoopTest, PressAndReleaseWithoutMovingSendWordsSeventeenThenSixteen) {
  screen.after(2, [this] { screen.moveMouse(100, 100); });
  screen.after(4, [this] { screen.setButtons(kLeftButton); });
  screen.after(6, [this] { screen.setButtons(0); });
  screen.after(8, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_MOUSE),
            (std::vector<LoggedEvent>{mouseEvent(100, 100, 0, 0), mouseEvent(100, 100, 0, kLeftPressed),
                                      mouseEvent(100, 100, 0, kLeftReleased)}));
}

TEST_F(EventLoopTest, APressAndReleaseBetweenTwoPassesStillSendSeventeenThenSixteen) {
  xButton button;
  buttonSet(button, "Go", 10, 10, 80);
  int clicks = 0;
  button.onClick = [&](xButton&) { ++clicks; };
  screen.after(3, [this] {
    screen.moveMouse(20, 20);
    screen.setButtons(kLeftButton);
    screen.setButtons(0);
  });
  screen.after(8, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_MOUSE), (std::vector<LoggedEvent>{mouseEvent(20, 20, 0, kLeftPressed),
                                                                 mouseEvent(20, 20, 0, kLeftReleased)}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(EventLoopTest, MovingWithTheLeftButtonHeldSendsWordOneOnEachMove) {
  screen.after(2, [this] {
    screen.moveMouse(100, 100);
    screen.setButtons(kLeftButton);
  });
  screen.after(4, [this] { screen.moveMouse(110, 100); });
  screen.after(5, [this] { screen.moveMouse(120, 105); });
  screen.after(8, [this] { screen.setButtons(0); });
  screen.after(10, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(
      eventsOfKind(EVENT_MOUSE),
      (std::vector<LoggedEvent>{mouseEvent(100, 100, 0, kLeftPressed), mouseEvent(110, 100, 0, kLeftHeld),
                                mouseEvent(120, 105, 0, kLeftHeld), mouseEvent(120, 105, 0, kLeftReleased)}));
}

TEST_F(EventLoopTest, TheLeftPressedWhileTheRightIsHeldIsWordNineteen) {
  screen.after(2, [this] { screen.setButtons(kRightButton); });
  screen.after(4, [this] { screen.setButtons(kRightButton | kLeftButton); });
  screen.after(6, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_MOUSE),
            (std::vector<LoggedEvent>{mouseEvent(0, 0, 0, 2 + 32), mouseEvent(0, 0, 0, 19)}));
}

TEST_F(EventLoopTest, TheWheelSendsItsChangeSinceTheLastMouseEvent) {
  screen.after(2, [this] { screen.turnWheel(2); });
  screen.after(4, [this] { screen.turnWheel(-3); });
  screen.after(6, [this] {
    screen.turnWheel(1);
    screen.moveMouse(5, 5);
  });
  screen.after(8, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(
      eventsOfKind(EVENT_MOUSE),
      (std::vector<LoggedEvent>{mouseEvent(0, 0, 2, 0), mouseEvent(0, 0, -3, 0), mouseEvent(5, 5, 1, 0)}));
}

TEST_F(EventLoopTest, APointerRestingAtTheOriginSendsNothing) {
  screen.after(20, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_TRUE(eventsOfKind(EVENT_MOUSE).empty());
}

TEST_F(EventLoopTest, FailedMousePollsSendNothingAndTheNextGoodOneIsComparedWithTheLastEvent) {
  screen.after(2, [this] { screen.moveMouse(50, 50); });
  screen.after(4, [this] { screen.setActive(false); });
  screen.after(5, [this] { screen.moveMouse(60, 60); });
  screen.after(7, [this] { screen.setActive(true); });
  screen.after(9, [this] { screen.setInside(false); });
  screen.after(11, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_MOUSE),
            (std::vector<LoggedEvent>{mouseEvent(50, 50, 0, 0), mouseEvent(60, 60, 0, 0)}));
}

TEST_F(EventLoopTest, KeysComeOnePerPassBeforeThatPassesTick) {
  screen.after(2, [this] {
    screen.typeText("ab");
    screen.pressExtendedKey(kKeyDelete);
  });
  screen.after(8, [this] { screen.pressKey(kEscape); });
  runLoop();
  const std::vector<LoggedEvent>& all = loggedEvents();
  const auto firstKey = std::find(all.begin(), all.end(), keyEvent(1, 'a', 'a'));
  ASSERT_GE(all.end() - firstKey, 6);
  EXPECT_EQ(std::vector<LoggedEvent>(firstKey, firstKey + 6),
            (std::vector<LoggedEvent>{keyEvent(1, 'a', 'a'), tickEvent(1), keyEvent(1, 'b', 'b'),
                                      tickEvent(1), keyEvent(2, 255, kKeyDelete), tickEvent(1)}));
}

TEST_F(EventLoopTest, EscapeEndsTheLoopAfterItsKeyTickAndMouseEventsWhileAFieldHasFocus) {
  xEdit field;  // in front of the log: it sees every event first
  editSet(field, "", "12", 100, 100, 50, 0, -1, -1);
  screen.after(2, [this] {
    screen.moveMouse(110, 105);
    screen.setButtons(kLeftButton);
  });
  screen.after(4, [this] { screen.setButtons(0); });
  screen.after(5, [this] { screen.pressKey('5'); });
  screen.after(7, [this] {
    screen.pressKey(kEscape);
    screen.moveMouse(300, 300);
  });
  screen.after(8, [this] { screen.pressKey('6'); });
  runLoop();
  EXPECT_EQ(lastEvents(3), (std::vector<LoggedEvent>{keyEvent(1, kEscape, kEscape), tickEvent(1),
                                                     mouseEvent(300, 300, 0, 0)}));
  EXPECT_EQ(field.focused, 1);
  EXPECT_EQ(field.text, "125");
}

TEST_F(EventLoopTest, TheWindowsCloseRequestEndsTheLoopAfterItsEvents) {
  screen.after(3, [this] { screen.requestClose(); });
  runLoop();
  EXPECT_EQ(lastEvents(2), (std::vector<LoggedEvent>{keyEvent(2, 255, kKeyWindowClose), tickEvent(1)}));
}

TEST_F(EventLoopTest, OtherKeysLikeTheCloseKeysLetterDoNotEndIt) {
  screen.after(2, [this] {
    screen.pressKey('k');
    screen.pressExtendedKey(kKeyLeft);
    screen.pressExtendedKey(kEscape);
  });
  screen.after(10, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_KEY),
            (std::vector<LoggedEvent>{keyEvent(1, 'k', 'k'), keyEvent(2, 255, kKeyLeft),
                                      keyEvent(2, 255, kEscape), keyEvent(1, kEscape, kEscape)}));
}

TEST_F(EventLoopTest, AFifthButtonHeldDoesNotTurnADragIntoPresses) {
  screen.after(2, [this] {
    screen.moveMouse(100, 100);
    screen.setButtons(kExtraButton2);
  });
  screen.after(4, [this] { screen.setButtons(kExtraButton2 | kLeftButton); });
  screen.after(5, [this] { screen.moveMouse(110, 100); });
  screen.after(7, [this] { screen.pressKey(kEscape); });
  runLoop();
  EXPECT_EQ(eventsOfKind(EVENT_MOUSE),
            (std::vector<LoggedEvent>{mouseEvent(100, 100, 0, 0), mouseEvent(100, 100, 0, kLeftPressed),
                                      mouseEvent(110, 100, 0, kLeftHeld)}));
}

// With only the toolkit's widgets on the chain the loop sleeps until input comes or a caret turns.
class WaitingEventLoopTest : public EventLoopTest {
 protected:
  void SetUp() override {
    EventLoopTest::SetUp();
    log.reset();
  }

  // Whether the field at (100, 100) shows its caret at each millisecond of a run that gives it
  // focus at 2 ms.
  std::vector<bool> caretOverTime() {
    constexpr std::int32_t kCaret = 0x000007;
    std::vector<bool> shown;
    screen.after(2, [this] {
      screen.moveMouse(110, 105);
      screen.setButtons(kLeftButton);
    });
    screen.after(4, [this] { screen.setButtons(0); });
    for (int ms = 0; ms < 2000; ++ms)
      screen.after(ms, [&] { shown.push_back(screen.countPixels(100, 100, 150, 117, kCaret) > 0); });
    screen.after(2000, [this] { screen.pressKey(kEscape); });
    eventLoop();
    return shown;
  }
};

TEST_F(WaitingEventLoopTest, AFocusedFieldsCaretTurnsWhenItWouldWithAPassEveryMillisecond) {
  xEdit field;
  editSet(field, "", "12", 100, 100, 50, 0, -1, -1);
  std::vector<bool> whileWaiting = caretOverTime();
  field.focused = field.blinkMs = 0;
  editSet(field, "", "12", 100, 100, 50, 0, -1, -1);
  log.emplace("log");  // a record of the tests' own type: a pass every millisecond
  std::vector<bool> everyMillisecond = caretOverTime();
  EXPECT_EQ(whileWaiting, everyMillisecond);
  EXPECT_GE(std::count(everyMillisecond.begin(), everyMillisecond.end(), true), 800);
  EXPECT_GE(std::count(everyMillisecond.begin(), everyMillisecond.end(), false), 800);
}

TEST_F(WaitingEventLoopTest, AnIdleLoopPassesOnlyForInputAndStillClicks) {
  xButton button;
  buttonSet(button, "Go", 10, 10, 80);
  int clicks = 0;
  button.onClick = [&](xButton&) { ++clicks; };
  screen.after(500, [this] {
    screen.moveMouse(20, 20);
    screen.setButtons(kLeftButton);
  });
  screen.after(505, [this] { screen.setButtons(0); });
  screen.after(1000, [this] { screen.pressKey(kEscape); });
  eventLoop();
  EXPECT_EQ(clicks, 1);
  EXPECT_LE(screen.clockReadings(), 6);  // the first pass, then one for each change and the key
}

TEST_F(EventLoopTest, AnActionThatEndsTheProgramEndsItFromInsideTheLoop) {
  xButton button;
  buttonSet(button, "Exit", 10, 10, 80);
  button.onClick = [](xButton&) { endProgram(0); };
  screen.after(3, [this] {
    screen.moveMouse(20, 20);
    screen.setButtons(kLeftButton);
  });
  EXPECT_THROW(runLoop(), ProgramEnded);
  EXPECT_TRUE(eventsOfKind(EVENT_MOUSE).empty());
}

}  // namespace
}  // namespace zephyrion::testing_support
