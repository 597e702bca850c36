#pragma once
// The real window on the offscreen platform, started as the program starts it, with its message
// boxes answered at once.
#include <gtest/gtest.h>

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

}  // namespace linklab
