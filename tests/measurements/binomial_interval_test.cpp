// The exact binomial interval against its defining tail equations, the closed forms of its
// extreme counts, its mirror symmetry and the normal approximation of large counts.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

#include "measurements/binomial_interval.h"

namespace linklab {
namespace {

// P(X <= k) for X binomial(n, p), summed term by term (small n only).
double binomialCdf(int64_t k, int64_t n, double p) {
  double sum = 0;
  for (int64_t j = 0; j <= k; ++j)
    sum += std::exp(std::lgamma(n + 1.0) - std::lgamma(j + 1.0) - std::lgamma(n - j + 1.0) + j * std::log(p) +
                    (n - j) * std::log1p(-p));
  return sum;
}

// k = 0: (1-p)^n = a/2; k = n: p^n = a/2; k = 1: 1 - (1-p)^n = a/2; k = n-1 mirrors k = 1. n terms
// of (1-p) rounded in double: a relative error of about 1e-17 n at the end.
TEST(ClosedForms, ExtremeCountsSolveTheirOwnEquations) {
  for (const auto& [n, confidence] : {std::pair<int64_t, double>{1, 0.95}, {2, 0.95}, {10, 0.95}, {1000, 0.95},
                                      {100000, 0.95}, {10000000, 0.95}, {30, 0.99}, {200000, 0.8}}) {
    const double half = (1 - confidence) / 2, tol = 1e-11 + 2e-17 * n;
    auto near = [tol](double got, double want) { EXPECT_NEAR(got, want, tol * want) << "want " << want; };
    const BinomialInterval none = clopperPearson(0, n, confidence), all = clopperPearson(n, n, confidence);
    EXPECT_EQ((std::array{none.lower, all.upper}), (std::array{0.0, 1.0}));
    near(none.upper, -std::expm1(std::log(half) / n));
    near(all.lower, std::exp(std::log(half) / n));
    near(n < 2 ? 1 : clopperPearson(1, n, confidence).lower, n < 2 ? 1 : -std::expm1(std::log1p(-half) / n));
    near(n < 2 ? 1 : clopperPearson(n - 1, n, confidence).upper, n < 2 ? 1 : std::exp(std::log1p(-half) / n));
  }
}

TEST(ClopperPearson, TextbookFigures) {
  // 3 of 3 million: the Poisson limit, lower = chi2(0.025, 6)/2 = 0.6187, upper = chi2(0.975, 8)/2 = 8.7673.
  EXPECT_NEAR(clopperPearson(3, 3000000).lower * 3000000, 0.6187, 2e-4);
  EXPECT_NEAR(clopperPearson(3, 3000000).upper * 3000000, 8.7673, 2e-4);
}

struct Count {
  int64_t k, n;
};
class Intervals : public ::testing::TestWithParam<Count> {};

// The lower end leaves 2.5 % of P(X >= k) and the upper end 2.5 % of P(X <= k) (checked where the
// sum is cheap); counting the successes instead mirrors the interval about one half; with many
// errors and successes the ends approach p +- 1.96 sqrt(p (1-p) / n), off by the binomial's skew,
// well under 2 % of the half-width.
TEST_P(Intervals, LeaveTheirTailsMirrorAndTurnNormal) {
  const auto [k, n] = GetParam();
  const BinomialInterval ci = clopperPearson(k, n), rest = clopperPearson(n - k, n);
  const double p = double(k) / n, half = 1.959964 * std::sqrt(p * (1 - p) / n);
  ASSERT_LT(ci.lower, ci.upper);
  EXPECT_LE(ci.lower, p);
  EXPECT_GE(ci.upper, p);
  EXPECT_NEAR(ci.lower, 1 - rest.upper, 1e-12);
  EXPECT_NEAR(ci.upper, 1 - rest.lower, 1e-12);
  // The tails' sums, where they are cheap.
  EXPECT_NEAR(n > 1000 || k == 0 ? 0.025 : 1 - binomialCdf(k - 1, n, ci.lower), 0.025, 1e-10);
  EXPECT_NEAR(n > 1000 || k == n ? 0.025 : binomialCdf(k, n, ci.upper), 0.025, 1e-10);
  if (std::min(k, n - k) >= 2500) {
    EXPECT_NEAR(ci.lower, p - half, 0.02 * half);
    EXPECT_NEAR(ci.upper, p + half, 0.02 * half);
  }
}
INSTANTIATE_TEST_SUITE_P(Counts, Intervals,
                         ::testing::Values(Count{1, 1}, Count{1, 2}, Count{3, 10}, Count{0, 7}, Count{7, 10},
                                           Count{1, 100}, Count{50, 100}, Count{99, 100}, Count{12, 500},
                                           Count{2, 1000}, Count{100, 1000}, Count{123456, 10000000},
                                           Count{9999999, 10000000}, Count{5000000, 10000000},
                                           Count{100000, 10000000}, Count{20000, 200000}, Count{2500, 10000}));

TEST(ClopperPearson, RejectsCountsThatAreNoMeasurement) {
  for (const auto& [k, n, c] : {std::tuple{0, 0, 0.95}, std::tuple{-1, 10, 0.95}, std::tuple{11, 10, 0.95},
                                 std::tuple{1, 10, 1.0}, std::tuple{1, 10, 0.0}}) {
    const BinomialInterval ci = clopperPearson(k, n, c);
    EXPECT_TRUE(std::isnan(ci.lower) && std::isnan(ci.upper)) << k << " of " << n << " at " << c;
  }
}

// I_x(1, b) = 1 - (1-x)^b, I_x(a, 1) = x^a, I_1/2(a, a) = 1/2, I_x(2, 2) = 3x^2 - 2x^3, and
// I_x(a, b) + I_1-x(b, a) = 1. The prefactor's lgamma(a + b) carries an ulp of its own size, about
// 2e-16 (a + b).
TEST(IncompleteBeta, MeetsItsClosedForms) {
  for (const auto& [a, b, x, expected] :
       {std::array{1.0, 5.0, 0.2, 1 - std::pow(0.8, 5)}, {1, 1000, 0.001, 1 - std::pow(0.999, 1000)},
        {4, 1, 0.7, std::pow(0.7, 4)}, {2, 2, 0.3, 3 * 0.09 - 2 * 0.027}, {2, 2, 0.9, 3 * 0.81 - 2 * 0.729},
        {37, 37, 0.5, 0.5}, {500000, 500000, 0.5, 0.5}, {3, 8, 0, 0}, {3, 8, 1, 1}}) {
    const double tol = 1e-12 + 2e-15 * (a + b);
    EXPECT_NEAR(regularisedIncompleteBeta(a, b, x), expected, tol) << a << " " << b << " " << x;
    EXPECT_NEAR(regularisedIncompleteBeta(a, b, x) + regularisedIncompleteBeta(b, a, 1 - x), 1, tol);
  }
}

// Zero errors plot as the one-sided 95 % bound 3/N, close to its exact value 1 - 0.05^(1/N);
// any error plots as the exact two-sided interval.
TEST(PlottedInterval, ZeroErrorsGiveTheRuleOfThree) {
  for (int64_t n : {300, 12800, 200000, 10000000}) {
    const PlottedInterval none = plottedInterval(0, n);
    EXPECT_TRUE(none.upperOnly);
    EXPECT_EQ(none.lower, 0);
    EXPECT_DOUBLE_EQ(none.upper, 3.0 / n);
    // -ln 0.05 = 2.996, and the exact bound falls below the linear one by about its square / 2.
    EXPECT_NEAR(none.upper, -std::expm1(std::log(0.05) / n), 0.007 * none.upper);
    const PlottedInterval some = plottedInterval(4, n);
    EXPECT_FALSE(some.upperOnly);
    EXPECT_EQ(some.lower, clopperPearson(4, n).lower);
    EXPECT_EQ(some.upper, clopperPearson(4, n).upper);
  }
  EXPECT_EQ(plottedInterval(0, 2).upper, 1);  // 3/2 is no probability
  EXPECT_TRUE(std::isnan(plottedInterval(0, 0).upper));
}

}  // namespace
}  // namespace linklab
