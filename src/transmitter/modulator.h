#pragma once
// The modulator: data bits to one complex value per symbol, before any pulse shaping.
#include <cstdint>
#include <span>
#include <string_view>

namespace linklab {

enum class Modulation { OOK, AM50, FSK, BPSK, MSK, QPSK, PSK8, Pi4SQPSK, OQPSK, QAM16, Unknown };

// text: the modulation list's text, compared exactly with the catalogue's names.
Modulation modulationFromText(std::string_view text);

// The divisor of the diagonal points of the phase keyings (this literal, a little above sqrt 2).
inline constexpr double kDiagonalDivisor = 1.41421562;

// Largest modulation index magnitude taken from the FSK text; far beyond the slider's 5, and
// small enough that the integrated phase times the index stays finite.
inline constexpr double kMaxFskIndex = 100.0;

struct ModulatorOutput {
  double bitsPerSymbol = 1.0;  // 1, 2, 3 or 4
  bool setsFskIndex = false;   // true for FSK and MSK only
  double fskIndex = 0.0;       // modulation index when setsFskIndex
};

// mod:          the transmit modulation
// bits:         at least 128 * bits-per-symbol entries (512 suffice for all), 0 or 1
// fskTextValue: the number at the start of the FSK index text (FSK only); its magnitude is held
//               to kMaxFskIndex
// symbols:      at least 256 doubles, symbol s at 2s (I) and 2s+1 (Q); element 256 is never
//               written; an unknown modulation writes nothing
ModulatorOutput modulate(Modulation mod, std::span<const int16_t> bits, double fskTextValue,
                         std::span<double> symbols);

}  // namespace linklab
