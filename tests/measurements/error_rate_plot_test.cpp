// The exact binomial interval against its defining tail equations, the closed forms of its
// extreme counts, its mirror symmetry and the normal approximation of large counts; the error-rate
// plot read back from its SVG: where a bar ends and an arrow starts, in rates, on the plot's own
// logarithmic grid; which theory line is dashed and that it is one stroke.
#include <regex>

#include "measurements/binomial_interval.h"
#include "measurements/error_rate_plot.h"
#include "test_headers.h"

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

// The lower end leaves 2.5 % of P(X >= k) and the upper end 2.5 % of P(X <= k) (checked where the
// sum is cheap); counting the successes instead mirrors the interval about one half; with many
// errors and successes the ends approach p +- 1.96 sqrt(p (1-p) / n), off by the binomial's skew,
// well under 2 % of the half-width.
TEST(Intervals, LeaveTheirTailsMirrorAndTurnNormal) {
  for (const auto& [k, n] : std::initializer_list<std::pair<int64_t, int64_t>>{
           {1, 1}, {1, 2}, {3, 10}, {0, 7}, {7, 10}, {1, 100}, {50, 100}, {99, 100}, {12, 500}, {2, 1000},
           {100, 1000}, {123456, 10000000}, {9999999, 10000000}, {5000000, 10000000}, {100000, 10000000},
           {20000, 200000}, {2500, 10000}}) {
    SCOPED_TRACE(std::to_string(k) + " of " + std::to_string(n));
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
}

// Counts that are no measurement have no interval.
TEST(ClopperPearson, TextbookFiguresAndNoneForCountsThatAreNoMeasurement) {
  // 3 of 3 million: the Poisson limit, lower = chi2(0.025, 6)/2 = 0.6187, upper = chi2(0.975, 8)/2 = 8.7673.
  EXPECT_NEAR(clopperPearson(3, 3000000).lower * 3000000, 0.6187, 2e-4);
  EXPECT_NEAR(clopperPearson(3, 3000000).upper * 3000000, 8.7673, 2e-4);
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
    EXPECT_EQ((std::pair{some.lower, some.upper}), (std::pair{clopperPearson(4, n).lower, clopperPearson(4, n).upper}));
  }
  EXPECT_EQ(plottedInterval(0, 2).upper, 1);  // 3/2 is no probability
  EXPECT_TRUE(std::isnan(plottedInterval(0, 0).upper));
}

const std::string kFirstRunColour = "#005ac8";

// Seven pixels a character: the layout needs widths, the readings below do not depend on them.
std::string svgOf(const std::vector<PlotRun>& runs, double width = 760) {
  return errorRatePlotSvg(width, 520, runs, 0, 12, [](std::string_view s) { return 7.0 * s.size(); });
}

struct SvgLine {
  double x1, y1, x2, y2;
  std::string colour;
  double width;
};

std::vector<SvgLine> linesOf(const std::string& svg) {
  static const std::regex line(
      "<line x1='([-\\d.e]+)' y1='([-\\d.e]+)' x2='([-\\d.e]+)' y2='([-\\d.e]+)' stroke='(#[0-9a-f]{6})' "
      "stroke-width='([\\d.]+)'/>");
  std::vector<SvgLine> lines;
  for (std::sregex_iterator m(svg.begin(), svg.end(), line), end; m != end; ++m)
    lines.push_back({std::stod((*m)[1]), std::stod((*m)[2]), std::stod((*m)[3]), std::stod((*m)[4]), (*m)[5],
                     std::stod((*m)[6])});
  return lines;
}

// The rate at a height, from the horizontal grid lines: the first is 1, each next a decade lower.
struct LogAxis {
  double top = 0, decade = 0, bottom = 0;
  double rateAt(double y) const { return std::pow(10.0, -(y - top) / decade); }
};
LogAxis axisOf(const std::vector<SvgLine>& lines) {
  std::vector<double> ys;
  for (const SvgLine& l : lines)
    if (l.colour == "#d7d7d7" && l.y1 == l.y2) ys.push_back(l.y1);
  return ys.size() < 2 ? LogAxis{} : LogAxis{ys[0], ys[1] - ys[0], ys.back()};
}

PlotRun bpskRun(int64_t errors, int64_t count) {  // BPSK from 0 dB
  const double rate = double(errors) / count;
  return {.label = "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp", .keying = "BPSK", .toDb = 12,
          .points = {SweepPoint{6, count, errors, count, errors, rate, rate}}, .intervals = {}};
}

