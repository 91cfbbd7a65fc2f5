#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bad_plots.h"
#include "report/report_page.h"
#include "strict_xml.h"
#include "test_seed.h"

namespace zephyrion::report {
namespace {

using testing_support::BadInput;
using testing_support::badPlots;
using testing_support::kNan;
using testing_support::plotOf;
using testing_support::StrictXml;

std::vector<double> numbersIn(std::string text) {
  for (char& c : text)
    c = c == ',' ? ' ' : c;
  std::vector<double> numbers;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    double value = kNan;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    numbers.push_back(error == std::errc() && end == word.data() + word.size() ? value : kNan);
  }
  return numbers;
}

// Every coordinate of the drawing, in every numeric attribute, is a finite number inside it.
void expectFiniteCoordinatesInside(const StrictXml& svg) {
  std::vector<double> box = numbersIn(svg.texts("/s:svg/@viewBox").at(0));
  for (const char* name : {"x", "y", "x1", "x2", "y1", "y2", "cx", "cy", "width", "height", "points"}) {
    for (const std::string& text : svg.texts(std::string("//s:*[not(self::s:svg)]/@") + name)) {
      for (double value : numbersIn(text)) {
        EXPECT_TRUE(value >= -1 && value <= std::max(box[2], box[3]) + 1) << name << "=\"" << text << "\"";
      }
    }
  }
}

TEST(Plot, BadInputGivesAWellFormedDrawingThatStatesWhatItLeftOut) {
  Section bad{"Bad input", {}, {}, {}, {}};
  for (const BadInput& input : badPlots()) {
    SCOPED_TRACE(input.what);
    StrictXml svg(plotSvg(input.plot));
    ASSERT_TRUE(svg.wellFormed()) << svg.errors();
    expectFiniteCoordinatesInside(svg);
    EXPECT_EQ(svg.texts("//s:polyline").size(), input.lines);
    EXPECT_EQ(svg.texts("//s:circle[@class='lone' or @class='marker']").size(), input.dots);
    EXPECT_EQ(svg.texts("//s:text[@class='note']").size(), input.notes);
    bad.plots.push_back(input.plot);
  }
  StrictXml page(reportPage({"Bad input", {bad}, "0.1.0", "test"}));
  ASSERT_TRUE(page.wellFormed()) << page.errors();
  for (const std::string& cell : page.texts("//h:td")) {
    EXPECT_EQ(cell.find("nan"), std::string::npos);
    EXPECT_EQ(cell.find("inf"), std::string::npos);
  }
}

// Reads each drawn point back through the tick labels' values and places, as a reader would.
TEST(Plot, PointsLieWhereTheTickLabelsSay) {
  std::mt19937_64 random(testing_support::testSeed(7));
  std::uniform_real_distribution<double> exponent(-6, 9), unit(-1, 1);
  for (int trial = 0; trial < 40; ++trial) {
    double xScale = std::pow(10.0, exponent(random)), yScale = std::pow(10.0, exponent(random));
    double xOffset = unit(random) * xScale * 3, yOffset = unit(random) * yScale * 3;
    Plot plot = plotOf({}, {}, DrawnAs::LineAndMarkers);
    for (int i = 0; i < 25; ++i) {
      plot.series[0].x.push_back(xOffset + i * xScale * (1 + unit(random) / 3));
      plot.series[0].y.push_back(yOffset + unit(random) * yScale);
    }
    StrictXml svg(plotSvg(plot));
    ASSERT_TRUE(svg.wellFormed()) << svg.errors();
    auto axis = [&](const std::string& kind, const char* place) {
      std::vector<std::string> labels = svg.texts("//s:text[@class='" + kind + "']");
      std::vector<std::string> at = svg.texts("//s:text[@class='" + kind + "']/@" + place);
      double v0 = numbersIn(labels.front())[0], v1 = numbersIn(labels.back())[0];
      double p0 = numbersIn(at.front())[0], p1 = numbersIn(at.back())[0];
      return [=](double pixel) { return v0 + (pixel - p0) / (p1 - p0) * (v1 - v0); };
    };
    auto xOf = axis("tick-x", "x");
    auto yOf = axis("tick-y", "y");
    std::vector<double> line = numbersIn(svg.texts("//s:polyline/@points").at(0));
    ASSERT_EQ(line.size(), 50u);
    for (std::size_t i = 0; i < 25; ++i) {
      // A hundredth of a pixel in a frame of some 500 by 260 pixels.
      EXPECT_NEAR(xOf(line[2 * i]), plot.series[0].x[i], xScale * 25 * 1e-4) << trial << " x" << i;
      EXPECT_NEAR(yOf(line[2 * i + 1]), plot.series[0].y[i], yScale * 4 * 1e-4) << trial << " y" << i;
    }
  }
}

// A shape drawn to scale: one unit is as long across as up, read back through the tick labels,
// however much wider than tall the shape is.
TEST(Plot, ToScaleDrawsOneUnitAsLongOnBothAxes) {
  std::mt19937_64 random(testing_support::testSeed(5));
  std::uniform_real_distribution<double> exponent(-3, 3);
  for (int trial = 0; trial < 40; ++trial) {
    double width = std::pow(10.0, exponent(random)), height = std::pow(10.0, exponent(random));
    Plot plot = plotOf({0, width, width, 0, 0}, {0, 0, height, height, 0});
    plot.equalScales = true;
    StrictXml svg(plotSvg(plot));
    ASSERT_TRUE(svg.wellFormed()) << svg.errors();
    expectFiniteCoordinatesInside(svg);
    auto pixelsPerUnit = [&](const std::string& kind, const char* place) {
      std::vector<std::string> labels = svg.texts("//s:text[@class='" + kind + "']");
      std::vector<std::string> at = svg.texts("//s:text[@class='" + kind + "']/@" + place);
      return std::fabs((numbersIn(at.back())[0] - numbersIn(at.front())[0]) /
                       (numbersIn(labels.back())[0] - numbersIn(labels.front())[0]));
    };
    double across = pixelsPerUnit("tick-x", "x"), up = pixelsPerUnit("tick-y", "y");
    EXPECT_NEAR(across / up, 1, 1e-3) << width << " by " << height;
  }
}

// Pieces of text with what a reader sees of each: markup characters, many-byte characters,
// and bytes that are not UTF-8 or not allowed in XML, which read as U+FFFD.
struct Piece {
  const char* written;
  const char* read;
};
constexpr Piece kPieces[] = {{"a", "a"},
                             {" ", " "},
                             {"&", "&"},
                             {"<", "<"},
                             {">", ">"},
                             {"\"", "\""},
                             {"'", "'"},
                             {"]]>", "]]>"},
                             {"<!--", "<!--"},
                             {"&amp;", "&amp;"},
                             {"\xC3\xA9", "\xC3\xA9"},
                             {"\xE4\xB8\xAD", "\xE4\xB8\xAD"},
                             {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
                             {"\xFF", "\xEF\xBF\xBD"},
                             {"\xC3!", "\xEF\xBF\xBD!"},
                             {"\x80", "\xEF\xBF\xBD"},
                             {"\x01", "\xEF\xBF\xBD"},
                             {"\xEF\xBF\xBE", "\xEF\xBF\xBD"},
                             {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}};

TEST(ReportPage, AnyTextReadsBackAsWrittenThroughAStrictParser) {
  std::mt19937_64 random(testing_support::testSeed(3));
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  for (int trial = 0; trial < 300; ++trial) {
    std::string written, read;
    for (int i = 0; i < 12; ++i) {
      const Piece& piece = kPieces[pick(random)];
      written += piece.written;
      read += piece.read;
    }
    Plot plot = plotOf({0, 1}, {1, 2});
    plot.title = plot.series[0].name = written;
    Section section{written, {written}, {written}, {{written, {written}, {{written}}}}, {plot}};
    StrictXml page(reportPage({written, {section}, written, written}));
    ASSERT_TRUE(page.wellFormed()) << page.errors();
    for (const char* path :
         {"//h:title", "//h:h2", "//h:li", "//h:section/h:p", "//h:section/h:table//h:*[not(*)]", "//h:code",
          "//s:title", "//s:svg/@aria-label", "//s:g[@class='legend']/s:text"}) {
      for (const std::string& text : page.texts(path))
        EXPECT_EQ(text, read) << path;
    }
  }
}

TEST(ReportPage, FetchesNothingAndPrintsOnA4) {
  Section first{"One", {}, {}, {}, {plotOf({0, 1}, {1, 2}), plotOf({0, 1}, {1, 2})}};
  Section second{"Two", {}, {}, {}, {plotOf({0, 1}, {1, 2})}};
  std::string html = reportPage({"Report", {first, second}, "0.1.0", "zephyrion-cli --report r.html"});
  StrictXml page(html);
  ASSERT_TRUE(page.wellFormed()) << page.errors();
  EXPECT_EQ(page.texts("//h:meta[@http-equiv='Content-Security-Policy']/@content"),
            std::vector<std::string>{"default-src 'none'; style-src 'unsafe-inline'; img-src data:"});
  EXPECT_TRUE(
      page.texts("//@*[local-name() = 'src' or local-name() = 'href'] | //h:script | //h:link | //h:img")
          .empty());
  EXPECT_EQ(page.texts("//h:figure/@id"), (std::vector<std::string>{"plot-1", "plot-2", "plot-3"}));
  std::string style = page.texts("//h:style").at(0);
  EXPECT_NE(style.find("@page { size: A4"), std::string::npos);
  EXPECT_NE(style.find("break-inside: avoid"), std::string::npos);
}

}  // namespace
}  // namespace zephyrion::report
