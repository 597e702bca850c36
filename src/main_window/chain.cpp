// One run of the simulated link, from the data bits to the receiver's displays, and the
// data-window sliders that frame its traces.
#include <algorithm>
#include <cmath>

#include "form/numbers.h"
#include "main_window/form1.h"
#include "measurements/spectrum_measures.h"

namespace linklab {

namespace {

struct TraceColours {
  uint32_t real, imag;
  double offset;
};

// The modulated-data trace: angle modulations draw only their frequency; OQPSK shifts Q by half
// a symbol.
TraceColours modDataColours(const std::string& modulation) {
  if (modulation == "FSK" || modulation == "MSK") return {0xC000C0, 0xC0C000, 0.0};
  if (modulation == "OQPSK") return {0xC000, 0xC0, 0.5};
  return {0xC000, 0xC0, 0.0};
}

}  // namespace

Form1::DataWindow Form1::dataWindow() const {
  const int bits = iBitsPerSymbol == 0 ? 1 : iBitsPerSymbol;
  const int scroll = hscDataScroll.Value();
  const int zoom = hscDataZoom.Value();
  // The windows never reach past the bits of a block or the 128 symbols, whatever the sliders say.
  const int16_t iFirst = CInt(std::clamp(scroll + DATA_WINDOW_BITS, 0, 511));
  const int16_t iLast = CInt(std::clamp(iFirst + DATA_WINDOW_BITS * zoom, iFirst + 1, 512));
  const int16_t sFirst = std::clamp<int16_t>(CInt(double(scroll + DATA_WINDOW_BITS) / bits), 0, 127);
  const int16_t sLast = std::clamp<int16_t>(CInt(double(DATA_WINDOW_BITS) * zoom / bits + sFirst),
                                            int16_t(sFirst + 1), 128);
  return {iFirst, iLast, sFirst, sLast};
}

void Form1::runSimulation() {
  if (iBitsPerSymbol == 0) iBitsPerSymbol = 1;
  const auto [iFirst, iLast, sFirst, sLast] = dataWindow();
  const int16_t nSym = CInt(DATA_WINDOW_BITS / dBitsPerSymbol);

  plotData(32, picData, 12, iData, iData, 0xFF0000, 0.0, 1.0, true, 0.0, iFirst, iLast);
  modulateData();
  const TraceColours colours = modDataColours(cmbMod[0].Text());
  plotModData(32, picModData, nSym, dModData, colours.real, colours.imag, -1.0, 1.0, true, colours.offset, sFirst,
              sLast);
  shapeTxSignal();
  // What the amplifier is given: its distortion acts on the envelope's swings.
  dEnvelopeMinPercent = envelopeMinimumPercent(dTxSignal, iSymbolOffset);
  if (cmbNonlinear.Text() == "Non-Linear") rfAmplifier();

  if (lScene == 2) {
    plotComponent(picEye[1], nSym, dTxSignal, 0, 0xC000);
    plotComponent(picEye[2], nSym, dTxSignal, cmbMod[0].Text() == "OQPSK" ? 33 : 1, 0xC0);
    if (chkPassband.Value() == 1) {
      for (int i = 0; i < SAMPLES; ++i)
        dPassband[2 * i] = dTxSignal[2 * i] * dCarrier[2 * i] - dCarrier[2 * i + 1] * dTxSignal[2 * i + 1];
      plotComponent(picSpectrum[1], nSym, dPassband, 0, 0xC00000);
    }
  }

  PlotSpectrum(dTxSpectrum, dSpectrumSum, dSpectrums, picSpectrum[0], 0xFF0000);
  addNoise();
  rxFilter();

  // A receive frequency offset turns the constellation a little further on every run.
  if (vscFreq.Visible && (vscFreq.Value() != 0 || dCarrierPhase != 0)) {
    if (vscFreq.Value() != 0) {
      for (auto* picture : {&picScatter[0], &picScatter[1], &picScatter[2], &picEye[0], &picEye[1], &picEye[2]})
        picture->Cls();
      dCarrierPhase += vscFreq.Value() * pi / 180;
    }
    const double c = std::cos(dCarrierPhase), s = std::sin(dCarrierPhase);
    for (int k = 0; k < SAMPLES; ++k) {
      const double re = dRxSignal[2 * k], im = dRxSignal[2 * k + 1];
      dRxSignal[2 * k] = c * re - s * im;
      dRxSignal[2 * k + 1] = s * re + c * im;
    }
  }

  plotComplexEye(dRxSignal, picEye[0], 0xC000, 0xC0, true);
  plotTrajectory();

  // Scatter points of 97 symbols at the eye's sampling point, each under the ideal constellation.
  // Both rails are read at the in-phase eye's instant: the signal carries OQPSK's rails on one
  // symbol grid (the eye only draws Q half a symbol later), so each rail is at its own centre.
  PictureBox& scatter = picScatter[2];
  const double xs = scatter.ScaleWidth() / 3 * dTxEyeScale;
  const double ys = -(scatter.ScaleHeight() / 3 * dTxEyeScale);
  const int32_t x0 = CLng(scatter.ScaleWidth() / 2);
  const int32_t y0 = CLng(scatter.ScaleHeight() / 2);
  for (int s = 0; s <= 96; ++s) {
    const int n = 32 * s + iSamplePoint + iSymbolOffset;
    if (n < 0 || n >= SAMPLES) continue;  // a sampling point off the block
    const double x = xs * dRxSignal[2 * n] + x0;
    const double y = ys * dRxSignal[2 * n + 1] + y0;
    for (int r = 10; r <= 50; r += 10) scatter.Circle(x, y, r, 0xC00000);
    Constellation(scatter, x0, xs, y0, ys);
  }
  measureRun();
}

// The passband box runs the chain itself, and may come before the first tick of a new scene,
// which designs the filters on screen: without them the run would shape with the last scene's.
void Form1::runOnScreen() {
  if (!bFiltersValid) designFilters();
  runSimulation();
}

void Form1::hscDataScroll_Change() {
  if (iBitsPerSymbol == 0) iBitsPerSymbol = 1;
  runSimulation();
}

void Form1::hscDataZoom_Change() {
  hscDataScroll.setMax(128 - 24 * hscDataZoom.Value());
  hscDataScroll.SmallChange = CInt(dBitsPerSymbol);
  hscDataScroll.LargeChange = CInt(4 * dBitsPerSymbol);
  runSimulation();
}

}  // namespace linklab
