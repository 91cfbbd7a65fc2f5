#include "rotor/polar_reader.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

// A table past these bounds is no section's: the highest lift of slotted, flapped sections
// stays below 3 (Abbott and von Doenhoff, 1959, ch. 8), a flat plate across the flow has a drag
// of about 2, and the steepest stall seen in wind tunnels loses lift at well under 2 per degree
// (thin-airfoil theory's slope is 0.11 per degree).
constexpr double kMostLift = 3.0;
constexpr double kMostDrag = 3.0;
constexpr double kSteepestLiftSlope = 2.0;

struct NumberedRow {
  PolarPoint point;
  int line = 0;
};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i]))
      ++i;
    std::size_t start = i;
    while (i < line.size() && !isBlank(line[i]))
      ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool sameWord(std::string_view word, std::string_view expected) {
  return std::equal(word.begin(), word.end(), expected.begin(), expected.end(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

bool isColumnHeading(const std::vector<std::string_view>& words) {
  return words.size() >= 3 && sameWord(words[0], "alpha") && sameWord(words[1], "cl") &&
         sameWord(words[2], "cd");
}

bool isDashes(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == '-' || isBlank(c); }) &&
         line.find('-') != std::string_view::npos;
}

std::optional<double> numberOf(std::string_view word) {
  double value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// One table row, or why it is not one.
std::variant<PolarPoint, std::string> rowOf(const std::vector<std::string_view>& words) {
  if (words.size() < 3)
    return "a row needs at least three numbers (alpha, CL, CD); this one has " +
           integerToText(static_cast<std::int32_t>(words.size()));
  std::vector<double> values;
  for (std::string_view word : words) {
    std::optional<double> value = numberOf(word);
    if (!value) return "\"" + std::string(word) + "\" is not a number";
    values.push_back(*value);
  }
  PolarPoint point{values[0], values[1], values[2]};
  if (!(std::fabs(point.alphaDegrees) < 90.0))
    return "alpha " + numberToText(point.alphaDegrees) + " is not between -90 and 90 degrees";
  if (point.drag < 0) return "CD " + numberToText(point.drag) + " is negative";
  if (!(std::fabs(point.lift) <= kMostLift))
    return "CL " + numberToText(point.lift) + " is beyond what any section makes (-3 to 3)";
  if (!(point.drag <= kMostDrag))
    return "CD " + numberToText(point.drag) + " is beyond what any section meets (up to 3)";
  return point;
}

std::optional<PolarReadError> checkTable(std::vector<NumberedRow>& rows, int headingLine) {
  if (rows.size() < 2)
    return PolarReadError{headingLine, "the table after this heading needs at least two rows"};
  std::stable_sort(rows.begin(), rows.end(), [](const NumberedRow& a, const NumberedRow& b) {
    return a.point.alphaDegrees < b.point.alphaDegrees;
  });
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].point.alphaDegrees == rows[i - 1].point.alphaDegrees) {
      return PolarReadError{rows[i].line, "alpha " + numberToText(rows[i].point.alphaDegrees) +
                                              " appears again (first on line " +
                                              integerToText(rows[i - 1].line) + ")"};
    }
  }
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const PolarPoint& a = rows[i - 1].point;
    const PolarPoint& b = rows[i].point;
    double slope = (b.lift - a.lift) / (b.alphaDegrees - a.alphaDegrees);
    if (!(std::fabs(slope) <= kSteepestLiftSlope)) {
      return PolarReadError{rows[i].line, "CL changes by " + numberToText(slope) + " per degree from line " +
                                              integerToText(rows[i - 1].line) +
                                              "; no section's lift changes by more than 2 per degree"};
    }
  }
  double first = rows.front().point.alphaDegrees;
  double last = rows.back().point.alphaDegrees;
  if (!(first < 0.0 && last > 0.0)) {
    return PolarReadError{0, "the angles run from " + numberToText(first) + " to " + numberToText(last) +
                                 " degrees; they must reach below and above 0"};
  }
  return std::nullopt;
}

}  // namespace

std::variant<Polar, PolarReadError> readPolarText(std::string_view text) {
  int lineNumber = 0;
  int headingLine = 0;
  bool dashesAllowed = false;
  std::vector<NumberedRow> rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    std::vector<std::string_view> words = wordsOf(line);
    if (headingLine == 0) {
      if (isColumnHeading(words)) {
        headingLine = lineNumber;
        dashesAllowed = true;
      }
      continue;
    }
    bool dashes = dashesAllowed && isDashes(line);
    dashesAllowed = false;
    if (words.empty() || dashes) continue;
    auto row = rowOf(words);
    if (auto* problem = std::get_if<std::string>(&row)) return PolarReadError{lineNumber, *problem};
    rows.push_back({std::get<PolarPoint>(row), lineNumber});
  }
  if (headingLine == 0) return PolarReadError{0, "no column heading \"alpha CL CD\" before the table"};
  if (auto problem = checkTable(rows, headingLine)) return *problem;
  Polar polar;
  for (const NumberedRow& row : rows)
    polar.points.push_back(row.point);
  return polar;
}

namespace {

// A number in fixed notation with `decimals` after the point, right-aligned in `width`.
void appendFixed(std::string& text, double value, int decimals, std::size_t width) {
  char buffer[64];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::size_t length = static_cast<std::size_t>(end - buffer);
  text.append(width > length ? width - length : 1, ' ');
  text.append(buffer, length);
}

}  // namespace

std::string polarFileText(const Polar& polar, std::string_view description) {
  std::string text;
  std::size_t start = 0;
  while (start < description.size()) {
    std::size_t end = std::min(description.find('\n', start), description.size());
    text += " " + std::string(description.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  text += "\n   alpha      CL        CD\n  -------- -------- ---------\n";
  for (const PolarPoint& point : polar.points) {
    assert(std::isfinite(point.alphaDegrees) && std::isfinite(point.lift) && std::isfinite(point.drag));
    appendFixed(text, point.alphaDegrees, 3, 10);
    appendFixed(text, point.lift, 4, 9);
    appendFixed(text, point.drag, 5, 10);
    text += "\n";
  }
  return text;
}

}  // namespace zephyrion::rotor
