#include "widgets/edit.h"

#include <algorithm>
#include <utility>

#include "geometry.h"
#include "gfx/input.h"
#include "gfx/screen.h"

namespace zephyrion {

namespace {

constexpr std::int32_t kFocusedBoxColor = 0xFFFFFF;
constexpr std::int32_t kUnfocusedBoxColor = 0xEEEEEE;
constexpr std::int32_t kBoxBorderColor = 0x000000;
constexpr std::int32_t kSelectionColor = 0x8888FF;
constexpr std::int32_t kCaretColor = 0x000007;
constexpr std::int32_t kBlinkHalfPeriodMs = 400;

constexpr std::int32_t kEnterKey = 13;
constexpr std::int32_t kBackspaceKey = 8;

// Column c's distance from the box's left edge, less the text's 4-pixel margin: character c
// stands from view x 4 + 8c to 11 + 8c.
std::int64_t columnX(std::int32_t column) {
  return 8 * std::int64_t{column};
}

void drawBox(const xEdit& edit) {
  const std::int64_t h = edit.height;
  const std::int32_t fill = edit.focused != 0 ? kFocusedBoxColor : kUnfocusedBoxColor;
  setViewCorners(edit.x, edit.y, std::int64_t{edit.x} + edit.width, std::int64_t{edit.y} + h, fill,
                 kBoxBorderColor, kViewFillAndBorder);
  if (edit.focused == 0) return;
  if (edit.anchorCol != edit.caretCol)
    drawFilledBox(columnX(edit.caretCol) + 4, 0, columnX(edit.anchorCol) + 4, h, kSelectionColor);
  // The caret bar is two pixels wide: the column before character c and that character's first.
  if (edit.blinkMs > 0)
    drawFilledBox(columnX(edit.caretCol) + 3, 1, columnX(edit.caretCol) + 4, h - 1, kCaretColor);
}

void drawCaption(const xEdit& edit) {
  const std::int64_t n = characterCount(edit.caption);
  std::int64_t left = 0;
  if (edit.captionMode == 1) {
    left = std::int64_t{edit.x} - 8 * (n + 2);
  } else if (edit.captionMode == 3) {
    left = std::int64_t{edit.x} + edit.width + 8;
  } else {
    return;
  }
  setViewCorners(left, edit.y, left + 8 * n + 8, std::int64_t{edit.y} + edit.height, edit.backColor, 0,
                 kViewNoBorder);
  gfxDrawText(4, 2, kSinglePoint, edit.caption, edit.textColor);
}

void drawEdit(const xEdit& edit) {
  drawBox(edit);
  gfxDrawText(4, 2, kSinglePoint, edit.text, edit.textColor);
  drawCaption(edit);
}

void redraw(xEdit& edit) {
  editSet(edit, kKeepCaption, edit.text, -1, -1, -1, 1, -1, -1);
}

// Keeps both columns on the text, also when the text was replaced behind the field's back.
void limitColumns(xEdit& edit) {
  const std::int32_t n = characterCount(edit.text);
  edit.caretCol = std::clamp(edit.caretCol, 0, n);
  edit.anchorCol = std::clamp(edit.anchorCol, 0, n);
}

// The column whose boundary is nearest to the pointer: a press on a character's left half gives
// the column before it, on its right half the one after it.
std::int32_t columnUnderPointer(const xEdit& edit, std::int32_t px) {
  const std::int64_t column = (std::int64_t{px} - edit.x) / 8;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(column, 0, characterCount(edit.text)));
}

bool isPointerInside(const xEdit& edit, std::int32_t px, std::int32_t py) {
  return isInside(px, py, edit.x, edit.y, edit.width, edit.height);
}

// Every left press anywhere decides the focus of every field, and every field redraws.
void press(xEdit& edit, std::int32_t px, std::int32_t py) {
  if (isPointerInside(edit, px, py) && edit.enabled != 0) {
    edit.caretCol = edit.focused != 0 ? columnUnderPointer(edit, px) : characterCount(edit.text);
    edit.anchorCol = edit.caretCol;
    edit.focused = 1;
  } else {
    edit.focused = 0;
  }
  redraw(edit);
}

void drag(xEdit& edit, std::int32_t px) {
  edit.anchorCol = columnUnderPointer(edit, px);
  redraw(edit);
}

// The caret shows for about 400 ms and hides for about 400 ms; the field redraws only when it
// turns. Ticks are never negative; should one be, the counter still stays within -400..400.
void blink(xEdit& edit, std::int32_t elapsedMs) {
  const bool wasShown = edit.blinkMs > 0;
  std::int64_t counter = std::int64_t{edit.blinkMs} + elapsedMs;
  if (counter > kBlinkHalfPeriodMs || counter < -kBlinkHalfPeriodMs) counter = -kBlinkHalfPeriodMs;
  edit.blinkMs = static_cast<std::int32_t>(counter);
  if ((edit.blinkMs > 0) != wasShown) redraw(edit);
}

bool isAcceptedCharacter(const xEdit& edit, std::int32_t length, std::int32_t code) {
  if (length != 1) return false;
  if (edit.textMode == kDigitsAndPoint) return (code >= '0' && code <= '9') || code == '.';
  if (edit.textMode == kAnyPrintableText) return code >= 32 && code <= 126;
  return false;
}

void removeBeforeCaret(xEdit& edit) {
  if (edit.caretCol == 0) return;
  edit.text.erase(static_cast<std::size_t>(edit.caretCol - 1), 1);
  edit.caretCol -= 1;
}

// Removes the selection, or with none the character after the caret; the caret stays put.
void removeForward(xEdit& edit) {
  const auto from = static_cast<std::size_t>(std::min(edit.caretCol, edit.anchorCol));
  const auto to = static_cast<std::size_t>(std::max(edit.caretCol, edit.anchorCol));
  edit.text.erase(from, from == to ? 1 : to - from);
}

// A typed character replaces the selection and lands at the caret.
void insertCharacter(xEdit& edit, std::int32_t code) {
  if (edit.anchorCol < edit.caretCol) std::swap(edit.anchorCol, edit.caretCol);
  const auto at = static_cast<std::size_t>(edit.caretCol);
  edit.text.erase(at, static_cast<std::size_t>(edit.anchorCol - edit.caretCol));
  edit.text.insert(at, 1, static_cast<char>(code));
  edit.caretCol += 1;
}

void applyKey(xEdit& edit, std::int32_t length, std::int32_t first, std::int32_t last) {
  limitColumns(edit);
  const bool extended = first == kExtendedKeyPrefix;
  if (extended && last == kKeyRight && edit.caretCol < characterCount(edit.text)) edit.caretCol += 1;
  if (extended && last == kKeyLeft && edit.caretCol > 0) edit.caretCol -= 1;
  if (first == kEnterKey) edit.focused = 0;
  if (first == kBackspaceKey) {
    removeBeforeCaret(edit);
  } else if (extended && last == kKeyDelete) {
    removeForward(edit);
  } else if (isAcceptedCharacter(edit, length, first)) {
    insertCharacter(edit, first);
  }
  edit.caretCol = std::min(edit.caretCol, characterCount(edit.text));
  edit.anchorCol = edit.caretCol;  // every key ends any selection
  redraw(edit);
}

}  // namespace

