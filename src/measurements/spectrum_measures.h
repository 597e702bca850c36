#pragma once
// Measures of the averaged transmit spectrum. power: 4096 bin powers in the transform's order
// (bin k is k/4096 of the sample rate, bins 2048 .. 4095 the negative frequencies).
#include <span>

namespace linklab {

// Two-sided width, in bins, of the band that holds `share` of the power: from where the power
// summed from the lowest frequency reaches (1 - share)/2 of the total to where it reaches
// (1 + share)/2, each bin spread evenly over its width. NaN when there is no power.
double occupiedBandwidthBins(std::span<const double> power, double share);

// One kHz of the bandwidth lists in bins: the bit rate, b times the symbol rate of 128 bins.
double binsPerKilohertz(double bitsPerSymbol);

// Power in the bins where the transmit response is below -60 dB (outside its band), relative to
// the total, in dB; -inf when none reaches them; NaN without power or when the response passes
// every bin (no band to be outside of).
// response: 4096 bins interleaved, the real gain of bin k at 2k
double outOfBandPowerdBc(std::span<const double> power, std::span<const double> response);

// The smallest envelope of a transmit block (4096 samples interleaved), in percent of its rms
// envelope, the quadrature rail read qDelay samples after the in-phase one as the amplifier pairs
// them: near 0 where the signal passes through zero, 100 for a constant envelope; NaN without power.
double envelopeMinimumPercent(std::span<const double> signal, int qDelay);

}  // namespace linklab
