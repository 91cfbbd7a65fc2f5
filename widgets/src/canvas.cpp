#include "widgets/canvas.h"

#include "geometry.h"
#include "gfx/screen.h"

namespace zephyrion {

xCanvas::xCanvas() {
  linkAtChainHead(typeName, this, next);
}

xCanvas::~xCanvas() {
  unlinkFromChain(this);
}

void canvasSet(xCanvas& canvas, std::int32_t top, std::int32_t left, std::int32_t height, std::int32_t width,
               std::int32_t spareColor, std::int32_t backColor, std::int32_t frameColor) {
  canvas.y = top;
  canvas.x = left;
  canvas.height = height;
  canvas.width = width;
  if (spareColor != -1) canvas.spareColor = spareColor;
  if (backColor != -1) canvas.backColor = backColor;
  if (frameColor != -1) canvas.frameColor = frameColor;
  canvasClear(canvas);
}

void canvasClear(xCanvas& canvas) {
  setWidgetView(canvas.x, canvas.y, canvas.width, canvas.height);
  drawFilledBox(0, 0, canvas.width, canvas.height, canvas.backColor);
  drawBoxOutline(0, 0, canvas.width, canvas.height, canvas.frameColor);
}

void canvasPlot(xCanvas& canvas, std::int32_t px, std::int32_t py, std::int32_t colour) {
  setWidgetView(canvas.x, canvas.y, canvas.width, canvas.height);
  gfxSetPixel(viewCoordinate(px), viewCoordinate(py), colour, kSinglePoint);
}

void canvasOnEvent(xCanvas& canvas, std::int32_t kind, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d) {
  dispatchEvent(kind, canvas.next, a, b, c, d);
}

}  // namespace zephyrion
