// A framed drawing area that is plotted into one pixel at a time, in coordinates from its
// top-left corner. It keeps no picture of its own and takes no part in input.
#pragma once

#include <cstdint>
#include <string>

#include "widgets/chain.h"

namespace zephyrion {

struct xCanvas {
  const std::string typeName = "xCanvas";
  std::int32_t y = 0;  // top
  std::int32_t x = 0;  // left
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t backColor = 0xD4D0C8;
  std::int32_t spareColor = 0;  // read by no operation
  std::int32_t frameColor = 0;
  WidgetRef next;

  xCanvas();  // links the canvas at the chain head
  ~xCanvas();
  xCanvas(const xCanvas&) = delete;
  xCanvas& operator=(const xCanvas&) = delete;
};

// Sets the rectangle (note the order: top before left, height before width) and each colour
// that is not -1, then clears the canvas.
void canvasSet(xCanvas& canvas, std::int32_t top, std::int32_t left, std::int32_t height, std::int32_t width,
               std::int32_t spareColor, std::int32_t backColor, std::int32_t frameColor);

// Fills the canvas with backColor inside a one-pixel frame of frameColor, and leaves the canvas
// as the current view.
void canvasClear(xCanvas& canvas);

// Sets one pixel in canvas coordinates; a point outside the canvas is not drawn.
void canvasPlot(xCanvas& canvas, std::int32_t px, std::int32_t py, std::int32_t colour);

// Passes every event on unchanged.
void canvasOnEvent(xCanvas& canvas, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d);

}  // namespace zephyrion
