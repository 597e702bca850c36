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
#include <functional>
#include <memory>
#include <string>

#include "main_window/form1.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"

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

// The window as it runs, its message boxes opening as they do for the user.
class RunningWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view->messageHost().interactive = true;
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->runEvent([this] { form->cmbScene.setText("Full"); });
    ASSERT_TRUE(waitFor([this] { return form->lTick >= 2; }));
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
  const std::string filterInUse = form->cmbFilter[1].Text();
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.typed);
    typeInto(filter, round.typed);
    EXPECT_NE(form->cmbFilter[1].Text(), round.typed);  // not committed while typing
    QTest::keyClick(filter, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(waitFor([] { return openBox() != nullptr; })) << form->cmbFilter[1].Text() << " focus "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none") << " popup " << (QApplication::activePopupWidget()!=nullptr) << " shown " << view->messageHost().shown();
    ++boxes;
    // The list went back to the filter in use, so the link keeps receiving behind the box.
    EXPECT_EQ(form->cmbFilter[1].Text(), filterInUse);
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
    EXPECT_EQ(filter->text().toStdString(), filterInUse);
  }
  EXPECT_EQ(view->messageHost().shown(), boxes);
}

struct Refusal {
  const char* field;
  const char* typed;
};

// A value out of range or not a number: no box, the field turns red for a moment and shows the
// value in use again, and the model never took the typed text.
class RefusedWhileRunning : public RunningWindow, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedWhileRunning, FlashesAndShowsTheValueInUse) {
  const Refusal& r = GetParam();
  // FSK shows the index field, Gaussian the bandwidth.
  if (std::string(r.field) == "txtFSK") view->runEvent([this] { form->cmbMod[0].setText("FSK"); });
  if (std::string(r.field) == "cmbTxBW(0)") view->runEvent([this] { form->cmbFilter[0].setText("Gaussian"); });
  Control* control = form->findControl(r.field);
  ASSERT_NE(control, nullptr);
  auto* combo = view->findChild<QComboBox*>(r.field);
  QLineEdit* edit = combo ? combo->lineEdit() : view->findChild<QLineEdit*>(r.field);
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(waitFor([edit] { return edit->isVisible(); }));
  const QString inUse = edit->text();
  const QColor normal = edit->palette().color(QPalette::Base);
  int changes = 0;
  const auto counted = [&changes](std::function<void()>& onChange) {
    onChange = [&changes, rule = onChange] { ++changes, rule(); };
  };
  if (combo)
    counted(static_cast<ComboBox*>(control)->onChange);
  else
    counted(static_cast<TextBox*>(control)->onChange);

  typeInto(edit, r.typed);
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_TRUE(waitFor([this] { return view->messageHost().refusals() == 1; }));
  QTest::qWait(150);
  EXPECT_EQ(edit->text(), inUse);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 190, 190));
  EXPECT_EQ(openBox(), nullptr);
  EXPECT_EQ(view->messageHost().shown(), 0);
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(waitFor([edit, normal] { return edit->palette().color(QPalette::Base) == normal; }));
  EXPECT_EQ(edit->text(), inUse);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, RefusedWhileRunning, ::testing::Values(
    Refusal{"cmbNoise", "abc"}, Refusal{"cmbNoise", "-5"}, Refusal{"cmbTxBW(0)", "1e308"},
    Refusal{"txtFSK", "0.2x"}));
// clang-format on

// Escape throws away what was typed in the text box too, and leaving it afterwards commits nothing.
TEST_F(RunningWindow, EscapeInTheFskIndexRestoresTheModelsText) {
  view->runEvent([this] { form->cmbMod[0].setText("FSK"); });
  auto* index = view->findChild<QLineEdit*>("txtFSK");
  ASSERT_NE(index, nullptr);
  ASSERT_TRUE(waitFor([index] { return index->isVisible(); }));
  typeInto(index, "0.3");
  QTest::keyClick(index, Qt::Key_Return);
  ASSERT_TRUE(waitFor([this] { return form->txtFSK.Text() == "0.3"; }));
  typeInto(index, "2");
  EXPECT_EQ(index->text(), "2");
  QTest::keyClick(index, Qt::Key_Escape);
  EXPECT_EQ(index->text(), "0.3");
  view->findChild<QComboBox*>("cmbNoise")->lineEdit()->setFocus();
  QTest::qWait(150);
  EXPECT_EQ(form->txtFSK.Text(), "0.3");
  EXPECT_EQ(index->text(), "0.3");
  EXPECT_EQ(view->messageHost().refusals(), 0);
}

// Typing a noise level while the link runs: a tick comes between every two keys.
TEST_F(RunningWindow, CommitsWhatWasTypedAndEscapeRestoresTheModelsText) {
  auto* noiseList = view->findChild<QComboBox*>("cmbNoise");
  ASSERT_NE(noiseList, nullptr);
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

struct AsTyped {
  const char* filter;
  const char* field;
  const char* typed;
  const char* used;  // the text once the next design has tidied it
};

// A number is never completed to an entry that starts like it ("0.2" is not "0.25", "1" is not
// "100"); the design only rounds it to the step it uses.
class TypedNumbers : public RunningWindow, public ::testing::WithParamInterface<AsTyped> {};

TEST_P(TypedNumbers, AreTakenAsTyped) {
  const AsTyped& c = GetParam();
  view->runEvent([this, &c] { form->cmbFilter[0].setText(c.filter); });
  auto* list = view->findChild<QComboBox*>(c.field);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(waitFor([list] { return list->isVisible(); }));
  typeInto(list->lineEdit(), c.typed, 20);
  QTest::keyClick(list->lineEdit(), Qt::Key_Return);
  Control* control = form->findControl(c.field);
  ASSERT_TRUE(waitFor([control, &c] { return static_cast<ComboBox*>(control)->Text() == c.used; }))
      << static_cast<ComboBox*>(control)->Text();
  EXPECT_EQ(view->messageHost().refusals(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lists, TypedNumbers, ::testing::Values(
    AsTyped{"Steep Cutoff", "cmbTxBW(0)", "0.2", "0.20"}, AsTyped{"Gaussian", "cmbTxBW(0)", "0.3", "0.30"},
    AsTyped{"Raised Cosine", "cmbTxEB(0)", "1", "1"}, AsTyped{"Root RC", "cmbTxEB(0)", "8", "8"},
    AsTyped{"OFDM", "cmbTxSC(0)", "1", "1"}, AsTyped{"Steep Cutoff", "cmbNoise", "0.", "0."}));
// clang-format on

}  // namespace
}  // namespace linklab
