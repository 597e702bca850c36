#pragma once
// Energy per bit against the noise density: what the transmitter sends on average, what the
// receive response lets through, and the Eb/N0 the decisions see.
// Blocks and spectra: 4096 complex values interleaved (re 2k, im 2k+1); spectra are unscaled
// forward transforms, so by Parseval the sum of |X|^2 is 4096 times the sum of |x|^2.
#include <span>

#include "transmitter/modulator.h"

namespace linklab {

// Energy per symbol of a transmit block: 32 samples times its mean power |x|^2.
double energyPerSymbol(std::span<const double> tx);

// Mean power per sample of a stream of unit-power symbols sent as pulses of this spectrum through
// this response: sum |P H|^2 / (4096 * 32). 1 for the rectangle through "None" and for the
// impulses through "Root RC".
// pulse, response: spectra (response: bin k's gain at 2k, 2k+1)
double shapedPowerGain(std::span<const double> pulse, std::span<const double> response);

// Mean of |H|^2 over the bins: the share of white noise power a response lets through.
double noisePowerGain(std::span<const double> response);

// Mean power per sample of the transmit signal over all data, through a linear amplifier: the
// keying's mean symbol energy times the pulse's power gain; OFDM halves it; the frequency keyings
// keep a unit envelope. NaN for a keying without points.
double expectedMeanPower(Modulation mod, bool ofdm, double shapedGain);

// dB of a ratio; -inf for 0, +inf for +inf, NaN for NaN.
double decibels(double ratio);

// Eb/N0 in dB that the decisions see: a point of the constellation's mean energy, received with
// gain `gain`, over the noise variance per component at the decision point:
// Es/N0 = gain^2 rms^2 / (2 variance), divided by the bits per symbol. +inf without noise.
double effectiveEbN0dB(double gain, double constellationRms, double bitsPerSymbol,
                       double variancePerComponent);

}  // namespace linklab
