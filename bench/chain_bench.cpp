// One tick of the heaviest setting ("Full" scene, 16-QAM, Gaussian filter, noise 1.0, non-linear
// amplifier): the chain with its drawing, and the signal processing alone.
#include <benchmark/benchmark.h>

#include <memory>

#include "form/surface.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> heaviestForm() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("16-QAM");
  form->cmbFilter[0].setText("Gaussian");
  form->cmbNoise.setText("1.0");
  form->cmbNonlinear.setText("Non-Linear");
  form->Timer1_Timer();  // the first tick after a scene change only counts
  form->Timer1_Timer();
  return form;
}

void FullTick(benchmark::State& state) {
  auto form = heaviestForm();
  for (auto _ : state) form->Timer1_Timer();
}
BENCHMARK(FullTick)->Unit(benchmark::kMillisecond);

void ChainSignalProcessingOnly(benchmark::State& state) {
  auto form = heaviestForm();
  for (auto _ : state) {
    form->makeData();
    form->modulateData();
    form->shapeTxSignal();
    form->rfAmplifier();
    form->addNoise();
    form->rxFilter();
    benchmark::DoNotOptimize(form->dRxSignal.data());
  }
}
BENCHMARK(ChainSignalProcessingOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace linklab