xEdit::xEdit() {
  linkAtChainHead(typeName, this, next);
}

xEdit::~xEdit() {
  unlinkFromChain(this);
}

void editSet(xEdit& edit, std::string_view caption, std::string_view text, std::int32_t x, std::int32_t y,
             std::int32_t width, std::int32_t captionMode, std::int32_t textColor, std::int32_t backColor) {
  if (caption != kKeepCaption) edit.caption = std::string(caption);
  applyYRule(edit.y, y);
  if (x != -1) edit.x = x;
  if (width != -1) edit.width = width;
  if (captionMode != -1) edit.captionMode = captionMode;
  if (textColor != -1) edit.textColor = textColor;
  if (backColor != -1) edit.backColor = backColor;
  edit.text = std::string(text);
  if (edit.caretCol == -1) {
    edit.caretCol = characterCount(edit.text);
    edit.anchorCol = edit.caretCol;
  }
  limitColumns(edit);
  drawEdit(edit);
}

std::int32_t msUntilCaretTurns(const xEdit& edit) {
  if (edit.focused == 0) return -1;
  // The counter values at which blink shows and hides the caret.
  const std::int64_t turnsAt = edit.blinkMs > 0 ? kBlinkHalfPeriodMs + 1 : 1;
  return static_cast<std::int32_t>(std::max<std::int64_t>(turnsAt - edit.blinkMs, 1));
}

void editOnEvent(xEdit& edit, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                 std::int32_t d) {
  if (kind == EVENT_MOUSE && d == kLeftPressed) press(edit, a, b);
  if (kind == EVENT_MOUSE && edit.focused != 0 && d == kLeftHeld && isPointerInside(edit, a, b))
    drag(edit, a);
  if (kind == EVENT_TICK && edit.focused != 0) blink(edit, a);
  if (kind == EVENT_KEY && edit.focused != 0) applyKey(edit, a, b, c);
  dispatchEvent(kind, edit.next, a, b, c, d);
}

}  // namespace zephyrion
