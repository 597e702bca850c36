// The page's error-rate curve natively: points run in slices by workers that got the settings as
// bytes count exactly what the desktop's sweep threads count, and the run refuses what it should.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "error_rate_page.h"
#include "web_app.h"

namespace linklab::web {
namespace {

struct Setting {
  const char* keying;
  const char* nonlinear;
};
class PageSweep : public ::testing::TestWithParam<Setting> {};

TEST_P(PageSweep, WorkersCountWhatTheSweepThreadsCount) {
  WebApp app;
  app.load();
  ASSERT_TRUE(app.setText("cmbScene", "Full"));
  ASSERT_TRUE(app.setText("cmbMod(0)", GetParam().keying));
  ASSERT_TRUE(app.setText("cmbNonlinear", GetParam().nonlinear));
  app.tick();
  ErrorRateCurve curve;
  ASSERT_EQ(curve.startRun(app, 2, 8, 3), "");
  ASSERT_EQ(curve.pointCount(), 3);

  ErrorRateSweep threads(app.model().linkSettings(), {2, 5, 8}, 2);
  threads.start();
  threads.wait();
  const std::vector<SweepPoint> expected = threads.points();

  // Two workers, the settings copied into each as bytes; points in the page's order, in slices.
  SweepWorker workers[2];
  for (SweepWorker& w : workers) std::memcpy(w.settingsBytes(), curve.settingsBytes(), ErrorRateCurve::settingsSize());
  for (int taken = 0; taken < 3; ++taken) {
    const int index = 2 - taken;
    SweepWorker& w = workers[taken % 2];
    w.begin(index, curve.pointDb(index), curve.meanPower());
    while (!w.step(3)) EXPECT_LT(w.progress(), 1.0);
    curve.setPoint(index, w.symbols(), w.symbolErrors(), w.bits(), w.bitErrors(), true);
  }
  curve.finishRun(false);
  ASSERT_EQ(curve.plotRuns().size(), 1u);
  for (int i = 0; i < 3; ++i) {
    const SweepPoint& p = curve.plotRuns()[0].points[i];
    EXPECT_EQ(p.ebN0dB, expected[i].ebN0dB);
    EXPECT_EQ(p.symbols, expected[i].symbols) << i;
    EXPECT_EQ(p.symbolErrors, expected[i].symbolErrors) << i;
    EXPECT_EQ(p.bits, expected[i].bits) << i;
    EXPECT_EQ(p.bitErrors, expected[i].bitErrors) << i;
    EXPECT_DOUBLE_EQ(p.serTheory, expected[i].serTheory);
  }
  const std::string csv = curve.csv();
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
  const std::string drawing = curve.drawing(640, 440, 0, 14);
  EXPECT_NE(drawing.find(curve.plotRuns()[0].label), std::string::npos);
  for (const char* broken : {",,", "[,", ",]"}) EXPECT_EQ(drawing.find(broken), std::string::npos) << broken;
}
INSTANTIATE_TEST_SUITE_P(Links, PageSweep,
                         ::testing::Values(Setting{"BPSK", "Linear"}, Setting{"16-QAM", "Non-Linear"}));

TEST(PageCurve, RefusesWhatCannotRunAndKeepsRunsWhileOneRuns) {
  WebApp app;
  app.load();
  ErrorRateCurve curve;
  EXPECT_NE(curve.drawing(640, 440, 0, 14).find("Press Start to measure"), std::string::npos);
  EXPECT_NE(curve.startRun(app, 0, 14, 0), "");
  EXPECT_NE(curve.startRun(app, 0, NAN, 1), "");
  EXPECT_NE(curve.startRun(app, 0, 1e6, 1e-3), "") << "a million points";
  EXPECT_EQ(curve.runCount(), 0);
  ASSERT_EQ(curve.startRun(app, 4, 2, 1), "") << "a range upside down is one point";
  EXPECT_EQ(curve.pointCount(), 1);
  EXPECT_NE(curve.startRun(app, 0, 4, 1), "") << "one run at a time";
  EXPECT_FALSE(curve.clear());
  curve.setPoint(5, 10, 1, 10, 1, true);   // no such point
  curve.setPoint(0, 10, 20, 10, 1, true);  // more errors than symbols
  EXPECT_EQ(curve.plotRuns()[0].points[0].symbols, 0);
  curve.finishRun(true);
  EXPECT_TRUE(curve.plotRuns()[0].cancelled);
  curve.setPoint(0, 10, 1, 10, 1, true);  // after the run: ignored
  EXPECT_EQ(curve.plotRuns()[0].points[0].symbols, 0);
  EXPECT_TRUE(curve.clear());
  ASSERT_TRUE(app.setText("cmbMod(0)", "FSK"));
  EXPECT_EQ(curve.startRun(app, 0, 4, 1), "This link makes no symbol decisions.");
}

}  // namespace
}  // namespace linklab::web
