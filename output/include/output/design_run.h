// One design run, from the form's texts to the closed output files: the one path that both the
// designer window and the command-line designer take, so that both write the same bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"
#include "output/stl_writer.h"
#include "output/write_options.h"

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

RunResult runDesign(const FormTexts& texts, const RowPreview& preview = {}, const WriteOptions& options = {});

}  // namespace zephyrion
