#include "panel_method.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <utility>

#include "units.h"

namespace zephyrion::rotor {
namespace {

// The field point's distance and direction from one node, shared by the two panels meeting there.
struct FromNode {
  double squaredDistance = 0;
  double logDistance = 0;  // 0 at the node itself, where it is only ever multiplied by 0
  double direction = 0;    // of the vector from the node to the point
};

FromNode fromNode(ContourPoint node, ContourPoint point) {
  double dx = point.x - node.x;
  double dy = point.y - node.y;
  double squared = dx * dx + dy * dy;
  return {squared, squared > 0 ? 0.5 * std::log(squared) : 0.0, std::atan2(dy, dx)};
}

// A straight panel's frame: x along it from its start, y across it, to the left.
struct PanelFrame {
  ContourPoint start;
  double length = 0;
  double cosine = 0;
  double sine = 0;
  double direction = 0;
};

PanelFrame panelFrame(ContourPoint start, ContourPoint end) {
  double length = std::hypot(end.x - start.x, end.y - start.y);
  return {start, length, (end.x - start.x) / length, (end.y - start.y) / length,
          std::atan2(end.y - start.y, end.x - start.x)};
}

struct InPanelFrame {
  double along = 0;
  double across = 0;
  double beyond = 0;  // along less the panel's length
};

InPanelFrame inPanelFrame(const PanelFrame& panel, ContourPoint point) {
  double dx = point.x - panel.start.x;
  double dy = point.y - panel.start.y;
  double along = dx * panel.cosine + dy * panel.sine;
  return {along, -dx * panel.sine + dy * panel.cosine, along - panel.length};
}

// Stream function at a point of one panel whose sheet strength is 1 at one end and 0 at the other,
// for each end: the integral of a point vortex's -ln(r) / (2 pi) along the panel, in closed form
// in the panel's own frame.
struct PanelStream {
  double fromStart = 0;
  double fromEnd = 0;
};

PanelStream vortexStream(const PanelFrame& panel, ContourPoint point, const FromNode& atStart,
                         const FromNode& atEnd) {
  InPanelFrame p = inPanelFrame(panel, point);
  // The angle the panel subtends at the point, in (-pi, pi].
  double subtended = atEnd.direction - atStart.direction;
  if (subtended > kPi) subtended -= 2.0 * kPi;
  if (subtended <= -kPi) subtended += 2.0 * kPi;
  // Int_0^L ln r dxi and Int_0^L xi ln r dxi.
  double plain =
      p.along * atStart.logDistance - p.beyond * atEnd.logDistance - panel.length + p.across * subtended;
  double weighted =
      p.along * plain -
      (atStart.squaredDistance * atStart.logDistance - atEnd.squaredDistance * atEnd.logDistance) / 2.0 +
      (atStart.squaredDistance - atEnd.squaredDistance) / 4.0;
  double ramp = weighted / panel.length;
  return {-(plain - ramp) / (2.0 * kPi), -ramp / (2.0 * kPi)};
}

// The angle in the panel's frame at which the point is seen from a node, in (-pi / 2, 3 pi / 2]:
// the branch cut of a source's stream function then leaves it to the panel's right, outside a
// counterclockwise contour, where no node lies.
double angleInsideCut(const PanelFrame& panel, const FromNode& node) {
  double angle = node.direction - panel.direction;
  while (angle > 1.5 * kPi)
    angle -= 2.0 * kPi;
  while (angle <= -0.5 * kPi)
    angle += 2.0 * kPi;
  return angle;
}

// Stream function at a point of a panel of unit source strength: the integral of a point source's
// theta / (2 pi) along it, where Int theta du = u theta + y ln r between the point's offsets from
// the panel's two ends: the conjugate of the constant-strength source element's potential (Katz
// and Plotkin, Low-Speed Aerodynamics, 2nd ed. 2001, ch. 10).
double sourceStream(const PanelFrame& panel, ContourPoint point, const FromNode& atStart,
                    const FromNode& atEnd) {
  InPanelFrame p = inPanelFrame(panel, point);
  double integral = p.along * angleInsideCut(panel, atStart) + p.across * atStart.logDistance -
                    p.beyond * angleInsideCut(panel, atEnd) - p.across * atEnd.logDistance;
  return integral / (2.0 * kPi);
}

// Dense LU factors with partial pivoting, row-major.
struct LuFactors {
  std::size_t size = 0;
  std::vector<double> matrix;
  std::vector<std::size_t> pivots;
};

LuFactors factor(std::vector<double> matrix, std::size_t n) {
  LuFactors lu{n, std::move(matrix), std::vector<std::size_t>(n)};
  std::vector<double>& a = lu.matrix;
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t pivot = k;
    for (std::size_t i = k + 1; i < n; ++i) {
      if (std::fabs(a[i * n + k]) > std::fabs(a[pivot * n + k])) pivot = i;
    }
    lu.pivots[k] = pivot;
    if (pivot != k) {
      for (std::size_t j = 0; j < n; ++j)
        std::swap(a[k * n + j], a[pivot * n + j]);
    }
    assert(a[k * n + k] != 0.0);
    for (std::size_t i = k + 1; i < n; ++i) {
      double f = a[i * n + k] /= a[k * n + k];
      for (std::size_t j = k + 1; j < n; ++j)
        a[i * n + j] -= f * a[k * n + j];
    }
  }
  return lu;
}

// Solves for `columns` right-hand sides at once, stored row by row (row i holds every side's
// entry i), so that each step runs along a whole row.
void solveInPlace(const LuFactors& lu, std::vector<double>& b, std::size_t columns) {
  std::size_t n = lu.size;
  const std::vector<double>& a = lu.matrix;
  auto row = [&](std::size_t i) { return b.begin() + static_cast<std::ptrdiff_t>(i * columns); };
  for (std::size_t k = 0; k < n; ++k) {
    if (lu.pivots[k] != k)
      std::swap_ranges(row(k), row(k) + static_cast<std::ptrdiff_t>(columns), row(lu.pivots[k]));
  }
  for (std::size_t k = 0; k < n; ++k) {
    for (std::size_t i = k + 1; i < n; ++i) {
      double f = a[i * n + k];
      for (std::size_t c = 0; c < columns; ++c)
        b[i * columns + c] -= f * b[k * columns + c];
    }
  }
  for (std::size_t k = n; k-- > 0;) {
    for (std::size_t j = k + 1; j < n; ++j) {
      double f = a[k * n + j];
      for (std::size_t c = 0; c < columns; ++c)
        b[k * columns + c] -= f * b[j * columns + c];
    }
    for (std::size_t c = 0; c < columns; ++c)
      b[k * columns + c] /= a[k * n + k];
  }
}

[[maybe_unused]] bool isClosedCounterclockwise(const std::vector<ContourPoint>& nodes) {
  if (nodes.size() < 8 || nodes.front().x != nodes.back().x || nodes.front().y != nodes.back().y)
    return false;
  double twiceArea = 0;
  for (std::size_t j = 0; j + 1 < nodes.size(); ++j) {
    if (nodes[j].x == nodes[j + 1].x && nodes[j].y == nodes[j + 1].y) return false;
    twiceArea += nodes[j].x * nodes[j + 1].y - nodes[j + 1].x * nodes[j].y;
  }
  return twiceArea > 0;
}

}  // namespace

