// The lesson panel on the real window: a shipped lesson opened from Help > Lessons shows its
// first step, Next enters the second with its setup and locks, Check judges the window, a broken
// lesson file shows one message naming the line, and a lesson reopened returns to its step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QTest>

#include "main_window/form1.h"
#include "qt/lesson_dock.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class LessonPanel : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    dock = view->findChild<LessonDock*>("LessonDock");
    ASSERT_NE(dock, nullptr);
  }
  QString text(const char* name) const { return view->findChild<QLabel*>(name)->text(); }
  QPushButton* button(const char* name) const { return view->findChild<QPushButton*>(name); }
  void openKeyings() {
    QAction* pick = view->findChild<QAction*>("lesson:keyings-and-constellations");
    ASSERT_NE(pick, nullptr);
    pick->trigger();
    QApplication::processEvents();
  }
  LessonDock* dock = nullptr;
};

TEST_F(LessonPanel, HiddenUntilALessonIsOpenedThenShowsStepOne) {
  EXPECT_FALSE(dock->isVisible());
  // Every shipped lesson is on the menu, by its title.
  auto* menu = view->findChild<QMenu*>("LessonsMenu");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->actions().size(), static_cast<qsizetype>(shippedLessons().size()));
  openKeyings();
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(view->dockWidgetArea(dock), Qt::RightDockWidgetArea);
  EXPECT_TRUE(text("LessonTitle").contains("Keyings and constellations"));
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of 6");
  EXPECT_TRUE(view->findChild<QTextBrowser*>("LessonProse")->toPlainText().contains("BPSK at 10 dB"));
  EXPECT_FALSE(button("LessonBack")->isEnabled());
  EXPECT_TRUE(button("LessonNext")->isEnabled());
  // The first step asks nothing.
  EXPECT_FALSE(view->findChild<QLineEdit*>("LessonAnswer")->isVisible());
  button("LessonCheck")->click();
  EXPECT_EQ(text("LessonVerdict"), "This step has no check.");
}

TEST_F(LessonPanel, NextAppliesTheStepsSetupAndCheckFollowsTheWindow) {
  openKeyings();
  // The student wanders off; the next step's setup brings the window back and locks the noise.
  view->runEvent([&] { form->cmbMod[0].setText("8-PSK"); form->cmbNoise.setText("0.3"); });
  auto* modulation = view->findChild<QComboBox*>("cmbMod(0)");
  ASSERT_NE(modulation, nullptr);
  ASSERT_EQ(modulation->currentText(), "8-PSK");
  button("LessonNext")->click();
  EXPECT_EQ(text("LessonStepCount"), "Step 2 of 6");
  EXPECT_EQ(modulation->currentText(), "BPSK");
  EXPECT_TRUE(form->cmbNoise.setupLocked);
  EXPECT_TRUE(button("LessonBack")->isEnabled());

  button("LessonCheck")->click();
  EXPECT_EQ(text("LessonVerdict"), "Choose QPSK as the keying.");
  view->runEvent([&] { ASSERT_EQ(dock->session()->solve(*form), ""); });
  EXPECT_EQ(modulation->currentText(), "QPSK");
  for (int i = 0; i < 30; ++i) view->onTick();
  button("LessonCheck")->click();
  EXPECT_TRUE(text("LessonVerdict").startsWith("Right: still 10 dB."));
  EXPECT_EQ(view->messageHost().shown(), 0);
}

TEST_F(LessonPanel, AnAnswerAndTheStepAreKeptWhenTheLessonIsOpenedAgain) {
  openKeyings();
  button("LessonNext")->click();
  button("LessonNext")->click();
  auto* answer = view->findChild<QLineEdit*>("LessonAnswer");
  ASSERT_TRUE(answer->isVisible());  // "How many bits does each 8-PSK symbol carry?"
  answer->setFocus();
  answer->clear();
  QTest::keyClicks(answer, "3");
  button("LessonCheck")->click();
  EXPECT_TRUE(text("LessonVerdict").size() > 0);
  const QString passed = text("LessonVerdict");

  view->findChild<QAction*>("lesson:noise-and-matched-filter")->trigger();
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of " + QString::number(dock->session()->current().steps.size()));
  openKeyings();
  EXPECT_EQ(text("LessonStepCount"), "Step 3 of 6");
  EXPECT_EQ(answer->text(), "3");
  button("LessonCheck")->click();
  EXPECT_EQ(text("LessonVerdict"), passed);
  EXPECT_EQ(dock->session()->check(*form).kind, LessonVerdict::Kind::Pass);
}

TEST_F(LessonPanel, ABrokenLessonFileShowsOneMessageAndLeavesThePanelShut) {
  const QString path = QString::fromStdString(::testing::TempDir()) + "broken.lesson";
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("linklab lesson 1\n# Broken\n\n## One\ncheck: abs(\n");
  out.close();
  dock->askOpenFile = [&] { return path; };
  view->findChild<QAction*>("OpenLesson")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(view->messageHost().shown(), 1);
  const QString said = QString::fromStdString(view->messageHost().lastMessage());
  EXPECT_TRUE(said.contains("broken.lesson") && said.contains("line 5")) << said.toStdString();
  EXPECT_FALSE(dock->isVisible());
  EXPECT_EQ(dock->session(), nullptr);
  QFile::remove(path);
}

TEST_F(LessonPanel, ALessonFileOpensAtItsFirstStep) {
  const QString path = QString::fromStdString(::testing::TempDir()) + "own.lesson";
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("linklab lesson 1\n# Own\n\n## First\n```setup\ncmbScene = Full\ncmbMod(0) = 16-QAM\n```\nLook.\n\n"
            "## Second\nMore.\n");
  out.close();
  ASSERT_TRUE(dock->openFile(path));
  QApplication::processEvents();
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of 2");
  EXPECT_EQ(form->cmbMod[0].Text(), "16-QAM");
  QFile::remove(path);
}

TEST_F(LessonPanel, ThePanelsFontFollowsTheLayoutScale) {
  openKeyings();
  const double before = view->findChild<QLabel*>("LessonStepCount")->font().pointSizeF();
  view->resize(view->size() * 2);
  QTest::qWait(50);
  ASSERT_GT(view->layoutScale().factor, 1.5);
  EXPECT_GT(view->findChild<QLabel*>("LessonStepCount")->font().pointSizeF(), 1.5 * before);
}

}  // namespace
}  // namespace linklab
