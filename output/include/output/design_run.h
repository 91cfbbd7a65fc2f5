// One design run, from the form's texts to the closed output files: the one path that both the
// designer window and the command-line designer take, so that both write the same bytes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "output/stl_writer.h"

namespace zephyrion {

enum class RunStatus {
  kCompleted,    // the three files are written and closed
  kRefused,      // the design is outside what the engine can compute; nothing was written
  kBadFileName,  // the table file could not be created; nothing was written
  kWriteFailed,  // a file could not be created, written or closed, or the blade not built; the
                 // run's files are closed and removed again
};

struct RunResult {
  RunStatus status = RunStatus::kRefused;
  std::string message;                     // why a run did not complete
  std::array<std::string, 4> resultLines;  // rotor speed, volume, weight, root force
  std::int32_t rotorSpeedRpm = 0;
  double volumeCm3 = 0;
  double weightKg = 0;
  double rootForceN = 0;
  std::int64_t facetCount = 0;
};

// Called for every strip row r = R, R - 1, ..., 2 before the row's facets are written, with the
// finished geometry; the window plots the row's preview points here. It is called on the thread
// that called runDesign, in row order, whatever the number of threads.
using RowPreview = std::function<void(const BladeGeometry& geometry, double row)>;

// How a run writes its files. The window takes the defaults.
struct WriteOptions {
  // Threads that format the rows, the calling one included; 0: one per hardware thread. The
  // bytes written do not depend on it.
  unsigned threads = 0;
  StlFormat stlFormat = StlFormat::kAscii;
  // Called on the calling thread each time a block of rows has reached the files, with the
  // strip rows written so far and the rows in all.
  std::function<void(std::int64_t rowsWritten, std::int64_t rows)> progress;
  // Called once on the calling thread with the finished blade, after it has been built and
  // checked and before any file is opened: an analysis takes the very blade the files hold.
  std::function<void(const BladeGeometry& geometry)> bladeBuilt;
};

RunResult runDesign(const FormTexts& texts, const RowPreview& preview = {}, const WriteOptions& options = {});

}  // namespace zephyrion
