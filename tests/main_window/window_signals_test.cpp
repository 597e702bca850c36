// What the whole window computes and draws for each modulation: the transmitted waveform of each
// pulse path, and OQPSK's quadrature delay in every display that pairs I with Q and in the
// amplifier. Expected values come from the pulse shapes and the Nyquist property, not from runs.

#include "main_window/window_setup.h"

namespace linklab {
namespace {

using cd = std::complex<double>;

cd at(const SignalBlock& b, int k) { return {b[2 * k], b[2 * k + 1]}; }
cd symbol(const Form1& f, int s) { return {f.dModData[2 * s], f.dModData[2 * s + 1]}; }

// The value a train of rectangular pulses holds at sample n: the pulse of symbol s covers the
// samples 32s - 16 ... 32s + 15, circularly.
cd rectangular(const Form1& f, int n) { return symbol(f, ((n + 16) / 32) % 128); }

// A window in a scene with a modulation and filters, paused on the first random block, after one
// more tick on fresh pictures: the filters are designed for these choices and the pictures hold
// one run. The choices are made before the first tick, so they run nothing and every window draws
// the same random numbers.
std::unique_ptr<Form1> paused(const char* scene, const char* mod, const char* filter, const char* rxFilter = "None",
                              const char* amplifier = "Linear") {
  auto form = window({{"cmbScene", scene}, {"cmbMod(0)", mod}, {"cmbFilter(0)", filter}, {"cmbFilter(1)", rxFilter},
                      {"cmbNonlinear", amplifier}},
                     2);  // the second tick makes the first random block
  form->cmdPause.click();
  for (PictureBox* p : {&form->picScatter[0], &form->picScatter[2], &form->picEye[0], &form->picEye[2],
                        &form->picModData}) {
    p->Cls();
    p->setRecording(true);
  }
  form->Timer1_Timer();
  return form;
}

std::vector<DrawOp> ops(const PictureBox& p, uint32_t colour) {
  std::vector<DrawOp> found;
  for (const DrawOp& op : p.log())
    if (op.colour == colour) found.push_back(op);
  return found;
}

const char* const kLinear[] = {"OOK", "50% AM", "BPSK", "QPSK", "OQPSK", "pi/4-SQPSK", "8-PSK", "16-QAM"};

// "None": every sample carries the symbol whose pulse covers it (the filter passes every bin).
class RectangularPulses : public ::testing::TestWithParam<const char*> {};
TEST_P(RectangularPulses, HoldEachSymbolOverItsThirtyTwoSamples) {
  auto form = paused("Full", GetParam(), "None");
  for (int n = 0; n < 4096; ++n) ASSERT_LT(std::abs(at(form->dTxSignal, n) - rectangular(*form, n)), 1e-9) << n;
  for (int i = 0; i < 8192; ++i)  // no noise, and the receive filter passes every bin
    ASSERT_NEAR(form->dRxSignal[i], form->dTxSignal[i], 1e-12) << i;
}
INSTANTIATE_TEST_SUITE_P(Modulations, RectangularPulses, ::testing::ValuesIn(kLinear));

// Impulses of area 32 through a raised cosine response are a Nyquist pulse train: at every symbol
// centre the signal is the symbol itself, while between the centres it is not the rectangular
// train. Exact where the taper's ends fall on whole bins (50 %, 100 %); at 35 % the taper's first
// bin (42) loses its partner (86): a Nyquist error of 2e-4 in four bins, at most 4.4e-4 at a centre.
// A root raised cosine matched at the receiver makes the same pulse.
TEST(ImpulsePath, HasNoIntersymbolInterferenceAtTheCentres) {
  for (const auto& [mod, eb, tx, rx, tolerance] :
       {std::tuple{"BPSK", "50", "Raised Cosine", "None", 1e-9}, {"16-QAM", "100", "Raised Cosine", "None", 1e-9},
        {"QPSK", "35", "Raised Cosine", "None", 2e-3}, {"8-PSK", "50", "Root RC", "Matched", 1e-9}}) {
    auto form = paused("Scatter", mod, tx, rx);
    form->cmbTxEB[0].setText(eb);  // its change runs the paused chain with the new filters
    const SignalBlock& pulses = std::string(rx) == "Matched" ? form->dRxSignal : form->dTxSignal;
    double offCentre = 0;
    for (int s = 0; s < 128; ++s) {
      EXPECT_LT(std::abs(at(pulses, 32 * s) - symbol(*form, s)), tolerance) << mod << " " << s;
      offCentre = std::max(offCentre, std::abs(at(pulses, 32 * s + 16) - rectangular(*form, 32 * s + 16)));
    }
    EXPECT_GT(offCentre, 0.05) << mod;
  }
}

// OQPSK pairs in-phase sample n with quadrature sample n + 16 wherever it draws or distorts a
// point: the scatter, the trajectory, the eye and the amplifier.
TEST(Oqpsk, ScatterTrajectoryAndEyeTakeTheQuadratureHalfASymbolLater) {
  auto form = paused("Scatter", "OQPSK", "None");
  ASSERT_EQ(form->iSymbolOffset, 16);
  const PictureBox& scatter = form->picScatter[2];
  const double w = scatter.ScaleWidth(), h = scatter.ScaleHeight();
  const auto points = ops(scatter, 0xC00000);
  ASSERT_EQ(points.size(), 97u * 5);  // five rings a point, 10 to 50 twips, each over the four reference circles
  EXPECT_EQ(ops(scatter, 0xC0).size(), 97u * 4);
  EXPECT_EQ(points[0].x2, 10);
  EXPECT_EQ(points[4].x2, 50);
  for (int s = 0; s < 97; ++s) {
    const int n = 32 * s + form->iSamplePoint;
    EXPECT_NEAR(points[5 * s].x1, w / 3 * rectangular(*form, n).real() + std::nearbyint(w / 2), 1e-6) << s;
    EXPECT_NEAR(points[5 * s].y1, -h / 3 * rectangular(*form, n + 16).imag() + std::nearbyint(h / 2), 1e-6) << s;
  }
  const PictureBox& plane = form->picScatter[0];
  const auto path = ops(plane, 0xFF4040);
  ASSERT_EQ(path.size(), 4000u);
  const double sx = plane.ScaleWidth() / 3, sy = -plane.ScaleHeight() / 3;
  for (int i = 32; i < 4032; ++i) {
    const DrawOp& line = path[i - 32];
    ASSERT_EQ(line.x1, std::nearbyint(sx * rectangular(*form, i).real() + std::nearbyint(plane.ScaleWidth() / 2))) << i;
    ASSERT_EQ(line.y1, std::nearbyint(sy * rectangular(*form, i + 16).imag() + std::nearbyint(plane.ScaleHeight() / 2)))
        << i;
  }
  // The quadrature eye shows the sample sixteen places earlier.
  const PictureBox& eye = form->picEye[0];
  const double yUnit = (2 / 0.7) / eye.ScaleHeight(), yMid = 0.5 * eye.ScaleHeight();
  // Two bits per symbol: traces aligned by 31, every second symbol from 33; the picture spans 65
  // samples from the 16th of a stretch, so its segments 15 ... 81 (67 of them) touch it.
  for (auto [colour, rail, offset] : {std::tuple{0xC000u, 0, 16 + 31}, std::tuple{0xC0u, 1, 16 - 16 + 31}}) {
    const auto lines = ops(eye, colour);
    ASSERT_EQ(lines.size(), 32u * 67);
    for (int t = 0; t < 32; ++t) {
      const int n = 32 * (33 + 2 * t) + offset + 15;
      EXPECT_NEAR(lines[67 * t].y1, yMid - form->dRxSignal[2 * n + rail] / yUnit, 1e-6) << t;
    }
  }
}

TEST(Oqpsk, TheComponentTraceAndTheSymbolTraceShiftTheQuadratureHalfASymbol) {
  auto form = paused("Modulation", "OQPSK", "None");
  const PictureBox& q = form->picEye[2];
  const int p0 = form->iTraceFirst - 1, yM = int(q.ScaleHeight() / 2);
  const double a = std::nearbyint(-std::floor(q.ScaleHeight() * 3 / 5) / 2);
  const auto lines = ops(q, 0xC0);
  ASSERT_FALSE(lines.empty());
  for (std::size_t i = 0; i < lines.size(); i += 2)  // each segment is drawn twice, 15 lower
    ASSERT_EQ(lines[i].y1, std::nearbyint(a * form->dTxSignal[2 * (p0 + int(i / 2) + 16) + 1] + yM)) << i;
  // The symbol trace: Q cells (red) start half a cell after the I cells (green), but the first.
  const auto iCells = ops(form->picModData, 0xC000), qCells = ops(form->picModData, 0xC0);
  const double cell = iCells[2].x1 - iCells[0].x1;  // level lines come in pairs
  EXPECT_EQ(qCells[0].x1, iCells[0].x1);
  EXPECT_EQ(qCells[2].x1 - iCells[2].x1, std::floor(cell / 2));
}

double envelope(double r) {  // the amplifier's AM/AM curve
  if (r < 0.4) return 0.16 * r * r + r - 0.16;
  if (r < 1.0) return r;
  return r - r * r / 5 + r * r * r / 5;
}

TEST(Oqpsk, TheAmplifierDistortsEachInPhaseSampleWithTheQuadratureOneHalfASymbolLater) {
  auto linear = paused("Scatter", "OQPSK", "Raised Cosine");
  auto distorted = paused("Scatter", "OQPSK", "Raised Cosine", "None", "Non-Linear");
  ASSERT_EQ(linear->iData, distorted->iData);
  for (int i = 32; i < 4064; i += 7) {
    const double r = std::abs(cd(linear->dTxSignal[2 * i], linear->dTxSignal[2 * (i + 16) + 1]));
    const double out = std::abs(cd(distorted->dTxSignal[2 * i], distorted->dTxSignal[2 * (i + 16) + 1]));
    EXPECT_NEAR(out, std::abs(envelope(r)), 1e-9) << i;
  }
}

}  // namespace
}  // namespace linklab
