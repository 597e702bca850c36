// The readout strip and the error-rate window on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineF>
#include <QRegularExpression>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <memory>

#include "main_window/form1.h"
#include "qt/error_rate_window.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class Readouts : public WindowTest {
 protected:

  ErrorRateWindow* curveWindow() { return view->findChild<ErrorRateWindow*>("ErrorRateWindow"); }

  // Runs a sweep over the range to its end.
  void sweep(ErrorRateWindow& window, double from, double to, double step) {
    window.setRange(from, to, step);
    window.startSweep();
    while (window.running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  }

  static QString svgOf(const ErrorRateWindow& window) {
    const QString file = QString::fromStdString(::testing::TempDir()) + "plot.svg";
    if (!window.saveSvg(file)) return {};
    QFile svg(file);
    if (!svg.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(svg.readAll());
  }

  QStringList visibleTexts() {
    QStringList texts;
    for (QLabel* label : view->statusBar()->findChildren<QLabel*>())
      if (label->isVisible() && !label->text().isEmpty()) texts << label->text();
    return texts;
  }

};

TEST_F(Readouts, TheStripShowsTheFiguresOfTheScene) {
  view->runEvent([this] { form->cmbScene.setText("Scatter"); });
  // While the link runs the figures are refreshed every fifth tick, twice a second.
  for (int i = 0; i < 4; ++i) view->onTick();
  EXPECT_FALSE(visibleTexts().join(" | ").contains(" of 384"));
  view->onTick();
  const QString receiver = visibleTexts().join(" | ");
  EXPECT_TRUE(receiver.contains("Eb/N0")) << receiver.toStdString();
  EXPECT_TRUE(receiver.contains("SER ")) << receiver.toStdString();
  EXPECT_TRUE(receiver.contains(" of 512")) << receiver.toStdString();  // four runs of 128 symbols
  EXPECT_FALSE(receiver.contains("occupied")) << receiver.toStdString();
  auto* reset = view->findChild<QPushButton*>("ResetCounts");
  ASSERT_NE(reset, nullptr);
  reset->click();
  EXPECT_EQ(form->lSymbols, 0);

  view->runEvent([this] { form->cmbScene.setText("Modulation"); });
  for (int i = 0; i < 3; ++i) view->onTick();
  const QString transmitter = visibleTexts().join(" | ");
  EXPECT_TRUE(transmitter.contains("occupied bandwidth")) << transmitter.toStdString();
  EXPECT_FALSE(transmitter.contains("SER")) << transmitter.toStdString();
}

// Markers, theory and bars are all the plot draws in colour or as polylines; an empty plot has
// its frame, axes and a hint only.
void expectEmptyPlot(const QString& svg) {
  ASSERT_FALSE(svg.isEmpty());
  EXPECT_TRUE(svg.contains("Press Start to measure"));
  EXPECT_FALSE(svg.contains("<polyline")) << "a theory line";
  EXPECT_FALSE(svg.contains("<circle")) << "a marker";
  EXPECT_FALSE(svg.contains("<polygon")) << "a marker";
  EXPECT_TRUE(svg.contains("Eb/N0 of the channel (dB)"));
}

TEST_F(Readouts, TheCurveIsEmptyBeforeStartAndAfterClear) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  ErrorRateWindow* window = curveWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->runs().empty());
  expectEmptyPlot(svgOf(*window));
  auto* clear = window->findChild<QPushButton*>("ClearRuns");
  ASSERT_NE(clear, nullptr);
  EXPECT_FALSE(clear->isEnabled());

  sweep(*window, 0, 2, 1);
  ASSERT_EQ(window->runs().size(), 1u);
  const QString drawn = svgOf(*window);
  EXPECT_FALSE(drawn.contains("Press Start to measure"));
  EXPECT_TRUE(drawn.contains("<polyline")) << "the theory";
  EXPECT_TRUE(drawn.contains("<circle")) << "the SER and BER markers";
  EXPECT_TRUE(drawn.contains("Clopper-Pearson"));
  ASSERT_TRUE(clear->isEnabled());
  clear->click();
  EXPECT_TRUE(window->runs().empty());
  EXPECT_TRUE(window->points().empty());
  expectEmptyPlot(svgOf(*window));
}

