#include "boundary_layer.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyrion::rotor {
namespace {

constexpr double kCriticalAmplification = 9.0;
constexpr double kLaminarSeparation = -0.09;  // Thwaites' lambda
constexpr double kTurbulentStartShape = 1.4;
constexpr double kTurbulentSeparationShape = 1.9;
// Heun steps of Head's method span at most this many momentum thicknesses (half as many change no
// figure of tests/rotor/naca_data_test.cpp in its third digit).
constexpr double kStepThicknesses = 40.0;
constexpr int kMostSteps = 50;

// Thwaites' closure: the shape factor H from his pressure-gradient parameter lambda.
double laminarShape(double lambda) {
  double l = std::clamp(lambda, kLaminarSeparation, 0.25);
  return l >= 0 ? 2.61 - 3.75 * l + 5.24 * l * l : 2.088 + 0.0731 / (l + 0.14);
}

// Drela and Giles's envelope of the growth of Tollmien-Schlichting waves in Falkner-Skan profiles
// of shape factor H: the momentum-thickness Reynolds number where waves start to grow, and the
// growth rate along the surface of their amplitude's logarithm N.
double criticalReynolds(double shape) {
  double h = 1.0 / (shape - 1.0);
  return std::pow(10.0, (1.415 * h - 0.489) * std::tanh(20.0 * h - 12.9) + 3.295 * h + 0.44);
}

// The growth rate times the momentum thickness.
double amplificationPerThickness(double shape) {
  double slope = 2.4 * shape - 3.7 + 2.5 * std::tanh(1.5 * shape - 4.65);
  double perReynolds = 0.01 * std::sqrt(slope * slope + 0.25);
  double l = (6.54 * shape - 14.07) / (shape * shape);
  double m = (0.058 * (shape - 4.0) * (shape - 4.0) / (shape - 1.0) - 0.068) / l;
  return perReynolds * (m + 1.0) / 2.0 * l;
}

// Both, tabulated over the shape factors Thwaites' closure gives (2 to 3.55) and interpolated
// linearly: they run at every laminar station of every side, pass and angle.
struct Instability {
  double criticalReynolds = 0;
  double amplificationPerThickness = 0;
};

constexpr double kLaminarTableFirst = 1.99;
constexpr double kLaminarTableLast = 3.56;
constexpr double kLaminarTableStep = 1.0 / 1024.0;

Instability instability(double shape) {
  static const std::vector<Instability> table = [] {
    std::vector<Instability> values;
    for (double h = kLaminarTableFirst; h <= kLaminarTableLast + kLaminarTableStep; h += kLaminarTableStep)
      values.push_back({criticalReynolds(h), amplificationPerThickness(h)});
    return values;
  }();
  if (!(shape >= kLaminarTableFirst && shape < kLaminarTableLast))
    return {criticalReynolds(shape), amplificationPerThickness(shape)};
  double at = (shape - kLaminarTableFirst) / kLaminarTableStep;
  std::size_t i = static_cast<std::size_t>(at);
  double t = at - static_cast<double>(i);
  const Instability& a = table[i];
  const Instability& b = table[i + 1];
  return {a.criticalReynolds + t * (b.criticalReynolds - a.criticalReynolds),
          a.amplificationPerThickness + t * (b.amplificationPerThickness - a.amplificationPerThickness)};
}

// Head's entrainment shape factor H1 = (delta - delta*) / theta, its inverse, and the entrainment
// rate, as Cebeci and Bradshaw fit Head's curves.
double entrainmentShape(double shape) {
  return shape <= 1.6 ? 3.3 + 0.8234 * std::pow(shape - 1.1, -1.287)
                      : 3.3 + 1.5501 * std::pow(shape - 0.6778, -3.064);
}

// An entrainment shape this close to its lower bound means a separated layer.
constexpr double kLeastEntrainmentShape = 3.3 + 1e-9;

double shapeOfEntrainment(double h1) {
  double excess = std::max(h1, kLeastEntrainmentShape) - 3.3;
  return h1 >= 5.3 ? 1.1 + 0.86 * std::pow(excess, -0.777) : 0.6778 + 1.1538 * std::pow(excess, -0.326);
}

double entrainmentRate(double h1) {
  return 0.0306 * std::pow(std::max(h1, kLeastEntrainmentShape) - 3.0, -0.6169);
}

// Head's closure as functions of H1 (the shape factor, the entrainment rate and the shape's part
// of Ludwieg and Tillmann's friction, 10^(-0.678 H)), tabulated over the entrainment shapes of
// attached layers (H from 1.16 to past separation) and interpolated linearly, to within 1e-5: they
// run twice per step of some forty steps per side, pass and angle, and their powers would take
// most of the model's time.
struct HeadClosure {
  double shape = 0;
  double entrainment = 0;
  double shapeFriction = 0;
};

HeadClosure headClosureOf(double h1) {
  constexpr double kLn10 = 2.302585092994046;
  double shape = shapeOfEntrainment(h1);
  return {shape, entrainmentRate(h1), std::exp(-0.678 * kLn10 * shape)};
}

constexpr double kTableFirst = 4.0;
constexpr double kTableLast = 12.0;
constexpr double kTableStep = 1.0 / 128.0;

HeadClosure headClosure(double h1) {
  static const std::vector<HeadClosure> table = [] {
    std::vector<HeadClosure> values;
    for (double x = kTableFirst; x <= kTableLast + kTableStep; x += kTableStep)
      values.push_back(headClosureOf(x));
    return values;
  }();
  if (!(h1 >= kTableFirst && h1 < kTableLast)) return headClosureOf(h1);
  double at = (h1 - kTableFirst) / kTableStep;
  std::size_t i = static_cast<std::size_t>(at);
  double t = at - static_cast<double>(i);
  const HeadClosure& a = table[i];
  const HeadClosure& b = table[i + 1];
  return {a.shape + t * (b.shape - a.shape), a.entrainment + t * (b.entrainment - a.entrainment),
          a.shapeFriction + t * (b.shapeFriction - a.shapeFriction)};
}

// The Reynolds number's part of Ludwieg and Tillmann's skin friction of a turbulent layer,
// cf = 0.246 10^(-0.678 H) Re_theta^-0.268. With Re_theta = m 2^e (m in [0.5, 1)), m^-0.268 comes
// from a table interpolated linearly (to within 1e-6) and 2^(-0.268 e) from another: a log and an
// exp at every step would take a fifth of the model's time.
constexpr double kFrictionPower = -0.268;
constexpr int kMantissaIntervals = 256;
constexpr int kLargestExponent = 40;  // Re_theta below 2^40; beyond it log and exp

double reynoldsFriction(double reynoldsTheta) {
  struct Tables {
    std::vector<double> mantissa;  // m^p at 0.5 + i / (2 kMantissaIntervals)
    std::vector<double> binary;    // 2^(p e)
  };
  static const Tables tables = [] {
    Tables t;
    for (int i = 0; i <= kMantissaIntervals; ++i)
      t.mantissa.push_back(std::pow(0.5 + 0.5 * i / kMantissaIntervals, kFrictionPower));
    for (int e = 0; e <= kLargestExponent; ++e)
      t.binary.push_back(std::pow(2.0, kFrictionPower * e));
    return t;
  }();
  if (!(reynoldsTheta >= 1.0 && reynoldsTheta < std::ldexp(1.0, kLargestExponent)))
    return 0.246 * std::exp(kFrictionPower * std::log(reynoldsTheta));
  // The IEEE double's fields: a normal number here, so its exponent is the stored one less 1022
  // for the mantissa in [0.5, 1), which the stored fraction under the exponent of 0.5 gives.
  auto bits = std::bit_cast<std::uint64_t>(reynoldsTheta);
  auto exponent = static_cast<std::size_t>(((bits >> 52) & 0x7ff) - 1022);
  double mantissa =
      std::bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1022} << 52));
  double at = (mantissa - 0.5) * 2.0 * kMantissaIntervals;
  std::size_t i = std::min(static_cast<std::size_t>(at), static_cast<std::size_t>(kMantissaIntervals - 1));
  double t = at - static_cast<double>(i);
  return 0.246 * (tables.mantissa[i] + t * (tables.mantissa[i + 1] - tables.mantissa[i])) *
         tables.binary[exponent];
}

