// The display procedures of the main window: each reads the controls and fields it needs and
// hands them to its drawing kernel in displays/.
#include <span>

#include "displays/constellation.h"
#include "displays/eye_diagram.h"
#include "displays/plot_cycles.h"
#include "displays/spectrum_display.h"
#include "displays/trace_plots.h"
#include "displays/trajectory.h"
#include "main_window/form1.h"

namespace linklab {

// The cycle count and the two noise values of the tick are not part of the carrier picture.
void Form1::plotCycles(Surface& picPic, int16_t, double dBlueReal, double dBlueImag, double,
                       double) {
  linklab::plotCycles(picPic, dCycleSignal, dCycleCarrier, dBlueReal, dBlueImag, lTick);
}

void Form1::plotData(int16_t iDutyCycle, Surface& picPic, int16_t, std::span<const int16_t> Data,
                     std::span<const int16_t> compareData, uint32_t Colour, double dMin,
                     double dMax, bool bClear, double dOffset, int16_t iFirst, int16_t iLast) {
  linklab::plotData(picPic, iDutyCycle, Data, compareData, Colour, dMin, dMax, bClear, dOffset,
                    iFirst, iLast);
}

void Form1::plotModData(int16_t iDutyCycle, Surface& picPic, int16_t, std::span<const double> dData,
                        uint32_t RealColour, uint32_t ImagColour, double dMin, double dMax, bool,
                        double dOffset, int16_t iFirst, int16_t iLast) {
  linklab::plotModData(picPic, iDutyCycle, dData, RealColour, ImagColour, dMin, dMax, dOffset,
                       iFirst, iLast);
}

void Form1::plotComponent(Surface& picPic, int16_t iBaud, std::span<const double> dData,
                          int16_t iOffset, uint32_t Colour) {
  const auto bounds = linklab::plotComponent(picPic, iBaud, dData, iOffset, Colour,
                                             hscDataZoom.Value(), hscDataScroll.Value(),
                                             dBitsPerSymbol);
  if (bounds) {
    iTraceFirst = bounds->first;
    iTraceLast = bounds->last;
  }
}

void Form1::plotComplexEye(std::span<const double> dTxSignalTime, Surface& picPic,
                           uint32_t lColour1, uint32_t lColour2, bool bShowThreshold) {
  iSamplePoint = linklab::plotComplexEye(picPic, dTxSignalTime, lColour1, lColour2, bShowThreshold,
                                         iSymbolOffset,
                                         {dBitsPerSymbol, dTxEyeScale, hscSample.Value()});
}

void Form1::PlotEye(std::span<const double> dTimeData, Surface& picPic, double dScaleFactor,
                    bool bShowThreshold, uint32_t lColour, int16_t& iOffset) {
  iSamplePoint = linklab::plotEye(picPic, dTimeData, dScaleFactor, bShowThreshold, lColour, iOffset,
                                  {dBitsPerSymbol, dTxEyeScale, hscSample.Value()});
}

void Form1::Constellation(Surface& picPic, int32_t dXOffset, double dXScale, int32_t dYOffset,
                          double dYScale) {
  drawConstellation(picPic, cmbMod[0].Text(), dYThreshold, dXOffset, dXScale, dYOffset, dYScale);
}

void Form1::plotTrajectory() {
  linklab::plotTrajectory(picScatter[0], dRxSignal, dTxEyeScale, iSymbolOffset);
}

void Form1::placeTraceButton(int16_t iSample) {
  const PictureBox& pic = picScatter[0];
  const ButtonPlace place =
      traceButtonPlace(pic.Left, pic.Top, pic.ScaleWidth(), pic.ScaleHeight(), cmdTrace.Width,
                       cmdTrace.Height, dRxSignal, iSample, dTxEyeScale, iSymbolOffset);
  cmdTrace.Top = place.top;
  cmdTrace.Left = place.left;
  plotTrajectory();
}

// lColour is accepted for the caller's sake; the average is always drawn in black.
void Form1::PlotSpectrum(std::span<const double> dFreqData, std::span<double> dFreqSpectrum,
                         double& spectrums, Surface& picPic, uint32_t) {
  const SpectrumSettings settings{chkLinear.Visible && chkLinear.Value() == 1,
                                  vscSpectrumRange.Value(), chkMemory.Visible,
                                  chkMemory.Value() == 1, dBitsPerSymbol};
  linklab::plotSpectrum(picPic, dFreqData, dFreqSpectrum, spectrums, dSpectrumZoom, settings,
                        {bMemory, dMemoryBitsPerSymbol, dSpectrumMemory});
}

}  // namespace linklab
