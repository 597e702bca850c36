#include "measurements/binomial_interval.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace linklab {

namespace {

// The continued fraction of I_x(a, b) (modified Lentz), good where x < (a + 1) / (a + b + 2).
// It needs about sqrt(max(a, b)) terms, so the limit covers counts well beyond 1e9.
double betaContinuedFraction(double a, double b, double x) {
  constexpr double tiny = 1e-300, eps = 1e-16;
  const double qab = a + b, qap = a + 1, qam = a - 1;
  double c = 1, d = 1 - qab * x / qap;
  if (std::fabs(d) < tiny) d = tiny;
  d = 1 / d;
  double h = d;
  for (int m = 1; m <= 1000000; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < tiny) d = tiny;
    c = 1 + aa / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < tiny) d = tiny;
    c = 1 + aa / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1 / d;
    const double step = d * c;
    h *= step;
    if (std::fabs(step - 1) < eps) break;
  }
  return h;
}

// lgamma(x) - ((x - 1/2) ln x - x + ln(2 pi) / 2), the Stirling series, for x >= 50.
double stirlingError(double x) {
  const double x2 = x * x;
  return (1.0 / 12 - (1.0 / 360 - (1.0 / 1260 - 1.0 / (1680 * x2)) / x2) / x2) / x;
}

// ln(Gamma(a + b) / (Gamma(a) Gamma(b))). With a count of 1e7 lgamma is about 1.5e8 and rounds
// to 3e-8; where one argument is large the Stirling form cancels the large parts exactly, so few
// errors in a long run keep their full precision.
double logInverseBeta(double a, double b) {
  const double small = std::min(a, b), large = std::max(a, b);
  if (large < 50) return std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b);
  // ln Gamma(small + large) - ln Gamma(large), with ln(small + large) = ln large + log1p(small / large)
  const double ratio = small * std::log(large) + (small + large - 0.5) * std::log1p(small / large) - small +
                       stirlingError(small + large) - stirlingError(large);
  return ratio - std::lgamma(small);
}

// Finds p in [0, 1] where the increasing function f crosses `target`, to the last bit.
template <class F>
double bisect(F f, double target) {
  double lo = 0, hi = 1;
  for (int i = 0; i < 2000; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (mid <= lo || mid >= hi) break;
    (f(mid) < target ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

}  // namespace

double regularisedIncompleteBeta(double a, double b, double x) {
  if (!(a > 0) || !(b > 0) || !(x >= 0) || !(x <= 1)) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0) return 0;
  if (x == 1) return 1;
  // log of x^a (1-x)^b / B(a, b); log1p keeps (1-x)^b exact for the tiny x of rare errors.
  const double logFront =
      logInverseBeta(a, b) + a * std::log(x) + b * std::log1p(-x);
  if (x < (a + 1) / (a + b + 2)) return std::exp(logFront) * betaContinuedFraction(a, b, x) / a;
  return 1 - std::exp(logFront) * betaContinuedFraction(b, a, 1 - x) / b;
}

BinomialInterval clopperPearson(int64_t errors, int64_t count, double confidence) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (count <= 0 || errors < 0 || errors > count || !(confidence > 0) || !(confidence < 1)) return {nan, nan};
  const double tail = (1 - confidence) / 2;
  const double k = static_cast<double>(errors), n = static_cast<double>(count);
  BinomialInterval interval;
  // P(X >= k | p) = I_p(k, n - k + 1) grows with p.
  if (errors > 0) interval.lower = bisect([&](double p) { return regularisedIncompleteBeta(k, n - k + 1, p); }, tail);
  // P(X <= k | p) = 1 - I_p(k + 1, n - k) falls with p, so find where I_p(k + 1, n - k) = 1 - tail.
  if (errors < count)
    interval.upper = bisect([&](double p) { return regularisedIncompleteBeta(k + 1, n - k, p); }, 1 - tail);
  return interval;
}

PlottedInterval plottedInterval(int64_t errors, int64_t count) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  if (count <= 0 || errors < 0 || errors > count) return {nan, nan, false};
  if (errors == 0) return {0, std::min(1.0, 3.0 / static_cast<double>(count)), true};
  const BinomialInterval ci = clopperPearson(errors, count, 0.95);
  return {ci.lower, ci.upper, false};
}

}  // namespace linklab
