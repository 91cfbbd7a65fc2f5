#include "output/design_run.h"

#include <algorithm>
#include <exception>
#include <new>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "blade/blade_totals.h"
#include "blade/design_limits.h"
#include "blade_rows.h"
#include "output/report_table.h"
#include "output/stl_writer.h"
#include "text/number_forms.h"
#include "text/sinks.h"
#include "text/text_ops.h"

namespace zephyrion {
namespace {

constexpr int kStlFile = 1;
constexpr int kTableFile = 2;
constexpr int kTextFile = 5;

// Creates the one directory named by everything up to and including the last "\" of the
// output name (its parents must exist). The result is ignored: an existing directory is the
// normal case, and a failure shows when the table file cannot be created.
void makeOutputDirectory(const std::string& outputName) {
  for (std::int32_t p = textLength(outputName); p >= 1; --p) {
    if (textMid(outputName, p, 1) == "\\") {
      makeDirectory(textLeft(outputName, p));
      return;
    }
  }
}

std::array<std::string, 4> resultLinesOf(const DesignParameters& p, const BladeTotals& totals) {
  return {
      textConcat(
          textConcat(textConcat(textConcat("Rotor speed ", integerToText(p.rotorSpeedRpm)), " RPM at "),
                     numberToText(p.maxWindSpeed)),
          " m/s wind"),
      textConcat(textConcat("Blade volume ", numberToText(totals.volumeCm3())), " cm3"),
      textConcat(textConcat("Blade weight ", numberToText(totals.weightKg(p))), " kg"),
      textConcat(textConcat("Force on blade root ", numberToText(totals.forceAtRadius())), " N"),
  };
}

RunResult failure(RunStatus status, std::string message) {
  RunResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

std::string cannotWrite(const std::string& name) {
  return "Cannot write " + hostFileName(name) + ".stl and .xls (disk full?)";
}

bool anyWriteFailed() {
  return fileHasWriteError(kStlFile) || fileHasWriteError(kTableFile);
}

// The run's three output files, named by the output name and an extension. They are closed on
// every path out of the run; unless the run keeps them, the ones it created are removed again,
// so that a failed run leaves no empty or truncated file that could pass for a design.
class OutputFiles {
 public:
  explicit OutputFiles(std::string name) : name_(std::move(name)) {}
  ~OutputFiles() {
    if (!kept_) discard();
  }
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  bool open(int fileNumber, std::string_view extension) {
    std::string fileName = textConcat(name_, extension);
    if (fileOpenOutput(fileName, fileNumber) != kFileOk) return false;
    opened_.push_back({fileNumber, fileName});
    return true;
  }

  // Closes the files in the order STL, table, text; true when every byte reached the disk.
  bool closeAll() {
    if (closed_) return true;
    closed_ = true;
    bool written = true;
    for (int fileNumber : {kStlFile, kTableFile, kTextFile}) {
      if (wasOpened(fileNumber) && fileClose(fileNumber) != kFileOk) written = false;
    }
    return written;
  }

  void keep() { kept_ = true; }

 private:
  bool wasOpened(int fileNumber) const {
    return std::any_of(opened_.begin(), opened_.end(),
                       [&](const auto& file) { return file.first == fileNumber; });
  }

  void discard() {
    closeAll();
    for (const auto& [number, fileName] : opened_)
      removeFile(fileName);
  }

  std::string name_;
  std::vector<std::pair<int, std::string>> opened_;
  bool closed_ = false;
  bool kept_ = false;
};

// Writes the solid and the table once the files are open; false when a write failed.
bool writeBlade(const DesignParameters& p, const BladeGeometry& geometry, const RowPreview& preview,
                const WriteOptions& options, RunResult& result) {
  BladeTotals totals;
  if (!writeBladeRows(p, geometry, preview, options, {kStlFile, kTableFile}, totals)) return false;

  result.resultLines = resultLinesOf(p, totals);
  result.rotorSpeedRpm = p.rotorSpeedRpm;
  result.volumeCm3 = totals.volumeCm3();
  result.weightKg = totals.weightKg(p);
  result.rootForceN = totals.forceAtRadius();
  writeTableSummary(kTableFile, result.volumeCm3, result.weightKg, p.rotorSpeedRpm, p.maxWindSpeed);
  if (options.stlFormat == StlFormat::kAscii) writeStlFooter(kStlFile);
  return !anyWriteFailed();
}

// The ASCII header line, or the binary header with the facet count.
void writeStlStart(const DesignParameters& p, const WriteOptions& options) {
  if (options.stlFormat == StlFormat::kAscii) {
    writeStlHeader(kStlFile, p);
    return;
  }
  // The design limits keep the count far below 2^32.
  const auto header = binaryStlHeader(p, static_cast<std::uint32_t>(stlFacetCount(p)));
  printText(kStlFile, std::string_view(header.data(), header.size()), 0);
}

}  // namespace

RunResult runDesign(const FormTexts& texts, const RowPreview& preview, const WriteOptions& options) {
  const DesignParameters p = readDesignParameters(texts);
  if (auto problem = findDesignProblem(p)) return failure(RunStatus::kRefused, *problem);
  // The blade is built and checked before any file is opened, so that a refusal leaves none.
  std::optional<BladeGeometry> geometry;
  try {
    geometry.emplace(buildBlade(p));
  } catch (const std::bad_alloc&) {
    return failure(RunStatus::kWriteFailed, "Not enough memory for this blade");
  }
  if (auto problem = findBuiltBladeProblem(p, *geometry)) return failure(RunStatus::kRefused, *problem);
  try {
    if (options.bladeBuilt) options.bladeBuilt(*geometry);
  } catch (const std::bad_alloc&) {
    return failure(RunStatus::kWriteFailed, "Not enough memory to analyse this blade");
  } catch (const std::exception& error) {
    return failure(RunStatus::kWriteFailed,
                   std::string("The blade could not be analysed (") + error.what() + ")");
  }

  const std::string& name = p.outputName;
  makeOutputDirectory(name);
  // The table is created first: a name it cannot take is a bad file name, and then no other
  // file has been made.
  OutputFiles files(name);
  if (!files.open(kTableFile, ".xls")) return failure(RunStatus::kBadFileName, "Bad file name");
  for (auto [fileNumber, extension] : {std::pair{kTextFile, ".txt"}, std::pair{kStlFile, ".stl"}}) {
    if (!files.open(fileNumber, extension)) {
      return failure(RunStatus::kWriteFailed, "Cannot create " + hostFileName(textConcat(name, extension)));
    }
  }
  writeTableHeader(kTableFile);
  writeStlStart(p, options);

  RunResult result;
  result.facetCount = stlFacetCount(p);
  std::string problem;  // stays empty while the blade is written completely
  try {
    if (!writeBlade(p, *geometry, preview, options, result)) problem = cannotWrite(name);
  } catch (const std::bad_alloc&) {
    problem = "Not enough memory to write this blade";
  } catch (const std::exception& error) {
    problem = std::string("The blade could not be built (") + error.what() + ")";
  }
  if (!files.closeAll() && problem.empty()) problem = cannotWrite(name);
  if (!problem.empty()) return failure(RunStatus::kWriteFailed, problem);
  files.keep();
  result.status = RunStatus::kCompleted;
  return result;
}

}  // namespace zephyrion
