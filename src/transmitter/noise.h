#pragma once
// The channel: white Gaussian noise added to the transmit signal, white where the receive filter
// runs afterwards, shaped by the receive response where it does not.
#include <span>

#include "transmitter/uniform_random.h"

namespace linklab {

// Highest noise level taken from the list, in W/kHz; the offered levels stop at 1.0. A typed
// level above it is taken as this, so no sample or transform can overflow.
inline constexpr double kMaxNoiseLevel = 1000.0;

// Standard deviation of each component of the unshaped noise: sqrt(level * 32 / 10 / b) / sqrt 2.
// The level is the one-sided density N0 at the fixed bit rate: a symbol of b bits lasts b bit
// periods over its 32 samples, so the sample rate, and with it the noise power per sample at one
// density, falls as 1/b. One setting so gives every keying of the same mean power one Eb/N0,
// 10 log10(10 P / level) dB for a transmitter of mean power P per sample.
// level:         W/kHz, negative taken as 0 and above kMaxNoiseLevel as kMaxNoiseLevel
// bitsPerSymbol: b, at least 1
double noiseAmplitude(double level, double bitsPerSymbol);

// Eb/N0 (ratio) of the channel for a transmitter of mean power `meanPower` per sample, noise of
// `amplitude` per component and b bits per symbol: Es = 32 P, N0 = 2 amplitude^2 per sample.
// +inf without noise.
double channelEbN0(double meanPower, double amplitude, double bitsPerSymbol);

// The noise amplitude that puts the channel at this Eb/N0 (ratio); 0 for an Eb/N0 of +inf.
double amplitudeForEbN0(double ebN0, double meanPower, double bitsPerSymbol);

// Complex Gaussian samples by the polar method: two draws u1 = 2U - 1, u2 = 2U - 1 (in this order)
// until 0 < s = u1^2 + u2^2 < 1, then both components u * sqrt(-2 ln s / s) * amplitude.
// noise:     at least 8192 doubles, 4096 complex samples interleaved
// amplitude: standard deviation of each component
// rnd:       the program's one generator
void gaussianNoise(std::span<double> noise, double amplitude, UniformRandom& rnd);

// Adds white noise to the signal, sample by sample.
// noise, tx: blocks; rx: block, receives tx + noise
void addWhiteNoise(std::span<const double> noise, std::span<const double> tx, std::span<double> rx);

// Shapes the noise by the receive response (complex product per bin) and adds it to the signal.
// noise:         block of complex time samples; left holding its spectrum
// response:      block, bin k's complex gain at 2k (re), 2k+1 (im)
// filteredNoise: block, left holding the shaped noise in time
// tx:            block, the transmit signal
// rx:            block, receives tx + shaped noise
void addShapedNoise(std::span<double> noise, std::span<const double> response,
                    std::span<double> filteredNoise, std::span<const double> tx,
                    std::span<double> rx);

}  // namespace linklab
