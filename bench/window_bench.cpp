// The real window on the offscreen platform in the heaviest setting: one tick, the view's sync and
// the repaint it causes, with the heap allocations of each (all of them, counted at malloc), for
// each way the pictures keep their runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "allocation_counter.h"
#include "heaviest_setting.h"
#include "main_window/form1.h"
#include "qt/main_window_view.h"

namespace linklab {
namespace {

// With Scales on (the window's default) and the given View > Persistence.
void tickHeaviest(benchmark::State& state, Persistence persistence) {
  auto form = std::make_unique<Form1>();
  MainWindowView view(*form);
  view.messageHost().interactive = false;
  form->Form_Load();
  view.syncFromModel();
  view.setPersistence(persistence);
  view.show();
  view.tickTimer().stop();
  view.runEvent([&] { chooseHeaviestSetting(*form); });
  for (int i = 0; i < 5; ++i) {  // past the first ticks and the growth of every buffer
    view.onTick();
    view.tickTimer().stop();
    QApplication::processEvents();
  }
  const uint64_t before = allocationsSoFar();
  for (auto _ : state) {
    view.onTick();
    view.tickTimer().stop();  // the benchmark is the clock
    QApplication::processEvents();
  }
  state.counters["allocs/tick"] =
      benchmark::Counter(static_cast<double>(allocationsSoFar() - before) / state.iterations());
}
void WindowTickHeaviest(benchmark::State& state) { tickHeaviest(state, Persistence::Infinite); }
void WindowTickHeaviestDensity(benchmark::State& state) { tickHeaviest(state, Persistence::Density); }
void WindowTickHeaviestFading(benchmark::State& state) { tickHeaviest(state, Persistence::Fading); }
BENCHMARK(WindowTickHeaviest)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowTickHeaviestDensity)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowTickHeaviestFading)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace linklab
