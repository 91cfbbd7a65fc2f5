#include "report/report_page.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "markup.h"
#include "report/plot.h"
#include "report/table.h"
#include "text/number_forms.h"

namespace zephyrion::report {
namespace {

// Nothing may be fetched: the page is read offline, and a shared copy must not call anywhere.
// Inline style is the page's only resource.
constexpr std::string_view kContentSecurityPolicy =
    "default-src 'none'; style-src 'unsafe-inline'; img-src data:";

constexpr std::string_view kStyle = R"(
:root { color: #222222; background: #FFFFFF; }
body { font-family: system-ui, sans-serif; line-height: 1.45; max-width: 46rem; margin: 0 auto;
  padding: 1rem 1.25rem 3rem; }
h1 { font-size: 1.6rem; margin: 0.5rem 0 1rem; }
h2 { font-size: 1.25rem; margin-top: 2rem; padding-bottom: 0.2rem; border-bottom: 1px solid #CCCCCC; }
table { border-collapse: collapse; margin: 0.75rem 0; font-variant-numeric: tabular-nums; }
caption { text-align: left; font-weight: 600; padding-bottom: 0.25rem; }
th, td { padding: 0.15rem 0.6rem; border-bottom: 1px solid #E4E4E4; text-align: right; }
th:first-child, td:first-child { text-align: left; }
th:nth-child(3):nth-last-child(2), td:nth-child(3):nth-last-child(2) { text-align: left; padding-left: 1.5rem; }
figure { margin: 1.25rem 0; }
svg.plot { display: block; width: 100%; height: auto; max-width: 640px; }
details.numbers { margin-top: 0.25rem; font-size: 0.9rem; }
details.numbers table { display: inline-table; vertical-align: top; margin-right: 1.5rem; }
ul.warnings { border-left: 4px solid #E69F00; background: #FFF6E0; padding: 0.5rem 0.75rem 0.5rem 1.75rem; }
footer { margin-top: 3rem; font-size: 0.85rem; color: #555555; }
footer code { white-space: pre-wrap; word-break: break-all; }
@page { size: A4; margin: 15mm 14mm; }
@media print {
  body { max-width: none; padding: 0; font-size: 10pt; }
  h2 { break-after: avoid; }
  figure, table, ul.warnings { break-inside: avoid; }
  details:not([open]) { display: none; }
}
)";

void appendElement(std::string& out, std::string_view tag, std::string_view text) {
  out += '<';
  out += tag;
  out += '>';
  out += escaped(text);
  out += "</";
  out += tag;
  out += ">\n";
}

void appendSection(std::string& out, const Section& section, int& plotsSoFar) {
  out += "<section>\n";
  appendElement(out, "h2", section.heading);
  if (!section.warnings.empty()) {
    out += "<ul class=\"warnings\" role=\"note\" aria-label=\"Warnings\">\n";
    for (const std::string& warning : section.warnings)
      appendElement(out, "li", warning);
    out += "</ul>\n";
  }
  for (const std::string& paragraph : section.paragraphs)
    appendElement(out, "p", paragraph);
  for (const Table& table : section.tables)
    out += tableHtml(table);
  for (const Plot& plot : section.plots) {
    out += "<figure id=\"plot-" + integerToText(++plotsSoFar) + "\">\n";
    out += plotSvg(plot);
    out += plotNumbers(plot);
    out += "</figure>\n";
  }
  out += "</section>\n";
}

void appendRow(std::string& out, const std::vector<std::string>& cells, std::size_t columns,
               std::string_view tag) {
  out += "<tr>";
  for (std::size_t i = 0; i < columns; ++i) {
    out += '<';
    out += tag;
    out += '>';
    if (i < cells.size()) out += escaped(cells[i]);
    out += "</";
    out += tag;
    out += '>';
  }
  out += "</tr>\n";
}

}  // namespace

std::string tableHtml(const Table& table) {
  std::size_t columns = table.header.size();
  for (const auto& row : table.rows)
    columns = std::max(columns, row.size());
  std::string out = "<table>\n";
  if (!table.caption.empty()) appendElement(out, "caption", table.caption);
  if (!table.header.empty()) {
    out += "<thead>";
    appendRow(out, table.header, columns, "th");
    out += "</thead>\n";
  }
  out += "<tbody>\n";
  for (const auto& row : table.rows)
    appendRow(out, row, columns, "td");
  return out + "</tbody>\n</table>\n";
}

std::string reportPage(const ReportPage& page) {
  std::string out = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n";
  out += "<meta charset=\"utf-8\"/>\n";
  out +=
      "<meta http-equiv=\"Content-Security-Policy\" content=\"" + escaped(kContentSecurityPolicy) + "\"/>\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
  out += "<meta name=\"generator\" content=\"Zephyrion " + escaped(page.version) + "\"/>\n";
  appendElement(out, "title", page.title);
  out += "<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n<header>\n";
  appendElement(out, "h1", page.title);
  out += "</header>\n<main>\n";
  int plotsSoFar = 0;
  for (const Section& section : page.sections)
    appendSection(out, section, plotsSoFar);
  out += "</main>\n<footer>\n";
  appendElement(out, "p", "Written by Zephyrion " + page.version + ", started with the command line:");
  out += "<p><code>" + escaped(page.commandLine) + "</code></p>\n</footer>\n</body>\n</html>\n";
  return out;
}

}  // namespace zephyrion::report
