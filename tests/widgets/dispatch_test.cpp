// The widget chain and dispatch: newest first, every record once per event, by type name only.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "event_log.h"
#include "widget_screen.h"
#include "widgets/widgets.h"

namespace zephyrion::testing_support {
namespace {

class DispatchTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    loggedEvents().clear();
  }
  static std::vector<std::string> loggers() {
    std::vector<std::string> names;
    for (const LoggedEvent& event : loggedEvents())
      names.push_back(event.by);
    return names;
  }
};

// A record of a type that nothing handles.
struct Stranger {
  const std::string typeName = "xStranger";
  WidgetRef next;
  Stranger() { linkAtChainHead(typeName, this, next); }
  ~Stranger() { unlinkFromChain(this); }
};

TEST_F(DispatchTest, NoRecordMeansNothingHappens) {
  dispatchEvent(EVENT_MOUSE, WidgetRef{}, 1, 2, 3, kLeftPressed);
  EXPECT_TRUE(loggedEvents().empty());
}

TEST_F(DispatchTest, ConstructorsLinkNewestFirst) {
  xEdit field;
  xCanvas canvas;
  xButton button;
  ASSERT_TRUE(widgetChainHead.refersTo(&button));
  EXPECT_EQ(*widgetChainHead.typeName, "xButton");
  EXPECT_TRUE(button.next.refersTo(&canvas));
  EXPECT_TRUE(canvas.next.refersTo(&field));
  EXPECT_FALSE(field.next);
}

TEST_F(DispatchTest, EveryRecordSeesEachEventOnceInChainOrder) {
  EventLog last("last");
  xEdit field;
  EventLog middle("middle");
  xCanvas canvas;
  xButton button;
  EventLog first("first");
  for (int kind : {EVENT_MOUSE, EVENT_KEY, EVENT_TICK}) {
    loggedEvents().clear();
    dispatchEvent(kind, widgetChainHead, 5, 6, 7, 0);
    EXPECT_EQ(loggers(), (std::vector<std::string>{"first", "middle", "last"})) << "kind " << kind;
    for (const LoggedEvent& event : loggedEvents())
      EXPECT_EQ(event, (LoggedEvent{event.by, kind, 5, 6, 7, 0}));
  }
}

TEST_F(DispatchTest, RecordsEndingAnywhereOnTheChainAreTakenOffIt) {
  EventLog last("last");
  std::optional<xEdit> field(std::in_place);
  std::optional<xCanvas> canvas(std::in_place);
  std::optional<xButton> button(std::in_place);
  EventLog first("first");
  field.reset();  // between the canvas and the last log
  ASSERT_TRUE(canvas->next.refersTo(&last));
  button.reset();  // between the first log and the canvas
  ASSERT_TRUE(first.next.refersTo(&*canvas));
  canvas.reset();
  EXPECT_TRUE(first.next.refersTo(&last));
  dispatchEvent(EVENT_TICK, widgetChainHead, 1, 0, 0, 0);
  EXPECT_EQ(loggers(), (std::vector<std::string>{"first", "last"}));
}

TEST_F(DispatchTest, ARecordOfAnUnknownTypeEndsTheTravel) {
  EventLog behind("behind");
  Stranger stranger;
  EventLog before("before");
  dispatchEvent(EVENT_TICK, widgetChainHead, 1, 0, 0, 0);
  EXPECT_EQ(loggers(), std::vector<std::string>{"before"});
}

TEST_F(DispatchTest, TheToolkitsTypeNamesKeepTheirHandlers) {
  registerWidgetType("xCanvas", &EventLog::onEvent);
  EventLog behind("behind");
  xCanvas canvas;
  dispatchEvent(EVENT_TICK, widgetChainHead, 1, 0, 0, 0);
  EXPECT_EQ(loggers(), std::vector<std::string>{"behind"});
}

TEST_F(DispatchTest, ARecordThatEndsAtTheHeadTakesItselfOffTheChain) {
  xEdit older;
  {
    xButton newer;
    ASSERT_TRUE(widgetChainHead.refersTo(&newer));
  }
  EXPECT_TRUE(widgetChainHead.refersTo(&older));
}

}  // namespace
}  // namespace zephyrion::testing_support