// Head's variables: momentum thickness and the entrained flow Ue theta H1.
struct TurbulentState {
  double theta = 0;
  double entrained = 0;
};

// The closure at a state, with its skin friction.
struct TurbulentClosure {
  double shape = 0;
  double entrainment = 0;
  double friction = 0;
};

// `frictionScale` is reynoldsFriction at about this state: its weak power of Re_theta is taken
// once per step.
TurbulentClosure turbulentClosure(const TurbulentState& y, double speed, double frictionScale) {
  HeadClosure closure = headClosure(y.entrained / (speed * y.theta));
  return {closure.shape, closure.entrainment, closure.shapeFriction * frictionScale};
}

// The rates of Head's variables along the surface.
TurbulentState turbulentRates(const TurbulentState& y, const TurbulentClosure& closure, double speed,
                              double speedSlope) {
  return {closure.friction / 2.0 - (closure.shape + 2.0) * y.theta / speed * speedSlope,
          speed * closure.entrainment};
}

struct Station {
  double arc = 0;
  double speed = 0;
};

// The turbulent layer at the end of a stretch of linearly varying edge speed with its closure, or
// where it separated within it.
struct StretchEnd {
  TurbulentState state;
  TurbulentClosure closure;
  bool separated = false;
  double separationArc = 0;
};

