#include "measurements/readout_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace linklab {

namespace {

const char* const kDash = "\u2013";

std::string fixed(double x, int decimals) {
  if (std::isnan(x)) return kDash;
  if (std::isinf(x)) return x > 0 ? "\u221e" : "\u2212\u221e";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  std::string text = buffer;
  if (text[0] == '-') text.replace(0, 1, "\u2212");
  return text;
}

// An error vector past 100 % says only that the points are lost; its digits would mislead.
std::string percentText(double x) {
  if (std::isnan(x)) return kDash;
  return x > 100 ? "> 100 %" : fixed(x, 1) + " %";
}

}  // namespace

std::string shortScientific(double x) {
  if (std::isnan(x)) return kDash;
  if (x == 0) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1e", x);
  // "3.1e-03" -> "3.1e-3", "1.0e+00" -> "1.0e0"
  std::string text = buffer;
  const auto e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  return text.substr(0, e + 1) + std::to_string(exponent);
}

std::string groupedCount(int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
  return n < 0 ? "-" + digits : digits;
}

std::string rateText(double rate, int64_t errors, int64_t count, double theory) {
  if (count <= 0 || std::isnan(rate)) return kDash;
  const std::string theoryText = "theory " + shortScientific(theory);
  if (errors == 0)
    return "< " + shortScientific(1.0 / count) + ", 0 of " + groupedCount(count) + " (" + theoryText + ")";
  return shortScientific(rate) + " (" + groupedCount(errors) + " of " + groupedCount(count) + "; " +
         theoryText + ")";
}

StripShows stripShows(int32_t scene) { return {scene == 3 || scene == 4, scene == 2}; }

ReadoutTexts readoutTexts(const SimulationState& s) {
  ReadoutTexts t;
  t.ebN0 = "Eb/N0 " + fixed(s.dEbN0dB, 1) + " dB (eff. " + fixed(s.dEbN0EffectivedB, 1) + ")";
  t.evm = "EVM " + percentText(s.dEVMPercent);
  if (!std::isnan(s.dEVMPeakPercent)) t.evm += " (pk " + percentText(s.dEVMPeakPercent) + ")";
  t.ser = "SER " + rateText(s.dSER, s.lSymbolErrors, s.lSymbols, s.dSERTheory);
  t.ber = "BER " + rateText(s.dBER, s.lBitErrors, s.lBits, s.dBERTheory);
  t.eye = "eye " + (std::isnan(s.dEyeOpeningPercent) ? std::string(kDash)
                    : s.dEyeOpeningPercent <= 0      ? std::string("closed")
                                                     : fixed(s.dEyeOpeningPercent, 0) + " %");
  // Past Q = 100 (an error rate far below anything countable) the digits tell nothing more.
  if (!std::isnan(s.dQFactor))
    t.eye += ", Q " + (s.dQFactor > 100 ? std::string("> 100") : fixed(s.dQFactor, s.dQFactor < 10 ? 1 : 0));
  t.occupiedBandwidth = "occupied bandwidth (99 %) " +
                        (std::isnan(s.dOccupiedBandwidthkHz) ? std::string(kDash)
                                                             : fixed(s.dOccupiedBandwidthkHz, 2) + " kHz");
  t.outOfBand = "out of band " + (std::isnan(s.dOutOfBandPowerdBc) ? std::string(kDash)
                                                                   : fixed(s.dOutOfBandPowerdBc, 1) + " dBc");
  return t;
}

}  // namespace linklab
