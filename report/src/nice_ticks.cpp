#include "report/nice_ticks.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace zephyrion::report {
namespace {

constexpr int kTicksAimedAt = 5;
constexpr int kFewestTicks = 3;
constexpr int kMostTicks = 10;
// Far above the 2.2e-16 spacing of doubles, so that neighbouring ticks differ in value and label.
constexpr double kFinestRelativeSpan = 1e-12;
// Keeps every step a normal double, where it carries all its bits; denormal data reads as zero.
constexpr double kFinestSpan = 1e-290;

struct Span {
  double low;
  double high;
};

// x * 10^exponent. Dividing by 10^k rounds once, where multiplying by the inexact 10^-k would
// round twice.
double timesPowerOfTen(double x, int exponent) {
  return exponent >= 0 ? x * std::pow(10.0, exponent) : x / std::pow(10.0, -exponent);
}

// mantissa * 10^exponent with mantissa 1, 2 or 5.
struct NiceNumber {
  int mantissa;
  int exponent;

  // Read from its decimal text, which rounds once to the nearest double: 5e300 is the double
  // nearest to 5 * 10^300, where 5 * pow(10, 300) would round twice.
  double value() const {
    char text[16] = {char('0' + mantissa), 'e'};
    char* end = std::to_chars(text + 2, text + sizeof text, exponent).ptr;
    double number = 0;
    std::from_chars(text, end, number);
    return number;
  }
  NiceNumber larger() const {
    return mantissa == 5 ? NiceNumber{1, exponent + 1} : NiceNumber{mantissa == 1 ? 2 : 5, exponent};
  }
  NiceNumber smaller() const {
    return mantissa == 1 ? NiceNumber{5, exponent - 1} : NiceNumber{mantissa == 5 ? 2 : 1, exponent};
  }
};

// Heckbert's nicenum: the nice number nearest x when `rounded`, else the least one >= x.
NiceNumber niceNumber(double x, bool rounded) {
  int exponent = static_cast<int>(std::floor(std::log10(x)));
  double fraction = timesPowerOfTen(x, -exponent);
  int mantissa = 10;
  if (rounded) {
    mantissa = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
  } else {
    mantissa = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
  }
  return mantissa == 10 ? NiceNumber{1, exponent + 1} : NiceNumber{mantissa, exponent};
}

Span widenedToResolution(double low, double high) {
  if (low == high) {
    double half = low == 0 ? 1 : std::fabs(low) / 10;
    low -= half;
    high += half;
  }
  double magnitude = std::max(std::fabs(low), std::fabs(high));
  double finest = std::max(magnitude * kFinestRelativeSpan, kFinestSpan);
  if (high - low >= finest) return {low, high};
  double middle = low / 2 + high / 2;
  return {middle - finest / 2, middle + finest / 2};
}

int decimalDigits(std::uint64_t n) {
  int digits = 1;
  for (; n >= 10; n /= 10)
    ++digits;
  return digits;
}

Ticks ticksWithStep(Span span, NiceNumber step) {
  Ticks ticks;
  ticks.step = step.value();
  double first = std::floor(span.low / ticks.step);
  double last = std::ceil(span.high / ticks.step);
  // The quotients are rounded: a tick a hair inside the data moves out by one step, and one a
  // whole step outside it moves in, so that 0.5 to 0.58 by 0.02 starts at 0.5, not 0.48.
  if (first * ticks.step > span.low) first -= 1;
  if ((first + 1) * ticks.step <= span.low) first += 1;
  if (last * ticks.step < span.high) last += 1;
  if ((last - 1) * ticks.step >= span.high) last -= 1;
  ticks.firstIndex = first;
  // The quotients stay below 1e15 for any span the widening allows; the bound keeps the
  // conversions defined whatever happens.
  constexpr double kIndexBound = 1e15;
  ticks.count = static_cast<int>(std::min(last - first + 1, double{kMostTicks + 1}));
  double widestIndex = std::min(std::max(std::fabs(first), std::fabs(last)), kIndexBound);
  ticks.labelDigits = std::min(decimalDigits(static_cast<std::uint64_t>(widestIndex) * step.mantissa), 17);
  return ticks;
}

}  // namespace

Ticks niceTicks(double low, double high) {
  assert(std::isfinite(low) && std::isfinite(high) && low <= high);
  assert(std::fabs(low) <= kLargestPlotted && std::fabs(high) <= kLargestPlotted);
  Span span = widenedToResolution(low, high);
  NiceNumber range = niceNumber(span.high - span.low, false);
  NiceNumber step = niceNumber(range.value() / (kTicksAimedAt - 1), true);
  Ticks ticks = ticksWithStep(span, step);
  while (ticks.count > kMostTicks)
    ticks = ticksWithStep(span, step = step.larger());
  while (ticks.count < kFewestTicks)
    ticks = ticksWithStep(span, step = step.smaller());
  assert(ticks.count <= kMostTicks);
  return ticks;
}

}  // namespace zephyrion::report
