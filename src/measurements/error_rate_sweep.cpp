#include "measurements/error_rate_sweep.h"

#include <algorithm>
#include <cmath>

#include "measurements/awgn_theory.h"

namespace linklab {

namespace {
constexpr int kCalibrationRuns = 8;
uint64_t pointSeed(std::size_t index) { return UniformRandom::kSeed ^ (0x9E3779B97F4A7C15ULL * (index + 1)); }
}  // namespace

double sweepValueCount(double from, double to, double step) {
  if (!(step > 0) || !(to >= from) || !std::isfinite(from) || !std::isfinite(to)) return 0;
  return std::floor((to - from) / step + 1e-9) + 1;
}

std::vector<double> sweepValues(double from, double to, double step) {
  std::vector<double> values;
  const double wanted = sweepValueCount(from, to, step);
  if (!(wanted >= 1 && wanted <= 1e7)) return values;
  const int count = static_cast<int>(wanted);
  for (int i = 0; i < count; ++i) values.push_back(from + i * step);
  return values;
}

ErrorRateSweep::ErrorRateSweep(const LinkSettings& s, std::vector<double> ebN0dB, int threads)
    : settings(s), results(ebN0dB.size()), pointProgress(new std::atomic<double>[ebN0dB.size()]) {
  for (std::size_t i = 0; i < ebN0dB.size(); ++i) {
    results[i].ebN0dB = ebN0dB[i];
    const ErrorRates theory = awgnErrorRates(settings.mod, std::pow(10.0, ebN0dB[i] / 10));
    results[i].serTheory = theory.ser;
    results[i].berTheory = theory.ber;
    pointProgress[i] = 0;
  }
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  threadCount = threads > 0 ? threads : std::max(1, cores);
}

ErrorRateSweep::~ErrorRateSweep() {
  cancel();
  wait();
}

void ErrorRateSweep::start() {
  if (started) return;
  started = true;
  meanPower = sweepMeanPower(settings);
  const int count = std::min<int>(threadCount, static_cast<int>(results.size()));
  running = count;
  for (int t = 0; t < count; ++t) workers.emplace_back([this] { work(); });
}

void ErrorRateSweep::cancel() { stop = true; }

void ErrorRateSweep::wait() {
  for (std::thread& worker : workers)
    if (worker.joinable()) worker.join();
}

double ErrorRateSweep::progress() const {
  if (results.empty()) return 1;
  double sum = 0;
  for (std::size_t i = 0; i < results.size(); ++i) sum += pointProgress[i].load();
  return sum / results.size();
}

std::vector<SweepPoint> ErrorRateSweep::points() const {
  std::lock_guard lock(resultsMutex);
  return results;
}

void ErrorRateSweep::work() {
  HeadlessLink link(settings);
  // The cleanest points take the most symbols, so they start first.
  for (std::size_t taken = nextPoint++; taken < results.size() && !stop; taken = nextPoint++)
    runPoint(link, results.size() - 1 - taken);
  --running;
}

void ErrorRateSweep::runPoint(HeadlessLink& link, std::size_t index) {
  SweepPointRun run(link, settings.mod, index, results[index].ebN0dB, meanPower);
  while (!stop && !run.step(1)) pointProgress[index] = run.progress();
  SweepPoint point = run.point();
  point.done = !stop;
  pointProgress[index] = point.done ? 1 : run.progress();
  std::lock_guard lock(resultsMutex);
  results[index] = point;
}

double sweepMeanPower(const LinkSettings& settings) {
  if (settings.meanPower > 0) return settings.meanPower;
  HeadlessLink calibration(settings);
  double sum = 0;
  for (int r = 0; r < kCalibrationRuns; ++r) {
    calibration.run(0);
    sum += calibration.lastTxPower();
  }
  return std::isfinite(sum) && sum > 0 ? sum / kCalibrationRuns : 1;
}

SweepPointRun::SweepPointRun(HeadlessLink& link, Modulation mod, std::size_t index, double ebN0dB, double meanPower)
    : link(link) {
  link.restart(pointSeed(index));
  const double ebN0 = std::pow(10.0, ebN0dB / 10);
  amplitude = link.amplitudeFor(ebN0, meanPower);
  result.ebN0dB = ebN0dB;
  const ErrorRates theory = awgnErrorRates(mod, ebN0);
  result.serTheory = theory.ser;
  result.berTheory = theory.ber;
}

bool SweepPointRun::finished() const {
  return exhausted || result.symbolErrors >= kSweepErrorTarget || result.symbols >= kSweepSymbolLimit;
}

bool SweepPointRun::step(int blocks) {
  for (int b = 0; b < blocks && !finished(); ++b) {
    const RunErrors e = link.run(amplitude);
    result.symbols += e.symbols;
    result.symbolErrors += e.symbolErrors;
    result.bits += e.bits;
    result.bitErrors += e.bitErrors;
    exhausted = e.symbols == 0;
  }
  result.ser = result.symbols ? double(result.symbolErrors) / result.symbols : NAN;
  result.ber = result.bits ? double(result.bitErrors) / result.bits : NAN;
  return finished();
}

double SweepPointRun::progress() const {
  return std::min(1.0, std::max(double(result.symbolErrors) / kSweepErrorTarget,
                                double(result.symbols) / kSweepSymbolLimit));
}

}  // namespace linklab
