// admesh, an independent STL reader, run on a file: the figures of its report.
#pragma once

#include <cstdlib>
#include <string>

#include "temp_folder.h"
#include "text/number_forms.h"

namespace zephyrion::testing_support {

struct AdmeshReport {
  bool ran = false;
  std::string text;

  // The first number after `label` and its colon ("Number of facets", "Volume", ...); the
  // original figure where admesh shows original and final ones. -1 when the label is missing.
  double figure(const std::string& label) const {
    std::size_t at = text.find(label);
    if (at == std::string::npos) return -1;
    std::size_t colon = text.find(':', at);
    return textToNumber(text.substr(colon + 1, 40));
  }
};

// Reads `stlPath` with admesh, which is installed by scripts/setup.
inline AdmeshReport runAdmesh(const std::string& stlPath) {
  std::string reportPath = stlPath + ".admesh.txt";
  std::string command = "admesh '" + stlPath + "' > '" + reportPath + "' 2>&1";
  AdmeshReport report;
  report.ran = std::system(command.c_str()) == 0;
  report.text = readFile(reportPath);
  std::remove(reportPath.c_str());
  return report;
}

}  // namespace zephyrion::testing_support
