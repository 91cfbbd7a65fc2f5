// The largest value of a smooth, single-peaked function near a guess: bracketed by steps that
// grow by the golden ratio, then closed by Brent's minimisation (R. P. Brent, Algorithms for
// Minimization without Derivatives, 1973, ch. 5) turned to a maximum: parabolic steps through the
// three best points where they fall inside the bracket, golden-section steps where they do not.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace zephyrion::rotor {

struct Sample {
  double x = 0;
  double f = 0;
};

// Brent's method on the bracket low < mid < high with mid.f at least low.f and high.f; stops
// when the bracket around the best point is narrower than about 4 x `tolerance`, or when a
// parabolic step would move the best point by less than `tolerance`.
template <class Function>
Sample brentMaximum(Function f, Sample low, Sample mid, Sample high, double tolerance, int maxSteps) {
  const double golden = (3.0 - std::sqrt(5.0)) / 2.0;
  const double relative = std::sqrt(std::numeric_limits<double>::epsilon());
  double a = low.x;
  double b = high.x;
  Sample x = mid;
  Sample w = low.f >= high.f ? low : high;  // the second best
  Sample v = low.f >= high.f ? high : low;  // the third
  double d = 0;
  double e = b - a;  // as if the last step had been large, so that the first may be parabolic
  for (int step = 0; step < maxSteps; ++step) {
    double middle = (a + b) / 2.0;
    double tol = relative * std::fabs(x.x) + tolerance / 3.0;
    if (std::fabs(x.x - middle) <= 2.0 * tol - (b - a) / 2.0) break;
    double p = 0;
    double q = 0;
    double r = 0;
    if (std::fabs(e) > tol) {  // the parabola through x, w and v, for -f
      r = (x.x - w.x) * (v.f - x.f);
      q = (x.x - v.x) * (w.f - x.f);
      p = (x.x - v.x) * q - (x.x - w.x) * r;
      q = 2.0 * (q - r);
      if (q > 0) {
        p = -p;
      } else {
        q = -q;
      }
      r = e;
      e = d;
    }
    if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - x.x) && p < q * (b - x.x)) {
      // The parabola's top lies within the tolerance of the best point: on a smooth peak the
      // steps Brent would still take to narrow the bracket only confirm it.
      if (std::fabs(p) < tol * std::fabs(q)) break;
      d = p / q;
      double u = x.x + d;
      if (u - a < 2.0 * tol || b - u < 2.0 * tol) d = x.x < middle ? tol : -tol;
    } else {
      e = (x.x < middle ? b : a) - x.x;
      d = golden * e;
    }
    double uX = x.x + (std::fabs(d) >= tol ? d : std::copysign(tol, d));
    Sample u{uX, f(uX)};
    if (u.f >= x.f) {
      (u.x < x.x ? b : a) = x.x;
      v = w;
      w = x;
      x = u;
    } else {
      (u.x < x.x ? a : b) = u.x;
      if (u.f >= w.f || w.x == x.x) {
        v = w;
        w = u;
      } else if (u.f >= v.f || v.x == x.x || v.x == w.x) {
        v = u;
      }
    }
  }
  return x;
}

// A maximum of f in [lowest, highest] found from `guess` with first steps of `step`; the end
// of the range when f still rises there. Preconditions: lowest + step < highest - step.
template <class Function>
Sample maximumNear(Function f, double guess, double step, double lowest, double highest, double tolerance,
                   int maxSteps) {
  const double grow = (1.0 + std::sqrt(5.0)) / 2.0;
  guess = std::clamp(guess, lowest + step, highest - step);
  Sample low{guess - step, f(guess - step)};
  Sample mid{guess, f(guess)};
  Sample high{guess + step, f(guess + step)};
  while (low.f > mid.f || high.f > mid.f) {
    if (high.f > mid.f && high.f >= low.f) {
      if (high.x >= highest) return high;
      double next = std::min(highest, high.x + grow * (high.x - mid.x));
      low = mid;
      mid = high;
      high = {next, f(next)};
    } else {
      if (low.x <= lowest) return low;
      double next = std::max(lowest, low.x - grow * (mid.x - low.x));
      high = mid;
      mid = low;
      low = {next, f(next)};
    }
  }
  return brentMaximum(f, low, mid, high, tolerance, maxSteps);
}

}  // namespace zephyrion::rotor
