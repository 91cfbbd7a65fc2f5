// The program of the real-window tests: opens the screen, draws shapes whose pixels the test
// knows, and then writes each key and mouse change it polls as one line on standard output, until
// the window's close request. Its one argument names a file written through a file slot that is
// never closed, so that the test sees endProgram write it out.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "fonts.h"
#include "gfx/input.h"
#include "gfx/program.h"
#include "gfx/screen.h"
#include "text/number_forms.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

const char* slotFileName = nullptr;

void logLine(std::string_view word, std::initializer_list<std::int32_t> numbers) {
  std::string line(word);
  for (std::int32_t n : numbers)
    line += " " + integerToText(n);
  line += "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

// A set and a clear pixel of the first glyph of a text drawn with its cell's top-left at (x, y).
void logGlyphPixels(int x, int y, unsigned char code) {
  const std::uint8_t* rows = fonts::glyphRows(16, code);
  bool inkLogged = false;
  bool paperLogged = false;
  for (int row = 0; row < 16; ++row) {
    for (int bit = 0; bit < 8; ++bit) {
      bool set = (rows[row] & (0x80 >> bit)) != 0;
      if (set && !inkLogged) logLine("ink", {x + bit, y + row});
      if (!set && !paperLogged) logLine("paper", {x + bit, y + row});
      inkLogged = inkLogged || set;
      paperLogged = paperLogged || !set;
    }
  }
}

void drawKnownPicture() {
  gfxSetTextGrid(100, 37);
  gfxSetColors(0x000000, 0xD4D0C8, 0);
  gfxClear(kNoArgument);
  gfxSetView(100, 100, 299, 199, 0xFF0000, 0x0000FF, kViewFillAndBorder);
  gfxLine(10, 10, 59, 39, 0x00FF00, kFilledBox, kSolidLine, kLinePoints);
  gfxDrawText(20, 60, kLinePoints, "HELLO", 0x000000);
  logGlyphPixels(120, 160, 'H');
}

void pollUntilCloseRequest() {
  std::int32_t last[5] = {-2, -2, -2, -2, -2};
  for (;;) {
    std::string key = inputPollKey();
    if (key.size() == 1) logLine("key", {static_cast<unsigned char>(key[0])});
    if (key.size() == 2)
      logLine("key", {static_cast<unsigned char>(key[0]), static_cast<unsigned char>(key[1])});
    std::int32_t x, y, wheel, buttons, confined;
    std::int32_t result = inputPollMouse(x, y, wheel, buttons, confined);
    std::int32_t now[5] = {result, x, y, wheel, buttons};
    if (!std::equal(now, now + 5, last)) {
      logLine("mouse", {result, x, y, wheel, buttons});
      std::copy(now, now + 5, last);
    }
    if (key == std::string{static_cast<char>(255), 'k'}) return;
    sleepMs(1);
  }
}

void probe() {
  for (std::int32_t mode = gfxListModes(32); mode != 0; mode = gfxListModes(0)) {
    logLine("mode", {mode >> 16, mode & 0xFFFF});
  }
  // The moment of the request, on the monotonic clock, for measuring how soon the picture shows.
  std::string opening = "opening " + numberToText(clockSeconds()) + "\n";
  std::fwrite(opening.data(), 1, opening.size(), stdout);
  int opened = gfxOpenScreen(800, 600, 32, 1, kFixedScreenKind, 0);
  logLine("open", {opened});
  if (opened != kScreenOk) {
    sleepMs(-1);
    endProgram(0);
  }
  if (slotFileName) {
    fileOpenOutput(slotFileName, 1);
    printText(1, "written before the end", kNewlineFlag);
  }
  drawKnownPicture();
  beep();
  logLine("ready", {});
  pollUntilCloseRequest();
}

}  // namespace
}  // namespace zephyrion

int main(int argc, char** argv) {
  if (argc > 1) zephyrion::slotFileName = argv[1];
  return zephyrion::gfxRunProgram(zephyrion::probe);
}
