#pragma once
// Sizes every kernel of the link shares: one block is 128 symbols of 32 samples, 4096 complex
// samples interleaved (re at 2k, im at 2k+1) in arrays of at least 8192 doubles.
namespace linklab {

inline constexpr int kBlockSamples = 4096;
inline constexpr int kBlockDoubles = 2 * kBlockSamples;  // element 8192 is never a sample
inline constexpr int kSamplesPerSymbol = 32;
inline constexpr int kBlockSymbols = kBlockSamples / kSamplesPerSymbol;
// The program's own literal for pi, used wherever it turns a phase.
inline constexpr double kPi = 3.14159265358979;

}  // namespace linklab
