// The readout strip under the window and the error-rate window's curve, its files and its runs.
#include "qt/error_rate_window.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class Readouts : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = widget<ErrorRateWindow>("ErrorRateWindow");
    ASSERT_NE(window, nullptr);
  }
  // Runs a sweep over the range to its end.
  void sweep(double from, double to, double step) {
    window->setRange(from, to, step);
    window->startSweep();
    while (window->running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  }
  QString svg() const { return window->saveSvg(temp("plot.svg")) ? fileText(temp("plot.svg")) : QString(); }
  QString strip() const {
    QStringList texts;
    for (QLabel* label : view->statusBar()->findChildren<QLabel*>())
      if (label->isVisible() && !label->text().isEmpty()) texts << label->text();
    return texts.join(" | ");
  }
  // Markers, theory and bars are all the plot draws in colour or as polylines; an empty plot has
  // its frame, axes and a hint only.
  void expectEmptyPlot() const {
    const QString plot = svg();
    EXPECT_TRUE(plot.contains("Press Start to measure"));
    EXPECT_FALSE(plot.contains("<polyline")) << "a theory line";
    EXPECT_FALSE(plot.contains("<circle") || plot.contains("<polygon")) << "a marker";
    EXPECT_TRUE(plot.contains("Eb/N0 of the channel (dB)"));
  }
  ErrorRateWindow* window = nullptr;
};

TEST_F(Readouts, TheStripShowsTheFiguresOfTheScene) {
  scene("Scatter");
  // While the link runs the figures are refreshed every fifth tick, twice a second.
  ticks(4);
  EXPECT_FALSE(strip().contains(" of 384"));
  ticks(1);
  const QString receiver = strip();
  EXPECT_TRUE(receiver.contains("Eb/N0") && receiver.contains("SER ")) << receiver.toStdString();
  EXPECT_TRUE(receiver.contains(" of 512")) << receiver.toStdString();  // four runs of 128 symbols
  EXPECT_FALSE(receiver.contains("occupied")) << receiver.toStdString();
  widget<QPushButton>("ResetCounts")->click();
  EXPECT_EQ(form->lSymbols, 0);

  scene("Modulation");
  ticks(3);
  EXPECT_TRUE(strip().contains("occupied bandwidth")) << strip().toStdString();
  EXPECT_FALSE(strip().contains("SER")) << strip().toStdString();
}

// The curve is empty before Start; earlier runs stay on it with their settings; Clear empties it
// and a cancelled run stays, marked as such.
TEST_F(Readouts, TheCurveKeepsEarlierAndCancelledRunsUntilCleared) {
  pick({{"cmbScene", "Full"}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", "Matched"}});
  EXPECT_TRUE(window->runs().empty());
  expectEmptyPlot();
  auto* clear = window->findChild<QPushButton*>("ClearRuns");
  EXPECT_FALSE(clear->isEnabled());
  sweep(0, 4, 2);
  const QString drawn = svg();
  EXPECT_FALSE(drawn.contains("Press Start to measure"));
  EXPECT_TRUE(drawn.contains("<polyline")) << "the theory";
  EXPECT_TRUE(drawn.contains("<circle")) << "the SER and BER markers";
  EXPECT_TRUE(drawn.contains("Clopper-Pearson"));
  view->runEvent([this] { form->cmbFilter[0].setText("None"), form->cmbFilter[1].setText("Raised Cosine"); });
  sweep(2, 4, 2);

  const std::vector<PlotRun>& runs = window->runs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].label, "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp");
  EXPECT_EQ(runs[1].label, "BPSK, Tx None, Rx Raised Cosine " + form->cmbTxEB[1].Text() + " %, Linear amp");
  for (int r = 0; r < 2; ++r) {  // every 2 dB from where each was asked to start, to 4 dB
    EXPECT_FALSE(runs[r].running);
    ASSERT_EQ(runs[r].points.size(), 3u - r);
    for (std::size_t k = 0; k < runs[r].points.size(); ++k) {
      EXPECT_EQ(runs[r].points[k].ebN0dB, 2 * (r + k));
      EXPECT_GT(runs[r].points[k].symbols, 0);
    }
    EXPECT_TRUE(svg().contains(QString::fromStdString(runs[r].label)));
  }

  // The plot area is framed on all four sides by thin black lines.
  QList<QLineF> frame;
  QRectF box;
  static const QRegularExpression blackLine(
      "<line x1='([-\\d.]+)' y1='([-\\d.]+)' x2='([-\\d.]+)' y2='([-\\d.]+)' stroke='#000000' stroke-width='1'/>");
  for (auto m = blackLine.globalMatch(svg()); m.hasNext();) {
    const auto l = m.next();
    frame << QLineF(l.captured(1).toDouble(), l.captured(2).toDouble(), l.captured(3).toDouble(), l.captured(4).toDouble());
    box |= QRectF(frame.back().p1(), frame.back().p2()).normalized();
  }
  const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
  for (int side = 0; side < 4; ++side) {
    const QPointF a = corners[side], b = corners[(side + 1) % 4];
    EXPECT_TRUE(frame.contains(QLineF(a, b)) || frame.contains(QLineF(b, a))) << side;
  }
  // The CSV has a row a point, each rate inside its 95 % interval.
  ASSERT_TRUE(window->saveCsv(temp("two_runs.csv")));
  ASSERT_TRUE(window->savePng(temp("two_runs.png")));
  const QList<QByteArray> lines = fileText(temp("two_runs.csv")).toUtf8().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], "ebn0_db,symbols,symbol_errors,bits,bit_errors,ser,ber,ser_theory,ber_theory,"
                      "ser_lower95,ser_upper95,ber_lower95,ber_upper95,run,settings");
  for (int i = 1; i < 6; ++i) {
    const QList<QByteArray> f = lines[i].split(',');
    ASSERT_GE(f.size(), 15);
    EXPECT_EQ(f[0].toDouble(), i <= 3 ? 2 * (i - 1) : 2 * (i - 3));
    EXPECT_LT(f[9].toDouble(), f[5].toDouble());
    EXPECT_GT(f[10].toDouble(), f[5].toDouble());
    EXPECT_LE(f[11].toDouble(), f[6].toDouble());
    EXPECT_GE(f[12].toDouble(), f[6].toDouble());
    EXPECT_EQ(f[13].toInt(), i <= 3 ? 1 : 2);
  }
  ASSERT_TRUE(clear->isEnabled());
  clear->click();
  EXPECT_TRUE(window->runs().empty());
  EXPECT_TRUE(window->points().empty());
  expectEmptyPlot();
  window->setRange(0, 30, 0.5);  // the clean end takes 200000 symbols a point: far from done at once
  window->startSweep();
  ASSERT_TRUE(window->running());
  window->cancelSweep();
  EXPECT_FALSE(window->running());
  ASSERT_EQ(window->runs().size(), 1u);
  EXPECT_TRUE(window->runs()[0].cancelled);
  EXPECT_FALSE(window->runs()[0].running);
  EXPECT_TRUE(svg().contains("(cancelled)"));
}

}  // namespace
}  // namespace linklab
