// The readouts after one run against the run itself: measureRun on the heaviest tick's arrays
// (16-QAM with decisions, noise and the averaged spectrum), with its heap allocations.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

#include "allocation_counter.h"
#include "heaviest_setting.h"
#include "main_window/form1.h"
#include "measurements/error_rate_sweep.h"

namespace linklab {
namespace {

void ReadoutsAfterARun(benchmark::State& state) {
  auto form = heaviestForm();
  const uint64_t before = allocationsSoFar();
  for (auto _ : state) {
    form->measureRun();
    benchmark::DoNotOptimize(form->dSER);
  }
  state.counters["allocs/iter"] =
      benchmark::Counter(static_cast<double>(allocationsSoFar() - before) / state.iterations());
}
BENCHMARK(ReadoutsAfterARun)->Unit(benchmark::kMicrosecond);

// The heaviest setting with BPSK, whose sweep reaches the low error rates.
LinkSettings bpskSettings() {
  auto form = heaviestForm();
  form->cmbMod[0].setText("BPSK");
  form->Timer1_Timer();
  return form->linkSettings();
}

// How long Cancel takes to stop a running BPSK sweep of 0 to 14 dB: from cancel() until every
// worker has joined.
void SweepCancelLatency(benchmark::State& state) {
  const LinkSettings settings = bpskSettings();
  for (auto _ : state) {
    ErrorRateSweep sweep(settings, sweepValues(0, 14, 1));
    sweep.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto begin = std::chrono::steady_clock::now();
    sweep.cancel();
    sweep.wait();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
  }
}
BENCHMARK(SweepCancelLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The whole BPSK sweep of 0 to 14 dB in 1 dB steps on every core.
void BpskSweep0To14(benchmark::State& state) {
  const LinkSettings settings = bpskSettings();
  for (auto _ : state) {
    ErrorRateSweep sweep(settings, sweepValues(0, 14, 1));
    sweep.start();
    sweep.wait();
    benchmark::DoNotOptimize(sweep.points().data());
  }
}
BENCHMARK(BpskSweep0To14)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace linklab
