#include "output/stl_writer.h"

#include <cmath>
#include <string>

#include "text/number_forms.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

// Unit normal of the facet; each component and the squared length are stored as doubles in
// the order written, so the printed digits do not depend on the compiler.
Point3 facetNormal(const Point3& v1, const Point3& v2, const Point3& v3) {
  double nx = v1.y * (v2.z - v3.z) + v2.y * (v3.z - v1.z) + v3.y * (v1.z - v2.z);
  double ny = v1.z * (v2.x - v3.x) + v2.z * (v3.x - v1.x) + v3.z * (v1.x - v2.x);
  double nz = v1.x * (v2.y - v3.y) + v2.x * (v3.y - v1.y) + v3.x * (v1.y - v2.y);
  double squaredLength = nx * nx + ny * ny + nz * nz;
  double length = std::sqrt(squaredLength);
  // Coincident or collinear vertices give no direction; slicers accept a zero normal.
  if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0};
  return {nx / length, ny / length, nz / length};
}

void appendTriple(std::string& line, const Point3& p) {
  line += printForm(p.x);
  line += ' ';
  line += printForm(p.y);
  line += ' ';
  line += printForm(p.z);
  line += "\r\n";
}

Point3 shifted(const Point3& p, std::int32_t axisOffset) {
  return {p.x - axisOffset, p.y, p.z};
}

}  // namespace

void writeStlHeader(int fileNumber, const DesignParameters& parameters) {
  printText(fileNumber, "solid Zephyrion NACA", 0);
  printText(fileNumber, numberToText(100 * parameters.maxCamber), 0);
  printText(fileNumber, numberToText(10 * parameters.camberPosition), 0);
  printText(fileNumber, numberToText(100 * parameters.thicknessRatio), 0);
  printText(fileNumber, " Radius=", 0);
  printText(fileNumber, integerToText(parameters.rotorRadius), 0);
  printText(fileNumber, " TSR=", 0);
  printText(fileNumber, numberToText(parameters.tipSpeedRatio), 0);
  printText(fileNumber, " Blades=", 0);
  printText(fileNumber, integerToText(parameters.bladeCount), kNewlineFlag);
}

void writeStlTriangle(int fileNumber, const Point3& v1, const Point3& v2, const Point3& v3) {
  // The seven lines of a facet are collected and written at once.
  std::string block = "facet normal ";
  appendTriple(block, facetNormal(v1, v2, v3));
  block += " outer loop\r\n";
  for (const Point3* vertex : {&v1, &v2, &v3}) {
    block += " vertex ";
    appendTriple(block, *vertex);
  }
  block += " endloop\r\nendfacet\r\n";
  printText(fileNumber, block, 0);
}

void writeStlQuad(int fileNumber, std::int32_t axisOffset, const Quad& quad) {
  Point3 p1 = shifted(quad.p1, axisOffset);
  Point3 p2 = shifted(quad.p2, axisOffset);
  Point3 p3 = shifted(quad.p3, axisOffset);
  Point3 p4 = shifted(quad.p4, axisOffset);
  writeStlTriangle(fileNumber, p2, p1, p4);
  writeStlTriangle(fileNumber, p3, p2, p4);
}

void writeStlFooter(int fileNumber) {
  printText(fileNumber, "endsolid", kNewlineFlag);
}

}  // namespace zephyrion
