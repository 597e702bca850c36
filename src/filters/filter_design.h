#pragma once
// Filter design: the zero-phase frequency responses of the transmit and receive filters.
// A response is a block of 4096 bins interleaved (re at 2k, im at 2k+1, at least 8192 doubles);
// bin k is k/4096 cycles per sample, bin 4096-k its mirror, bin 128 the symbol rate.
#include <cstdint>
#include <span>
#include <string_view>

namespace linklab {

enum class FilterType { None, OFDM, SteepCutoff, RaisedCosine, RootRC, Gaussian, Matched, Unknown };

// text: the filter list's text, compared exactly with the type names.
FilterType filterTypeFromText(std::string_view text);

// True for the types whose parameter is the excess bandwidth (the others read the bandwidth).
bool usesExcessBandwidth(FilterType type);

inline constexpr const char* kUnknownFilterMessage = "Internal Error: Unknown Filter Type.";

// Builds one response: H(k) by type over bins 0..4095, mirrored (H(4096-k) = H(k) for k = 1..2048)
// and stored; the imaginary parts are 0.
//  type:          the filter type; Matched and Unknown give all zeros
//  parameter:     excess bandwidth in percent (Raised Cosine, Root RC; held to 1..100) or the
//                 bandwidth B in units of the bit rate (Steep Cutoff, Gaussian; held to 0.1..6)
//  codeRate:      M, the data source's repetition 1, 2 or 4 (held to 1..4)
//  bitsPerSymbol: b, 1..4 (held to that range)
//  response:      block, overwritten
//  conjugate:     true stores the negated imaginary parts (the receive side's convention)
// Returns false for an unknown type, whose caller reports it.
bool designResponse(FilterType type, double parameter, int codeRate, double bitsPerSymbol,
                    std::span<double> response, bool conjugate);

// Receive response of the matched filter: the complex conjugate of the whole transmitted pulse's
// spectrum (pulse times transmit response), scaled to unit gain at 0 Hz. Through a flat pulse
// (impulses) it is the transmit response itself; through a rectangular pulse and an all-pass
// it integrates over the symbol and dumps. All zero when the pulse carries nothing at 0 Hz.
// tx:    block, the transmit response
// pulse: block, the pulse's spectrum (pulseSpectrum)
// rx:    block, overwritten
void matchedResponse(std::span<const double> tx, std::span<const double> pulse, std::span<double> rx);

}  // namespace linklab
