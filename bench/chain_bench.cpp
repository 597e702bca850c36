// One tick of the heaviest setting ("Full" scene, 16-QAM, Gaussian filter, noise 1.0, non-linear
// amplifier): the whole tick drawing into real rasters as the window does, the same tick on the
// bare model, and the signal processing alone, each with its heap allocations per iteration.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "allocation_counter.h"
#include "heaviest_setting.h"
#include "main_window/form1.h"
#include "qt/parallel_drawing.h"
#include "qt/raster_surface.h"

namespace linklab {
namespace {

template <typename Body>
void measure(benchmark::State& state, Body body) {
  const uint64_t before = allocationsSoFar();
  for (auto _ : state) body();
  state.counters["allocs/iter"] =
      benchmark::Counter(static_cast<double>(allocationsSoFar() - before) / state.iterations());
}

void tickOnRasters(benchmark::State& state, bool countHits) {
  auto form = heaviestForm();
  form->countHits(countHits);
  std::array<RasterSurface, 32> rasters;
  std::size_t used = 0;
  for (Control* c : form->controls()) {
    if (c->kind() != ControlKind::Picture) continue;
    auto& picture = static_cast<PictureBox&>(*c);
    rasters[used].resize(picture.Width, picture.Height, static_cast<double>(state.range(0)), picture.BackColor);
    picture.density().setPixelRatio(static_cast<double>(state.range(0)));
    picture.attachRaster(&rasters[used++]);
  }
  std::array<RasterSurface*, 32> drawn;
  for (std::size_t i = 0; i < used; ++i) drawn[i] = &rasters[i];
  ParallelDrawing drawing;
  form->Timer1_Timer();
  measure(state, [&] {
    form->Timer1_Timer();
    drawing.draw({drawn.data(), used});  // as the window does after each run
    for (std::size_t i = 0; i < used; ++i) benchmark::DoNotOptimize(rasters[i].finished().constBits());
  });
  for (Control* c : form->controls())
    if (c->kind() == ControlKind::Picture) static_cast<PictureBox&>(*c).attachRaster(nullptr);
  form->countHits(false);
}
void FullTickOnRasters(benchmark::State& state) { tickOnRasters(state, false); }
// As the window draws them, counting the hits of the eye, trajectory and scatter for a density display.
void FullTickOnRastersCountingHits(benchmark::State& state) { tickOnRasters(state, true); }
// At pixel ratios 1, 2 and 3: a window at 100 %, at 200 % and full screen on a 3840 x 2160 screen.
// In wall-clock time: the pictures are drawn on two threads.
BENCHMARK(FullTickOnRasters)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FullTickOnRastersCountingHits)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void FullTickModelOnly(benchmark::State& state) {
  auto form = heaviestForm();
  measure(state, [&] { form->Timer1_Timer(); });
}
BENCHMARK(FullTickModelOnly)->Unit(benchmark::kMillisecond);

void ChainSignalProcessingOnly(benchmark::State& state) {
  auto form = heaviestForm();
  measure(state, [&] {
    form->makeData();
    form->modulateData();
    form->shapeTxSignal();
    form->rfAmplifier();
    form->addNoise();
    form->rxFilter();
    benchmark::DoNotOptimize(form->dRxSignal.data());
  });
}
BENCHMARK(ChainSignalProcessingOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace linklab
