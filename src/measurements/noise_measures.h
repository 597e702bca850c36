#pragma once
// Energy per bit against the noise density, worked out from the samples of one run.
// Blocks and spectra: 4096 complex values interleaved (re 2k, im 2k+1); spectra are unscaled
// forward transforms, so by Parseval the sum of |X|^2 is 4096 times the sum of |x|^2.
#include <span>

namespace linklab {

// Energy per symbol of a transmit block: 32 samples times its mean power |x|^2.
double energyPerSymbol(std::span<const double> tx);

// One-sided density N0 of white complex noise, from the spectrum of its unshaped samples: the
// mean power per sample (the variance of both components together).
double noiseDensity(std::span<const double> noiseSpectrum);

// Variance of each component of that noise at the decision point, after it has passed the
// receive response `passes` times (once on the channel, once more where the receive filter runs).
// response: bin k's complex gain at 2k, 2k+1
double decisionNoiseVariance(std::span<const double> noiseSpectrum,
                             std::span<const double> response, int passes);

// Eb/N0 in dB of the transmitted signal; +inf without noise.
double ebN0dB(double energyPerSymbol, double bitsPerSymbol, double density);

// Eb/N0 in dB that the decisions see: a point of the constellation's mean energy, received with
// gain `gain`, over the noise variance per component at the decision point:
// Es/N0 = gain^2 rms^2 / (2 variance), divided by the bits per symbol. +inf without noise.
double effectiveEbN0dB(double gain, double constellationRms, double bitsPerSymbol,
                       double variancePerComponent);

}  // namespace linklab