// Heun's steps from `y`, whose closure is `closure`.
StretchEnd turbulentStretch(TurbulentState y, TurbulentClosure closure, Station from, Station to,
                            double reynolds) {
  double slope = (to.speed - from.speed) / (to.arc - from.arc);
  double length = to.arc - from.arc;
  double wanted = std::ceil(length / (kStepThicknesses * y.theta));  // clamped before it becomes an int
  int steps = wanted >= kMostSteps ? kMostSteps : (wanted >= 1 ? static_cast<int>(wanted) : 1);
  double h = length / steps;
  TurbulentState k1 = turbulentRates(y, closure, from.speed, slope);
  for (int i = 0; i < steps; ++i) {
    double s = from.arc + i * h;
    double u1 = from.speed + slope * (s + h - from.arc);
    TurbulentState guess{y.theta + h * k1.theta, y.entrained + h * k1.entrained};
    if (!(guess.theta > 0)) return {y, closure, true, s};
    double frictionScale = reynoldsFriction(reynolds * u1 * guess.theta);
    TurbulentState k2 = turbulentRates(guess, turbulentClosure(guess, u1, frictionScale), u1, slope);
    TurbulentState next{y.theta + h / 2.0 * (k1.theta + k2.theta),
                        y.entrained + h / 2.0 * (k1.entrained + k2.entrained)};
    TurbulentClosure atNext = next.theta > 0 ? turbulentClosure(next, u1, frictionScale) : closure;
    if (!(next.theta > 0) || atNext.shape >= kTurbulentSeparationShape) {
      double rise = atNext.shape - closure.shape;
      double share = next.theta > 0 && rise > 0
                         ? std::clamp((kTurbulentSeparationShape - closure.shape) / rise, 0.0, 1.0)
                         : 0.0;
      return {y, closure, true, s + share * h};
    }
    y = next;
    closure = atNext;
    k1 = turbulentRates(y, closure, u1, slope);
  }
  return {y, closure, false, to.arc};
}

// Int Ue^5 ds over a stretch where Ue varies linearly: (u1^6 - u0^6) / (6 (u1 - u0)) times its
// length, summed so that it holds for u0 = u1 too.
double fifthPowerIntegral(double u0, double u1, double length) {
  double sum = 0;
  double power0 = 1;
  for (int i = 0; i <= 5; ++i) {
    double power1 = 1;
    for (int j = 0; j < 5 - i; ++j)
      power1 *= u1;
    sum += power0 * power1;
    power0 *= u0;
  }
  return length * sum / 6.0;
}

double speedSlopeAt(const SurfaceFlow& flow, std::size_t k) {
  std::size_t before = k == 0 ? 0 : k - 1;
  std::size_t after = std::min(k + 1, flow.arc.size() - 1);
  return (flow.speed[after] - flow.speed[before]) / (flow.arc[after] - flow.arc[before]);
}

// Where and with which momentum thickness the laminar layer ends; `station` is the last station
// reached laminar (the side's last one for a layer laminar to the trailing edge).
struct LaminarEnd {
  bool turbulent = false;
  std::size_t station = 0;
  double arc = 0;
  double theta = 0;
  double shape = 0;
};

// The station past which a tripped layer is turbulent: past the highest speed before the trip
// point, or the trip point itself while the speed still rises there.
std::size_t tripStation(const SurfaceFlow& flow) {
  std::size_t peak = 1;
  for (std::size_t k = 1; k < flow.arc.size() && flow.arc[k] <= flow.tripArc; ++k) {
    if (flow.speed[k] > flow.speed[peak]) peak = k;
  }
  return std::min(peak + 1, flow.arc.size() - 1);
}

