// The error-rate plot read back from its SVG: where a bar ends and an arrow starts, in rates, on
// the plot's own logarithmic grid; which theory line is dashed and that it is one stroke.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "measurements/binomial_interval.h"
#include "measurements/error_rate_plot.h"

namespace linklab {
namespace {

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
  if (ys.size() < 2) return {};
  return {ys[0], ys[1] - ys[0], ys.back()};
}

PlotRun bpskRun(int64_t errors, int64_t count) {
  PlotRun run;  // BPSK from 0 dB
  run.label = "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp";
  run.keying = "BPSK";
  run.toDb = 12;
  const double rate = double(errors) / count;
  run.points = {SweepPoint{6, count, errors, count, errors, rate, rate}};
  return run;
}

using Measured = std::pair<int64_t, int64_t>;  // errors, count
class PlottedPoint : public ::testing::TestWithParam<Measured> {};

// A point with errors: a bar over the exact 95 % interval and a marker at the rate. No error: no
// marker, an arrow down from 3/N.
TEST_P(PlottedPoint, BarSpansTheIntervalAndABoundPointsDown) {
  const auto [errors, count] = GetParam();
  const std::string svg = svgOf({bpskRun(errors, count)});
  const std::vector<SvgLine> lines = linesOf(svg);
  const LogAxis axis = axisOf(lines);
  ASSERT_GT(axis.decade, 0);
  std::vector<SvgLine> verticals;  // of the run, inside the plot
  for (const SvgLine& l : lines)
    if (l.colour == kFirstRunColour && l.x1 == l.x2 && std::max(l.y1, l.y2) <= axis.bottom + 20) verticals.push_back(l);
  ASSERT_FALSE(verticals.empty());
  static const std::regex circle("<circle cx='[-\\d.e]+' cy='([-\\d.e]+)' r='[\\d.]+' fill='[#0-9a-f]+' stroke='" +
                                  kFirstRunColour + "'");
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
INSTANTIATE_TEST_SUITE_P(Counts, PlottedPoint,
                         ::testing::Values(Measured{50, 10000}, Measured{400, 1000}, Measured{3, 200000},
                                           Measured{0, 200000}, Measured{0, 1500}));

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
