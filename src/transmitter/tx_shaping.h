#pragma once
// Transmit shaping: symbols to the sampled complex baseband signal (pulses or impulses through the
// transmit response, or OFDM subcarriers), and the phase mapping of the frequency-shift keyings.
// All blocks: 4096 complex samples interleaved, re at 2k, im at 2k+1, at least 8192 doubles.
#include <cstdint>
#include <span>
#include <string_view>

namespace linklab {

enum class PulseShape { Rectangular, Impulse };

// The pulse a transmit filter shapes: the filters that only smooth the edges ("None", "Steep
// Cutoff", "Gaussian") shape rectangular pulses, the others impulses.
PulseShape pulseShapeFor(std::string_view transmitFilter);

// Spectrum of the one pulse of symbol 0 (a unit symbol placed as placeSymbols does): 32 at bin 0
// for both shapes, flat for the impulse, sin(pi k 32/4096)/sin(pi k/4096) with the half-sample
// phase of its centre at -1/2 for the rectangle.
// spectrum: block, overwritten (forward transform, positive exponent)
void pulseSpectrum(PulseShape shape, std::span<double> spectrum);

// symbols: 256 doubles, symbol s at 2s (I), 2s+1 (Q)
// signal:  block, cleared then filled. Rectangular: symbol s fills samples 32s-16 .. 32s+15
//          (modulo 4096); Impulse: sample 32s holds 32 times the symbol, every other sample 0
void placeSymbols(std::span<const double> symbols, PulseShape shape, std::span<double> signal);

// Circular filtering through a zero-phase response.
// signal:   block, filtered in place
// spectrum: block, left holding the filtered spectrum (forward transform, positive exponent)
// response: block, element 2k the real gain of bin k; odd elements unread
void filterThroughResponse(std::span<double> signal, std::span<double> spectrum,
                           std::span<const double> response);

// The subcarrier count OFDM uses for a typed count: rounded to the nearest whole number (halves
// to even), held to 1 .. 128, then moved to the nearest power of two, a tie going to the smaller
// one (3 -> 2, 6 -> 4, 96 -> 64). Every result divides the 128 symbols and gives a
// power-of-two block transform.
int ofdmSubcarrierCount(double typedCount);

// OFDM synthesis with the band centred on bin 0.
// symbols:     256 doubles as above
// subcarriers: a count from ofdmSubcarrierCount (1, 2, 4 .. 128)
// signal:      block, overwritten with 128/subcarriers blocks of 32*subcarriers samples
// spectrum:    block, left holding the centred spectrum
// work:        block, scratch
void ofdmModulate(std::span<const double> symbols, int subcarriers, std::span<double> signal,
                  std::span<double> spectrum, std::span<double> work);

enum class AngleMapping { FSK, MSK, PhaseOnly };

// Integrates the in-phase parts into a phase (pi per 32 samples of height 1), then maps it.
// signal:    block; in: the shaped frequency in the in-phase parts; out: FSK (-cos, -sin),
//            MSK (sin, -cos) of the phase times fskIndex, or PhaseOnly the scaled phase in the
//            in-phase parts and 0 in the quadrature parts
// fskIndex:  modulation index h (radians per pi of phase)
// spectrum:  block, left holding the spectrum of the middle 7/8 of the frame (the first and last
//            256 samples cleared before the transform)
void angleModulate(std::span<double> signal, double fskIndex, AngleMapping mapping,
                   std::span<double> spectrum);

}  // namespace linklab
