#include "measurements/error_rate_sweep.h"

#include <algorithm>
#include <cmath>

#include "measurements/awgn_theory.h"

namespace linklab {

namespace {
constexpr int kCalibrationRuns = 8;
uint64_t pointSeed(std::size_t index) { return UniformRandom::kSeed ^ (0x9E3779B97F4A7C15ULL * (index + 1)); }
}  // namespace

std::vector<double> sweepValues(double from, double to, double step) {
  std::vector<double> values;
  if (!(step > 0) || !(to >= from) || !std::isfinite(from) || !std::isfinite(to)) return values;
  const int count = static_cast<int>(std::floor((to - from) / step + 1e-9)) + 1;
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
  meanPower = settings.meanPower;
  if (!(meanPower > 0)) {
    HeadlessLink calibration(settings);
    double sum = 0;
    for (int r = 0; r < kCalibrationRuns; ++r) {
      calibration.run(0);
      sum += calibration.lastTxPower();
    }
    meanPower = std::isfinite(sum) && sum > 0 ? sum / kCalibrationRuns : 1;
  }
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
  link.restart(pointSeed(index));
  const double amplitude = link.amplitudeFor(std::pow(10.0, results[index].ebN0dB / 10), meanPower);
  SweepPoint point;
  {
    std::lock_guard lock(resultsMutex);
    point = results[index];
  }
  while (!stop && point.symbolErrors < kSweepErrorTarget && point.symbols < kSweepSymbolLimit) {
    const RunErrors e = link.run(amplitude);
    point.symbols += e.symbols;
    point.symbolErrors += e.symbolErrors;
    point.bits += e.bits;
    point.bitErrors += e.bitErrors;
    pointProgress[index] = std::min(1.0, std::max(double(point.symbolErrors) / kSweepErrorTarget,
                                                  double(point.symbols) / kSweepSymbolLimit));
    if (e.symbols == 0) break;
  }
  point.ser = point.symbols ? double(point.symbolErrors) / point.symbols : NAN;
  point.ber = point.bits ? double(point.bitErrors) / point.bits : NAN;
  point.done = !stop;
  if (point.done) pointProgress[index] = 1;
  std::lock_guard lock(resultsMutex);
  results[index] = point;
}

}  // namespace linklab
