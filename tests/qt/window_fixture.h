#pragma once
// The real window on the offscreen platform, started as the program starts it, with its message
// boxes answered at once; the Qt modules every window test uses, and the window model tests' set-up.
#include <QtTest>
#include <QtWidgets>

#include "main_window/window_setup.h"
#include "qt/export_images.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"

namespace linklab {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<MainWindowView>(*form);
    view->messageHost().interactive = false;
    form->Form_Load();
    view->syncFromModel();
    view->show();
  }
  void TearDown() override {
    view.reset();
    form.reset();
  }
  // Gives the window the keyboard, as the user's click would.
  void activate() {
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
  }
  void scene(const char* name) {
    view->runEvent([this, name] { form->cmbScene.setText(name); });
  }
  // Texts picked in the model's lists by name, as one user action.
  void pick(std::initializer_list<std::pair<const char*, const char*>> picks) {
    view->runEvent([&] {
      for (auto [name, text] : picks) static_cast<ComboBox*>(form->findControl(name))->setText(text);
    });
  }
  void ticks(int n) {
    while (n-- > 0) view->onTick();
  }
  template <typename W = QWidget>
  W* widget(const char* name) const {
    return view->findChild<W*>(name);
  }
  static QString temp(const char* name) { return QString::fromStdString(::testing::TempDir()) + name; }
  static QString fileText(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
  }
  // A file of the temporary folder holding text, written anew; its path.
  static QString written(const char* name, const char* text) {
    QFile out(temp(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    return out.fileName();
  }

  std::unique_ptr<Form1> form = std::make_unique<Form1>();
  std::unique_ptr<MainWindowView> view;
};

// Pixels of a picture's raster that are not its white background.
inline int inkedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

}  // namespace linklab
