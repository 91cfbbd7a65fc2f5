// zephyrion-cli: the designer's Calculate button on the command line.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli_options.h"
#include "output/design_run.h"

namespace {

constexpr int kWritten = 0;
constexpr int kWriteFailed = 1;
constexpr int kUsageOrRange = 2;

void writeLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

int runDesignCommand(const zephyrion::FormTexts& texts) {
  using zephyrion::RunStatus;
  zephyrion::RunResult result = zephyrion::runDesign(texts);
  switch (result.status) {
    case RunStatus::kCompleted:
      for (const std::string& line : result.resultLines)
        writeLine(stdout, line);
      return kWritten;
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
  if (auto* run = std::get_if<cli::RunDesign>(&command)) return runDesignCommand(run->texts);
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
