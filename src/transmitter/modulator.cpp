#include "transmitter/modulator.h"

#include <algorithm>

namespace linklab {

namespace {

constexpr int kSymbols = 128;
constexpr double kC = kDiagonalDivisor;

void twoLevel(std::span<const int16_t> bits, double high, double low, std::span<double> sym) {
  for (int s = 0; s < kSymbols; ++s) {
    if (bits[s] == 0) sym[2 * s] = low;
    if (bits[s] == 1) sym[2 * s] = high;
    sym[2 * s + 1] = 0.0;
  }
}

void fourPhase(std::span<const int16_t> bits, std::span<double> sym) {
  for (int k = 0; k < 2 * kSymbols; ++k) sym[k] = bits[k] == 1 ? 1.0 / kC : -1.0 / kC;
}

// Odd symbols of pi/4-shifted QPSK turn by +45 degrees onto the axes. Each test sees the values
// the previous one left, which is why the order matters.
void rotateOddSymbols(std::span<double> sym) {
  const double p = 1.0 / kC;
  for (int k = 2; k <= 254; k += 4) {
    double& i = sym[k];
    double& q = sym[k + 1];
    if (i == p && q == p) { i = 0.0; q = 1.0; }
    if (i == p && q == -p) { i = 1.0; q = 0.0; }
    if (i == -p && q == p) { i = -1.0; q = 0.0; }
    if (i == -p && q == -p) { i = 0.0; q = -1.0; }
  }
}

void eightPhase(std::span<const int16_t> bits, std::span<double> sym) {
  const double p = 1.0 / kC;
  // Indexed by v = 4 b0 + 2 b1 + b2; Gray order around the circle.
  static constexpr int kAngleStep[8] = {0, 1, 3, 2, 7, 6, 4, 5};
  const double pointI[8] = {1.0, p, 0.0, -p, -1.0, -p, 0.0, p};
  const double pointQ[8] = {0.0, p, 1.0, p, 0.0, -p, -1.0, -p};
  for (int s = 0; s < kSymbols; ++s) {
    const int v = 4 * bits[3 * s] + 2 * bits[3 * s + 1] + bits[3 * s + 2];
    const int step = kAngleStep[std::clamp(v, 0, 7)];
    sym[2 * s] = pointI[step];
    sym[2 * s + 1] = pointQ[step];
  }
}

void sixteenQam(std::span<const int16_t> bits, std::span<double> sym) {
  for (int s = 0; s < kSymbols; ++s) {
    const int16_t b0 = bits[4 * s], b1 = bits[4 * s + 1], b2 = bits[4 * s + 2], b3 = bits[4 * s + 3];
    sym[2 * s] = (b1 == 0 ? 1.0 : -1.0) * (b3 == 1 ? 1.0 : 1.0 / 3.0);
    sym[2 * s + 1] = (b0 == 0 ? 1.0 : -1.0) * (b2 == 1 ? 1.0 : 1.0 / 3.0);
  }
}

}  // namespace

Modulation modulationFromText(std::string_view text) {
  if (text == "OOK") return Modulation::OOK;
  if (text == "50% AM") return Modulation::AM50;
  if (text == "FSK") return Modulation::FSK;
  if (text == "BPSK") return Modulation::BPSK;
  if (text == "MSK") return Modulation::MSK;
  if (text == "QPSK") return Modulation::QPSK;
  if (text == "8-PSK") return Modulation::PSK8;
  if (text == "pi/4-SQPSK") return Modulation::Pi4SQPSK;
  if (text == "OQPSK") return Modulation::OQPSK;
  if (text == "16-QAM") return Modulation::QAM16;
  return Modulation::Unknown;
}

ModulatorOutput modulate(Modulation mod, std::span<const int16_t> bits, double fskTextValue,
                         std::span<double> symbols) {
  ModulatorOutput out;
  switch (mod) {
    case Modulation::OOK:
      twoLevel(bits, 1.0, 0.0, symbols);
      break;
    case Modulation::AM50:
      twoLevel(bits, 1.0, 0.5, symbols);
      break;
    case Modulation::BPSK:
      twoLevel(bits, 1.0, -1.0, symbols);
      break;
    case Modulation::FSK:
    case Modulation::MSK:
      out.setsFskIndex = true;
      out.fskIndex = mod == Modulation::MSK ? 0.5
                                            : std::clamp(fskTextValue, -kMaxFskIndex, kMaxFskIndex);
      // The symbol values are the frequency of each symbol; shaping integrates them to a phase.
      for (int s = 0; s < kSymbols; ++s) {
        symbols[2 * s] = bits[s] == 1 ? 1.0 : -1.0;
        symbols[2 * s + 1] = 0.0;
      }
      break;
    case Modulation::QPSK:
    case Modulation::OQPSK:  // its half-symbol offset lives in the shaping, not in the symbols
      out.bitsPerSymbol = 2.0;
      fourPhase(bits, symbols);
      break;
    case Modulation::Pi4SQPSK:
      out.bitsPerSymbol = 2.0;
      fourPhase(bits, symbols);
      rotateOddSymbols(symbols);
      break;
    case Modulation::PSK8:
      out.bitsPerSymbol = 3.0;
      eightPhase(bits, symbols);
      break;
    case Modulation::QAM16:
      out.bitsPerSymbol = 4.0;
      sixteenQam(bits, symbols);
      break;
    case Modulation::Unknown:
      break;
  }
  return out;
}

}  // namespace linklab
