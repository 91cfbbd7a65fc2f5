// zephyrion-cli: the designer's Calculate button on the command line.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli_options.h"
#include "output/design_run.h"
#include "performance_report.h"
#include "progress_bar.h"
#include "rotor/rotor_blade.h"

namespace {

constexpr int kWritten = 0;
constexpr int kWriteFailed = 1;
constexpr int kUsageOrRange = 2;

void writeLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

// The blade as the design run built it.
struct BladeCapture {
  zephyrion::DesignParameters parameters;
  std::optional<zephyrion::rotor::RotorBlade> blade;
};

// Analyses the captured blade, writes the curve and prints the performance lines.
int finishPerformance(const BladeCapture& capture, const std::optional<zephyrion::rotor::Polar>& polar,
                      const zephyrion::cli::PerformanceOptions& options) {
  zephyrion::cli::PerformanceReport report =
      zephyrion::cli::reportPerformance(*capture.blade, capture.parameters, polar, options);
  for (const std::string& line : report.lines)
    writeLine(stdout, line);
  if (!report.warning.empty()) writeLine(stderr, "zephyrion-cli: " + report.warning);
  if (report.writeError.empty()) return kWritten;
  writeLine(stderr, "zephyrion-cli: " + report.writeError);
  return kWriteFailed;
}

bool standardErrorIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) == 1;
#endif
}

void writeText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

int runDesignCommand(const zephyrion::cli::RunDesign& run) {
  using zephyrion::RunStatus;
  const zephyrion::cli::PerformanceOptions& performance = run.options.performance;
  bool analyse = !performance.curveFile.empty();
  BladeCapture capture;
  capture.parameters = zephyrion::readDesignParameters(run.texts);
  std::optional<zephyrion::rotor::Polar> polar;
  if (analyse) {
    if (!(capture.parameters.maxWindSpeed > 0)) {
      writeLine(stderr, "zephyrion-cli: --performance needs a maximum operating wind speed above 0");
      return kUsageOrRange;
    }
    auto loaded = zephyrion::cli::loadPolar(performance);
    if (auto* problem = std::get_if<std::string>(&loaded)) {
      writeLine(stderr, "zephyrion-cli: " + *problem);
      return kUsageOrRange;
    }
    polar = std::get<std::optional<zephyrion::rotor::Polar>>(loaded);
  }
  zephyrion::WriteOptions options;
  options.threads = run.options.threads;
  options.stlFormat = run.options.stlFormat;
  zephyrion::cli::ProgressBar bar;
  const auto started = std::chrono::steady_clock::now();
  if (standardErrorIsTerminal()) {
    options.progress = [&](std::int64_t rowsWritten, std::int64_t rows) {
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
      writeText(stderr, bar.update(rowsWritten, rows, elapsed.count()));
    };
  }
  if (analyse) {
    options.bladeBuilt = [&capture](const zephyrion::BladeGeometry& geometry) {
      capture.blade = zephyrion::rotor::rotorBladeAsBuilt(geometry, capture.parameters);
    };
  }
  zephyrion::RunResult result = zephyrion::runDesign(run.texts, {}, options);
  writeText(stderr, bar.finish());
  switch (result.status) {
    case RunStatus::kCompleted:
      for (const std::string& line : result.resultLines)
        writeLine(stdout, line);
      return analyse ? finishPerformance(capture, polar, performance) : kWritten;
    case RunStatus::kRefused:
      writeLine(stderr, "zephyrion-cli: " + result.message);
      return kUsageOrRange;
    case RunStatus::kBadFileName:
    case RunStatus::kWriteFailed:
      break;
  }
  writeLine(stderr, "zephyrion-cli: " + result.message);
  return kWriteFailed;
}

// What reached standard output must have been written: a full disk or a closed pipe behind it
// turns a success into a failure.
int withStandardOutputChecked(int status) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  writeLine(stderr, "zephyrion-cli: cannot write to standard output");
  return status == kWritten ? kWriteFailed : status;
}

int runCommand(const zephyrion::cli::Command& command) {
  namespace cli = zephyrion::cli;
  if (auto* run = std::get_if<cli::RunDesign>(&command)) return runDesignCommand(*run);
  if (std::holds_alternative<cli::ShowHelp>(command)) {
    std::string usage = cli::usageText();
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return kWritten;
  }
  if (std::holds_alternative<cli::ShowVersion>(command)) {
    writeLine(stdout, "zephyrion-cli " ZEPHYRION_VERSION);
    return kWritten;
  }
  writeLine(stderr, "zephyrion-cli: " + std::get<cli::UsageError>(command).message);
  return kUsageOrRange;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return withStandardOutputChecked(runCommand(zephyrion::cli::parseCommandLine(arguments)));
}
