// The File menu's setup commands on the real window: a saved file opens in another window with the
// same settings and the widgets show them, a broken file shows one message and changes nothing,
// a dropped .linklab file opens, and the link goes to the clipboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <memory>

#include "main_window/form1.h"
#include "qt/main_window_view.h"
#include "qt/setup_commands.h"
#include "setups/setup_apply.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class SetupMenu : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    commands = view->findChild<SetupCommands*>("SetupCommands");
    ASSERT_NE(commands, nullptr);
  }
  QString file(const char* name) const { return QString::fromStdString(::testing::TempDir()) + name; }
  // A file of the temporary folder holding text, written anew; its path.
  QString written(const char* name, const char* text) const {
    QFile out(file(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    return out.fileName();
  }
  SetupCommands* commands = nullptr;
};

TEST_F(SetupMenu, TheMenuOffersTheCommandsWithTheirShortcuts) {
  auto* open = view->findChild<QAction*>("OpenSetup");
  auto* save = view->findChild<QAction*>("SaveSetup");
  ASSERT_TRUE(open && save && view->findChild<QAction*>("CopySetupLink"));
  EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

TEST_F(SetupMenu, SavedThenOpenedThroughTheDialogsInAnotherWindow) {
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("16-QAM");
  form->cmbNoise.setText("0.2");
  const QString path = file("menu.linklab");
  commands->askSaveFile = [&] { return file("menu"); };  // the extension comes with the save
  view->findChild<QAction*>("SaveSetup")->trigger();
  QApplication::processEvents();

  auto other = std::make_unique<Form1>();
  MainWindowView otherView(*other);
  otherView.messageHost().interactive = false;
  other->Form_Load();
  otherView.syncFromModel();
  auto* otherCommands = otherView.findChild<SetupCommands*>("SetupCommands");
  otherCommands->askOpenFile = [&] { return path; };
  otherView.findChild<QAction*>("OpenSetup")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(setupText(*other), setupText(*form));
  EXPECT_EQ(otherView.messageHost().shown(), 0);
  // The widget shows what the model holds.
  auto* modulation = otherView.findChild<QComboBox*>("cmbMod(0)");
  ASSERT_NE(modulation, nullptr);
  EXPECT_EQ(modulation->currentText(), "16-QAM");
  QFile::remove(path);
}

TEST_F(SetupMenu, ABrokenFileShowsOneMessageAndChangesNothing) {
  const QString path =
      written("broken.linklab", "linklab setup 1\ncmbScene = Full\ncmbNoise = 0.4\ncmbFilter(0) = Sharp\n");
  const std::string before = setupText(*form);
  EXPECT_FALSE(commands->openFile(path));
  QApplication::processEvents();
  EXPECT_EQ(view->messageHost().shown(), 1);
  EXPECT_EQ(setupText(*form), before);
  EXPECT_EQ(form->cmbScene.Text(), "Modulation");
  QFile::remove(path);
}

TEST_F(SetupMenu, ADroppedSetupFileOpens) {
  const QString path = written("dropped.linklab", "linklab setup 1\ncmbScene = Scatter\ncmbMod(0) = QPSK\n");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(form->cmbScene.Text(), "Scatter");
  EXPECT_EQ(form->cmbMod[0].Text(), "QPSK");
  QFile::remove(path);
}

TEST_F(SetupMenu, LockedControlsAreDisabledAndSayWhyHiddenOnesAreNotShown) {
  const QString path =
      written("limits.linklab", "linklab setup 1\ncmbMod(0) = QPSK\nlock = cmbMod(0), cmdPause\nhide = chkMemory\n");
  ASSERT_TRUE(commands->openFile(path));
  auto* modulation = view->findChild<QComboBox*>("cmbMod(0)");
  auto* memory = view->findChild<QWidget*>("chkMemory");
  ASSERT_TRUE(modulation && memory);
  EXPECT_FALSE(modulation->isEnabled());
  EXPECT_NE(modulation->toolTip().indexOf("Locked by the setup"), -1);
  EXPECT_TRUE(form->chkMemory.Visible);  // the model keeps it; only the window leaves it out
  EXPECT_FALSE(memory->isVisible());
  // Space pauses no more when the pause is locked.
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(view.get(), &space);
  EXPECT_TRUE(form->Timer1.Enabled);

  // Another setup without limits gives them back.
  written("limits.linklab", "linklab setup 1\n");
  ASSERT_TRUE(commands->openFile(path));
  EXPECT_TRUE(modulation->isEnabled());
  EXPECT_EQ(modulation->toolTip().indexOf("Locked"), -1);
  EXPECT_TRUE(memory->isVisible());
  QFile::remove(path);
}

TEST_F(SetupMenu, CopyLinkPutsTheFragmentOnTheClipboard) {
  form->cmbData.setText("All Ones");
  view->findChild<QAction*>("CopySetupLink")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), setupLink(*form));
  EXPECT_NE(QApplication::clipboard()->text().indexOf("cmbData=All%20Ones"), -1);
}

}  // namespace
}  // namespace linklab