InviscidSection solveInviscid(std::vector<ContourPoint> nodes) {
  assert(isClosedCounterclockwise(nodes));
  std::size_t panels = nodes.size() - 1;
  std::size_t strengths = panels + 1;  // one per node, the trailing edge's twice
  std::size_t n = strengths + 1;       // and the stream function of the surface
  std::vector<PanelFrame> frames;
  for (std::size_t j = 0; j < panels; ++j)
    frames.push_back(panelFrame(nodes[j], nodes[j + 1]));
  // Right-hand sides, row by row: the free stream along x, along y, then a unit source on each
  // panel.
  std::size_t columns = 2 + panels;
  std::vector<double> matrix(n * n, 0.0);
  std::vector<double> sides(n * columns, 0.0);
  // The surface is one streamline: at every node, the trailing edge once.
  std::vector<FromNode> seen(nodes.size());
  for (std::size_t i = 0; i < panels; ++i) {
    ContourPoint point = nodes[i];
    for (std::size_t k = 0; k < nodes.size(); ++k)
      seen[k] = fromNode(nodes[k], point);
    double* side = &sides[i * columns];
    side[0] = -point.y;  // free stream along x: psi = y
    side[1] = point.x;   // along y: psi = -x
    for (std::size_t j = 0; j < panels; ++j) {
      PanelStream stream = vortexStream(frames[j], point, seen[j], seen[j + 1]);
      matrix[i * n + j] += stream.fromStart;
      matrix[i * n + j + 1] += stream.fromEnd;
      side[2 + j] = -sourceStream(frames[j], point, seen[j], seen[j + 1]);
    }
    matrix[i * n + strengths] = -1.0;
  }
  // Kutta: the flow leaves the trailing edge with one speed on both sides. The two strengths
  // at the sharp edge share one node, so the streamline cannot tell them apart: the strength
  // bends alike on both sides as it reaches the edge (Drela 1989, for sharp trailing edges).
  matrix[panels * n] = 1.0;
  matrix[panels * n + panels] = 1.0;
  std::size_t bend = panels + 1;
  matrix[bend * n + 0] = 1.0;
  matrix[bend * n + 1] = -2.0;
  matrix[bend * n + 2] = 1.0;
  matrix[bend * n + panels] = -1.0;
  matrix[bend * n + panels - 1] = 2.0;
  matrix[bend * n + panels - 2] = -1.0;
  solveInPlace(factor(std::move(matrix), n), sides, columns);
  InviscidSection section;
  section.alongX.resize(strengths);
  section.alongY.resize(strengths);
  section.sourceResponse.resize(panels * strengths);
  for (std::size_t i = 0; i < strengths; ++i) {
    section.alongX[i] = sides[i * columns];
    section.alongY[i] = sides[i * columns + 1];
    for (std::size_t j = 0; j < panels; ++j)
      section.sourceResponse[j * strengths + i] = sides[i * columns + 2 + j];
  }
  section.arc.assign(nodes.size(), 0.0);
  for (std::size_t j = 1; j < nodes.size(); ++j)
    section.arc[j] = section.arc[j - 1] + frames[j - 1].length;
  section.nodes = std::move(nodes);
  return section;
}

