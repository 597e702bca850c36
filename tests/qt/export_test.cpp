// The window's pictures and the window itself as files and on the clipboard, from the menus and
// from the batch runner, on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolTip>
#include <QXmlStreamReader>
#include <memory>
#include <sstream>

#include "batch/batch_runner.h"
#include "form/picture_box.h"
#include "help/tooltips.h"
#include "main_window/form1.h"
#include "qt/export_commands.h"
#include "qt/export_images.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"
#include "qt/picture_widget.h"

namespace linklab {
namespace {

class Export : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (int i = 0; i < 3; ++i) view->onTick();
    commands = view->findChild<ExportCommands*>("ExportCommands");
    ASSERT_NE(commands, nullptr);
    commands->showFailure = [this](const QString& text) { failures << text; };
  }

  // The dialog answers with this file and filter.
  void answer(const QString& file, int filter) {
    commands->askFile = [file, filter](const QString&, const QString&, const QStringList&) {
      return ExportCommands::FileChoice{file, filter};
    };
  }

  // Runs what the commands queued for the event loop's top level.
  static void settle() { QApplication::processEvents(); }

  std::string run(const std::string& script, int& status) {
    std::istringstream in(script);
    std::ostringstream out, err;
    BatchRunner runner(*form, out, err, view.get());
    status = runner.run(in);
    return err.str();
  }

  ExportCommands* commands = nullptr;
  QStringList failures;
};

struct SvgSummary {
  bool wellFormed = false;
  QString width, height, viewBox;
  QStringList strokes;  // one per path
  int lineTos = 0;
  int otherElements = 0;  // anything drawn that is not a path
};

SvgSummary readSvg(const QString& file) {
  QFile f(file);
  SvgSummary s;
  if (!f.open(QIODevice::ReadOnly)) return s;
  QXmlStreamReader xml(&f);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto name = xml.name();
    const auto a = xml.attributes();
    if (name == QLatin1String("svg")) {
      s.width = a.value("width").toString();
      s.height = a.value("height").toString();
      s.viewBox = a.value("viewBox").toString();
    } else if (name == QLatin1String("path")) {
      s.strokes << a.value("stroke").toString();
      s.lineTos += static_cast<int>(a.value("d").count(QLatin1Char('L')));
    } else if (name != QLatin1String("g") && name != QLatin1String("rect")) {
      ++s.otherElements;
    }
  }
  s.wellFormed = !xml.hasError();
  return s;
}

TEST_F(Export, APictureSavedAsSvgIsItsTracesAsOnePathPerColourAtThePicturesSize) {
  const QString svgFile = QString::fromStdString(::testing::TempDir()) + "linklab_data.svg";
  const QString pngFile = QString::fromStdString(::testing::TempDir()) + "linklab_data.png";
  int segments = 0;  // as the picture stands when the command is chosen; ticks go on after
  for (const DrawOp& op : form->picData.history()) segments += op.kind == DrawOp::Kind::Line;
  answer(svgFile, 1);
  commands->savePicture(*pictureWidget(*view, "picData"));
  settle();
  answer(pngFile, 0);
  commands->savePicture(*pictureWidget(*view, "picData"));
  settle();
  ASSERT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();

  const QImage png(pngFile);
  const PictureBox& data = form->picData;
  ASSERT_EQ(png.size(), QSize(data.Width / 15, data.Height / 15));
  const SvgSummary svg = readSvg(svgFile);
  EXPECT_TRUE(svg.wellFormed);
  EXPECT_EQ(svg.width, QString::number(png.width()));
  EXPECT_EQ(svg.height, QString::number(png.height()));
  EXPECT_EQ(svg.viewBox, QString("0 0 %1 %2").arg(data.Width).arg(data.Height));
  // The data trace is blue and drawn twice, 15 twips apart: one path, a line-to per segment.
  EXPECT_EQ(svg.strokes, QStringList{"#0000ff"});
  EXPECT_EQ(svg.lineTos, segments);
  EXPECT_EQ(svg.otherElements, 0);
  EXPECT_EQ(commands->folder, QString::fromStdString(::testing::TempDir()).chopped(1));
}

