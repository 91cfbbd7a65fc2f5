// The widget chain and its events. Every interactive widget record links itself at the head of
// one program-wide chain when it is constructed; each event travels the chain from its head, and
// every record's handler reacts and then passes the event on to the record after it.
//
// A record's type is told only by its type name, the string that starts every record; a link
// holds that name and the record it belongs to, so dispatch finds the handler by the name and
// hands it back the very record that was linked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

// Event kinds and their arguments (a, b, c, d):
//   EVENT_MOUSE: pointer x, pointer y, wheel change since the last mouse event, button word
//                (bits 0-3 the buttons now down, bit 0 left; bits 4-7 the buttons changed since);
//   EVENT_KEY:   length of the key text (1, or 2 for an extended key), its first code (255 for an
//                extended key), its last code (the extended key's code), 0;
//   EVENT_TICK:  milliseconds since the previous pass, 0, 0, 0.
inline constexpr std::int32_t EVENT_MOUSE = 1;
inline constexpr std::int32_t EVENT_KEY = 2;
inline constexpr std::int32_t EVENT_TICK = 3;

// Button words of mouse events.
inline constexpr std::int32_t kLeftHeld = 1;      // held, unchanged since the last mouse event
inline constexpr std::int32_t kLeftPressed = 17;  // pressed just now, nothing else down or changed
inline constexpr std::int32_t kLeftReleased = 16;

// A reference to a chained record: its type name, the record itself and the record's own link
// to the record after it, so that the chain can be walked (and a record taken off it) whatever
// the record's type. Empty ends the chain.
struct WidgetRef {
  const std::string* typeName = nullptr;
  void* record = nullptr;
  WidgetRef* recordsNext = nullptr;

  explicit operator bool() const { return record != nullptr; }
  bool refersTo(const void* other) const { return record == other; }
};

// The newest chained record; empty until the first one is constructed.
extern constinit WidgetRef widgetChainHead;

// The top edge most recently given to a label or an edit field (the y rule).
extern constinit std::int32_t lastWidgetY;

// Delivers the event to the record and, through the handlers, to every record after it. An empty
// reference does nothing; a record whose type name has no handler ends the travel there.
void dispatchEvent(std::int32_t kind, WidgetRef record, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d);

// Makes the record the chain head; its `next` (the record's own link field) takes the previous
// head. The type name must be the record's own, fixed for its life ("xButton", "xEdit" and
// "xCanvas" only for those records), and the record must be taken off the chain before it ends.
void linkAtChainHead(const std::string& typeName, void* record, WidgetRef& next);

// Takes the record off the chain wherever it stands: the link that referred to it (the head or
// the `next` of the record before it) takes the record's own `next`, so that nothing on the chain
// refers to a record that has ended, whatever order records end in.
void unlinkFromChain(const void* record);

// How long the records the events reach can go without a tick before one changes them (a focused
// field's caret turns); -1 when no tick would. A record of a type of the program's own gets a
// tick every millisecond, as nothing tells when its ticks matter.
std::int32_t msUntilATickMatters();

// A handler of a record type of the program's own: reacts to the event for the record and must
// pass it on with dispatchEvent(kind, next, ...).
using WidgetHandler = void (*)(void* record, std::int32_t kind, std::int32_t a, std::int32_t b,
                               std::int32_t c, std::int32_t d);

// Lets dispatch reach records of another type name ("xButton", "xEdit" and "xCanvas" always keep
// the toolkit's handlers). Registering a name again replaces its handler.
void registerWidgetType(std::string_view typeName, WidgetHandler handler);

}  // namespace zephyrion
