#include "output/stl_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "design_forms.h"
#include "temp_folder.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

using testing_support::bytesWrittenBy;

// Runs `write` against file slot 1 and returns the bytes it wrote.
DesignParameters parametersFromTexts(const std::vector<std::pair<FormField, const char*>>& changes) {
  return readDesignParameters(testing_support::formWith(changes));
}

struct HeaderCase {
  const char* profile;
  const char* tipSpeedRatio;
  const char* line;
};

class StlHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(StlHeaderTest, WritesTheRecomputedProfileNumbers) {
  DesignParameters p = parametersFromTexts(
      {{kFieldProfile, GetParam().profile}, {kFieldTipSpeedRatio, GetParam().tipSpeedRatio}});
  EXPECT_EQ(bytesWrittenBy(1, [&](int file) { writeStlHeader(file, p); }),
            std::string(GetParam().line) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, StlHeaderTest,
    testing::Values(
        HeaderCase{"4412", "5", "solid Zephyrion NACA4412 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"0012", "5", "solid Zephyrion NACA0012 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"4406", "5", "solid Zephyrion NACA446 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"7412", "5", "solid Zephyrion NACA7.000000000000001412 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"4457", "5", "solid Zephyrion NACA4456.99999999999999 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"4455", "5", "solid Zephyrion NACA4455.00000000000001 Radius=500 TSR=5 Blades=3"},
        HeaderCase{"4412", "5.5", "solid Zephyrion NACA4412 Radius=500 TSR=5.5 Blades=3"}));

TEST(StlTriangle, WritesTheSevenLinesOfAFacet) {
  std::string bytes = bytesWrittenBy(1, [](int file) {
    writeStlTriangle(file, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  });
  EXPECT_EQ(bytes,
            "facet normal  0  0  1\r\n"
            " outer loop\r\n"
            " vertex  0  0  0\r\n"
            " vertex  1  0  0\r\n"
            " vertex  0  1  0\r\n"
            " endloop\r\n"
            "endfacet\r\n");
}

TEST(StlTriangle, WritesSmallValuesInExponentFormAndNegativesWithOneBlank) {
  std::string bytes = bytesWrittenBy(1, [](int file) {
    writeStlTriangle(file, {0.05, 499, -0.0123}, {0, 0, 0}, {0, 0, 1});
  });
  EXPECT_NE(bytes.find(" vertex  5.e-002  499 -1.23e-002\r\n"), std::string::npos) << bytes;
}

TEST(StlTriangle, GivesADegenerateFacetAZeroNormal) {
  std::string bytes = bytesWrittenBy(1, [](int file) {
    writeStlTriangle(file, {1, 2, 3}, {1, 2, 3}, {4, 5, 6});  // two vertices coincide
    writeStlTriangle(file, {0, 0, 0}, {1, 1, 1}, {2, 2, 2});  // collinear
  });
  EXPECT_EQ(bytes.find("nan"), std::string::npos);
  EXPECT_EQ(bytes.find("inf"), std::string::npos);
  std::size_t first = bytes.find("facet normal  0  0  0\r\n");
  ASSERT_NE(first, std::string::npos) << bytes;
  EXPECT_NE(bytes.find("facet normal  0  0  0\r\n", first + 1), std::string::npos) << bytes;
}

TEST(StlQuad, WritesTwoFacetsShiftedByTheAxisOffset) {
  // A unit square in the plane z = 0, listed counter-clockwise seen from +z.
  Quad quad{{22, 0, 0}, {23, 0, 0}, {23, 1, 0}, {22, 1, 0}};
  std::string bytes = bytesWrittenBy(1, [&](int file) { writeStlQuad(file, 22, quad); });
  EXPECT_EQ(bytes,
            "facet normal  0  0 -1\r\n outer loop\r\n"
            " vertex  1  0  0\r\n vertex  0  0  0\r\n vertex  0  1  0\r\n"
            " endloop\r\nendfacet\r\n"
            "facet normal  0  0 -1\r\n outer loop\r\n"
            " vertex  1  1  0\r\n vertex  1  0  0\r\n vertex  0  1  0\r\n"
            " endloop\r\nendfacet\r\n");
}

TEST(StlFooter, EndsTheFileWithEndsolidAndCrLf) {
  EXPECT_EQ(bytesWrittenBy(1, [](int file) { writeStlFooter(file); }), "endsolid\r\n");
}

}  // namespace
}  // namespace zephyrion
