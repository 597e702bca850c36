// The raster pictures need a GUI application; the offscreen platform serves without a display.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "qt/vector_state.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  linklab::clearUpperVectorState();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
