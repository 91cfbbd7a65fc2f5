#include "cli_options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

#include "blade/form_fields.h"
#include "text/number_forms.h"

namespace zephyrion::cli {
namespace {

// One option of the command line: how help shows it, and how its value is read into the run,
// giving why it cannot be (naming the option) or the empty text.
struct CliOption {
  std::string name;
  std::string value;  // what help calls the value
  std::string meaning;
  std::function<std::string(std::string_view value, RunDesign& run)> read;
};

constexpr unsigned kMostThreads = 1024;
constexpr std::size_t kHelpWidth = 100;
constexpr std::size_t kMeaningColumn = 22;

// Digits with at most one point among them.
bool isDecimalText(std::string_view text) {
  bool digits = std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits && std::count(text.begin(), text.end(), '.') <= 1 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

// The form's numeric fields take digits and the point only; the name field any printable
// character. The command line accepts exactly what the form would.
CliOption formFieldOption(const FormFieldSpec& spec) {
  std::string meaning = std::string(spec.meaning) + " (default \"" + std::string(spec.defaultText) + "\"";
  std::string range = rangeText(spec.range);
  meaning += range.empty() ? ")" : "; " + range + ")";
  FormField field = spec.field;
  bool anyText = spec.anyText;
  std::string name(spec.option);
  return {name, "TEXT", meaning,
          [field, anyText, name](std::string_view value, RunDesign& run) -> std::string {
            bool accepted = std::all_of(value.begin(), value.end(), [anyText](char c) {
              return anyText ? c >= 32 && c <= 126 : (c >= '0' && c <= '9') || c == '.';
            });
            if (!accepted) {
              return anyText ? name + " takes printable ASCII characters only"
                             : name + " takes digits and \".\" only, as the form's field does";
            }
            run.texts[field] = value;
            return {};
          }};
}

std::string readThreads(std::string_view value, RunDesign& run) {
  unsigned threads = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), threads);
  if (error != std::errc() || end != value.data() + value.size() || threads < 1 || threads > kMostThreads)
    return "--threads takes a whole number from 1 to " + std::to_string(kMostThreads);
  run.options.threads = threads;
  return {};
}

std::string readStlFormat(std::string_view value, RunDesign& run) {
  if (value == "ascii") {
    run.options.stlFormat = StlFormat::kAscii;
  } else if (value == "binary") {
    run.options.stlFormat = StlFormat::kBinary;
  } else {
    return "--stl-format takes \"ascii\" or \"binary\"";
  }
  return {};
}

// A file name for an option; any text but the empty one.
auto fileInto(std::string RunOptions::*file, std::string name) {
  return [file, name](std::string_view value, RunDesign& run) -> std::string {
    if (value.empty()) return name + " needs a file name";
    run.options.*file = value;
    return {};
  };
}

// A number in digits and "." only, as the form's fields take them; its range is the analysis's
// to check, which says why.
auto numberInto(double RunOptions::*number, bool RunOptions::*given, std::string name) {
  return [number, given, name](std::string_view value, RunDesign& run) -> std::string {
    if (!isDecimalText(value)) return name + " takes a number, digits and \".\" only";
    run.options.*number = textToNumber(value);
    run.options.*given = true;
    return {};
  };
}

// The options that no form field has. A new one is one row here, and the member of RunOptions it
// fills.
std::vector<CliOption> runOptions() {
  return {
      {"--threads", "N", "threads that format the files, 1 to 1024 (default: every core)", readThreads},
      {"--stl-format", "F", "STL file \"ascii\" (as the designer writes it) or \"binary\"", readStlFormat},
      {"--performance", "FILE",
       "also write the rotor's performance curve (CSV) at the maximum wind speed, tip speed ratio 1 to 15, "
       "and "
       "print power, thrust and root moment",
       fileInto(&RunOptions::performanceFile, "--performance")},
      {"--polar", "FILE",
       "the section's polar as a panel-method tool saves it (alpha CL CD ...) instead of the built-in NACA "
       "four-digit model",
       fileInto(&RunOptions::polarFile, "--polar")},
      {"--air-density", "RHO", "air density [kg/m3] for the analyses (default 1.225; 0.5 to 1.6)",
       numberInto(&RunOptions::airDensity, &RunOptions::airDensityGiven, "--air-density")},
  };
}

const std::vector<CliOption>& commandLineOptions() {
  static const std::vector<CliOption> options = [] {
    std::vector<CliOption> all;
    for (const FormFieldSpec& spec : formFieldSpecs())
      all.push_back(formFieldOption(spec));
    for (CliOption& option : runOptions())
      all.push_back(std::move(option));
    return all;
  }();
  return options;
}

const CliOption* findOption(std::string_view name) {
  const std::vector<CliOption>& options = commandLineOptions();
  auto it = std::find_if(options.begin(), options.end(), [&](const CliOption& o) { return o.name == name; });
  return it == options.end() ? nullptr : &*it;
}

// Why the options do not go together: the analysis's settings without an analysis to use them.
std::string findCombinationProblem(const RunOptions& options) {
  bool analyses = !options.performanceFile.empty();
  if (!analyses && (!options.polarFile.empty() || options.airDensityGiven))
    return "--polar and --air-density go with --performance FILE.csv";
  return {};
}

// "  --name VALUE" padded to the column of the meanings, then the meaning folded at the help's
// width, its further lines indented to the same column.
std::string usageLine(std::string_view name, std::string_view value, std::string_view meaning) {
  std::string line = "  " + std::string(name) + " " + std::string(value);
  line.resize(std::max(line.size() + 1, kMeaningColumn), ' ');
  std::size_t lineStart = 0;
  std::size_t at = 0;
  while (at < meaning.size()) {
    std::size_t wordEnd = std::min(meaning.find(' ', at), meaning.size());
    bool fits = line.size() - lineStart + (wordEnd - at) <= kHelpWidth;
    if (!fits && line.size() - lineStart > kMeaningColumn) {
      line.pop_back();
      line += "\n" + std::string(kMeaningColumn, ' ');
      lineStart = line.size() - kMeaningColumn;
    }
    line += std::string(meaning.substr(at, wordEnd - at)) + " ";
    at = wordEnd + 1;
  }
  line.pop_back();
  return line + "\n";
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
    const CliOption* option = findOption(name);
    if (!option) return UsageError{"unknown option \"" + std::string(argument) + "\" (see --help)"};
    std::string value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return UsageError{std::string(name) + " needs a value"};
    }
    if (std::string problem = option->read(value, run); !problem.empty()) return UsageError{problem};
  }
  if (std::string problem = findCombinationProblem(run.options); !problem.empty()) return UsageError{problem};
  return run;
}

