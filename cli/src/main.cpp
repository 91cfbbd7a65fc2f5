// zephyrion-cli: the designer's Calculate button on the command line, and the analyses of the
// blade it writes.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include "analyses.h"
#include "blade/blade_assembly.h"
#include "blade/design_limits.h"
#include "cli_options.h"
#include "output/design_run.h"
#include "progress_bar.h"
#include "rotor/design_analysis.h"
#include "rotor/energy_text.h"
#include "run_files.h"
#include "structure/strength_report.h"

namespace {

namespace cli = zephyrion::cli;
namespace rotor = zephyrion::rotor;
namespace structure = zephyrion::structure;

constexpr int kWritten = 0;
constexpr int kWriteFailed = 1;
constexpr int kUsageOrRange = 2;

void writeLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

int refuse(const std::string& message) {
  writeLine(stderr, "zephyrion-cli: " + message);
  return kUsageOrRange;
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

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    writeLine(stdout, line);
}

// Prints each asked analysis's lines (none when the profile kept the analyses from running).
void printAnalyses(const cli::Analyses& analyses, const cli::AnalysisSettings& settings) {
  if (!analyses.performance) return;
  if (settings.performance) {
    printLines(rotor::performanceLines(*analyses.performance));
    if (std::string warning = rotor::unsolvedSectionsWarning(*analyses.performance); !warning.empty())
      writeLine(stderr, "zephyrion-cli: " + warning);
  }
  if (settings.energy) printLines(rotor::energySummaryLines(*analyses.energy));
  if (settings.strength) printLines(structure::strengthLines(*analyses.strength));
}

int runDesignCommand(const cli::RunDesign& run, const std::string& commandLine) {
  using zephyrion::RunStatus;
  const zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(run.texts);
  auto checked = cli::analysisSettingsOf(run, parameters);
  if (auto* problem = std::get_if<std::string>(&checked)) return refuse(*problem);
  const cli::AnalysisSettings settings = std::get<cli::AnalysisSettings>(std::move(checked));

  zephyrion::WriteOptions options;
  options.threads = run.options.threads;
  options.stlFormat = run.options.stlFormat;
  cli::ProgressBar bar;
  const auto started = std::chrono::steady_clock::now();
  if (standardErrorIsTerminal()) {
    options.progress = [&](std::int64_t rowsWritten, std::int64_t rows) {
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
      writeText(stderr, bar.update(rowsWritten, rows, elapsed.count()));
    };
  }
  cli::AnalysesInFlight inFlight;
  if (settings.any()) {
    options.bladeBuilt = [&](const zephyrion::BladeGeometry& geometry) {
      inFlight.start(geometry, parameters, settings);
    };
  }
  zephyrion::RunResult result = zephyrion::runDesign(run.texts, {}, options);
  writeText(stderr, bar.finish());
  const cli::Analyses analyses = inFlight.finish();
  if (result.status == RunStatus::kRefused) return refuse(result.message);
  if (result.status != RunStatus::kCompleted) {
    writeLine(stderr, "zephyrion-cli: " + result.message);
    return kWriteFailed;
  }

  // From here a failure takes back the design files too: a run either writes all it was asked
  // for or nothing.
  cli::WrittenFiles written;
  for (const std::string& file : cli::designFilesOf(parameters.outputName))
    written.add(file);
  printLines({result.resultLines.begin(), result.resultLines.end()});
  printAnalyses(analyses, settings);
  cli::RunRecord record{run.texts, result.resultLines, ZEPHYRION_VERSION, commandLine};
  if (auto failed = cli::writeAnalysisFiles(analyses, settings, run.options, record, written)) {
    writeLine(stderr, "zephyrion-cli: Cannot write " + *failed);
    return kWriteFailed;
  }
  written.keep();
  if (settings.sectionProblem)
    return refuse(*settings.sectionProblem + "; the design files are written, the analyses are not");
  return kWritten;
}

// --write-polar: the design's built-in polar, and no other file.
int writePolarCommand(const cli::RunDesign& run) {
  const zephyrion::DesignParameters parameters = zephyrion::readDesignParameters(run.texts);
  if (auto problem = zephyrion::findDesignProblem(parameters)) return refuse(*problem);
  if (auto problem = rotor::findDesignPolarProblem(parameters, run.options.reynolds)) return refuse(*problem);
  const std::string& file = run.options.writePolarFile;
  if (auto problem = cli::findOutputPathProblem(file, {}, {})) return refuse(*problem);
  zephyrion::BladeGeometry geometry = zephyrion::buildBlade(parameters);
  std::string text = rotor::designPolarText(geometry, parameters, run.options.surface, run.options.reynolds);
  cli::WrittenFiles written;
  if (!written.write(file, text)) {
    writeLine(stderr, "zephyrion-cli: Cannot write " + file);
    return kWriteFailed;
  }
  written.keep();
  return kWritten;
}

// What reached standard output must have been written: a full disk or a closed pipe behind it
// turns a success into a failure. The files are complete by then and stay.
int withStandardOutputChecked(int status) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  writeLine(stderr, "zephyrion-cli: cannot write to standard output");
  return status == kWritten ? kWriteFailed : status;
}

int runCommand(const cli::Command& command, const std::string& commandLine) {
  if (auto* run = std::get_if<cli::RunDesign>(&command)) {
    if (!run->options.writePolarFile.empty()) return writePolarCommand(*run);
    return runDesignCommand(*run, commandLine);
  }
  if (std::holds_alternative<cli::ShowHelp>(command)) {
    std::string usage = cli::usageText();
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return kWritten;
  }
  if (std::holds_alternative<cli::ShowVersion>(command)) {
    writeLine(stdout, "zephyrion-cli " ZEPHYRION_VERSION);
    return kWritten;
  }
  return refuse(std::get<cli::UsageError>(command).message);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return withStandardOutputChecked(
      runCommand(cli::parseCommandLine(arguments), cli::commandLineText(arguments)));
}
