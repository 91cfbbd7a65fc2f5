#include "output/design_run.h"

#include <new>
#include <vector>

#include "blade/blade_surface.h"
#include "blade/blade_totals.h"
#include "output/design_limits.h"
#include "output/report_table.h"
#include "output/stl_writer.h"
#include "text/number_forms.h"
#include "text/sinks.h"
#include "text/text_ops.h"

namespace zephyrion {
namespace {

constexpr int kStlFile = 1;
constexpr int kTableFile = 2;
constexpr int kTextFile = 5;

// Creates the one directory named by everything up to and including the last "\" of the
// output name (its parents must exist). The result is ignored: an existing directory is the
// normal case, and a failure shows when the table file cannot be created.
void makeOutputDirectory(const std::string& outputName) {
  for (std::int32_t p = textLength(outputName); p >= 1; --p) {
    if (textMid(outputName, p, 1) == "\\") {
      makeDirectory(textLeft(outputName, p));
      return;
    }
  }
}

std::array<std::string, 4> resultLinesOf(const DesignParameters& p, const BladeTotals& totals) {
  return {
      textConcat(
          textConcat(textConcat(textConcat("Rotor speed ", integerToText(p.rotorSpeedRpm)), " RPM at "),
                     numberToText(p.maxWindSpeed)),
          " m/s wind"),
      textConcat(textConcat("Blade volume ", numberToText(totals.volumeCm3())), " cm3"),
      textConcat(textConcat("Blade weight ", numberToText(totals.weightKg(p))), " kg"),
      textConcat(textConcat("Force on blade root ", numberToText(totals.forceAtRadius())), " N"),
  };
}

RunResult failure(RunStatus status, std::string message) {
  RunResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

bool anyWriteFailed() {
  return fileHasWriteError(kStlFile) || fileHasWriteError(kTableFile);
}

// Closes the three files in the order the run opened them last; true when every byte of the
// STL and the table reached the disk.
bool closeOutputFiles() {
  bool stlWritten = fileClose(kStlFile) == kFileOk;
  bool tableWritten = fileClose(kTableFile) == kFileOk;
  fileClose(kTextFile);
  return stlWritten && tableWritten;
}

// Writes the solid and the table once the files are open; false when a write failed.
bool writeBlade(const DesignParameters& p, const RowPreview& preview, RunResult& result) {
  BladeGeometry geometry = buildBlade(p);
  std::vector<Quad> quads;
  endCapQuads(geometry.grid, quads);
  for (const Quad& quad : quads)
    writeStlQuad(kStlFile, geometry.axisOffset, quad);

  BladeTotals totals;
  for (double r = p.rotorRadius; r >= 2.0; r = r - 1.0) {
    if (preview) preview(geometry, r);
    stripQuads(geometry.grid, r, quads);
    for (const Quad& quad : quads)
      writeStlQuad(kStlFile, geometry.axisOffset, quad);
    writeTableRow(kTableFile, totals.addRow(geometry, p, r));
    if (anyWriteFailed()) return false;
  }

  result.resultLines = resultLinesOf(p, totals);
  result.rotorSpeedRpm = p.rotorSpeedRpm;
  result.volumeCm3 = totals.volumeCm3();
  result.weightKg = totals.weightKg(p);
  result.rootForceN = totals.forceAtRadius();
  writeTableSummary(kTableFile, result.volumeCm3, result.weightKg, p.rotorSpeedRpm, p.maxWindSpeed);
  writeStlFooter(kStlFile);
  return true;
}

}  // namespace

RunResult runDesign(const FormTexts& texts, const RowPreview& preview) {
  const DesignParameters p = readDesignParameters(texts);
  if (auto problem = findDesignProblem(p)) return failure(RunStatus::kRefused, *problem);

  const std::string& name = p.outputName;
  makeOutputDirectory(name);
  fileOpenOutput(textConcat(name, ".txt"), kTextFile);
  if (fileOpenOutput(textConcat(name, ".xls"), kTableFile) != kFileOk) {
    fileClose(kTextFile);  // leave no slot taken for the next run
    return failure(RunStatus::kBadFileName, "Bad file name");
  }
  writeTableHeader(kTableFile);
  if (fileOpenOutput(textConcat(name, ".stl"), kStlFile) != kFileOk) {
    closeOutputFiles();
    return failure(RunStatus::kWriteFailed, "Cannot create " + hostFileName(textConcat(name, ".stl")));
  }
  writeStlHeader(kStlFile, p);

  RunResult result;
  result.facetCount = stlFacetCount(p);
  bool written = false;
  try {
    written = writeBlade(p, preview, result);
  } catch (const std::bad_alloc&) {
    closeOutputFiles();
    return failure(RunStatus::kWriteFailed, "Not enough memory for this blade");
  }
  if (!closeOutputFiles() || !written) {
    return failure(RunStatus::kWriteFailed, "Cannot write " + hostFileName(name) + ".stl/.xls (disk full?)");
  }
  result.status = RunStatus::kCompleted;
  return result;
}

}  // namespace zephyrion
