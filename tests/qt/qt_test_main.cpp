#include <QApplication>
#include <QStandardPaths>

#include "test_headers.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The offscreen platform's own screen is 800 x 600; the window's tests want room to zoom.
  if (std::strcmp(std::getenv("QT_QPA_PLATFORM"), "offscreen") == 0) {
    const std::string config = ::testing::TempDir() + "linklab_offscreen_screen.json";
    std::ofstream(config) << R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                          << R"( "logicalDpi": 96, "logicalBaseDpi": 96}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
  }
  // What the window remembers between runs (the save folder ...) goes to a test location, not
  // into the settings of whoever runs the tests.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
