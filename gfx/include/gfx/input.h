// Input polling, timing, the beep and the end of the program. Input is polled, never delivered:
// the window's keys, mouse and activation are collected into the screen's state on the window
// service's thread and read here under the screen lock.
#pragma once

#include <cstdint>
#include <string>

namespace zephyrion {

// Codes of the extended keys (the second byte of a two-byte key text, after 255).
inline constexpr int kKeyUp = 72;
inline constexpr int kKeyDown = 80;
inline constexpr int kKeyLeft = 75;
inline constexpr int kKeyRight = 77;
inline constexpr int kKeyInsert = 82;
inline constexpr int kKeyDelete = 83;
inline constexpr int kKeyHome = 71;
inline constexpr int kKeyEnd = 79;
inline constexpr int kKeyPageUp = 73;
inline constexpr int kKeyPageDown = 81;
inline constexpr int kKeyF1 = 59;  // F1..F10 are 59..68
inline constexpr int kKeyWindowClose = 107;
inline constexpr int kExtendedKeyPrefix = 255;

// Mouse buttons of inputPollMouse.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kExtraButton1 = 8;
inline constexpr int kExtraButton2 = 16;

// The oldest waiting key: "" for none, one byte for an ordinary key (13 Enter, 8 Backspace,
// 9 Tab, 27 Escape, or the typed character), or the two bytes 255 and the code of an extended key.
std::string inputPollKey();

// 0 and the pointer's position in screen pixels, the wheel count, the buttons held and 0 for
// "not confined"; 1 and -1 in every output when no screen is open, the window is not active or
// the pointer is not over the drawing area.
int inputPollMouse(std::int32_t& x, std::int32_t& y, std::int32_t& wheel, std::int32_t& buttons,
                   std::int32_t& confined);

// Seconds from a fixed, arbitrary origin, from a monotonic clock; only differences mean anything.
double clockSeconds();

// -1 waits until a key arrives (the key stays for inputPollKey); 100 or more sleeps in 50 ms steps
// and returns early once a key has arrived; 1 to 99 just sleeps; 0 returns at once. With no screen
// open, -1 waits for a key of the terminal, and returns at once when standard input is none.
void sleepMs(int milliseconds);

// Sleeps until input arrives (a key, or a change of the pointer, its buttons or wheel, or of the
// window's activation) or `milliseconds` have passed; -1 sets no limit. Returns at once while
// input waits for the polls: a key in the buffer, a button change not yet reported, or anything
// that arrived since the last such wait returned, also while the program was busy. With no
// screen open no input arrives: it sleeps the time, and returns at once given no limit.
void waitForInput(int milliseconds);

// Closes every open file slot (writing its buffered bytes), closes the screen and ends the
// process with the status. Nothing after it runs (a window program's thread unwinds to its
// start, see gfxRunProgram).
[[noreturn]] void endProgram(int status);

// A 1000 Hz tone for 250 ms. Never waits for the tone and never fails: silent without a sound device.
void beep();

}  // namespace zephyrion