std::string usageText() {
  std::string text =
      "Usage: zephyrion-cli [options]\n"
      "Designs one wind turbine blade as the Calculate button of the designer does, and writes\n"
      "NAME.stl (the blade), NAME.xls (its sections) and NAME.txt (empty).\n"
      "Every option takes the text its form field would hold; unset options keep the form's default.\n\n";
  for (const CliOption& option : commandLineOptions())
    text += usageLine(option.name, option.value, option.meaning);
  text +=
      "  --help              show this text\n"
      "  --version           show the version\n\n"
      "Output names: \"\\\" and \"/\" both separate directories; a leading drive prefix such as \"d:\\\"\n"
      "is dropped, so the default \"d:\\xx\\Blade\" writes xx/Blade.stl under the working directory.\n"
      "Progress: a run of over a second shows a bar on standard error when that is a terminal.\n\n"
      "Exit status: 0 when every file was written; 1 when a file could not be created or written (the\n"
      "run then removes every file it wrote) or standard output could not be written (the files are\n"
      "complete and stay); 2 for a bad option or a design out of range, before any file is written.\n\n"
      "Examples:\n"
      "  zephyrion-cli --radius 600 --output 'd:\\rotor\\Blade'\n"
      "      designs the blade of a 600 mm rotor into rotor/Blade.stl, rotor/Blade.xls and rotor/Blade.txt\n"
      "  zephyrion-cli --blades 2 --tsr 7 --performance curve.csv\n"
      "      designs a two-bladed rotor for tip speed ratio 7 and writes its performance curve\n";
  return text;
}

std::string commandLineOf(const FormTexts& texts) {
  std::string line = "zephyrion-cli";
  for (const FormFieldSpec& spec : formFieldSpecs()) {
    std::string quoted;
    for (char c : texts[spec.field])
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += " " + std::string(spec.option) + " '" + quoted + "'";
  }
  return line;
}

}  // namespace zephyrion::cli
