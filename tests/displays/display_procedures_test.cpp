// The main window's display procedures read their controls and fields and hand them on.
#include <gtest/gtest.h>

#include "main_window/form1.h"

namespace linklab {
namespace {

TEST(DisplayProcedures, EyeSetsTheSamplingPointFromTheSlider) {
  Form1 form;
  form.dBitsPerSymbol = 4;
  form.dTxEyeScale = 1;
  form.hscSample.setRange(-64, 64);
  form.hscSample.setValue(64);
  form.plotComplexEye(form.dRxSignal, form.picEye[0], 0xC000, 0xC0, true);
  EXPECT_EQ(form.iSamplePoint, 80);
  int16_t offset = 16;
  form.PlotEye(std::span<const double>(form.dRxSignal.data(), 4097), form.picEye[0], 1.0, false,
               0xC000, offset);
  EXPECT_EQ(offset, 31);
  EXPECT_EQ(form.iSamplePoint, 47);
}

TEST(DisplayProcedures, ComponentWritesTheTraceBounds) {
  Form1 form;
  form.picEye[1].Width = 8895;
  form.picEye[1].Height = 1000;
  form.dBitsPerSymbol = 1;
  ASSERT_EQ(form.hscDataZoom.Value(), 1);  // the design value: 384 samples of 23.15625
  form.plotComponent(form.picEye[1], 12, form.dTxSignal, 0, 0xC000);
  EXPECT_EQ(form.iTraceFirst, 369 + 32 * form.hscDataScroll.Value());
  EXPECT_EQ(form.iTraceLast - form.iTraceFirst, 383);
}

TEST(DisplayProcedures, TraceButtonCentreOverTheSample) {
  Form1 form;
  form.picScatter[0].Left = 240;
  form.picScatter[0].Top = 4920;
  form.picScatter[0].Width = 5535;
  form.picScatter[0].Height = 4095;
  form.cmdTrace.Width = form.cmdTrace.Height = 315;
  form.dTxEyeScale = 1;
  form.dRxSignal[64] = 0.5;  // sample 32 at x = CLng(922.5 + 2768) = 3690, y = 2048
  form.placeTraceButton(32);
  EXPECT_EQ(form.cmdTrace.Left, 3772);  // CLng(240 + 3690 - 157.5)
  EXPECT_EQ(form.cmdTrace.Top, 6810);   // CLng(4920 + 2048 - 157.5)
}

TEST(DisplayProcedures, HiddenLinearBoxMeansLogarithmic) {
  Form1 form;
  PictureBox& pic = form.picSpectrum[0];
  pic.Width = 8192;
  pic.Height = 1000;
  pic.setRecording(true);
  form.vscSpectrumRange.setValue(1);
  form.dSpectrumZoom = 1;
  form.dBitsPerSymbol = 1;
  form.dTxSpectrum[0] = form.dTxSpectrum[1] = 16;  // 512: 900 linear, 27.1 dB log
  form.chkLinear.setValue(1);
  form.chkLinear.Visible = false;
  form.PlotSpectrum(form.dTxSpectrum, form.dSpectrumSum, form.dSpectrums, pic, 0xFF0000);
  EXPECT_LT(pic.log().at(1024).y2, 0);
  form.chkLinear.Visible = true;
  form.dSpectrums = 0;
  form.PlotSpectrum(form.dTxSpectrum, form.dSpectrumSum, form.dSpectrums, pic, 0xFF0000);
  EXPECT_DOUBLE_EQ(pic.log().at(1024).y2, 900);
}

}  // namespace
}  // namespace linklab
