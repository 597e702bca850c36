#pragma once
// The channel: white Gaussian noise, shaped by the receive response, added to the transmit signal.
#include <span>

#include "transmitter/uniform_random.h"

namespace linklab {

// Highest noise level taken from the list, in W/kHz; the offered levels stop at 1.0. A typed
// level above it is taken as this, so no sample or transform can overflow.
inline constexpr double kMaxNoiseLevel = 1000.0;

// Standard deviation of each component of the unshaped noise: sqrt(level * 32 / 10) * b / sqrt 2.
// level:         W/kHz, negative taken as 0 and above kMaxNoiseLevel as kMaxNoiseLevel
// bitsPerSymbol: b
double noiseAmplitude(double level, double bitsPerSymbol);

// Complex Gaussian samples by the polar method: two draws u1 = 2U - 1, u2 = 2U - 1 (in this order)
// until 0 < s = u1^2 + u2^2 < 1, then both components u * sqrt(-2 ln s / s) * amplitude.
// noise:     at least 8192 doubles, 4096 complex samples interleaved
// amplitude: standard deviation of each component
// rnd:       the program's one generator
void gaussianNoise(std::span<double> noise, double amplitude, UniformRandom& rnd);

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
