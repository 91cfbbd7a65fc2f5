// The whole design from fifteen fuzzed field texts (any bytes, separated by newlines; the output
// name is the target's own): a design is refused naming a field, with no file written, or written
// as a closed surface whose files hold no "nan" or "inf"; and the rotor analysis of the blade it
// builds is refused with a reason or gives a finite curve below the Betz limit. Designs of more
// than 40,000 facets are left out to keep each run short.
#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <string>

#include "blade/design_limits.h"
#include "blade/design_parameters.h"
#include "fuzz_input.h"
#include "output/design_run.h"
#include "rotor/design_analysis.h"
#include "stl_mesh.h"
#include "temp_folder.h"
#include "text/number_forms.h"

namespace {

using namespace zephyrion;
namespace fs = std::filesystem;

constexpr std::int64_t kMostFacets = 40000;

FormTexts formTextsOf(std::string_view bytes) {
  FormTexts texts = defaultFormTexts();
  for (int field = 0; field < kFormFieldCount - 1; ++field) {
    std::size_t end = bytes.find('\n');
    texts[field] = std::string(bytes.substr(0, end));
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
  }
  return texts;
}

const fs::path& folder() {
  static const fs::path path =
      fs::temp_directory_path() / ("zephyrion-fuzz-design-" + std::to_string(::getpid()));
  return path;
}

void checkWrittenDesign() {
  std::string stl = testing_support::readFile(folder() / "d.stl");
  std::string table = testing_support::readFile(folder() / "d.xls");
  if (fuzzing::holdsNanOrInf(stl) || fuzzing::holdsNanOrInf(table))
    fuzzing::finding("nan or inf written", "");
  testing_support::MeshCheck mesh = testing_support::checkClosedSurface(testing_support::parseStl(stl));
  if (mesh.badEdges || mesh.unmatchedDirectedEdges) fuzzing::finding("an open or not 2-manifold surface", "");
}

// The analysis of the built blade, with the options' defaults, as zephyrion-cli --performance runs it.
void checkRotorAnalysis(const BladeGeometry& geometry, const DesignParameters& parameters) {
  rotor::AnalysisOptions options;
  if (rotor::findAnalysisProblem(parameters, options) || rotor::findSectionProblem(parameters, options))
    return;
  rotor::DesignAnalysis analysis = rotor::analyseDesign(geometry, parameters, options);
  for (const rotor::RotorPerformance& point : analysis.curve) {
    if (!std::isfinite(point.powerCoefficient) || !std::isfinite(point.thrust) ||
        point.powerCoefficient > 16.0 / 27.0)
      fuzzing::finding("a power coefficient that is nan or above the Betz limit",
                       numberToText(point.tipSpeedRatio));
  }
  if (fuzzing::holdsNanOrInf(rotor::performanceCurveCsv(analysis)))
    fuzzing::finding("nan or inf in the curve", "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FormTexts texts = formTextsOf({reinterpret_cast<const char*>(data), size});
  if (stlFacetCount(readDesignParameters(texts)) > kMostFacets) return 0;
  fs::remove_all(folder());
  fs::create_directories(folder());
  texts[kFieldOutputName] = (folder() / "d").string();
  WriteOptions options;
  options.bladeBuilt = [&texts](const BladeGeometry& geometry) {
    checkRotorAnalysis(geometry, readDesignParameters(texts));
  };
  RunResult result = runDesign(texts, {}, options);
  switch (result.status) {
    case RunStatus::kCompleted:
      checkWrittenDesign();
      break;
    case RunStatus::kRefused:
      if (result.message.empty()) fuzzing::finding("a refusal without a reason", "");
      if (!fs::is_empty(folder())) fuzzing::finding("a refused design wrote files", result.message);
      break;
    case RunStatus::kBadFileName:
    case RunStatus::kWriteFailed:
      fuzzing::finding("a run failed", result.message);
  }
  return 0;
}
