// The report as one self-contained HTML page: inline SVG and CSS, no script, nothing loaded from
// anywhere (a Content-Security-Policy forbids it), laid out for a screen and for A4 paper.
//
// The page is written as XHTML-compatible HTML5 (every element closed, every text escaped), so
// that a strict XML parser reads it as well as a browser does.
#pragma once

#include <string>
#include <vector>

#include "report/plot.h"
#include "report/table.h"

namespace zephyrion::report {

struct Section {
  std::string heading;
  std::vector<std::string> warnings;  // plain words, shown first and marked out
  std::vector<std::string> paragraphs;
  std::vector<Table> tables;
  std::vector<Plot> plots;  // each a figure with id "plot-N", numbered from 1 over the page
};

struct ReportPage {
  std::string title;
  std::vector<Section> sections;
  std::string version;      // the program's version, "0.1.0"
  std::string commandLine;  // exactly as the run was started
};

std::string reportPage(const ReportPage& page);

}  // namespace zephyrion::report
