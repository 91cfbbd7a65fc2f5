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

// Stream function at a point of one panel whose sheet strength is 1 at one end and 0 at the other,
// for each end: the integral of a point vortex's -ln(r) / (2 pi) along the panel, in closed form
// in the panel's own frame (x along the panel from its start, y across it).
struct PanelStream {
  double fromStart = 0;
  double fromEnd = 0;
};

PanelStream panelStream(ContourPoint start, ContourPoint end, ContourPoint point, const FromNode& atStart,
                        const FromNode& atEnd) {
  double length = std::hypot(end.x - start.x, end.y - start.y);
  double cosine = (end.x - start.x) / length;
  double sine = (end.y - start.y) / length;
  double dx = point.x - start.x;
  double dy = point.y - start.y;
  double along = dx * cosine + dy * sine;
  double across = -dx * sine + dy * cosine;
  double beyond = along - length;
  // The angle the panel subtends at the point, in (-pi, pi].
  double subtended = atEnd.direction - atStart.direction;
  if (subtended > kPi) subtended -= 2.0 * kPi;
  if (subtended <= -kPi) subtended += 2.0 * kPi;
  // Int_0^L ln r dxi and Int_0^L xi ln r dxi.
  double plain = along * atStart.logDistance - beyond * atEnd.logDistance - length + across * subtended;
  double weighted =
      along * plain -
      (atStart.squaredDistance * atStart.logDistance - atEnd.squaredDistance * atEnd.logDistance) / 2.0 +
      (atStart.squaredDistance - atEnd.squaredDistance) / 4.0;
  double ramp = weighted / length;
  return {-(plain - ramp) / (2.0 * kPi), -ramp / (2.0 * kPi)};
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

std::vector<double> solve(const LuFactors& lu, std::vector<double> b) {
  std::size_t n = lu.size;
  const std::vector<double>& a = lu.matrix;
  for (std::size_t k = 0; k < n; ++k)
    std::swap(b[k], b[lu.pivots[k]]);
  for (std::size_t k = 0; k < n; ++k) {
    for (std::size_t i = k + 1; i < n; ++i)
      b[i] -= a[i * n + k] * b[k];
  }
  for (std::size_t k = n; k-- > 0;) {
    for (std::size_t j = k + 1; j < n; ++j)
      b[k] -= a[k * n + j] * b[j];
    b[k] /= a[k * n + k];
  }
  return b;
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
  std::vector<double> matrix(n * n, 0.0);
  std::vector<double> rhsX(n, 0.0);
  std::vector<double> rhsY(n, 0.0);
  // The surface is one streamline: at every node, the trailing edge once.
  std::vector<FromNode> seen(nodes.size());
  auto streamRow = [&](std::size_t row, ContourPoint point) {
    for (std::size_t k = 0; k < nodes.size(); ++k)
      seen[k] = fromNode(nodes[k], point);
    for (std::size_t j = 0; j < panels; ++j) {
      PanelStream stream = panelStream(nodes[j], nodes[j + 1], point, seen[j], seen[j + 1]);
      matrix[row * n + j] += stream.fromStart;
      matrix[row * n + j + 1] += stream.fromEnd;
    }
    matrix[row * n + strengths] = -1.0;
    rhsX[row] = -point.y;  // free stream along x: psi = y
    rhsY[row] = point.x;   // along y: psi = -x
  };
  for (std::size_t i = 0; i < panels; ++i)
    streamRow(i, nodes[i]);
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
  LuFactors lu = factor(std::move(matrix), n);
  InviscidSection section;
  section.alongX = solve(lu, std::move(rhsX));
  section.alongY = solve(lu, std::move(rhsY));
  section.alongX.resize(strengths);
  section.alongY.resize(strengths);
  section.arc.assign(nodes.size(), 0.0);
  for (std::size_t j = 1; j < nodes.size(); ++j)
    section.arc[j] =
        section.arc[j - 1] + std::hypot(nodes[j].x - nodes[j - 1].x, nodes[j].y - nodes[j - 1].y);
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

double circulationLift(const InviscidSection& section, const std::vector<double>& strength, double chord) {
  double counterclockwise = 0;
  for (std::size_t j = 0; j + 1 < strength.size(); ++j)
    counterclockwise += (section.arc[j + 1] - section.arc[j]) * (strength[j] + strength[j + 1]) / 2.0;
  return -2.0 * counterclockwise / chord;  // clockwise circulation lifts
}

}  // namespace zephyrion::rotor
