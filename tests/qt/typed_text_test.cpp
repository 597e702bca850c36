// Typed text in the real window, driven by real key events while the link runs: the typing is
// the user's until it is committed, a commit reaches the model once and from the event loop's top
// level, and the message box it may cause never opens inside a menu popup.
#include <functional>

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
    activate();
    scene("Full");
    ASSERT_TRUE(waitFor([this] { return form->lTick >= 2; }));
  }
  // The field of a list or a text box, once the window shows it.
  QLineEdit* field(const char* name) {
    auto* combo = widget<QComboBox>(name);
    QLineEdit* edit = combo ? combo->lineEdit() : widget<QLineEdit>(name);
    EXPECT_TRUE(edit && waitFor([edit] { return edit->isVisible(); })) << name;
    return edit;
  }
  // Counts the model's commits of the control from now on.
  void countChanges(const char* name) {
    Control* control = form->findControl(name);
    std::function<void()>& onChange = widget<QComboBox>(name) ? static_cast<ComboBox*>(control)->onChange
                                                              : static_cast<TextBox*>(control)->onChange;
    onChange = [this, rule = onChange] {
      ++changes;
      if (rule) rule();
    };
  }
  void typeInto(QLineEdit* edit, const char* text, int msPerKey = 0) {
    activate();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text, Qt::NoModifier, msPerKey);
  }
  static QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
  int changes = 0;
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
  const std::string filterInUse = form->cmbFilter[1].Text();
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.typed);
    typeInto(filter, round.typed);
    EXPECT_NE(form->cmbFilter[1].Text(), round.typed);  // not committed while typing
    QTest::keyClick(filter, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(waitFor([] { return openBox() != nullptr; })) << form->cmbFilter[1].Text();
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
  EXPECT_EQ(view->messageHost().shown(), 3);
}

struct Typed {
  const char* field;
  const char* typed;
};

// A value out of range or not a number: no box, the field turns red for a moment and shows the
// value in use again, and the model never took the typed text.
class RefusedWhileRunning : public RunningWindow, public ::testing::WithParamInterface<Typed> {};

TEST_P(RefusedWhileRunning, FlashesAndShowsTheValueInUse) {
  const Typed& r = GetParam();
  // FSK shows the index field, Gaussian the bandwidth.
  if (std::string(r.field) == "txtFSK") view->runEvent([this] { form->cmbMod[0].setText("FSK"); });
  if (std::string(r.field) == "cmbTxBW(0)") view->runEvent([this] { form->cmbFilter[0].setText("Gaussian"); });
  QLineEdit* edit = field(r.field);
  ASSERT_NE(edit, nullptr);
  const QString inUse = edit->text();
  const QColor normal = edit->palette().color(QPalette::Base);
  countChanges(r.field);
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

INSTANTIATE_TEST_SUITE_P(Fields, RefusedWhileRunning,
                         ::testing::Values(Typed{"cmbNoise", "abc"}, Typed{"cmbNoise", "-5"},
                                           Typed{"cmbTxBW(0)", "1e308"}, Typed{"txtFSK", "0.2x"}));

// Typing while the link runs, a tick between every two keys: the model takes the text once, at
// Return; Escape throws away what was typed since, and leaving the field afterwards commits
// nothing. The same for a list and for a text box.
class CommittedOnce : public RunningWindow, public ::testing::WithParamInterface<Typed> {};

TEST_P(CommittedOnce, AtReturnAndEscapeRestoresTheModelsText) {
  const char* name = GetParam().field;
  view->runEvent([this] { form->cmbMod[0].setText("FSK"); });
  QLineEdit* edit = field(name);
  ASSERT_NE(edit, nullptr);
  const Control* control = form->findControl(name);
  const auto modelText = [control] { return control->kind() == ControlKind::TextBox
                                                ? static_cast<const TextBox*>(control)->Text()
                                                : static_cast<const ComboBox*>(control)->Text(); };
  const std::string before = modelText();
  countChanges(name);
  const int32_t tick = form->lTick;
  typeInto(edit, "0.3", 150);
  EXPECT_GE(form->lTick, tick + 2);  // the link ran while the keys came
  EXPECT_EQ(edit->text(), "0.3");
  EXPECT_EQ(modelText(), before);
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_TRUE(waitFor([&] { return modelText() == "0.3"; }));
  QTest::qWait(150);
  EXPECT_EQ(changes, 1);  // Return both activates and finishes the editing: one commit

  typeInto(edit, GetParam().typed, 150);
  EXPECT_EQ(edit->text(), GetParam().typed);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "0.3");
  QTest::qWait(250);
  EXPECT_EQ(edit->text(), "0.3");
  field("cmbFilter(1)")->setFocus();
  QTest::qWait(150);
  EXPECT_EQ(modelText(), "0.3");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(view->messageHost().refusals(), 0);
}

INSTANTIATE_TEST_SUITE_P(Fields, CommittedOnce, ::testing::Values(Typed{"cmbNoise", "0.8"}, Typed{"txtFSK", "2"}));

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
  QLineEdit* edit = field(c.field);
  ASSERT_NE(edit, nullptr);
  typeInto(edit, c.typed, 20);
  QTest::keyClick(edit, Qt::Key_Return);
  const auto* list = static_cast<ComboBox*>(form->findControl(c.field));
  ASSERT_TRUE(waitFor([list, &c] { return list->Text() == c.used; })) << list->Text();
  EXPECT_EQ(view->messageHost().refusals(), 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, TypedNumbers,
                         ::testing::Values(AsTyped{"Steep Cutoff", "cmbTxBW(0)", "0.2", "0.20"},
                                           AsTyped{"Gaussian", "cmbTxBW(0)", "0.3", "0.30"},
                                           AsTyped{"Raised Cosine", "cmbTxEB(0)", "1", "1"},
                                           AsTyped{"Root RC", "cmbTxEB(0)", "8", "8"},
                                           AsTyped{"OFDM", "cmbTxSC(0)", "1", "1"},
                                           AsTyped{"Steep Cutoff", "cmbNoise", "0.", "0."}));

}  // namespace
}  // namespace linklab