std::vector<double> sheetStrength(const InviscidSection& section, double alphaRadians) {
  double c = std::cos(alphaRadians);
  double s = std::sin(alphaRadians);
  std::vector<double> strength(section.alongX.size());
  for (std::size_t j = 0; j < strength.size(); ++j)
    strength[j] = c * section.alongX[j] + s * section.alongY[j];
  return strength;
}

std::vector<double> sheetStrength(const InviscidSection& section, double alphaRadians,
                                  const std::vector<double>& sources) {
  std::vector<double> strength = sheetStrength(section, alphaRadians);
  std::size_t n = strength.size();
  assert(sources.size() * n == section.sourceResponse.size());
  // Four panels' responses at a time, so that each strength is loaded and stored a quarter as often.
  std::size_t k = 0;
  for (; k + 4 <= sources.size(); k += 4) {
    const double* r = &section.sourceResponse[k * n];
    double s0 = sources[k], s1 = sources[k + 1], s2 = sources[k + 2], s3 = sources[k + 3];
    for (std::size_t i = 0; i < n; ++i)
      strength[i] += s0 * r[i] + s1 * r[n + i] + s2 * r[2 * n + i] + s3 * r[3 * n + i];
  }
  for (; k < sources.size(); ++k) {
    const double* r = &section.sourceResponse[k * n];
    for (std::size_t i = 0; i < n; ++i)
      strength[i] += sources[k] * r[i];
  }
  return strength;
}

double circulationLift(const InviscidSection& section, const std::vector<double>& strength, double chord) {
  double counterclockwise = 0;
  for (std::size_t j = 0; j + 1 < strength.size(); ++j)
    counterclockwise += (section.arc[j + 1] - section.arc[j]) * (strength[j] + strength[j + 1]) / 2.0;
  return -2.0 * counterclockwise / chord;  // clockwise circulation lifts
}

}  // namespace zephyrion::rotor
