// Typed text in the real window, driven by real key events while the link runs: the typing is
// the user's until it is committed, a commit reaches the model once and from the event loop's top
// level, and the message box it may cause never opens inside a menu popup.
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
  // Counts the model's commits of the list or text box from now on.
  void countChanges(const char* name) {
    Control& c = *form->findControl(name);
    auto& onChange = c.kind() == ControlKind::TextBox ? static_cast<TextBox&>(c).onChange
                                                      : static_cast<ComboBox&>(c).onChange;
    onChange = [this, rule = onChange] { ++changes, rule ? rule() : void(); };
  }
  std::string modelText(const char* name) { return textOf(*form->findControl(name)); }
  void typeInto(QLineEdit* edit, const char* text, int msPerKey = 0) {
    activate();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text, Qt::NoModifier, msPerKey);
  }
  static QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
  int changes = 0;
};

// Type an unknown receive filter, open the Help menu by Alt+H (which takes the focus and so
// commits the text), and close the "Unknown Filter Type" box by Return, Escape and its button.
TEST_F(RunningWindow, AnUnknownFilterCommittedByOpeningTheHelpMenuShowsItsBoxSafely) {
  QLineEdit* filter = field("cmbFilter(1)");
  ASSERT_NE(filter, nullptr);
  const std::string filterInUse = form->cmbFilter[1].Text();
  for (const char* typed : {"x", "y", "z"}) {
    SCOPED_TRACE(typed);
    typeInto(filter, typed);
    EXPECT_NE(form->cmbFilter[1].Text(), typed);  // not committed while typing
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
    if (*typed == 'z')
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    else
      QTest::keyClick(box, *typed == 'x' ? Qt::Key_Return : Qt::Key_Escape);
    ASSERT_TRUE(waitFor([] { return openBox() == nullptr; }));
    if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    // The window goes on ticking.
    ASSERT_TRUE(waitFor([&] { return form->lTick >= tickWhenOpened + 2; }));
    QTest::qWait(50);
    EXPECT_EQ(filter->text().toStdString(), filterInUse);
  }
  EXPECT_EQ(view->messageHost().shown(), 3);
}

struct Typing {
  const char* keying;  // FSK shows the index field
  const char* filter;  // Gaussian shows the bandwidth, Raised Cosine the excess bandwidth ...
  const char* field;
  const char* typed;
  const char* used = nullptr;  // the text once the next design has tidied it; none: refused
  const char* thenEscaped = nullptr;  // typed next and thrown away by Escape
};

// Typed while the link runs (a tick of 100 ms between two keys, where it is then escaped), the
// text is the user's until Return. Then the model takes it once, as typed: a number is never
// completed to an entry that starts like it ("0.2" is not "0.25", "1" is not "100"), the design
// only rounds it to the step it uses. A value out of range or not a number opens no box: the
// field turns red for a moment and shows the value in use again. Escape throws away what was
// typed since, and leaving the field commits nothing.
class TypedThenReturn : public RunningWindow, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypedThenReturn, IsTakenOnceAsTypedOrRefusedWithAFlash) {
  const Typing& c = GetParam();
  view->runEvent([this, &c] { form->cmbMod[0].setText(c.keying), form->cmbFilter[0].setText(c.filter); });
  QLineEdit* edit = field(c.field);
  ASSERT_NE(edit, nullptr);
  const QString inUse = edit->text();
  EXPECT_EQ(edit->cursorPosition(), 0);  // a value too long for its field shows its start
  const std::string before = modelText(c.field);
  const QColor normal = edit->palette().color(QPalette::Base);
  countChanges(c.field);
  const int32_t tick = form->lTick;
  typeInto(edit, c.typed, c.thenEscaped ? 110 : 20);
  EXPECT_TRUE(!c.thenEscaped || form->lTick > tick);  // the link ran while the keys came
  EXPECT_EQ(edit->text(), c.typed);
  EXPECT_EQ(modelText(c.field), before);
  QTest::keyClick(edit, Qt::Key_Return);
  if (!c.used) {
    ASSERT_TRUE(waitFor([this] { return view->messageHost().refusals() == 1; }));
    QTest::qWait(150);
    EXPECT_EQ(edit->text(), inUse);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 190, 190));
    EXPECT_EQ(view->messageHost().shown(), 0);  // no box
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(waitFor([edit, normal] { return edit->palette().color(QPalette::Base) == normal; }));
    EXPECT_EQ(edit->text(), inUse);
    return;
  }
  ASSERT_TRUE(waitFor([this, &c] { return modelText(c.field) == c.used; })) << modelText(c.field);
  EXPECT_EQ(view->messageHost().refusals(), 0);
  if (!c.thenEscaped) return;
  QTest::qWait(150);
  EXPECT_EQ(changes, 1);  // Return both activates and finishes the editing: one commit
  typeInto(edit, c.thenEscaped, 110);
  EXPECT_EQ(edit->text(), c.thenEscaped);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), c.used);
  EXPECT_EQ(edit->selectedText(), c.used);  // selected: the next key types over it
  QTest::qWait(250);
  EXPECT_EQ(edit->text(), c.used);
  field("cmbFilter(1)")->setFocus();
  QTest::qWait(150);
  EXPECT_EQ(modelText(c.field), c.used);
  EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, TypedThenReturn,
    ::testing::Values(Typing{"BPSK", "None", "cmbNoise", "abc"}, Typing{"BPSK", "None", "cmbNoise", "-5"},
                      Typing{"BPSK", "Gaussian", "cmbTxBW(0)", "1e308"}, Typing{"FSK", "None", "txtFSK", "0.2x"}));
INSTANTIATE_TEST_SUITE_P(
    Taken, TypedThenReturn,
    ::testing::Values(Typing{"BPSK", "None", "cmbNoise", "0.3", "0.3", "0.8"},
                      Typing{"FSK", "None", "txtFSK", "0.3", "0.3", "2"},
                      Typing{"BPSK", "Steep Cutoff", "cmbTxBW(0)", "0.2", "0.20"},
                      Typing{"BPSK", "Gaussian", "cmbTxBW(0)", "0.3", "0.30"},
                      Typing{"BPSK", "Raised Cosine", "cmbTxEB(0)", "1", "1"},
                      Typing{"BPSK", "Root RC", "cmbTxEB(0)", "8", "8"}, Typing{"BPSK", "OFDM", "cmbTxSC(0)", "1", "1"},
                      Typing{"BPSK", "Steep Cutoff", "cmbNoise", "0.", "0."}));

}  // namespace
}  // namespace linklab
