// Filter responses against their formulas, the tidying of typed filter parameters, and
// designFilters on the main window.

#include "batch/script_run.h"
#include "filters/filter_design.h"
#include "filters/filter_parameters.h"
#include "transmitter/rx_filter.h"
#include "transmitter/test_blocks.h"
#include "transmitter/tx_shaping.h"

namespace linklab {
namespace {

using namespace linklab::testing;

// h gives H(k) for k = 0 .. 2048 from the response's formula (bin 4096 - k mirrors bin k);
// H(spotBin) = spotValue is worked out by hand.
struct ResponseCase { FilterType type; double parameter, codeRate, bits; std::function<double(int)> h; int spotBin; double spotValue; };
std::function<double(int)> flat(int last) { return [last](int k) { return k <= last ? 1.0 : 0.0; }; }
// Flat to bin flatEnd, the half-cosine taper to taperEnd, zero above; the edges are the
// roundings of (1 -+ alpha) * 64 / M, worked out by hand.
std::function<double(int)> cosine(double percent, int m, int flatEnd, int taperEnd, bool root) {
  return [=](int k) {
    const double a = percent / 100;
    const double c = 0.5 + 0.5 * std::cos(M_PI * (k - (1 - a) * 64 / m) / (128 * a / m));
    return k <= flatEnd ? 1.0 : k > taperEnd ? 0.0 : root ? std::sqrt(c) : c;
  };
}
std::function<double(int)> gaussian(double w) { return [w](int k) { return std::exp(-0.5 * k * k / (w * w)); }; }

// Steep Cutoff passes bins up to B * 128 * bits - 1; Gaussian has width B * 128 * bits / M.
using F = FilterType;
using R = ResponseCase;
TEST(FilterResponses, MatchTheirFormulaAndMirror) {
  int row = 0;
  for (const ResponseCase& c : {R{F::None, 0, 1, 1, flat(4096), 2048, 1}, R{F::OFDM, 0, 4, 3, flat(4096), 2048, 1},
                      R{F::SteepCutoff, 0.5, 1, 1, flat(63), 4033, 1},
                      R{F::SteepCutoff, 0.5, 4, 1, flat(63), 63, 1},  // the code rate does not narrow it
                      R{F::SteepCutoff, 0.35, 1, 3, flat(133), 134, 0},
                      R{F::RaisedCosine, 35, 1, 1, cosine(35, 1, 41, 85, false), 64, 0.5},
                      R{F::RaisedCosine, 35, 2, 1, cosine(35, 2, 20, 42, false), 32, 0.5},
                      R{F::RaisedCosine, 100, 1, 2, cosine(100, 1, -1, 127, false), 64, 0.5},
                      R{F::RaisedCosine, 1, 1, 1, cosine(1, 1, 62, 64, false), 64, 0.5},
                      // a code rate of 0 counts as 1, a roll-off past 100 % as 100 %
                      R{F::RaisedCosine, 35, 0, 1, cosine(35, 1, 41, 85, false), 64, 0.5},
                      R{F::RaisedCosine, 250, 1, 1, cosine(100, 1, -1, 127, false), 64, 0.5},
                      R{F::RootRC, 35, 1, 1, cosine(35, 1, 41, 85, true), 64, std::sqrt(0.5)},
                      R{F::Gaussian, 0.5, 1, 1, gaussian(64), 64, std::exp(-0.5)},
                      R{F::Gaussian, 2, 4, 2, gaussian(128), 256, std::exp(-2.0)},
                      R{F::Matched, 0, 1, 1, flat(-1), 0, 0}}) {
    SCOPED_TRACE(row++);
    Block response;
    response.fill(7.0);
    EXPECT_TRUE(designResponse(c.type, c.parameter, int(c.codeRate), c.bits, response, false));
    EXPECT_NEAR(response[2 * c.spotBin], c.spotValue, 1e-12);
    for (int k = 0; k < 4096; ++k) {
      ASSERT_NEAR(response[2 * k], c.h(k <= 2048 ? k : 4096 - k), 1e-12) << k;
      ASSERT_EQ(response[2 * k + 1], 0.0) << k;
    }
  }
}

// Typed parameters become whole percent in 1..100 and hundredths in 0.10..6.00.
// percent: the excess bandwidth (percent), else the bandwidth.
TEST(ParameterTidying, RoundsAndClamps) {
  for (const auto& [percent, typed, shown, value] : std::vector<std::tuple<bool, const char*, const char*, double>>{
        {true, "0", "1", 1}, {true, "", "1", 1}, {true, "abc", "1", 1}, {true, "250", "100", 100},
        {true, "100.6", "100", 100}, {true, "35.6", "36", 36}, {false, "0.05", "0.10", 0.1}, {false, "7", "6.00", 6},
        {false, "0.5", "0.50", 0.5}, {false, "0.344", "0.34", 0.34}, {false, "0.346", "0.35", 0.35},
        {false, "2.999", "3.00", 3}}) {
    const double v = percent ? tidyExcessBandwidth(typed) : tidyBandwidth(typed);
    EXPECT_DOUBLE_EQ(v, value) << typed;
    EXPECT_EQ(percent ? excessBandwidthText(int(v)) : bandwidthText(v), shown);
  }
}

std::unique_ptr<Form1> designed(const char* tx, const char* rx, RecordingHost& host) {
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->cmbFilter[0].setText(tx);
  form->cmbFilter[1].setText(rx);
  form->cmbTxEB[0].setText("100.4");
  form->cmbTxEB[1].setText("35.6");
  form->cmbTxBW[0].setText("5.999");
  form->cmbTxBW[1].setText("0.5");
  form->dRxFilter.fill(5.0);
  form->designFilters();
  return form;
}

// The texts in use are tidied: 100 % raised cosine has H(64) = 0.5, Gaussian B = 0.5 has w = 64.
// Through impulses the matched filter copies the transmit response, conjugated.
TEST(DesignFilters, TidiesTheTextsInUseAndBuildsBothResponses) {
  RecordingHost host;
  auto form = designed("Raised Cosine", "Gaussian", host);
  EXPECT_EQ(form->cmbTxEB[0].Text() + " " + form->cmbTxBW[1].Text(), "100 0.50");
  EXPECT_NEAR(form->dTxFilter[2 * 64], 0.5, 1e-12);
  EXPECT_NEAR(form->dRxFilter[2 * 64], std::exp(-0.5), 1e-12);
  form = designed("Root RC", "Matched", host);
  EXPECT_TRUE(host.messages.empty());
  for (int k = 0; k < 4096; ++k) {
    ASSERT_EQ(form->dRxFilter[2 * k], form->dTxFilter[2 * k]) << k;
    ASSERT_EQ(form->dRxFilter[2 * k + 1], -form->dTxFilter[2 * k + 1]) << k;
  }
  EXPECT_NEAR(form->dRxFilter[2 * 64] * form->dTxFilter[2 * 64], 0.5, 1e-12) << "overall raised cosine";
}

// The receive list refuses a name it does not offer, so only the transmit side (which takes no
// typed text) can reach the design with one; the receiver must not follow it here.
TEST(DesignFilters, UnknownTypeIsReportedOnEveryDesignAndGivesZero) {
  RecordingHost host;
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->cmbFilter[1].setText("None");
  form->lblFilter[1].Visible = false;
  form->cmbFilter[0].setText("Chebyshev");
  form->dTxFilter.fill(5.0);
  form->designFilters();
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(form->dTxFilter[i], 0.0) << i;
  form->designFilters();
  EXPECT_EQ(host.messages, std::vector<std::string>(2, "Internal Error: Unknown Filter Type."));
}

// The matched filter against the pulse it matches: through it the transmitted pulse becomes its
// own autocorrelation over its 0 Hz gain (32), zero-phase, so at the symbol's centre it reads the
// pulse's energy over 32. The rectangle's autocorrelation is the triangle 32 - |n|: integrate and
// dump. A Nyquist overall response is 0 on the neighbours' centres.
// atHalfSymbol: overall(n = 16), NaN: not checked.
struct MatchedCase { const char* tx; bool nyquist; double atHalfSymbol, tolerance; };
TEST(MatchedFilter, TurnsThePulseIntoItsAutocorrelation) {
  for (const MatchedCase& c : {MatchedCase{"None", true, 0.5, 1e-12}, MatchedCase{"Root RC", true, NAN, 1e-3},
                               MatchedCase{"Gaussian", false, NAN, 0}}) {
    SCOPED_TRACE(c.tx);
    RecordingHost host;
    auto form = designed(c.tx, "Matched", host);
    Block pulse{}, spectrum{};
    std::array<double, 257> one{};
    one[0] = 1;
    placeSymbols(one, pulseShapeFor(c.tx), pulse);
    filterThroughResponse(pulse, spectrum, form->dTxFilter);
    double energy = 0;
    for (int i = 0; i < 8192; ++i) energy += pulse[i] * pulse[i];
    receiveFilter(pulse, spectrum, form->dRxFilter, true);
    EXPECT_NEAR(form->dRxFilter[0], 1.0, 1e-12) << "unit gain at 0 Hz";
    EXPECT_NEAR(pulse[0], energy / 32, 1e-9);
    if (!std::isnan(c.atHalfSymbol)) { EXPECT_NEAR(pulse[2 * 16], c.atHalfSymbol, c.tolerance); }
    if (c.nyquist) {
      EXPECT_NEAR(pulse[2 * 32], 0, c.tolerance);
      EXPECT_NEAR(pulse[2 * (4096 - 32)], 0, c.tolerance);
    }
    for (int n = 0; n < 4096; ++n) ASSERT_NEAR(pulse[2 * n + 1], 0.0, 1e-12) << n;
    for (int n = 1; n < 2048; ++n) ASSERT_NEAR(pulse[2 * n], pulse[2 * (4096 - n)], 1e-12) << n;
  }
}

}  // namespace
}  // namespace linklab