// A point with errors: a bar over the exact 95 % interval and a marker at the rate. No error: no
// marker, an arrow down from 3/N. Errors, then the count.
TEST(PlottedPoint, BarSpansTheIntervalAndABoundPointsDown) {
  static const std::regex circle("<circle cx='[-\\d.e]+' cy='([-\\d.e]+)' r='[\\d.]+' fill='[#0-9a-f]+' stroke='" +
                                  kFirstRunColour + "'");
  for (const auto& [errors, count] : std::initializer_list<std::pair<int64_t, int64_t>>{
           {50, 10000}, {400, 1000}, {3, 200000}, {0, 200000}, {0, 1500}}) {
    SCOPED_TRACE(std::to_string(errors) + " of " + std::to_string(count));
    const std::string svg = svgOf({bpskRun(errors, count)});
    const std::vector<SvgLine> lines = linesOf(svg);
    const LogAxis axis = axisOf(lines);
    ASSERT_GT(axis.decade, 0);
    std::vector<SvgLine> verticals;  // of the run, inside the plot
    for (const SvgLine& l : lines)
      if (l.colour == kFirstRunColour && l.x1 == l.x2 && std::max(l.y1, l.y2) <= axis.bottom + 20) verticals.push_back(l);
    ASSERT_FALSE(verticals.empty());
    std::vector<double> markerRates;
    for (std::sregex_iterator m(svg.begin(), svg.end(), circle), end; m != end; ++m) {
      const double y = std::stod((*m)[1]);
      if (y <= axis.bottom) markerRates.push_back(axis.rateAt(y));
    }
    const BinomialInterval iv = clopperPearson(errors, count, 0.95);
    const double top = errors ? iv.upper : 3.0 / count;
    for (const SvgLine& bar : verticals) {
      EXPECT_NEAR(axis.rateAt(std::min(bar.y1, bar.y2)), top, 3e-4 * top);
      if (errors) {
        EXPECT_NEAR(axis.rateAt(std::max(bar.y1, bar.y2)), iv.lower, 3e-4 * iv.lower);
      } else {
        EXPECT_GT(std::abs(bar.y1 - bar.y2), 10) << "an arrow, not a dot";
      }
    }
    EXPECT_EQ(markerRates.size(), errors ? 2u : 0u);  // SER and BER, one rate for BPSK
    for (double r : markerRates) EXPECT_NEAR(r, double(errors) / count, 3e-4 * r);
  }
}

// A keying whose bit and symbol errors differ dashes its BER theory; a two-level keying draws
// one solid line for both. Each curve is one stroke of many points, so the dashes run on.
TEST(ErrorRatePlot, OnlyTheBitTheoryOfMultiLevelKeyingsIsDashed) {
  PlotRun qam = bpskRun(10, 10000);
  qam.keying = "16-QAM";
  qam.mod = Modulation::QAM16;
  static const std::regex polyline("<polyline points='([^']*)'[^>]*?( stroke-dasharray='([\\d.]+),([\\d.]+)')?/>");
  for (const auto& [run, dashedCurves] : {std::pair{bpskRun(10, 10000), 0}, std::pair{qam, 1}}) {
    int dashed = 0, solid = 0;
    const std::string svg = svgOf({run});
    for (std::sregex_iterator m(svg.begin(), svg.end(), polyline), end; m != end; ++m) {
      const std::string coordinates = (*m)[1];
      const int points = 1 + static_cast<int>(std::count(coordinates.begin(), coordinates.end(), ' '));
      if (points <= 2) continue;  // a legend sample
      EXPECT_GT(points, 100);
      if ((*m)[2].length() == 0) {
        ++solid;
      } else {
        ++dashed;
        EXPECT_DOUBLE_EQ(std::stod((*m)[3]), 5 * 1.5) << "dashes in pen widths";
      }
    }
    EXPECT_EQ(solid, 1) << run.keying;
    EXPECT_EQ(dashed, dashedCurves) << run.keying;
  }
}

// The legend's two columns stand side by side where both fit the width; else the theory and the
// bars' meaning go under the runs.
TEST(ErrorRatePlot, TheLegendStacksWhereItsColumnsDoNotFitSideBySide) {
  static const std::regex text("<text x='[-\\d.e]+' y='([-\\d.e]+)'[^>]*>([^<]*)</text>");
  for (const auto& [width, stacked] : {std::pair{760.0, false}, std::pair{420.0, true}}) {
    double runY = NAN, barY = NAN;
    const std::string svg = svgOf({bpskRun(10, 10000)}, width);
    for (std::sregex_iterator m(svg.begin(), svg.end(), text), end; m != end; ++m) {
      const std::string caption = (*m)[2];
      if (caption.starts_with("BPSK, Tx")) runY = std::stod((*m)[1]);
      if (caption.starts_with("95 % confidence")) barY = std::stod((*m)[1]);
    }
    ASSERT_FALSE(std::isnan(runY) || std::isnan(barY)) << width;
    EXPECT_EQ(barY > runY, stacked) << width;
  }
}

}  // namespace
}  // namespace linklab
