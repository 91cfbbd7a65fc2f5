// Section properties against the closed forms of rectangles and ellipses, turned and moved, and
// a printed wall's section at its two limits: a full core and an empty one.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "blade/blade_assembly.h"
#include "structure/section_properties.h"

namespace zephyrion::structure {
namespace {

constexpr double kPi = std::numbers::pi;

// A shape given in its own axes as upper and lower halves over x, turned by `degrees` and
// moved to `centre`.
SectionOutline placed(SectionOutline shape, double degrees, PlanePoint centre) {
  double c = std::cos(degrees * kPi / 180);
  double s = std::sin(degrees * kPi / 180);
  for (std::vector<PlanePoint>* half : {&shape.upper, &shape.lower}) {
    for (PlanePoint& p : *half)
      p = {centre.x + c * p.x - s * p.y, centre.y + s * p.x + c * p.y};
  }
  return shape;
}

SectionOutline rectangle(double a, double b) {
  return {{{-a, b}, {a, b}}, {{-a, -b}, {a, -b}}};
}

SectionOutline ellipse(double a, double b, int divisions) {
  SectionOutline shape;
  for (int i = 0; i < divisions; ++i) {
    double t = kPi * i / (divisions - 1);
    shape.upper.push_back({-a * std::cos(t), b * std::sin(t)});
    shape.lower.push_back({-a * std::cos(t), -b * std::sin(t)});
  }
  return shape;
}

// Half-widths a (along the shape's own x) > b; its major principal axis is its own y axis.
struct ClosedForm {
  const char* name;
  SectionOutline shape;
  double area;
  double iAboutOwnX;
  double iAboutOwnY;
  double a;
  double b;
};

TEST(SectionProperties, RectanglesAndEllipsesMatchTheirClosedFormsTurnedAndMoved) {
  const double a = 30;
  const double b = 4;
  const ClosedForm shapes[] = {
      {"rectangle", rectangle(a, b), 4 * a * b, 2 * a * std::pow(2 * b, 3) / 12,
       2 * b * std::pow(2 * a, 3) / 12, a, b},
      {"ellipse", ellipse(a, b, 4000), kPi * a * b, kPi * a * b * b * b / 4, kPi * a * a * a * b / 4, a, b},
  };
  for (const ClosedForm& shape : shapes) {
    for (double degrees : {0.0, 30.0, -75.0, 90.0, 135.0}) {
      PlanePoint centre{517.0, -123.0};
      SCOPED_TRACE(std::string(shape.name) + " turned " + std::to_string(degrees));
      SectionProperties p = sectionProperties(placed(shape.shape, degrees, centre));
      EXPECT_NEAR(p.area / shape.area, 1, 1e-5);
      EXPECT_EQ(p.effectiveArea, p.area);
      EXPECT_NEAR(p.centroidX, centre.x, 1e-9);
      EXPECT_NEAR(p.centroidY, centre.y, 1e-9);
      EXPECT_NEAR(p.iMajor / shape.iAboutOwnY, 1, 1e-5);
      EXPECT_NEAR(p.iMinor / shape.iAboutOwnX, 1, 1e-5);
      double majorAxis = std::remainder(degrees + 90 - p.majorAxisDegrees, 180);
      EXPECT_NEAR(majorAxis, 0, 1e-6);
      EXPECT_NEAR(p.majorAxisFibre, shape.a, 1e-5 * shape.a);
      EXPECT_NEAR(p.minorAxisFibre, shape.b, 1e-5 * shape.b);
      EXPECT_NEAR(p.ix + p.iy, p.iMajor + p.iMinor, 1e-9 * p.iMajor);  // the polar moment
    }
  }
}

SectionOutline defaultBladeRow(std::int32_t row) {
  return rowOutline(buildBlade(readDesignParameters(defaultFormTexts())).grid, row);
}

TEST(PrintedWall, RoundACoreFilledAlmostFullyIsTheSolidSection) {
  for (std::int32_t row : {45, 250, 490}) {
    SectionOutline outline = defaultBladeRow(row);
    SectionProperties solid = sectionProperties(outline);
    SectionProperties walled = sectionProperties(outline, {1.2, 1 - 1e-9});
    EXPECT_NEAR(walled.effectiveArea / solid.area, 1, 1e-8) << "row " << row;
    EXPECT_NEAR(walled.ix / solid.ix, 1, 1e-8) << "row " << row;
    EXPECT_NEAR(walled.iy / solid.iy, 1, 1e-8) << "row " << row;
    EXPECT_EQ(walled.area, solid.area);
  }
}

// A circular tube of mean radius r and wall T: I = pi r^3 T (the exact annulus differs by
// (T / 2r)^2).
TEST(PrintedWall, RoundAnEmptyCoreIsTheThinWalledCircularTube) {
  const double radius = 40;
  const double wall = 0.4;
  SectionProperties tube = sectionProperties(ellipse(radius, radius, 3000), {wall, 0});
  double meanRadius = radius - wall / 2;
  double thinWalled = kPi * std::pow(meanRadius, 3) * wall;
  EXPECT_NEAR(tube.ix / thinWalled, 1, 2e-4);
  EXPECT_NEAR(tube.iy / thinWalled, 1, 2e-4);
  EXPECT_NEAR(tube.effectiveArea / (2 * kPi * meanRadius * wall), 1, 2e-4);
}

// Any closed thin wall: I = T x (closed integral of n^2 ds), n from the centroid of the wall's
// line, here integrated exactly along the outline's edges.
TEST(PrintedWall, RoundAnEmptyCoreIsTheThinWalledTubeOfTheBladesOwnSections) {
  const double wall = 0.002;
  for (std::int32_t row : {100, 250, 450}) {
    SectionOutline outline = defaultBladeRow(row);
    std::vector<PlanePoint> ring = outlinePolygon(outline);
    double length = 0, sx = 0, sy = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      PlanePoint p = ring[i], q = ring[(i + 1) % ring.size()];
      double ds = std::hypot(q.x - p.x, q.y - p.y);
      length += ds;
      sx += ds * (p.x + q.x) / 2;
      sy += ds * (p.y + q.y) / 2;
    }
    double cx = sx / length, cy = sy / length, lineIx = 0, lineIy = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      PlanePoint p = ring[i], q = ring[(i + 1) % ring.size()];
      double ds = std::hypot(q.x - p.x, q.y - p.y);
      double y0 = p.y - cy, y1 = q.y - cy, x0 = p.x - cx, x1 = q.x - cx;
      lineIx += ds * (y0 * y0 + y0 * y1 + y1 * y1) / 3;
      lineIy += ds * (x0 * x0 + x0 * x1 + x1 * x1) / 3;
    }
    SectionProperties walled = sectionProperties(outline, {wall, 0});
    EXPECT_NEAR(walled.effectiveArea / (wall * length), 1, 5e-3) << "row " << row;
    EXPECT_NEAR(walled.ix / (wall * lineIx), 1, 5e-3) << "row " << row;
    EXPECT_NEAR(walled.iy / (wall * lineIy), 1, 5e-3) << "row " << row;
  }
}

}  // namespace
}  // namespace zephyrion::structure
