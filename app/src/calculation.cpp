#include "app/calculation.h"

#include <optional>

#include "app/form_records.h"
#include "app/results_panel.h"
#include "app/screen_selection.h"
#include "gfx/input.h"
#include "output/design_run.h"

namespace zephyrion {
namespace {

FormTexts formTexts() {
  FormTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i)
    texts[i] = formFields[i].text;
  return texts;
}

}  // namespace

void runCalculation(xButton& /*button*/) {
  canvasClear(formCanvas);
  std::optional<double> scale;
  RunResult result = runDesign(formTexts(), [&](const BladeGeometry& geometry, double row) {
    if (!scale) scale = previewScale(formCanvas, geometry.grid.rotorRadius);
    plotPreviewRow(formCanvas, geometry, row, *scale);
  });

  switch (result.status) {
    case RunStatus::kCompleted:
      showResultLines(result.resultLines, screenHeight);
      return;
    case RunStatus::kBadFileName:
      // Not redrawn here: the click that started the run goes on along the chain, and every
      // field redraws on a left press, so the field shows the text at once.
      formFields[kFieldOutputName].text = "Bad file name";
      beep();
      return;
    case RunStatus::kRefused:
    case RunStatus::kWriteFailed:
      showRunProblem(result.message, screenHeight);
      beep();
      return;
  }
}

}  // namespace zephyrion
