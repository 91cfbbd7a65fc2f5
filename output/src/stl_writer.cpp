#include "output/stl_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

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

Point3 shifted(const Point3& p, std::int32_t axisOffset) {
  return {p.x - axisOffset, p.y, p.z};
}

template <std::size_t size>
char* copyWords(char* out, const char (&words)[size]) {
  std::memcpy(out, words, size - 1);
  return out + size - 1;
}

// Writes a vertex's numbers: each of them through the memo when the writer has one.
struct VertexNumbers {
  PrintFormMemo* memo;
  char* operator()(char* out, double value) const {
    return memo ? memo->write(out, value) : printFormTo(out, value);
  }
};

// The three print forms separated by one blank, then CR LF.
template <class WriteNumber>
char* formatTriple(char* out, const Point3& p, WriteNumber writeNumber) {
  out = writeNumber(out, p.x);
  *out++ = ' ';
  out = writeNumber(out, p.y);
  *out++ = ' ';
  out = writeNumber(out, p.z);
  return copyWords(out, "\r\n");
}

// The normal's numbers are rarely written twice; the vertices' stand in about six facets each.
char* formatFacet(char* out, const Point3& v1, const Point3& v2, const Point3& v3,
                  VertexNumbers vertexNumbers) {
  out = copyWords(out, "facet normal ");
  out = formatTriple(out, facetNormal(v1, v2, v3), printFormTo);
  out = copyWords(out, " outer loop\r\n");
  for (const Point3* vertex : {&v1, &v2, &v3}) {
    out = copyWords(out, " vertex ");
    out = formatTriple(out, *vertex, vertexNumbers);
  }
  return copyWords(out, " endloop\r\nendfacet\r\n");
}

char* formatQuad(char* out, std::int32_t axisOffset, const Quad& quad, VertexNumbers vertexNumbers) {
  Point3 p1 = shifted(quad.p1, axisOffset);
  Point3 p2 = shifted(quad.p2, axisOffset);
  Point3 p3 = shifted(quad.p3, axisOffset);
  Point3 p4 = shifted(quad.p4, axisOffset);
  out = formatFacet(out, p2, p1, p4, vertexNumbers);
  return formatFacet(out, p3, p2, p4, vertexNumbers);
}

void printBytes(int fileNumber, const char* begin, const char* end) {
  printText(fileNumber, std::string_view(begin, static_cast<std::size_t>(end - begin)), 0);
}

// Little-endian bytes whatever the machine's own order.
char* putLittleEndian(char* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    *out++ = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

char* putFloat(char* out, double value) {
  return putLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

char* putPoint(char* out, const Point3& p) {
  out = putFloat(out, p.x);
  out = putFloat(out, p.y);
  return putFloat(out, p.z);
}

char* binaryStlTriangle(char* out, const Point3& v1, const Point3& v2, const Point3& v3) {
  out = putPoint(out, facetNormal(v1, v2, v3));
  out = putPoint(out, v1);
  out = putPoint(out, v2);
  out = putPoint(out, v3);
  *out++ = 0;  // the attribute byte count
  *out++ = 0;
  return out;
}

}  // namespace

std::string stlHeaderText(const DesignParameters& parameters) {
  return "solid Zephyrion NACA" + numberToText(100 * parameters.maxCamber) +
         numberToText(10 * parameters.camberPosition) + numberToText(100 * parameters.thicknessRatio) +
         " Radius=" + integerToText(parameters.rotorRadius) +
         " TSR=" + numberToText(parameters.tipSpeedRatio) + " Blades=" + integerToText(parameters.bladeCount);
}

void writeStlHeader(int fileNumber, const DesignParameters& parameters) {
  printText(fileNumber, stlHeaderText(parameters), kNewlineFlag);
}

char* formatStlTriangle(char* out, const Point3& v1, const Point3& v2, const Point3& v3) {
  return formatFacet(out, v1, v2, v3, {nullptr});
}

void writeStlTriangle(int fileNumber, const Point3& v1, const Point3& v2, const Point3& v3) {
  char block[kStlFacetMaxBytes];
  printBytes(fileNumber, block, formatStlTriangle(block, v1, v2, v3));
}

char* formatStlQuad(char* out, std::int32_t axisOffset, const Quad& quad, PrintFormMemo& vertexTexts) {
  return formatQuad(out, axisOffset, quad, {&vertexTexts});
}

void writeStlQuad(int fileNumber, std::int32_t axisOffset, const Quad& quad) {
  char block[2 * kStlFacetMaxBytes];
  printBytes(fileNumber, block, formatQuad(block, axisOffset, quad, {nullptr}));
}

void writeStlFooter(int fileNumber) {
  printText(fileNumber, "endsolid", kNewlineFlag);
}

std::array<char, kBinaryStlHeaderBytes> binaryStlHeader(const DesignParameters& parameters,
                                                        std::uint32_t facetCount) {
  std::array<char, kBinaryStlHeaderBytes> header{};
  // Readers take a file that begins with "solid" for ASCII, so the binary header says "binary"
  // in its place.
  std::string text = "binary" + stlHeaderText(parameters).substr(std::string_view("solid").size());
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 80), header.begin());
  putLittleEndian(header.data() + 80, facetCount);
  return header;
}

char* binaryStlQuad(char* out, std::int32_t axisOffset, const Quad& quad) {
  Point3 p1 = shifted(quad.p1, axisOffset);
  Point3 p2 = shifted(quad.p2, axisOffset);
  Point3 p3 = shifted(quad.p3, axisOffset);
  Point3 p4 = shifted(quad.p4, axisOffset);
  out = binaryStlTriangle(out, p2, p1, p4);
  return binaryStlTriangle(out, p3, p2, p4);
}

}  // namespace zephyrion
