#pragma once
// Confidence intervals for an error rate measured as `errors` out of `count` independent trials.
#include <cstdint>

namespace linklab {

struct BinomialInterval {
  double lower = 0, upper = 1;
};

// Two-sided exact (Clopper-Pearson) interval at `confidence` (0 < confidence < 1): the lower end
// p solves P(X >= errors | p) = (1 - confidence) / 2, the upper end P(X <= errors | p) = the same,
// X binomial with `count` trials. lower = 0 when errors = 0, upper = 1 when errors = count.
// Both NaN when count <= 0, errors outside 0 .. count or confidence outside (0, 1).
// Good for counts up to 1e9; about a millisecond at 1e7.
BinomialInterval clopperPearson(int64_t errors, int64_t count, double confidence = 0.95);

// What the error-rate plot draws for a measured point at 95 %: the Clopper-Pearson interval when
// there was an error; with no error, the one-sided bound 3 / count (the "rule of three",
// -ln 0.05 / count rounded), which is only an upper bound (lower 0, upperOnly true).
struct PlottedInterval {
  double lower = 0, upper = 1;
  bool upperOnly = false;
};
PlottedInterval plottedInterval(int64_t errors, int64_t count);

// I_x(a, b), the regularised incomplete beta function, for a, b > 0 and 0 <= x <= 1.
double regularisedIncompleteBeta(double a, double b, double x);

}  // namespace linklab
