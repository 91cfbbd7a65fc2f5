// A one-line edit field with a caption beside its box, a blinking caret, mouse selection and a
// few editing keys. Text mode 0 takes only digits and the point, text mode 1 any printable
// character. The text has no length limit; the box clips what does not fit.
//
// Columns are character boundaries counted from 0 (column c stands before character c); the
// selection runs between caretCol and anchorCol. Both are -1 until the field is first drawn.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/chain.h"

namespace zephyrion {

// What a field takes from the keyboard.
inline constexpr std::int32_t kDigitsAndPoint = 0;
inline constexpr std::int32_t kAnyPrintableText = 1;

struct xEdit {
  const std::string typeName = "xEdit";
  std::int32_t y = 0;  // top of the box
  std::int32_t x = 0;  // left of the box
  std::int32_t width = 50;
  std::int32_t height = 17;
  std::int32_t backColor = 0xD4D0C8;  // behind the caption
  std::int32_t textColor = 0;
  std::int32_t focused = 0;
  std::string text;
  std::string caption;
  std::int32_t captionMode = 0;  // 1 caption left of the box, 3 right of it, otherwise none
  std::int32_t blinkMs = 0;      // the caret shows while this is above 0
  std::int32_t enabled = 1;      // zero: a click never gives the field focus
  std::int32_t caretCol = -1;
  std::int32_t anchorCol = -1;
  std::int32_t textMode = 0;  // kDigitsAndPoint or kAnyPrintableText
  WidgetRef next;

  xEdit();  // links the field at the chain head
  ~xEdit();
  xEdit(const xEdit&) = delete;
  xEdit& operator=(const xEdit&) = delete;
};

// The caption that keeps the field's current caption.
inline constexpr std::string_view kKeepCaption = "NIL";

// Stores the caption (unless "NIL"), y by the y rule, x, width, captionMode and both colours
// (each unless -1) and the text (always), then draws box, text and caption.
void editSet(xEdit& edit, std::string_view caption, std::string_view text, std::int32_t x, std::int32_t y,
             std::int32_t width, std::int32_t captionMode, std::int32_t textColor, std::int32_t backColor);

// The milliseconds of ticks after which the caret shows or hides; -1 for a field without focus,
// to which ticks change nothing.
std::int32_t msUntilCaretTurns(const xEdit& edit);

// Focus and caret on a left press, selection on a drag, the caret blink on ticks, the editing
// keys while focused; then passes the event on to `next`.
void editOnEvent(xEdit& edit, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                 std::int32_t d);

}  // namespace zephyrion
