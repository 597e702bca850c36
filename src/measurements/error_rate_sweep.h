#pragma once
// The error-rate curve: the link run headless at a series of Eb/N0 values on worker threads, each
// point until it has seen enough symbol errors or symbols. The Eb/N0 of a point is the channel's:
// the noise density against the transmitter's mean power (worked out from the settings, or
// measured on noiseless runs through the non-linear amplifier), so the measured rates sit on the
// AWGN theory of the keying only when the receiver loses nothing: a mismatched filter shows.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "measurements/headless_link.h"

namespace linklab {

inline constexpr int64_t kSweepErrorTarget = 100;
inline constexpr int64_t kSweepSymbolLimit = 200000;

struct SweepPoint {
  double ebN0dB = 0;
  int64_t symbols = 0, symbolErrors = 0, bits = 0, bitErrors = 0;
  double ser = NAN, ber = NAN;              // measured, NaN before any symbol
  double serTheory = NAN, berTheory = NAN;  // AWGN theory at ebN0dB
  bool done = false;
};

// The Eb/N0 values from `from` to `to` in steps of `step` (the last may fall short of `to`
// by less than a step's rounding); empty when step <= 0, to < from or they would be more than
// ten million.
std::vector<double> sweepValues(double from, double to, double step);
// How many values sweepValues gives, worked out without making them (a typo's billion included).
double sweepValueCount(double from, double to, double step);

// The transmitter's mean power per sample a sweep puts its noise against: the settings' own, or
// measured on noiseless runs through the link (the non-linear amplifier changes it).
double sweepMeanPower(const LinkSettings& settings);

// One point of a sweep, run a few blocks at a time on a link of its own: what each worker thread
// of ErrorRateSweep runs, and what a front end without threads runs in slices between events.
// index: the point's place in the sweep, which seeds its generator, so a point measures the same
// whoever runs it.
class SweepPointRun {
 public:
  SweepPointRun(HeadlessLink& link, Modulation mod, std::size_t index, double ebN0dB, double meanPower);
  // Runs up to `blocks` more blocks; true once the point has its errors or its symbols.
  bool step(int blocks);
  bool finished() const;
  // The counts so far and the rates from them (done stays false: the owner says when it is).
  const SweepPoint& point() const { return result; }
  // 0 .. 1: the share of the error target or of the symbol limit, whichever is further.
  double progress() const;

 private:
  HeadlessLink& link;
  SweepPoint result;
  double amplitude;
  bool exhausted = false;  // a run without symbols: no more will come
};

class ErrorRateSweep {
 public:
  // settings: copied; ebN0dB: the points; threads: workers (0: one per core)
  ErrorRateSweep(const LinkSettings& settings, std::vector<double> ebN0dB, int threads = 0);
  ~ErrorRateSweep();  // cancels and waits
  ErrorRateSweep(const ErrorRateSweep&) = delete;
  ErrorRateSweep& operator=(const ErrorRateSweep&) = delete;

  void start();
  // Stops every worker after the block it is running (well under a millisecond).
  void cancel();
  void wait();
  bool finished() const { return running.load() == 0 && started; }
  bool cancelled() const { return stop.load(); }
  // 0 .. 1: each point's share of its error target or symbol limit, averaged over the points.
  double progress() const;
  std::vector<SweepPoint> points() const;

 private:
  void work();
  void runPoint(HeadlessLink& link, std::size_t index);


  LinkSettings settings;
  std::vector<SweepPoint> results;
  std::unique_ptr<std::atomic<double>[]> pointProgress;
  mutable std::mutex resultsMutex;
  std::vector<std::thread> workers;
  std::atomic<std::size_t> nextPoint{0};
  std::atomic<int> running{0};
  std::atomic<bool> stop{false};
  int threadCount;
  bool started = false;
  double meanPower = 1;
};

}  // namespace linklab
