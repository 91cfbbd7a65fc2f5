// A small form in a real window for the window test: three fields, a button and a canvas on the
// event loop. Its one argument is the text the test is going to type into the first field; the
// program names the pixels that text gives when drawn after "12" in the focused (white) box.
// Clicking the button writes the three fields' texts on standard output and paints a red block
// into the canvas.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/event_loop.h"
#include "app/screen_selection.h"
#include "fonts.h"
#include "gfx/input.h"
#include "gfx/program.h"
#include "text/number_forms.h"
#include "widgets/widgets.h"

namespace zephyrion {
namespace {

std::string textToType;

void writeLine(std::string_view line) {
  const std::string withEnd = std::string(line) + "\n";
  std::fwrite(withEnd.data(), 1, withEnd.size(), stdout);
  std::fflush(stdout);
}

// Every pixel of columns 1 to 6 of each glyph of the text drawn with its first cell's top-left
// at (x, y): black where the glyph is set, white elsewhere. Columns 0 and 7 are left out because
// the caret may stand on a cell's last column and on the next cell's first.
void writeExpectedPixels(int x, int y, std::string_view text) {
  for (std::size_t k = 0; k < text.size(); ++k) {
    const std::uint8_t* rows = fonts::glyphRows(16, static_cast<unsigned char>(text[k]));
    const int left = x + 8 * static_cast<int>(k);
    for (int row = 0; row < 16; ++row) {
      for (int column = 1; column <= 6; ++column) {
        const bool set = (rows[row] & (0x80 >> column)) != 0;
        writeLine("expect " + integerToText(left + column) + " " + integerToText(y + row) +
                  (set ? " 000000" : " ffffff"));
      }
    }
  }
}

void showForm() {
  if (!selectScreenMode(800, 600)) {
    writeLine("no screen");
    endProgram(1);
  }
  xEdit first;
  xEdit second;
  xEdit name;
  xCanvas canvas;
  editSet(first, "First ", "12", 200, 40, 80, 1, -1, -1);
  editSet(second, "Second", "3.5", 200, -21, 80, 1, -1, -1);
  editSet(name, "Name  ", "out", 200, -21, 160, 1, -1, -1);
  name.textMode = 1;
  canvasSet(canvas, 20, 420, 300, 300, -1, 0xFFFFFF, -1);
  xButton show;
  buttonSet(show, "Show", 10, 300, 200);
  show.onClick = [&](xButton&) {
    writeLine("clicked " + first.text + "|" + second.text + "|" + name.text);
    for (int y = 10; y < 20; ++y) {
      for (int x = 10; x < 20; ++x)
        canvasPlot(canvas, x, y, 0xFF0000);
    }
  };
  writeExpectedPixels(first.x + 4 + 8 * 2, first.y + 2, textToType);
  writeLine("ready");
  eventLoop();
  writeLine("loop ended");
}

}  // namespace
}  // namespace zephyrion

int main(int argc, char** argv) {
  if (argc > 1) zephyrion::textToType = argv[1];
  return zephyrion::gfxRunProgram(zephyrion::showForm);
}