TEST_F(Export, TheBatchRunnerWritesSvgByTheFilesExtension) {
  const std::string file = ::testing::TempDir() + "linklab_spectrum.SVG";
  int status = -1;
  EXPECT_EQ(run("save picSpectrum(0) " + file + "\n", status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(run("save window " + file + "\n", status), "error: line 1: the window is saved as PNG only\n");
  const SvgSummary svg = readSvg(QString::fromStdString(file));
  EXPECT_TRUE(svg.wellFormed);
  EXPECT_EQ(svg.width, "593");
  EXPECT_TRUE(svg.strokes.contains("#000000")) << svg.strokes.join(" ").toStdString();  // the black average
}

TEST_F(Export, AFullDiskIsReportedOnceInOurOwnWords) {
  int warnings = 0;
  static int* counter = nullptr;
  counter = &warnings;
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {
    ++*counter;
  });
  int status = -1;
  const std::string picture = run("save picData /dev/full\n", status);
  EXPECT_EQ(status, 1);
  const std::string window = run("save window /dev/full\n", status);
  EXPECT_EQ(status, 1);
  qInstallMessageHandler(previous);
  EXPECT_EQ(picture, "error: line 1: cannot write '/dev/full': No space left on device\n");
  EXPECT_EQ(window, picture);
  EXPECT_EQ(warnings, 0);
}

TEST_F(Export, AFailedWriteIsShownAndTheWindowRunsOn) {
  commands->folder = QString::fromStdString(::testing::TempDir());
  const QString before = commands->folder;
  answer("/no-such-folder-for-linklab/picture.png", 0);
  commands->savePicture(*pictureWidget(*view, "picSpectrum(0)"));
  settle();
  answer("/no-such-folder-for-linklab/window", 1);
  commands->saveWindowImage();
  settle();
  ASSERT_EQ(failures.size(), 2);
  EXPECT_TRUE(failures[0].contains("No such file or directory")) << failures[0].toStdString();
  EXPECT_TRUE(failures[1].contains("/no-such-folder-for-linklab/window.png")) << failures[1].toStdString();
  EXPECT_EQ(commands->folder, before);
  EXPECT_TRUE(view->isVisible());
  EXPECT_TRUE(view->tickTimer().isActive());
  const int tick = form->lTick;
  view->onTick();
  EXPECT_EQ(form->lTick, tick + 1);
}

TEST_F(Export, TheWindowImageIsOnScreenSizeOrTwiceItForPrint) {
  const QString file = QString::fromStdString(::testing::TempDir()) + "linklab_window";
  const QSize screen = view->grab().size();
  for (int filter : {0, 1}) {
    answer(file + QString::number(filter), filter);  // no extension: .png is added
    commands->saveWindowImage();
    settle();
    EXPECT_EQ(QImage(file + QString::number(filter) + ".png").size(), screen * (filter + 1));
  }
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(Export, CopyPutsTheImageOnTheClipboard) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  commands->copyWindow();
  EXPECT_EQ(clipboard->image().size(), view->grab().size());
  PictureWidget* eye = pictureWidget(*view, "picSpectrum(0)");
  commands->copyPicture(*eye);
  EXPECT_EQ(clipboard->image().size(), eye->raster().finished().size());
  EXPECT_TRUE(clipboard->mimeData()->hasFormat("image/svg+xml"));
}

TEST_F(Export, TheMenusOfferTheCommands) {
  auto* file = view->findChild<QMenu*>("FileMenu");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(view->menuBar()->actions().first(), file->menuAction());  // in front of Help
  auto* save = view->findChild<QAction*>("SaveWindowImage");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->text(), "&Save Window Image...");
  EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  // The menu ends with Quit, the same action Ctrl+Q triggers.
  auto* quit = view->findChild<QAction*>("actionQuit");
  ASSERT_NE(quit, nullptr);
  EXPECT_EQ(file->actions().last(), quit);
  EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  for (const Control* c : form->controls()) {
    if (c->kind() == ControlKind::Picture) {
      EXPECT_EQ(pictureWidget(*view, c->name)->contextMenuPolicy(), Qt::CustomContextMenu) << c->name;
    }
  }
}

TEST_F(Export, EveryVisibleWidgetHasATooltipAndTheWindowAnIcon) {
  for (const char* scene : {"Baseband Demo", "Modulation", "Scatter", "Full"}) {
    view->runEvent([&] { form->cmbScene.setText(scene); });
    for (const Control* c : form->controls()) {
      if (!c->Visible) continue;
      if (auto* w = view->findChild<QWidget*>(QString::fromStdString(c->name))) {
        EXPECT_FALSE(w->toolTip().isEmpty()) << c->name << " in " << scene;
      }
    }
  }
  // The phasor's handle is painted, not a widget: the canvas explains it.
  view->runEvent([&] { form->cmbScene.setText("Baseband Demo"); });
  const Shape& handle = form->shpDrag;
  const QPoint centre((handle.Left + handle.Width / 2) / 15, (handle.Top + handle.Height / 2) / 15);
  QWidget* canvas = view->centralWidget();
  QHelpEvent help(QEvent::ToolTip, centre, canvas->mapToGlobal(centre));
  QApplication::sendEvent(canvas, &help);
  EXPECT_EQ(QToolTip::text().toStdString(), tooltipFor("shpDrag"));

  const QIcon icon = view->windowIcon();
  ASSERT_FALSE(icon.isNull());
  for (int size : {16, 256}) {
    const QImage image = icon.pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_NE(image.pixel(size / 2, size / 2), image.pixel(0, 0));  // drawn, not a blank square
  }
}

}  // namespace
}  // namespace linklab
