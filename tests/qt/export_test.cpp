// The File menu: the window's pictures and the window itself as files and on the clipboard, from
// the menus and from the batch runner; setups saved, opened in another window, dropped, refused
// when broken, and the link on the clipboard; lessons opened.
#include "batch/batch_runner.h"
#include "qt/export_commands.h"
#include "qt/setup_commands.h"
#include "setups/setup_apply.h"
#include "qt/lesson_dock.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class Export : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ticks(3);
    commands = widget<ExportCommands>("ExportCommands");
    ASSERT_NE(commands, nullptr);
    commands->showFailure = [this](const QString& text) { failures << text; };
  }
  // The dialog answers with this file and filter; the command runs from the event loop.
  void saveAs(const QString& file, int filter, const char* picture = nullptr) {
    commands->askFile = [file, filter](const QString&, const QString&, const QStringList&) {
      return ExportCommands::FileChoice{file, filter};
    };
    if (picture)
      commands->savePicture(*pictureWidget(*view, picture));
    else
      commands->saveWindowImage();
    QApplication::processEvents();
  }
  // The batch runner's status and what it said on its error stream.
  std::string run(const std::string& line) {
    std::istringstream in(line + "\n");
    std::ostringstream out, err;
    const int status = BatchRunner(*form, out, err, view.get()).run(in);
    return std::to_string(status) + " " + err.str();
  }

  ExportCommands* commands = nullptr;
  QStringList failures;
};

// The picture's own size in pixels and in twips, its blue data trace one path; the window image
// on-screen size or twice it for print. Copied, the window as on the screen, a picture as its
// raster and as SVG.
TEST_F(Export, PicturesAndTheWindowAreSavedAtTheirSizesAndCopied) {
  saveAs(temp("linklab_data.svg"), 1, "picData");
  saveAs(temp("linklab_data.png"), 0, "picData");
  ASSERT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
  const PictureBox& data = form->picData;
  const QSize pixels(data.Width / 15, data.Height / 15);
  EXPECT_EQ(QImage(temp("linklab_data.png")).size(), pixels);
  const QString svg = fileText(temp("linklab_data.svg"));
  EXPECT_TRUE(svg.contains(QString("viewBox=\"0 0 %1 %2\"").arg(data.Width).arg(data.Height)));
  EXPECT_EQ(svg.count("<path "), 1);
  EXPECT_TRUE(svg.contains("<path stroke=\"#0000ff\""));
  EXPECT_EQ(commands->folder, temp("").chopped(1));
  const QSize screen = view->grab().size();
  for (int filter : {0, 1}) {
    const QString file = temp("linklab_window") + QString::number(filter);
    saveAs(file, filter);  // no extension: .png is added
    EXPECT_EQ(QImage(file + ".png").size(), screen * (filter + 1));
  }
  EXPECT_TRUE(failures.isEmpty());
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  commands->copyWindow();
  EXPECT_EQ(clipboard->image().size(), view->grab().size());
  PictureWidget* eye = pictureWidget(*view, "picSpectrum(0)");
  commands->copyPicture(*eye);
  EXPECT_EQ(clipboard->image().size(), eye->raster().finished().size());
  EXPECT_TRUE(clipboard->mimeData()->hasFormat("image/svg+xml"));
}

// A picture as SVG by the file's extension, the window as PNG only; a full disk reported once in
// our own words, with no warning of Qt's.
TEST_F(Export, TheBatchRunnerSavesByTheFilesExtensionAndReportsAFullDisk) {
  const std::string file = ::testing::TempDir() + "linklab_spectrum.SVG";
  EXPECT_EQ(run("save picSpectrum(0) " + file), "0 ");
  EXPECT_EQ(run("save window " + file), "1 error: line 1: the window is saved as PNG only\n");
  const QString svg = fileText(QString::fromStdString(file));
  EXPECT_TRUE(svg.contains("width=\"593\""));
  EXPECT_TRUE(svg.contains("<path stroke=\"#000000\""));  // the black average
  static int warnings = 0;
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
  const std::string full = "1 error: line 1: cannot write '/dev/full': No space left on device\n";
  EXPECT_EQ(run("save picData /dev/full"), full);
  EXPECT_EQ(run("save window /dev/full"), full);
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, 0);
}

TEST_F(Export, AFailedWriteIsShownAndTheWindowRunsOn) {
  commands->folder = temp("");
  saveAs("/no-such-folder-for-linklab/picture.png", 0, "picSpectrum(0)");
  saveAs("/no-such-folder-for-linklab/window", 1);
  ASSERT_EQ(failures.size(), 2);
  EXPECT_TRUE(failures[0].contains("No such file or directory")) << failures[0].toStdString();
  EXPECT_TRUE(failures[1].contains("/no-such-folder-for-linklab/window.png")) << failures[1].toStdString();
  EXPECT_EQ(commands->folder, temp(""));
  EXPECT_TRUE(view->isVisible());
  EXPECT_TRUE(view->tickTimer().isActive());
  const int tick = form->lTick;
  view->onTick();
  EXPECT_EQ(form->lTick, tick + 1);
}

// The File menu comes first and ends with Quit; every picture has its own right-click menu; the
// window has an icon.
TEST_F(Export, TheMenusOfferTheCommandsWithTheirKeys) {
  auto* file = widget<QMenu>("FileMenu");
  EXPECT_EQ(view->menuBar()->actions().first(), file->menuAction());
  EXPECT_EQ(file->actions().last(), widget<QAction>("actionQuit"));
  const std::pair<const char*, QKeySequence> keys[] = {{"SaveWindowImage", Qt::CTRL | Qt::Key_S},
                                                       {"actionQuit", Qt::CTRL | Qt::Key_Q},
                                                       {"OpenSetup", Qt::CTRL | Qt::Key_O},
                                                       {"SaveSetup", Qt::CTRL | Qt::SHIFT | Qt::Key_S}};
  for (const auto& [name, key] : keys) EXPECT_EQ(widget<QAction>(name)->shortcut(), key) << name;
  for (PictureWidget* w : view->pictureWidgets()) EXPECT_EQ(w->contextMenuPolicy(), Qt::CustomContextMenu);
  for (int size : {16, 256}) {  // the window's icon is drawn, not a blank square
    const QImage image = view->windowIcon().pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_NE(image.pixel(size / 2, size / 2), image.pixel(0, 0));
  }
}

