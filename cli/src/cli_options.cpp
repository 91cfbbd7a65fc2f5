#include "cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace zephyrion::cli {
namespace {

struct OptionSpec {
  std::string_view name;
  FormField field;
  std::string_view meaning;
};

constexpr std::array<OptionSpec, kFormFieldCount> kOptions = {{
    {"--profile", kFieldProfile, "NACA four-digit profile"},
    {"--lift", kFieldLift, "lift coefficient"},
    {"--radius", kFieldRadius, "rotor radius [mm]"},
    {"--blades", kFieldBlades, "number of blades"},
    {"--tsr", kFieldTipSpeedRatio, "tip speed ratio"},
    {"--tip-chamfer", kFieldTipChamfer, "blade tip chamfer [mm]"},
    {"--alpha", kFieldAngleOfAttack, "angle of attack [deg]"},
    {"--limit-z", kFieldChordLimitZ, "chord limit in Z, height [mm]"},
    {"--limit-x", kFieldChordLimitX, "chord limit in X, width [mm]"},
    {"--density", kFieldDensity, "density of the blade [kg/m3]"},
    {"--wind", kFieldWindSpeed, "maximum operating wind speed [m/s]"},
    {"--hub-radius", kFieldHubRadius, "hub radius [mm]"},
    {"--hub-chamfer", kFieldHubChamfer, "hub to blade chamfer [mm]"},
    {"--divisions", kFieldChordDivisions, "STL precision, chord divisions"},
    {"--output", kFieldOutputName, "output name without extension"},
}};

const OptionSpec* findOption(std::string_view name) {
  auto it =
      std::find_if(kOptions.begin(), kOptions.end(), [&](const OptionSpec& o) { return o.name == name; });
  return it == kOptions.end() ? nullptr : &*it;
}

// The form's numeric fields take digits and the point only; the name field any printable
// character. The command line accepts exactly what the form would.
bool fieldAccepts(FormField field, std::string_view text) {
  return std::all_of(text.begin(), text.end(), [field](char c) {
    if (field == kFieldOutputName) return c >= 32 && c <= 126;
    return (c >= '0' && c <= '9') || c == '.';
  });
}

// The run options: how the help shows them, and how a value is read into RunOptions (giving an
// error message when it does not fit, the empty text otherwise).
struct RunOptionSpec {
  std::string_view name;
  std::string_view value;
  std::string_view meaning;
  std::string (*read)(std::string_view value, RunOptions& options);
};

constexpr unsigned kMostThreads = 1024;

std::string readThreads(std::string_view value, RunOptions& options) {
  unsigned threads = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), threads);
  if (error != std::errc() || end != value.data() + value.size() || threads < 1 || threads > kMostThreads)
    return "--threads takes a whole number from 1 to " + std::to_string(kMostThreads);
  options.threads = threads;
  return {};
}

std::string readStlFormat(std::string_view value, RunOptions& options) {
  if (value == "ascii") {
    options.stlFormat = StlFormat::kAscii;
  } else if (value == "binary") {
    options.stlFormat = StlFormat::kBinary;
  } else {
    return "--stl-format takes \"ascii\" or \"binary\"";
  }
  return {};
}

constexpr std::array<RunOptionSpec, 2> kRunOptions = {{
    {"--threads", "N", "threads that format the files (default: every core)", readThreads},
    {"--stl-format", "F", "STL file \"ascii\" (as the designer writes it) or \"binary\"", readStlFormat},
}};

const RunOptionSpec* findRunOption(std::string_view name) {
  auto it = std::find_if(kRunOptions.begin(), kRunOptions.end(),
                         [&](const RunOptionSpec& o) { return o.name == name; });
  return it == kRunOptions.end() ? nullptr : &*it;
}

std::string refusal(const OptionSpec& option) {
  if (option.field == kFieldOutputName)
    return std::string(option.name) + " takes printable ASCII characters only";
  return std::string(option.name) + " takes digits and \".\" only, as the form's field does";
}

// "  --name VALUE" padded to the column of the meanings, then the meaning and a line end.
std::string usageLine(std::string_view name, std::string_view value, std::string_view meaning) {
  std::string line = "  " + std::string(name) + " " + std::string(value);
  line.resize(std::max<std::size_t>(line.size() + 1, 22), ' ');
  return line + std::string(meaning) + "\n";
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& arguments) {
  RunDesign run{defaultFormTexts(), {}};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") return ShowHelp{};
    if (argument == "--version") return ShowVersion{};
    std::size_t equals = argument.find('=');
    std::string_view name = argument.substr(0, equals);
    const OptionSpec* option = findOption(name);
    bool performance = isPerformanceOption(name);
    const RunOptionSpec* runOption = findRunOption(name);
    if (!option && !performance && !runOption)
      return UsageError{"unknown option \"" + std::string(argument) + "\" (see --help)"};
    std::string value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return UsageError{std::string(name) + " needs a value"};
    }
    if (performance) {
      if (auto problem = setPerformanceOption(name, value, run.options.performance))
        return UsageError{*problem};
      continue;
    }
    if (runOption) {
      if (std::string problem = runOption->read(value, run.options); !problem.empty())
        return UsageError{problem};
      continue;
    }
    if (!fieldAccepts(option->field, value)) return UsageError{refusal(*option)};
    run.texts[option->field] = value;
  }
  if (auto problem = findPerformanceOptionProblem(run.options.performance)) return UsageError{*problem};
  return run;
}

std::string usageText() {
  std::string text =
      "Usage: zephyrion-cli [options]\n"
      "Designs one wind turbine blade as the Calculate button of the designer does, and writes\n"
      "NAME.stl (the blade), NAME.xls (its sections) and NAME.txt (empty).\n"
      "Every option takes the text its form field would hold; unset options keep the form's default.\n\n";
  const FormTexts& defaults = defaultFormTexts();
  for (const OptionSpec& option : kOptions) {
    text += usageLine(option.name, "TEXT",
                      std::string(option.meaning) + " (default \"" + defaults[option.field] + "\")");
  }
  text += performanceUsage();
  for (const RunOptionSpec& option : kRunOptions)
    text += usageLine(option.name, option.value, option.meaning);
  text +=
      "  --help              show this text\n"
      "  --version           show the version\n\n"
      "Output names: \"\\\" and \"/\" both separate directories; a leading drive prefix such as \"d:\\\"\n"
      "is dropped, so the default \"d:\\xx\\Blade\" writes xx/Blade.stl under the working directory.\n"
      "Progress: a run of over a second shows a bar on standard error when that is a terminal.\n"
      "Exit status: 0 written, 1 a file could not be written, 2 a bad option or a design out of range.\n";
  return text;
}

std::string commandLineOf(const FormTexts& texts) {
  std::string line = "zephyrion-cli";
  for (const OptionSpec& option : kOptions) {
    std::string quoted;
    for (char c : texts[option.field])
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += " " + std::string(option.name) + " '" + quoted + "'";
  }
  return line;
}

}  // namespace zephyrion::cli
