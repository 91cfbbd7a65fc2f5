#include "widgets/chain.h"

#include <algorithm>
#include <vector>

#include "widgets/button.h"
#include "widgets/canvas.h"
#include "widgets/edit.h"

namespace zephyrion {

constinit WidgetRef widgetChainHead{};
constinit std::int32_t lastWidgetY = 0;

namespace {

constexpr std::int32_t kNoTickMatters = -1;
constexpr std::int32_t kEveryTick = 1;

struct RegisteredType {
  std::string typeName;
  WidgetHandler handler;
};

std::vector<RegisteredType>& registeredTypes() {
  static std::vector<RegisteredType> types;
  return types;
}

WidgetHandler registeredHandler(const std::string& typeName) {
  for (const RegisteredType& type : registeredTypes()) {
    if (type.typeName == typeName) return type.handler;
  }
  return nullptr;
}

std::int32_t sooner(std::int32_t a, std::int32_t b) {
  if (a == kNoTickMatters) return b;
  if (b == kNoTickMatters) return a;
  return std::min(a, b);
}

}  // namespace

void dispatchEvent(std::int32_t kind, WidgetRef record, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d) {
  if (!record || record.typeName == nullptr) return;
  const std::string& typeName = *record.typeName;
  if (typeName == "xButton") {
    buttonOnEvent(*static_cast<xButton*>(record.record), kind, a, b, c, d);
  } else if (typeName == "xEdit") {
    editOnEvent(*static_cast<xEdit*>(record.record), kind, a, b, c, d);
  } else if (typeName == "xCanvas") {
    canvasOnEvent(*static_cast<xCanvas*>(record.record), kind, a, b, c, d);
  } else if (WidgetHandler handler = registeredHandler(typeName)) {
    handler(record.record, kind, a, b, c, d);
  }
}

// The walk ends where dispatch does: at a record whose type has no handler.
std::int32_t msUntilATickMatters() {
  std::int32_t soonest = kNoTickMatters;
  for (WidgetRef record = widgetChainHead; record && record.typeName; record = *record.recordsNext) {
    const std::string& typeName = *record.typeName;
    if (typeName == "xEdit") {
      soonest = sooner(soonest, msUntilCaretTurns(*static_cast<const xEdit*>(record.record)));
    } else if (typeName != "xButton" && typeName != "xCanvas") {
      return registeredHandler(typeName) ? kEveryTick : soonest;
    }
  }
  return soonest;
}

void linkAtChainHead(const std::string& typeName, void* record, WidgetRef& next) {
  next = widgetChainHead;
  widgetChainHead = WidgetRef{&typeName, record, &next};
}

void unlinkFromChain(const void* record) {
  for (WidgetRef* link = &widgetChainHead; *link; link = link->recordsNext) {
    if (link->refersTo(record)) {
      *link = *link->recordsNext;
      return;
    }
  }
}

void registerWidgetType(std::string_view typeName, WidgetHandler handler) {
  for (RegisteredType& type : registeredTypes()) {
    if (type.typeName == typeName) {
      type.handler = handler;
      return;
    }
  }
  registeredTypes().push_back({std::string(typeName), handler});
}

}  // namespace zephyrion