TEST_F(Export, SavedThenOpenedThroughTheDialogsInAnotherWindowAndCopiedAsALink) {
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("16-QAM");
  form->cmbNoise.setText("0.2");
  widget<SetupCommands>("SetupCommands")->askSaveFile = [] { return temp("menu"); };  // the extension comes with the save
  widget<QAction>("SaveSetup")->trigger();
  QApplication::processEvents();

  auto other = std::make_unique<Form1>();
  MainWindowView otherView(*other);
  otherView.messageHost().interactive = false;
  other->Form_Load();
  otherView.syncFromModel();
  otherView.findChild<SetupCommands*>("SetupCommands")->askOpenFile = [] { return temp("menu.linklab"); };
  otherView.findChild<QAction*>("OpenSetup")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(setupText(*other), setupText(*form));
  EXPECT_EQ(otherView.messageHost().shown(), 0);
  // The widget shows what the model holds.
  EXPECT_EQ(otherView.findChild<QComboBox*>("cmbMod(0)")->currentText(), "16-QAM");
  // Copy Setup Link puts the fragment on the clipboard.
  form->cmbData.setText("All Ones");
  widget<QAction>("CopySetupLink")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), setupLink(*form));
}

// A broken file shows one message and changes nothing; a dropped file opens.
TEST_F(Export, ABrokenFileChangesNothingADroppedOneOpens) {
  const std::string before = setupText(*form);
  EXPECT_FALSE(widget<SetupCommands>("SetupCommands")->openFile(
      written("broken.linklab", "linklab setup 1\ncmbScene = Full\ncmbNoise = 0.4\ncmbFilter(0) = Sharp\n")));
  QApplication::processEvents();
  EXPECT_EQ(view->messageHost().shown(), 1);
  EXPECT_EQ(setupText(*form), before);
  // A dropped file opens.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(written("dropped.linklab", "linklab setup 1\ncmbScene = Scatter\ncmbMod(0) = QPSK\n"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(form->cmbScene.Text(), "Scatter");
  EXPECT_EQ(form->cmbMod[0].Text(), "QPSK");
}

TEST_F(Export, LockedControlsAreDisabledAndSayWhyHiddenOnesAreNotShown) {
  auto* setups = widget<SetupCommands>("SetupCommands");
  ASSERT_TRUE(setups->openFile(
      written("limits.linklab", "linklab setup 1\ncmbMod(0) = QPSK\nlock = cmbMod(0), cmdPause\nhide = chkMemory\n")));
  auto* modulation = widget<QComboBox>("cmbMod(0)");
  QWidget* memory = widget("chkMemory");
  EXPECT_FALSE(modulation->isEnabled());
  EXPECT_NE(modulation->toolTip().indexOf("Locked by the setup"), -1);
  EXPECT_TRUE(form->chkMemory.Visible);  // the model keeps it; only the window leaves it out
  EXPECT_FALSE(memory->isVisible());
  // Space pauses no more when the pause is locked.
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(view.get(), &space);
  EXPECT_TRUE(form->Timer1.Enabled);
  // Another setup without limits gives them back.
  ASSERT_TRUE(setups->openFile(written("limits.linklab", "linklab setup 1\n")));
  EXPECT_TRUE(modulation->isEnabled());
  EXPECT_EQ(modulation->toolTip().indexOf("Locked"), -1);
  EXPECT_TRUE(memory->isVisible());
}

// The lesson panel: a shipped lesson opened from Help > Lessons shows its first step, Next enters
// the second with its setup and locks, Check judges the window, a broken lesson file shows one
// message naming the line, and a lesson reopened returns to its step.
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

// A broken lesson file shows one message naming the line and leaves the panel shut. Next applies
// the step's setup, Check follows the window, and an answer and the step are kept when the lesson
// is opened again. A lesson of one's own opens at its first step with its setup.
TEST_F(LessonPanel, OpensLessonsButNotABrokenOneAndWalksTheirSteps) {
  const QString path = written("broken.lesson", "linklab lesson 1\n# Broken\n\n## One\ncheck: abs(\n");
  dock->askOpenFile = [&] { return path; };
  widget<QAction>("OpenLesson")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(view->messageHost().shown(), 1);
  const QString said = QString::fromStdString(view->messageHost().lastMessage());
  EXPECT_TRUE(said.contains("broken.lesson") && said.contains("line 5")) << said.toStdString();
  EXPECT_FALSE(dock->isVisible());
  EXPECT_EQ(dock->session(), nullptr);
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
  EXPECT_EQ(view->messageHost().shown(), 1);  // the broken file's alone
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
  dock->close();  // shut again, so that opening must show it
  ASSERT_TRUE(dock->openFile(written("own.lesson", "linklab lesson 1\n# Own\n\n## First\n```setup\ncmbScene = "
                                                   "Full\ncmbMod(0) = 16-QAM\n```\nLook.\n\n## Second\nMore.\n")));
  QApplication::processEvents();
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(text("LessonStepCount"), "Step 1 of 2");
  EXPECT_EQ(form->cmbMod[0].Text(), "16-QAM");
}

}  // namespace
}  // namespace linklab
