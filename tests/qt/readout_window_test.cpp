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

TEST_F(Readouts, TheCurveWindowSweepsAndSavesItsThreeFormats) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  view->onTick();
  view->onTick();
  auto* window = view->findChild<ErrorRateWindow*>("ErrorRateWindow");
  ASSERT_NE(window, nullptr);
  window->setRange(0, 4, 1);
  window->startSweep();
  while (window->running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
  QApplication::processEvents();
  const auto points = window->points();
  ASSERT_EQ(points.size(), 5u);
  for (const SweepPoint& p : points) EXPECT_GT(p.symbols, 0);
  const QString dir = QString::fromStdString(::testing::TempDir());
  ASSERT_TRUE(window->savePng(dir + "curve.png"));
  ASSERT_TRUE(window->saveSvg(dir + "curve.svg"));
  ASSERT_TRUE(window->saveCsv(dir + "curve.csv"));
  QFile csv(dir + "curve.csv");
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
  EXPECT_EQ(lines.size(), 6);
  EXPECT_TRUE(lines[0].startsWith("ebn0_db,symbols"));
  // The plot area is framed on all four sides by thin black lines.
  QFile svg(dir + "curve.svg");
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(svg.readAll());
  EXPECT_TRUE(text.startsWith("<?xml") || text.startsWith("<svg"));
  QList<QLineF> frame;
  static const QRegularExpression blackLine(
      "<line x1='([-\\d.]+)' y1='([-\\d.]+)' x2='([-\\d.]+)' y2='([-\\d.]+)' stroke='#000000' stroke-width='1'/>");
  for (auto m = blackLine.globalMatch(text); m.hasNext();) {
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
}

}  // namespace
}  // namespace linklab
