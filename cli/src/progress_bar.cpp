#include "progress_bar.h"

#include <algorithm>

namespace zephyrion::cli {
namespace {

// Runs shorter than this end before a bar would be worth reading.
constexpr double kQuietSeconds = 1.0;
constexpr int kBarWidth = 40;

}  // namespace

std::string ProgressBar::update(std::int64_t rowsWritten, std::int64_t rows, double elapsedSeconds) {
  if (elapsedSeconds < kQuietSeconds || rows <= 0) return {};
  const int percent = static_cast<int>(std::clamp<std::int64_t>(rowsWritten * 100 / rows, 0, 100));
  if (percent == shownPercent_) return {};
  shownPercent_ = percent;
  const int filled = percent * kBarWidth / 100;
  std::string line = "\rWriting [";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(kBarWidth - filled), '.');
  line += "] " + std::to_string(percent) + "%";
  return line;
}

std::string ProgressBar::finish() const {
  return shownPercent_ < 0 ? std::string() : std::string("\n");
}

}  // namespace zephyrion::cli
