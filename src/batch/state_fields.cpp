#include "batch/state_fields.h"

#include "batch/readout_fields.h"

#include <cstdint>
#include <vector>

#include "form/numbers.h"

namespace linklab {

double StateField::get(std::size_t i) const {
  switch (type) {
    case Type::Double: return static_cast<double*>(data)[i];
    case Type::Int16: return static_cast<int16_t*>(data)[i];
    case Type::Int32: return static_cast<int32_t*>(data)[i];
  }
  return 0;
}

void StateField::set(std::size_t i, double v) const {
  switch (type) {
    case Type::Double: static_cast<double*>(data)[i] = v; break;
    case Type::Int16: static_cast<int16_t*>(data)[i] = CInt(v); break;
    case Type::Int32: static_cast<int32_t*>(data)[i] = CLng(v); break;
  }
}

namespace {
template <typename A>
StateField arrayField(A& a, StateField::Type t) {
  return {t, a.data(), a.size(), true};
}
StateField scalar(double& v) { return {StateField::Type::Double, &v, 1, false}; }
StateField scalar(int16_t& v) { return {StateField::Type::Int16, &v, 1, false}; }
StateField scalar(int32_t& v) { return {StateField::Type::Int32, &v, 1, false}; }

struct Entry {
  std::string_view name;
  StateField field;
};

std::vector<Entry> fieldTable(SimulationState& s) {
  using T = StateField::Type;
  return {
      {"iData", arrayField(s.iData, T::Int16)},
      {"iCodeRate", scalar(s.iCodeRate)},
      {"dModData", arrayField(s.dModData, T::Double)},
      {"dBitsPerSymbol", scalar(s.dBitsPerSymbol)},
      {"iBitsPerSymbol", scalar(s.iBitsPerSymbol)},
      {"dFSKIndex", scalar(s.dFSKIndex)},
      {"dTxSignal", arrayField(s.dTxSignal, T::Double)},
      {"dTxSpectrum", arrayField(s.dTxSpectrum, T::Double)},
      {"dOFDMWork", arrayField(s.dOFDMWork, T::Double)},
      {"iSymbolOffset", scalar(s.iSymbolOffset)},
      {"dTxFilter", arrayField(s.dTxFilter, T::Double)},
      {"dRxFilter", arrayField(s.dRxFilter, T::Double)},
      {"bFiltersValid", scalar(s.bFiltersValid)},
      {"dNoise", arrayField(s.dNoise, T::Double)},
      {"dFilteredNoise", arrayField(s.dFilteredNoise, T::Double)},
      {"dRxSignal", arrayField(s.dRxSignal, T::Double)},
      {"dRxSpectrum", arrayField(s.dRxSpectrum, T::Double)},
      {"dCarrier", arrayField(s.dCarrier, T::Double)},
      {"dPassband", arrayField(s.dPassband, T::Double)},
      {"dSpectrumSum", arrayField(s.dSpectrumSum, T::Double)},
      {"dSpectrums", scalar(s.dSpectrums)},
      {"dSpectrumMemory", arrayField(s.dSpectrumMemory, T::Double)},
      {"dSpectrumZoom", scalar(s.dSpectrumZoom)},
      {"dCycleSignal", arrayField(s.dCycleSignal, T::Double)},
      {"dCycleCarrier", arrayField(s.dCycleCarrier, T::Double)},
      {"iSamplePoint", scalar(s.iSamplePoint)},
      {"dTxEyeScale", scalar(s.dTxEyeScale)},
      {"dYThreshold", scalar(s.dYThreshold)},
      {"dCarrierPhase", scalar(s.dCarrierPhase)},
      {"iTraceFirst", scalar(s.iTraceFirst)},
      {"iTraceLast", scalar(s.iTraceLast)},
      {"lScene", scalar(s.lScene)},
      {"lTick", scalar(s.lTick)},
  };
}

}  // namespace

bool findStateField(SimulationState& s, std::string_view name, StateField& out) {
  for (const Entry& e : fieldTable(s)) {
    if (e.name == name) {
      out = e.field;
      return true;
    }
  }
  return findReadoutField(s, name, out);
}

std::vector<std::string_view> stateFieldNames(SimulationState& s) {
  std::vector<std::string_view> names;
  for (const Entry& e : fieldTable(s)) names.push_back(e.name);
  return names;
}

}  // namespace linklab
