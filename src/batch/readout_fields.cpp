#include "batch/readout_fields.h"

namespace linklab {

bool findReadoutField(SimulationState& s, std::string_view name, StateField& out) {
  using T = StateField::Type;
  struct Entry {
    std::string_view name;
    StateField field;
  };
  const Entry table[] = {
      {"dEbN0dB", {T::Double, &s.dEbN0dB, 1, false}},
      {"dEbN0EffectivedB", {T::Double, &s.dEbN0EffectivedB, 1, false}},
      {"dEVMPercent", {T::Double, &s.dEVMPercent, 1, false}},
      {"lSymbols", {T::Int32, &s.lSymbols, 1, false}},
      {"lSymbolErrors", {T::Int32, &s.lSymbolErrors, 1, false}},
      {"lBits", {T::Int32, &s.lBits, 1, false}},
      {"lBitErrors", {T::Int32, &s.lBitErrors, 1, false}},
      {"dSER", {T::Double, &s.dSER, 1, false}},
      {"dBER", {T::Double, &s.dBER, 1, false}},
      {"dSERTheory", {T::Double, &s.dSERTheory, 1, false}},
      {"dBERTheory", {T::Double, &s.dBERTheory, 1, false}},
      {"dEyeOpeningPercent", {T::Double, &s.dEyeOpeningPercent, 1, false}},
      {"dQFactor", {T::Double, &s.dQFactor, 1, false}},
      {"dEVMPeakPercent", {T::Double, &s.dEVMPeakPercent, 1, false}},
      {"dOccupiedBandwidthkHz", {T::Double, &s.dOccupiedBandwidthkHz, 1, false}},
      {"dOutOfBandPowerdBc", {T::Double, &s.dOutOfBandPowerdBc, 1, false}},
      {"dEnvelopeMinPercent", {T::Double, &s.dEnvelopeMinPercent, 1, false}},
  };
  for (const Entry& e : table) {
    if (e.name == name) {
      out = e.field;
      return true;
    }
  }
  return false;
}

}  // namespace linklab
