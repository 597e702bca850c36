#include "measurements/sweep_run_label.h"

namespace linklab {

namespace {

// The filter's name with the one parameter its type reads, as its parameter list shows it.
std::string filterText(const std::string& type, const std::string& excess, const std::string& bandwidth,
                       const std::string& subcarriers) {
  if (type == "Root RC" || type == "Raised Cosine") return type + " " + excess + " %";
  if (type == "Gaussian" || type == "Steep Cutoff") return type + " " + bandwidth + " kHz";
  if (type == "OFDM") return type + " " + subcarriers + " SCs";
  return type;
}

}  // namespace

std::string runLabel(const RunSettingsTexts& t) {
  std::string label = t.keying;
  if (!t.demodulation.empty() && t.demodulation != t.keying) label += " (demod " + t.demodulation + ")";
  label += ", Tx " + filterText(t.txFilter, t.txExcessBandwidth, t.txBandwidth, t.txSubcarriers);
  label += ", Rx " + filterText(t.rxFilter, t.rxExcessBandwidth, t.rxBandwidth, "");
  label += ", " + t.amplifier + " amp";
  return label;
}

}  // namespace linklab
