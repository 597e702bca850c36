#pragma once
// The link without a window: the same kernels as the live chain, on its own copy of the settings
// and its own arrays and generator, drawing nothing. Work that runs the link many times (an
// error-rate sweep) runs it here, one instance per worker thread.
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "measurements/symbol_measures.h"
#include "transmitter/data_source.h"
#include "transmitter/modulator.h"
#include "transmitter/uniform_random.h"

namespace linklab {

using ResponseBlock = std::array<double, 8193>;

// Everything one run of the link reads, copied from the window's model at one moment.
struct LinkSettings {
  DataPattern pattern = DataPattern::RandomData;
  Modulation mod = Modulation::BPSK;
  double fskTextValue = 0;
  bool rectangularPulses = false;  // "None", "Steep Cutoff", "Gaussian"
  bool ofdm = false;
  int subcarriers = 4;
  bool nonlinear = false;
  bool receiveFilterRuns = false;  // the receive filter runs on signal and white noise; without
                                   // it the noise arrives shaped by the receive response
  ResponseBlock txFilter{};
  ResponseBlock rxFilter{};
  int symbolOffset = 0;     // the amplifier's lag of the quadrature rail (16 for OQPSK)
  DecisionInstant at{0, 0};
  bool rotates = false;     // the receive phase offset is applied
  double phase = 0;         // accumulated receive phase at the copy, radians
  double phaseStep = 0;     // added before every run, radians
  double meanPower = NAN;   // the transmitter's mean power per sample; NaN: measure it
};

class HeadlessLink {
 public:
  explicit HeadlessLink(const LinkSettings& settings);
  ~HeadlessLink();

  // Restarts the generator and the receive phase, so a point of a sweep repeats exactly.
  void restart(uint64_t seed);

  // One block through the link with white noise of this standard deviation per component
  // (0: no noise), decided at every one of the 128 symbols.
  RunErrors run(double noiseAmplitude);
  // Mean power per sample of the last run's transmit signal.
  double lastTxPower() const;

  // White noise standard deviation per component that puts the channel at this Eb/N0 (ratio)
  // for a transmitter of mean power `meanPower` per sample.
  double amplitudeFor(double ebN0, double meanPower) const;

 private:
  struct Arrays;
  const LinkSettings& settings;
  std::unique_ptr<Arrays> arrays;
  UniformRandom rnd;
  double phase = 0;
};

}  // namespace linklab
