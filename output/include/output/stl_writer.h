// The blade as an STL solid: the ASCII text (header line, facet blocks, footer line) and, on
// request, the binary form of the same facets.
//
// The facets are formatted into the caller's buffer (formatStlQuad, binaryStlQuad), so that a
// writer can fill large blocks and hand them to the file at once; the operations on file
// numbers write single pieces through the file slots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "blade/blade_surface.h"
#include "blade/design_parameters.h"
#include "text/number_forms.h"
#include "text/print_form_memo.h"

namespace zephyrion {

enum class StlFormat { kAscii, kBinary };

// "solid Zephyrion NACA4412 Radius=500 TSR=5 Blades=3": the header line without its CR LF.
std::string stlHeaderText(const DesignParameters& parameters);

// The header line and CR LF.
void writeStlHeader(int fileNumber, const DesignParameters& parameters);

// The most bytes of one ASCII facet block: the words "facet normal ", " outer loop", " endloop",
// "endfacet", three times " vertex ", and four lines of three numbers, two blanks and CR LF.
inline constexpr std::size_t kStlFacetMaxBytes = 13 + 13 + 20 + 3 * 8 + 4 * (3 * kNumberFormMaxBytes + 4);

// One facet with its unit normal (right-hand rule over v1, v2, v3), written at `out`; returns
// the end. A degenerate facet, whose normal has no length, gets the normal 0 0 0.
char* formatStlTriangle(char* out, const Point3& v1, const Point3& v2, const Point3& v3);
void writeStlTriangle(int fileNumber, const Point3& v1, const Point3& v2, const Point3& v3);

// The quad P1..P4 as the facets (P2, P1, P4) and (P3, P2, P4), with axisOffset taken off x:
// at most 2 x kStlFacetMaxBytes. The vertices' numbers go through `vertexTexts`, which a writer
// keeps from quad to quad.
char* formatStlQuad(char* out, std::int32_t axisOffset, const Quad& quad, PrintFormMemo& vertexTexts);
void writeStlQuad(int fileNumber, std::int32_t axisOffset, const Quad& quad);

// "endsolid" and CR LF.
void writeStlFooter(int fileNumber);

// The binary form: an 80-byte header holding the header line's text with "binary" in place of
// its first word "solid" (cut at 80 bytes, padded with zero bytes), the facet count as a little-endian 32-bit
// integer, then 50 bytes per facet: the normal and the three vertices as little-endian 32-bit floats, and a
// zero attribute.
inline constexpr std::size_t kBinaryStlHeaderBytes = 84;
inline constexpr std::size_t kBinaryStlFacetBytes = 50;
std::array<char, kBinaryStlHeaderBytes> binaryStlHeader(const DesignParameters& parameters,
                                                        std::uint32_t facetCount);

// The two facets of the quad, as formatStlQuad orders them: 2 x kBinaryStlFacetBytes.
char* binaryStlQuad(char* out, std::int32_t axisOffset, const Quad& quad);

}  // namespace zephyrion
