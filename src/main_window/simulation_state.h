#pragma once
// The simulation state record: every array and scalar that one stage of the link hands to the
// next. Sizes are fixed; nothing here is ever resized, so a run of the chain allocates nothing.
#include <array>
#include <cmath>
#include <cstdint>

namespace linklab {

inline constexpr int SAMPLES = 4096;
inline constexpr int SAMPLES_PER_SYMBOL = 32;
inline constexpr int SYMBOLS = SAMPLES / SAMPLES_PER_SYMBOL;
inline constexpr int DATA_WINDOW_BITS = 12;
inline constexpr double pi = 3.14159265358979;

// 4096 complex samples interleaved (re at 2k, im at 2k+1); element 8192 is never a sample.
using SignalBlock = std::array<double, 8193>;
// 128 symbols interleaved (I at 2s, Q at 2s+1); element 256 is never written.
using SymbolArray = std::array<double, 257>;
// Data bits 0/1.
using BitArray = std::array<int16_t, 513>;
// plotCycles histories: 0..255 oldest first, 256 never drawn.
using CycleHistory = std::array<double, 257>;

struct SimulationState {
  BitArray iData{};
  int16_t iCodeRate = 1;
  SymbolArray dModData{};
  double dBitsPerSymbol = 1.0;
  int16_t iBitsPerSymbol = 1;
  double dFSKIndex = 0;
  SignalBlock dTxSignal{};
  SignalBlock dTxSpectrum{};
  SignalBlock dOFDMWork{};
  int16_t iSymbolOffset = 0;
  SignalBlock dTxFilter{};
  SignalBlock dRxFilter{};
  int16_t bFiltersValid = 0;  // 0 = False, -1 = True
  SignalBlock dNoise{};
  SignalBlock dFilteredNoise{};
  SignalBlock dRxSignal{};
  SignalBlock dRxSpectrum{};
  SignalBlock dCarrier{};
  SignalBlock dPassband{};
  SignalBlock dSpectrumSum{};
  double dSpectrums = 0;
  SignalBlock dSpectrumMemory{};
  double dSpectrumZoom = 0;
  CycleHistory dCycleSignal{};
  CycleHistory dCycleCarrier{};
  int16_t iSamplePoint = 0;
  double dTxEyeScale = 0;
  double dYThreshold = 0;
  double dCarrierPhase = 0;
  int16_t iTraceFirst = 0;
  int16_t iTraceLast = 0;
  int32_t lScene = 0;
  int32_t lTick = 0;

  // Readouts of the latest run (measure_procedures.cpp); NaN where one does not apply. The counts
  // accumulate over runs until the pictures are cleared or the user restarts them.
  double dEbN0dB = NAN;
  double dEbN0EffectivedB = NAN;
  double dEVMPercent = NAN;
  int32_t lSymbols = 0;
  int32_t lSymbolErrors = 0;
  int32_t lBits = 0;
  int32_t lBitErrors = 0;
  double dSER = NAN;
  double dBER = NAN;
  double dSERTheory = NAN;
  double dBERTheory = NAN;
  double dEyeOpeningPercent = NAN;
  double dQFactor = NAN;
  double dEVMPeakPercent = NAN;
  double dOccupiedBandwidthkHz = NAN;
  double dOutOfBandPowerdBc = NAN;
  // The transmit envelope's smallest value over the run, before the amplifier, in % of its rms.
  double dEnvelopeMinPercent = NAN;
};

}  // namespace linklab
