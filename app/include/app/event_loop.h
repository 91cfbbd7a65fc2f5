// The program's one loop after start-up: it polls the keyboard, the clock and the mouse, sends
// what it finds along the widget chain as events, and ends on Escape or the window's close
// request.
#pragma once

namespace zephyrion {

// Each pass sends at most one EVENT_KEY, exactly one EVENT_TICK and at most one EVENT_MOUSE, in
// that order, to the chain head. Returns after the pass whose key was Escape or the close request
// (255, 107), once that pass's three events have been sent. A button action that ends the program
// ends it from inside the loop.
//
// Between passes the loop sleeps until input arrives or a tick matters to a widget (a focused
// field's caret turns), so that an idle window does nothing; while a record of a type of the
// program's own is on the chain, it sleeps 1 ms, as nothing tells when that record's ticks matter.
//
// Ticks carry the milliseconds between two passes' clock readings; the first pass measures from
// the loop's entry, so its tick is about 0 instead of the clock's whole reading. Mouse events
// come only when the poll succeeds and the position, wheel or buttons changed; the button word
// holds the left, right, middle and first extra button (bits 0-3) and their changes (bits 4-7).
void eventLoop();

}  // namespace zephyrion