TEST_F(Readouts, EarlierRunsStayOnTheCurveWithTheirSettings) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  view->runEvent([this] { form->cmbFilter[0].setText("Root RC"); });
  view->runEvent([this] { form->cmbFilter[1].setText("Matched"); });
  ErrorRateWindow* window = curveWindow();
  ASSERT_NE(window, nullptr);
  sweep(*window, 0, 4, 2);
  view->runEvent([this] { form->cmbFilter[0].setText("None"); });
  view->runEvent([this] { form->cmbFilter[1].setText("None"); });
  sweep(*window, 0, 4, 2);

  const std::vector<PlotRun>& runs = window->runs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].label, "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp");
  EXPECT_EQ(runs[1].label, "BPSK, Tx None, Rx None, Linear amp");
  for (const PlotRun& run : runs) {
    EXPECT_FALSE(run.running);
    ASSERT_EQ(run.points.size(), 3u);
    for (const SweepPoint& p : run.points) EXPECT_GT(p.symbols, 0);
  }
  const QString svg = svgOf(*window);
  EXPECT_TRUE(svg.contains(QString::fromStdString(runs[0].label)));
  EXPECT_TRUE(svg.contains(QString::fromStdString(runs[1].label)));

  // The plot area is framed on all four sides by thin black lines.
  EXPECT_TRUE(svg.startsWith("<?xml") || svg.startsWith("<svg"));
  QList<QLineF> frame;
  static const QRegularExpression blackLine(
      "<line x1='([-\\d.]+)' y1='([-\\d.]+)' x2='([-\\d.]+)' y2='([-\\d.]+)' stroke='#000000' stroke-width='1'/>");
  for (auto m = blackLine.globalMatch(svg); m.hasNext();) {
    const auto l = m.next();
    frame << QLineF(l.captured(1).toDouble(), l.captured(2).toDouble(), l.captured(3).toDouble(), l.captured(4).toDouble());
  }
  ASSERT_FALSE(frame.isEmpty());
  QRectF box(frame[0].p1(), frame[0].p2());
  for (const QLineF& l : frame) box |= QRectF(l.p1(), l.p2()).normalized();
  auto framed = [&frame](QPointF a, QPointF b) {
    for (const QLineF& l : frame)
      if ((l.p1() == a && l.p2() == b) || (l.p1() == b && l.p2() == a)) return true;
    return false;
  };
  EXPECT_TRUE(framed(box.topLeft(), box.bottomLeft()));
  EXPECT_TRUE(framed(box.topRight(), box.bottomRight()));
  EXPECT_TRUE(framed(box.topLeft(), box.topRight()));
  EXPECT_TRUE(framed(box.bottomLeft(), box.bottomRight()));
  const QString file = QString::fromStdString(::testing::TempDir()) + "two_runs.csv";
  ASSERT_TRUE(window->saveCsv(file));
  ASSERT_TRUE(window->savePng(QString::fromStdString(::testing::TempDir()) + "two_runs.png"));
  QFile csv(file);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "ebn0_db,symbols,symbol_errors,bits,bit_errors,ser,ber,ser_theory,ber_theory,"
                      "ser_lower95,ser_upper95,ber_lower95,ber_upper95,run,settings");
  for (int i = 1; i < 7; ++i) {
    const QList<QByteArray> f = lines[i].split(',');
    ASSERT_GE(f.size(), 15);
    const double ser = f[5].toDouble(), serLow = f[9].toDouble(), serHigh = f[10].toDouble();
    EXPECT_LT(serLow, ser);
    EXPECT_GT(serHigh, ser);
    EXPECT_LE(f[11].toDouble(), f[6].toDouble());
    EXPECT_GE(f[12].toDouble(), f[6].toDouble());
    EXPECT_EQ(f[13].toInt(), i <= 3 ? 1 : 2);
  }
}

TEST_F(Readouts, ACancelledRunStaysMarkedAsSuch) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  ErrorRateWindow* window = curveWindow();
  ASSERT_NE(window, nullptr);
  window->setRange(0, 30, 0.5);  // the clean end takes 200000 symbols a point: far from done at once
  window->startSweep();
  ASSERT_TRUE(window->running());
  window->cancelSweep();
  EXPECT_FALSE(window->running());
  ASSERT_EQ(window->runs().size(), 1u);
  EXPECT_TRUE(window->runs()[0].cancelled);
  EXPECT_FALSE(window->runs()[0].running);
  EXPECT_TRUE(svgOf(*window).contains("(cancelled)"));
}

}  // namespace
}  // namespace linklab
