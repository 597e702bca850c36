#pragma once
// The real window on the offscreen platform, started as the program starts it, with its message
// boxes answered at once.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "main_window/form1.h"
#include "qt/main_window_view.h"

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
