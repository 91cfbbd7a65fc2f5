// A table of texts for the report page. The texts are the caller's, already in the forms the
// program prints (text/number_forms.h), so that the page shows the same figures.
#pragma once

#include <string>
#include <vector>

namespace zephyrion::report {

struct Table {
  std::string caption;
  std::vector<std::string> header;             // column headings, with units: "Radius [mm]"
  std::vector<std::vector<std::string>> rows;  // a row shorter than the header leaves cells empty
};

// The table as an HTML <table> element, every text escaped.
std::string tableHtml(const Table& table);

}  // namespace zephyrion::report
