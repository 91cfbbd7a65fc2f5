// Brent's method for a zero of a continuous function on an interval whose ends it takes with
// opposite signs (R. P. Brent, Algorithms for Minimization without Derivatives, 1973, ch. 4):
// inverse quadratic interpolation or the secant step where they make progress, bisection where
// they do not, so it never takes more steps than about the square of bisection's.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace zephyrion::rotor {

// A zero of f between a and b to within `tolerance`, given fa = f(a) and fb = f(b) of opposite
// signs (or one of them 0); nothing when `maxSteps` evaluations do not reach it.
template <class Function>
std::optional<double> brentRoot(Function f, double a, double b, double fa, double fb, double tolerance,
                                int maxSteps) {
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  double c = a;
  double fc = fa;
  double d = b - a;
  double e = d;
  for (int step = 0; step <= maxSteps; ++step) {
    if ((fb > 0) == (fc > 0)) {  // keep the zero between b and c
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {  // b is the best guess so far
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    double tol = 2.0 * kEpsilon * std::fabs(b) + 0.5 * tolerance;
    double half = 0.5 * (c - b);
    if (std::fabs(half) <= tol || fb == 0.0) return b;
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      double s = fb / fa;
      double p;
      double q;
      if (a == c) {  // secant
        p = 2.0 * half * s;
        q = 1.0 - s;
      } else {  // inverse quadratic through a, b and c
        double qa = fa / fc;
        double r = fb / fc;
        p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
        q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
      }
      if (p > 0) q = -q;
      p = std::fabs(p);
      if (2.0 * p < std::fmin(3.0 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = half;
        e = d;
      }
    } else {
      d = half;
      e = d;
    }
    a = b;
    fa = fb;
    b += std::fabs(d) > tol ? d : std::copysign(tol, half);
    fb = f(b);
  }
  return std::nullopt;
}

}  // namespace zephyrion::rotor
