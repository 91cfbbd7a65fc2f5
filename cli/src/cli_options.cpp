#include "cli_options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

#include "blade/form_fields.h"
#include "structure/materials.h"
#include "text/number_forms.h"

namespace zephyrion::cli {
namespace {

// Which analysis an option serves; given without it, the option would do nothing.
enum class Serves { kDesign, kEveryAnalysis, kBuiltInPolar, kEnergy, kStrength, kWritePolar };

// One option of the command line: how help shows it, how its value is read into the run (giving
// why it cannot be, naming the option, or the empty text), and what it serves.
struct CliOption {
  std::string name;
  std::string value;  // what help calls the value
  std::string meaning;
  std::function<std::string(std::string_view value, RunDesign& run)> read;
  Serves serves = Serves::kDesign;
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
CliOption formFieldOption(const FormFieldEntry& entry) {
  std::string meaning = std::string(entry.meaning) + " (default \"" + std::string(entry.defaultText) + "\"";
  std::string range = rangeText(entry.range);
  meaning += range.empty() ? ")" : "; " + range + ")";
  FormField field = entry.field;
  bool anyText = entry.anyText;
  std::string name(entry.option);
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

using NumberSetter = void (*)(RunOptions& options, double value);

// A number in digits and "." only, as the form's fields take them (a leading "-" where the
// quantity can fall below 0); its range is the analysis's to check, which says why.
auto number(std::string name, NumberSetter set, bool mayBeNegative = false) {
  return [name, set, mayBeNegative](std::string_view value, RunDesign& run) -> std::string {
    std::string_view digits = mayBeNegative && value.starts_with('-') ? value.substr(1) : value;
    if (!isDecimalText(digits))
      return name + (mayBeNegative ? " takes a number, \"-\", digits and \".\" only"
                                   : " takes a number, digits and \".\" only");
    double read = textToNumber(digits);
    set(run.options, digits.size() < value.size() ? -read : read);
    return {};
  };
}

std::string readWeibull(std::string_view value, RunDesign& run) {
  std::size_t comma = value.find(',');
  if (comma == std::string_view::npos || !isDecimalText(value.substr(0, comma)) ||
      !isDecimalText(value.substr(comma + 1)))
    return "--weibull takes the shape and the scale as K,C (for instance 2,5.6)";
  run.options.energy.weibull =
      rotor::WindDistribution{textToNumber(value.substr(0, comma)), textToNumber(value.substr(comma + 1))};
  return {};
}

std::string readControl(std::string_view value, RunDesign& run) {
  if (value == "tsr") {
    run.options.energy.control = rotor::Control::bestTipSpeedRatio;
  } else if (value == "fixed-rpm") {
    run.options.energy.control = rotor::Control::fixedSpeed;
  } else if (value == "alternator") {
    run.options.energy.control = rotor::Control::alternator;
  } else {
    return "--control takes \"tsr\", \"fixed-rpm\" or \"alternator\"";
  }
  return {};
}

std::string readSurface(std::string_view value, RunDesign& run) {
  if (value == "rough") {
    run.options.surface = rotor::Surface::kRough;
  } else if (value == "smooth") {
    run.options.surface = rotor::Surface::kSmooth;
  } else {
    return "--surface takes \"rough\" or \"smooth\"";
  }
  return {};
}

std::string readMaterial(std::string_view value, RunDesign& run) {
  if (value.empty()) return "--material needs a name";
  run.options.strength.material = value;
  return {};
}

std::string materialList() {
  std::string names;
  for (const structure::Material& material : structure::builtInMaterials())
    names += (names.empty() ? "" : ", ") + std::string(material.name);
  return names;
}

// The options that no form field has. A new one is one row here, and the member of RunOptions it
// fills.
std::vector<CliOption> runOptions() {
  return {
      {"--threads", "N", "threads that format the files, 1 to 1024 (default: every core)", readThreads},
      {"--stl-format", "F", "STL file \"ascii\" (as the designer writes it) or \"binary\"", readStlFormat},
      {"--performance", "FILE",
       "also write the rotor's performance curve (CSV) at the maximum wind speed, tip speed ratio 0.5 to 15 "
       "(or one and a half times the design's), and print power, thrust and root moment",
       fileInto(&RunOptions::performanceFile, "--performance")},
      {"--energy", "FILE",
       "also write the power curve and the energy by bin (CSV) for winds of 0.5 to 25 m/s, and print the "
       "annual energy, mean power, capacity factor, start and cut-in",
       fileInto(&RunOptions::energyFile, "--energy")},
      {"--strength", "FILE",
       "also write each row's section, stresses and safety factors (CSV) running, running away and parked in "
       "a "
       "storm, and print whether the blade holds",
       fileInto(&RunOptions::strengthFile, "--strength")},
      {"--report", "FILE",
       "also write one self-contained HTML page of the design: the form, the blade drawn, every analysis "
       "with its plots (each option left out at its default) and how it is computed",
       fileInto(&RunOptions::reportFile, "--report")},
      {"--write-polar", "FILE",
       "write the built-in polar of the form's profile, -20 to 30 degrees in steps of 0.5, as --polar reads "
       "it, "
       "and nothing else",
       fileInto(&RunOptions::writePolarFile, "--write-polar")},
      {"--reynolds", "RE",
       "the Reynolds number of --write-polar, 50,000 to 10,000,000 (default: the design's section at three "
       "quarters of the radius at its highest wind)",
       number("--reynolds", [](RunOptions& o, double v) { o.reynolds = v; }), Serves::kWritePolar},
      {"--surface", "S",
       "the built-in polar's surface: \"rough\" (the default: tripped near the nose, as a printed or "
       "hand-finished blade is) or \"smooth\"",
       readSurface, Serves::kBuiltInPolar},
      {"--polar", "FILE",
       "the section's polar as a panel-method tool saves it (alpha CL CD ...) instead of the built-in NACA "
       "four-digit model",
       fileInto(&RunOptions::polarFile, "--polar"), Serves::kEveryAnalysis},
      {"--air-density", "RHO", "air density [kg/m3] for the analyses, 0.3 to 1.6 (default 1.225)",
       number("--air-density", [](RunOptions& o, double v) { o.air.density = v; }), Serves::kEveryAnalysis},
      {"--altitude", "M", "or the standard atmosphere's air at M metres, -500 to 11,000",
       number(
           "--altitude", [](RunOptions& o, double v) { o.air.altitude = v; }, true),
       Serves::kEveryAnalysis},
      {"--control", "C",
       "how the rotor runs for --energy: \"tsr\" (the default; at its best tip speed ratio up to --max-rpm), "
       "\"fixed-rpm\" (at --rpm) or \"alternator\" (charging a battery)",
       readControl, Serves::kEnergy},
      {"--max-rpm", "N", "the top rotor speed of --control tsr (default: the form's rotor speed)",
       number("--max-rpm", [](RunOptions& o, double v) { o.maxRpm = v; }), Serves::kEnergy},
      {"--rated-power", "W", "the power --control tsr delivers at most [W]",
       number("--rated-power", [](RunOptions& o, double v) { o.energy.ratedPower = v; }), Serves::kEnergy},
      {"--rpm", "N", "the rotor speed of --control fixed-rpm",
       number("--rpm", [](RunOptions& o, double v) { o.energy.rpm = v; }), Serves::kEnergy},
      {"--volts-per-rpm", "K", "the alternator's open-circuit volts per rpm, after the rectifier",
       number("--volts-per-rpm", [](RunOptions& o, double v) { o.energy.voltsPerRpm = v; }), Serves::kEnergy},
      {"--winding-ohms", "R", "the alternator's winding, rectifier and leads [ohm]",
       number("--winding-ohms", [](RunOptions& o, double v) { o.energy.windingOhms = v; }), Serves::kEnergy},
      {"--battery-volts", "V", "the battery's voltage while it charges, diode drops included [V]",
       number("--battery-volts", [](RunOptions& o, double v) { o.energy.batteryVolts = v; }),
       Serves::kEnergy},
      {"--friction-nm", "T", "the friction torque the rotor must overcome [N m] (default 0)",
       number("--friction-nm", [](RunOptions& o, double v) { o.energy.frictionTorque = v; }),
       Serves::kEnergy},
      {"--site-mean-wind", "V",
       "the site's mean wind [m/s], Rayleigh-distributed (default: 5 m/s at hub height, the small-wind "
       "rating "
       "standards' reference)",
       number("--site-mean-wind", [](RunOptions& o, double v) { o.energy.siteMeanWind = v; }),
       Serves::kEnergy},
      {"--weibull", "K,C", "or the site's Weibull shape K and scale C [m/s]", readWeibull, Serves::kEnergy},
      {"--hub-height", "H", "the hub's height [m], to carry the site's wind there from --measured-at",
       number("--hub-height", [](RunOptions& o, double v) { o.energy.hubHeight = v; }), Serves::kEnergy},
      {"--measured-at", "H", "the height [m] the site's wind was measured at",
       number("--measured-at", [](RunOptions& o, double v) { o.energy.measuredAt = v; }), Serves::kEnergy},
      {"--shear", "A", "the wind's power-law shear exponent between the two heights (default 1/7)",
       number("--shear", [](RunOptions& o, double v) { o.energy.shearExponent = v; }), Serves::kEnergy},
      {"--material", "NAME",
       "the blade's material for --strength: " + materialList() + " (default pla-across)", readMaterial,
       Serves::kStrength},
      {"--strength-mpa", "S", "or your own material's strength [MPa], with --modulus-gpa",
       number("--strength-mpa", [](RunOptions& o, double v) { o.strength.strengthMpa = v; }),
       Serves::kStrength},
      {"--modulus-gpa", "E", "and its modulus of elasticity [GPa]",
       number("--modulus-gpa", [](RunOptions& o, double v) { o.strength.modulusGpa = v; }),
       Serves::kStrength},
      {"--shell-mm", "T", "a printed blade's wall thickness [mm] (default: a solid section, as carved)",
       number("--shell-mm", [](RunOptions& o, double v) { o.strength.shellMm = v; }), Serves::kStrength},
      {"--infill", "F", "the printed core's fill, 0 to 1, with --shell-mm (default 0)",
       number("--infill", [](RunOptions& o, double v) { o.strength.infill = v; }), Serves::kStrength},
      {"--storm-wind", "V",
       "the storm the parked blade meets [m/s] (default 70, the 50-year gust of small-wind class I)",
       number("--storm-wind", [](RunOptions& o, double v) { o.strength.stormWind = v; }), Serves::kStrength},
  };
}

const std::vector<CliOption>& commandLineOptions() {
  static const std::vector<CliOption> options = [] {
    std::vector<CliOption> all;
    for (const FormFieldEntry& entry : formFieldEntries())
      all.push_back(formFieldOption(entry));
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

// Whether the run has an analysis that the option serves.
bool isServed(Serves serves, const RunOptions& options) {
  bool performance = !options.performanceFile.empty();
  bool report = !options.reportFile.empty();
  bool energy = !options.energyFile.empty() || report;
  bool strength = !options.strengthFile.empty() || report;
  bool writePolar = !options.writePolarFile.empty();
  switch (serves) {
    case Serves::kDesign:
      return true;
    case Serves::kEveryAnalysis:
      return performance || energy || strength;
    case Serves::kBuiltInPolar:
      return performance || energy || strength || writePolar;
    case Serves::kEnergy:
      return energy;
    case Serves::kStrength:
      return strength;
    case Serves::kWritePolar:
      return writePolar;
  }
  return false;
}

std::string servedBy(Serves serves) {
  switch (serves) {
    case Serves::kEnergy:
      return "--energy FILE.csv or --report FILE.html";
    case Serves::kStrength:
      return "--strength FILE.csv or --report FILE.html";
    case Serves::kWritePolar:
      return "--write-polar FILE";
    case Serves::kBuiltInPolar:
      return "an analysis or --write-polar FILE";
    default:
      return "an analysis (--performance, --energy, --strength or --report)";
  }
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
  std::vector<const CliOption*> given;
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
    given.push_back(option);
  }
  for (const CliOption* option : given) {
    if (!isServed(option->serves, run.options))
      return UsageError{option->name + " goes with " + servedBy(option->serves)};
  }
  if (!run.options.writePolarFile.empty() && isServed(Serves::kEveryAnalysis, run.options))
    return UsageError{
        "--write-polar writes the polar alone: leave out --performance, --energy, --strength and --report"};
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
      "Exit status:\n"
      "  0  every file asked for was written\n"
      "  1  a file could not be created or written (the run then removes every file it wrote), or\n"
      "     standard output could not be written (the files are complete and stay)\n"
      "  2  a bad option or a design out of range, before any file is written; or a profile the built-in\n"
      "     polars refuse, after the design files are written without the analyses\n\n"
      "Examples:\n"
      "  zephyrion-cli --radius 600 --output 'd:\\rotor\\Blade'\n"
      "      designs the blade of a 600 mm rotor into rotor/Blade.stl, rotor/Blade.xls and rotor/Blade.txt\n"
      "  zephyrion-cli --blades 2 --tsr 7 --performance curve.csv\n"
      "      designs a two-bladed rotor for tip speed ratio 7 and writes its performance curve\n";
  return text;
}

std::string commandLineOf(const FormTexts& texts) {
  std::string line = "zephyrion-cli";
  for (const FormFieldEntry& entry : formFieldEntries())
    line += " " + std::string(entry.option) + " " + shellQuoted(texts[entry.field]);
  return line;
}

std::string shellQuoted(std::string_view word) {
  auto plain = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-_./:=,+@%").find(c) != std::string_view::npos;
  };
  if (!word.empty() && std::all_of(word.begin(), word.end(), plain)) return std::string(word);
  std::string quoted = "'";
  for (char c : word)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string commandLineText(const std::vector<std::string>& arguments) {
  std::string line = "zephyrion-cli";
  for (const std::string& argument : arguments)
    line += " " + shellQuoted(argument);
  return line;
}

}  // namespace zephyrion::cli
