// The readouts after one run against the run itself: measureRun on the heaviest tick's arrays
// (16-QAM with decisions, noise and the averaged spectrum), with its heap allocations.
#include <benchmark/benchmark.h>

#include <memory>

#include "allocation_counter.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> measuredForm() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("16-QAM");
  form->cmbFilter[0].setText("Gaussian");
  form->cmbNoise.setText("1.0");
  form->cmbNonlinear.setText("Non-Linear");
  form->Timer1_Timer();
  form->Timer1_Timer();
  return form;
}

void ReadoutsAfterARun(benchmark::State& state) {
  auto form = measuredForm();
  const uint64_t before = allocationsSoFar();
  for (auto _ : state) {
    form->measureRun();
    benchmark::DoNotOptimize(form->dSER);
  }
  state.counters["allocs/iter"] =
      benchmark::Counter(static_cast<double>(allocationsSoFar() - before) / state.iterations());
}
BENCHMARK(ReadoutsAfterARun)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace linklab
