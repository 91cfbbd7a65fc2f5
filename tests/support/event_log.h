// A record type of the tests' own that logs every event reaching it and passes it on, so a test
// sees what travelled the chain and in which order.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "widgets/chain.h"

namespace zephyrion::testing_support {

struct LoggedEvent {
  std::string by;  // the log that saw it
  std::int32_t kind = 0;
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::int32_t c = 0;
  std::int32_t d = 0;
  bool operator==(const LoggedEvent&) const = default;
};

// Every event log appends to one shared list, so the order across several logs shows too.
inline std::vector<LoggedEvent>& loggedEvents() {
  static std::vector<LoggedEvent> events;
  return events;
}

struct EventLog {
  const std::string typeName = "xEventLog";
  std::string name;
  WidgetRef next;

  static void onEvent(void* record, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                      std::int32_t d) {
    auto& log = *static_cast<EventLog*>(record);
    loggedEvents().push_back({log.name, kind, a, b, c, d});
    dispatchEvent(kind, log.next, a, b, c, d);
  }

  explicit EventLog(std::string logName) : name(std::move(logName)) {
    registerWidgetType(typeName, &EventLog::onEvent);
    linkAtChainHead(typeName, this, next);
  }
  ~EventLog() { unlinkFromChain(this); }
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;
};

// The events of one kind, in the order they were logged.
inline std::vector<LoggedEvent> eventsOfKind(std::int32_t kind) {
  std::vector<LoggedEvent> found;
  for (const LoggedEvent& event : loggedEvents()) {
    if (event.kind == kind) found.push_back(event);
  }
  return found;
}

}  // namespace zephyrion::testing_support
