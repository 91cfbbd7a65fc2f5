// The progress bar of a long run on a terminal: nothing in the first second, then one line
// redrawn in place as the rows reach the files.
#pragma once

#include <cstdint>
#include <string>

namespace zephyrion::cli {

class ProgressBar {
 public:
  // The text to write when `rowsWritten` of `rows` are written `elapsedSeconds` after the run
  // began: empty until a second has passed, and while the shown percentage stays the same.
  std::string update(std::int64_t rowsWritten, std::int64_t rows, double elapsedSeconds);

  // The line end that leaves a shown bar on the screen; empty when the bar never showed.
  std::string finish() const;

 private:
  int shownPercent_ = -1;
};

}  // namespace zephyrion::cli
