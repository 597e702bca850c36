// The raster pictures and the window need an application; the offscreen platform serves without
// a display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "qt/vector_state.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);  // widgets: the window bench shows the real window
  linklab::clearUpperVectorState();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