// `massDefect` receives Ue delta* at each station the laminar layer reaches (the turbulent layer
// overwrites the stations past its start).
LaminarEnd laminarLayer(const SurfaceFlow& flow, double reynolds, bool tripped,
                        std::vector<double>& massDefect) {
  const std::vector<double>& s = flow.arc;
  const std::vector<double>& u = flow.speed;
  std::size_t trip = tripped ? tripStation(flow) : s.size();
  // At the stagnation point theta^2 = 0.075 nu / (dUe/ds).
  double theta = std::sqrt(0.075 / (reynolds * u[1] / s[1]));
  double shape = laminarShape(0.075);
  double integral = 0;
  double amplification = 0;
  double previousRate = 0;
  for (std::size_t k = 1; k < s.size(); ++k) {
    integral += fifthPowerIntegral(u[k - 1], u[k], s[k] - s[k - 1]);
    double cube = u[k] * u[k] * u[k];
    double nextTheta = std::sqrt(0.45 * integral / (reynolds * cube * cube));
    double lambda = nextTheta * nextTheta * reynolds * speedSlopeAt(flow, k);
    double nextShape = laminarShape(lambda);
    massDefect[k] = u[k] * nextShape * nextTheta;
    if (lambda < kLaminarSeparation) {
      if (k == 1) return {true, 1, s[1], nextTheta, nextShape};
      return {true, k - 1, s[k - 1], theta, shape};
    }
    if (k == trip) return {true, k, s[k], nextTheta, nextShape};
    Instability waves = instability(nextShape);
    bool growing = reynolds * u[k] * nextTheta > waves.criticalReynolds;
    double rate = growing ? waves.amplificationPerThickness / nextTheta : 0.0;
    double grown = amplification + (s[k] - s[k - 1]) * (rate + previousRate) / 2.0;
    if (grown >= kCriticalAmplification) {
      if (k == 1) return {true, 1, s[1], nextTheta, nextShape};
      double share = (kCriticalAmplification - amplification) / (grown - amplification);
      return {true, k - 1, s[k - 1] + share * (s[k] - s[k - 1]), theta + share * (nextTheta - theta), shape};
    }
    amplification = grown;
    previousRate = rate;
    theta = nextTheta;
    shape = nextShape;
  }
  return {false, s.size() - 1, s.back(), theta, shape};
}

[[maybe_unused]] bool isSoundFlow(const SurfaceFlow& flow) {
  if (flow.arc.size() < 3 || flow.arc.size() != flow.speed.size()) return false;
  if (flow.arc[0] != 0.0 || flow.speed[0] != 0.0) return false;
  for (std::size_t k = 1; k < flow.arc.size(); ++k) {
    if (!(flow.arc[k] > flow.arc[k - 1]) || !(flow.speed[k] > 0.0)) return false;
  }
  return true;
}

}  // namespace

LayerSummary solveLayer(const SurfaceFlow& flow, double reynolds, bool tripped) {
  assert(isSoundFlow(flow) && reynolds > 0);
  const std::vector<double>& s = flow.arc;
  const std::vector<double>& u = flow.speed;
  std::size_t last = s.size() - 1;
  LayerSummary summary{0, s[last], 0, 0, u[last], std::vector<double>(s.size(), 0.0)};
  LaminarEnd laminar = laminarLayer(flow, reynolds, tripped, summary.massDefect);
  summary.transitionArc = laminar.arc;
  summary.momentumThickness = laminar.theta;
  summary.shapeFactor = laminar.shape;
  if (!laminar.turbulent) return summary;
  std::size_t k = laminar.station;
  double speedAtTransition =
      k < last ? u[k] + (laminar.arc - s[k]) / (s[k + 1] - s[k]) * (u[k + 1] - u[k]) : u[last];
  TurbulentState y{laminar.theta, speedAtTransition * laminar.theta * entrainmentShape(kTurbulentStartShape)};
  TurbulentClosure closure =
      turbulentClosure(y, speedAtTransition, reynoldsFriction(reynolds * speedAtTransition * y.theta));
  Station from{laminar.arc, speedAtTransition};
  for (std::size_t j = k + 1; j <= last; ++j) {
    Station to{s[j], u[j]};
    if (!(to.arc > from.arc)) continue;
    StretchEnd end = turbulentStretch(y, closure, from, to, reynolds);
    if (end.separated) {
      // The separated region keeps about the pressure of the separation point, so the layer's
      // momentum loss reaches the wake as it stood there.
      summary.separationArc = end.separationArc;
      summary.momentumThickness = end.state.theta;
      summary.shapeFactor = kTurbulentSeparationShape;
      summary.edgeSpeed =
          from.speed + (end.separationArc - from.arc) / (to.arc - from.arc) * (to.speed - from.speed);
      std::fill(summary.massDefect.begin() + static_cast<std::ptrdiff_t>(j), summary.massDefect.end(),
                summary.edgeSpeed * kTurbulentSeparationShape * end.state.theta);
      return summary;
    }
    y = end.state;
    closure = end.closure;
    from = to;
    summary.massDefect[j] = to.speed * closure.shape * y.theta;
  }
  summary.momentumThickness = y.theta;
  summary.shapeFactor = closure.shape;
  return summary;
}

double squireYoungDrag(const LayerSummary& layer) {
  return 2.0 * layer.momentumThickness * std::pow(layer.edgeSpeed, (layer.shapeFactor + 5.0) / 2.0);
}

}  // namespace zephyrion::rotor
