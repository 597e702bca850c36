// The lesson panel on the real window: a shipped lesson opened from Help > Lessons shows its
// first step, Next enters the second with its setup and locks, Check judges the window, a broken
// lesson file shows one message naming the line, and a lesson reopened returns to its step.
#include "qt/lesson_dock.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class LessonPanel : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    dock = widget<LessonDock>("LessonDock");
    ASSERT_NE(dock, nullptr);
  }
  QString text(const char* name) const { return widget<QLabel>(name)->text(); }
  void click(const char* button) const { widget<QPushButton>(button)->click(); }
  void open(const char* lesson) {
    widget<QAction>((std::string("lesson:") + lesson).c_str())->trigger();
    QApplication::processEvents();
  }
  LessonDock* dock = nullptr;
};

// Next applies the step's setup, Check follows the window, and an answer and the step are kept
// when the lesson is opened again.
TEST_F(LessonPanel, HiddenUntilALessonIsOpenedThenWalksItsSteps) {
  EXPECT_FALSE(dock->isVisible());
  // Every shipped lesson is on the menu.
  EXPECT_EQ(widget<QMenu>("LessonsMenu")->actions().size(), static_cast<qsizetype>(shippedLessons().size()));
  open("keyings-and-constellations");
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(view->dockWidgetArea(dock), Qt::RightDockWidgetArea);
  EXPECT_TRUE(text("LessonTitle").contains("Keyings and constellations"));
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of 6");
  EXPECT_TRUE(widget<QTextBrowser>("LessonProse")->toPlainText().contains("BPSK at 10 dB"));
  EXPECT_FALSE(widget("LessonBack")->isEnabled());
  EXPECT_TRUE(widget("LessonNext")->isEnabled());
  // The first step asks nothing.
  EXPECT_FALSE(widget("LessonAnswer")->isVisible());
  click("LessonCheck");
  EXPECT_EQ(text("LessonVerdict"), "This step has no check.");
  // The student wanders off; the next step's setup brings the window back and locks the noise.
  view->runEvent([&] { form->cmbMod[0].setText("8-PSK"), form->cmbNoise.setText("0.3"); });
  auto* modulation = widget<QComboBox>("cmbMod(0)");
  ASSERT_EQ(modulation->currentText(), "8-PSK");
  click("LessonNext");
  EXPECT_EQ(text("LessonStepCount"), "Step 2 of 6");
  EXPECT_EQ(modulation->currentText(), "BPSK");
  EXPECT_TRUE(form->cmbNoise.setupLocked);
  EXPECT_TRUE(widget("LessonBack")->isEnabled());

  click("LessonCheck");
  EXPECT_EQ(text("LessonVerdict"), "Choose QPSK as the keying.");
  view->runEvent([&] { ASSERT_EQ(dock->session()->solve(*form), ""); });
  EXPECT_EQ(modulation->currentText(), "QPSK");
  ticks(30);
  click("LessonCheck");
  EXPECT_TRUE(text("LessonVerdict").startsWith("Right: still 10 dB."));
  EXPECT_EQ(view->messageHost().shown(), 0);
  // An answer and the step are kept when the lesson is opened again.
  click("LessonNext");
  auto* answer = widget<QLineEdit>("LessonAnswer");
  ASSERT_TRUE(answer->isVisible());  // "How many bits does each 8-PSK symbol carry?"
  answer->setFocus();
  answer->clear();
  QTest::keyClicks(answer, "3");
  click("LessonCheck");
  const QString passed = text("LessonVerdict");

  open("noise-and-matched-filter");
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of " + QString::number(dock->session()->current().steps.size()));
  open("keyings-and-constellations");
  EXPECT_EQ(text("LessonStepCount"), "Step 3 of 6");
  EXPECT_EQ(answer->text(), "3");
  click("LessonCheck");
  EXPECT_EQ(text("LessonVerdict"), passed);
  EXPECT_EQ(dock->session()->check(*form).kind, LessonVerdict::Kind::Pass);
}


TEST_F(LessonPanel, ABrokenLessonFileShowsOneMessageAndLeavesThePanelShut) {
  const QString path = written("broken.lesson", "linklab lesson 1\n# Broken\n\n## One\ncheck: abs(\n");
  dock->askOpenFile = [&] { return path; };
  widget<QAction>("OpenLesson")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(view->messageHost().shown(), 1);
  const QString said = QString::fromStdString(view->messageHost().lastMessage());
  EXPECT_TRUE(said.contains("broken.lesson") && said.contains("line 5")) << said.toStdString();
  EXPECT_FALSE(dock->isVisible());
  EXPECT_EQ(dock->session(), nullptr);
}

TEST_F(LessonPanel, ALessonFileOpensAtItsFirstStepWithItsSetup) {
  ASSERT_TRUE(dock->openFile(written("own.lesson", "linklab lesson 1\n# Own\n\n## First\n```setup\ncmbScene = "
                                                   "Full\ncmbMod(0) = 16-QAM\n```\nLook.\n\n## Second\nMore.\n")));
  QApplication::processEvents();
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of 2");
  EXPECT_EQ(form->cmbMod[0].Text(), "16-QAM");
}

}  // namespace
}  // namespace linklab
