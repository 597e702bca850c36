// Typed text in the real window, driven by real key events while the link runs: the typing is
// the user's until it is committed, a commit reaches the model once and from the event loop's top
// level, and the message box it may cause never opens inside a menu popup.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window/form1.h"
#include "qt/main_window_view.h"

namespace linklab {
namespace {

// Lets the event loop run (ticks included) until the condition holds or two seconds pass.
template <typename Condition>
bool waitFor(Condition condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > 2000) return false;
    QTest::qWait(10);
  }
  return true;
}

class RunningWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<MainWindowView>(*form);
    form->Form_Load();
    view->syncFromModel();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->runEvent([this] { form->cmbScene.setText("Full"); });
    ASSERT_TRUE(waitFor([this] { return form->lTick >= 2; }));
  }
  void TearDown() override {
    view.reset();
    form.reset();
  }

  QLineEdit* field(const char* list) {
    auto* combo = view->findChild<QComboBox*>(list);
    return combo ? combo->lineEdit() : nullptr;
  }
  void typeInto(QLineEdit* edit, const char* text, int msPerKey = 0) {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text, Qt::NoModifier, msPerKey);
  }
  static QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

  std::unique_ptr<Form1> form = std::make_unique<Form1>();
  std::unique_ptr<MainWindowView> view;
};

enum class Dismiss { Return, Escape, OkButton };

// Type an unknown receive filter, open the Help menu by Alt+H (which takes the focus and so
// commits the text), and close the "Unknown Filter Type" box each way in turn.
TEST_F(RunningWindow, AnUnknownFilterCommittedByOpeningTheHelpMenuShowsItsBoxSafely) {
  QLineEdit* filter = field("cmbFilter(1)");
  ASSERT_NE(filter, nullptr);
  const struct {
    const char* typed;
    Dismiss dismiss;
  } rounds[] = {{"x", Dismiss::Return}, {"y", Dismiss::Escape}, {"z", Dismiss::OkButton}};
  int boxes = 0;
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.typed);
    typeInto(filter, round.typed);
    EXPECT_NE(form->cmbFilter[1].Text(), round.typed);  // not committed while typing
    QTest::keyClick(filter, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(waitFor([] { return openBox() != nullptr; })) << form->cmbFilter[1].Text() << " focus "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none") << " popup " << (QApplication::activePopupWidget()!=nullptr) << " shown " << view->messageHost().shown();
    ++boxes;
    EXPECT_EQ(form->cmbFilter[1].Text(), round.typed);
    QMessageBox* box = openBox();
    EXPECT_EQ(box->text(), "Internal Error: Unknown Filter Type.");
    // The ticks stand still while the box is open.
    const int32_t tickWhenOpened = form->lTick;
    QTest::qWait(350);
    EXPECT_EQ(form->lTick, tickWhenOpened);
    switch (round.dismiss) {
      case Dismiss::Return: QTest::keyClick(box, Qt::Key_Return); break;
      case Dismiss::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
      case Dismiss::OkButton: QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton); break;
    }
    ASSERT_TRUE(waitFor([] { return openBox() == nullptr; }));
    if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    // The window goes on ticking.
    ASSERT_TRUE(waitFor([&] { return form->lTick >= tickWhenOpened + 2; }));
    QTest::qWait(50);
  }
  EXPECT_EQ(view->messageHost().shown(), boxes);
}

// Typing a noise level while the link runs: a tick comes between every two keys.
class TypingWhileRunning : public RunningWindow, public ::testing::WithParamInterface<bool> {};

TEST_P(TypingWhileRunning, CommitsWhatWasTypedAndEscapeRestoresTheModelsText) {
  auto* noiseList = view->findChild<QComboBox*>("cmbNoise");
  ASSERT_NE(noiseList, nullptr);
  if (!GetParam()) noiseList->setCompleter(nullptr);
  QLineEdit* noise = noiseList->lineEdit();
  ASSERT_EQ(form->cmbNoise.Text(), "None");
  int changes = 0;
  form->cmbNoise.onChange = [&changes, handler = form->cmbNoise.onChange] {
    ++changes;
    if (handler) handler();
  };

  const int32_t before = form->lTick;
  typeInto(noise, "0.3", 150);
  EXPECT_GE(form->lTick, before + 2);  // the link ran while the keys came
  EXPECT_EQ(noise->text(), "0.3");
  EXPECT_EQ(form->cmbNoise.Text(), "None");
  QTest::keyClick(noise, Qt::Key_Return);
  ASSERT_TRUE(waitFor([this] { return form->cmbNoise.Text() == "0.3"; }));
  QTest::qWait(150);
  EXPECT_EQ(changes, 1);  // Return both activates and finishes the editing: one commit

  typeInto(noise, "0.8", 150);
  EXPECT_EQ(noise->text(), "0.8");
  QTest::keyClick(noise, Qt::Key_Escape);
  EXPECT_EQ(noise->text(), "0.3");
  QTest::qWait(250);
  EXPECT_EQ(form->cmbNoise.Text(), "0.3");
  EXPECT_EQ(noise->text(), "0.3");
  // Leaving the field after Escape commits nothing new.
  view->findChild<QComboBox*>("cmbFilter(1)")->lineEdit()->setFocus();
  QTest::qWait(150);
  EXPECT_EQ(form->cmbNoise.Text(), "0.3");
  EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(CompletionOnAndOff, TypingWhileRunning, ::testing::Bool());

}  // namespace
}  // namespace linklab
