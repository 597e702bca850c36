#pragma once
// The main window model: the simulation state, every control of the window, and every procedure
// that reads or writes a control. Procedures are thin: read the controls, call a kernel, store
// the result. They are grouped by subsystem, one source file each.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form/combo_box.h"
#include "form/host.h"
#include "form/picture_box.h"
#include "form/slider.h"
#include "form/widgets.h"
#include "displays/picture_scales.h"
#include "help/help_window.h"
#include "help/slider_values.h"
#include "main_window/simulation_state.h"
#include "main_window/typed_values.h"
#include "measurements/eye_statistics.h"
#include "measurements/headless_link.h"
#include "transmitter/uniform_random.h"

namespace linklab {

class Form1 : public SimulationState {
 public:
  Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The host shows messages; without one they are dropped.
  void setHost(Host* newHost) { host = newHost; }
  void message(std::string_view text);

  // Every control, for the view and the batch runner (built once by the description).
  const std::vector<Control*>& controls() const { return allControls; }
  Control* findControl(std::string_view name) const;

  // Window description (window_description.cpp)
  static constexpr int ClientWidth = 15045;
  static constexpr int ClientHeight = 10170;
  static constexpr const char* Caption = "LinkLab";

  // Start-up and the carrier (startup.cpp)
  void Form_Load();
  void hscCarrier_Change();

  // Clearing the displays (restart_pics.cpp)
  void RestartPics(int16_t index);

  // The transform, reporting a size that is not a power of two through the host (fft_call.cpp)
  void FFT(std::span<double> dSamples, int32_t lPoints, bool bInverse);

  // Help windows (help_windows.cpp)
  void showHelp();
  void showInstructions();

  // Transmitter, channel and filters (transmitter_procedures.cpp, filter_procedures.cpp)
  void fillLists();
  void makeData();
  void modulateData();
  void designFilters();
  void shapeTxSignal();
  void rfAmplifier();
  void addNoise();
  void rxFilter();
  // The receive filter acts in "Scatter" and "Full"; elsewhere the signal reaches the eye as it is.
  bool receiveFilterRuns() const;
  // The channel adds noise: its list and label are shown and the level is above 0.
  bool noiseAdded() const;

  // Displays (display_procedures.cpp)
  void plotCycles(Surface& picPic, int16_t iCycles, double dBlueReal, double dBlueImag,
                  double dRealNoise, double dImagNoise);
  void plotData(int16_t iDutyCycle, Surface& picPic, int16_t iBaud, std::span<const int16_t> Data,
                std::span<const int16_t> compareData, uint32_t Colour, double dMin, double dMax,
                bool bClear, double dOffset, int16_t iFirst, int16_t iLast);
  void plotModData(int16_t iDutyCycle, Surface& picPic, int16_t iBaud, std::span<const double> dData,
                   uint32_t RealColour, uint32_t ImagColour, double dMin, double dMax, bool bBoth,
                   double dOffset, int16_t iFirst, int16_t iLast);
  void plotComponent(Surface& picPic, int16_t iBaud, std::span<const double> dData, int16_t iOffset,
                     uint32_t Colour);
  void plotComplexEye(std::span<const double> dTxSignalTime, Surface& picPic, uint32_t lColour1,
                      uint32_t lColour2, bool bShowThreshold);
  void PlotEye(std::span<const double> dTimeData, Surface& picPic, double dScaleFactor,
               bool bShowThreshold, uint32_t lColour, int16_t& iOffset);
  void Constellation(Surface& picPic, int32_t dXOffset, double dXScale, int32_t dYOffset,
                     double dYScale);
  void plotTrajectory();
  void placeTraceButton(int16_t iSample);
  void PlotSpectrum(std::span<const double> dFreqData, std::span<double> dFreqSpectrum,
                    double& spectrums, Surface& picPic, uint32_t lColour);

  // The chain and the data window (chain.cpp)
  void runSimulation();
  void runOnScreen();  // runSimulation with the filters on screen designed first
  // The bits and the symbols the data window shows, last exclusive, from the scroll and zoom.
  struct DataWindow {
    int16_t bitFirst, bitLast, symbolFirst, symbolLast;
  };
  DataWindow dataWindow() const;
  void hscDataScroll_Change();
  void hscDataZoom_Change();

  // Readouts after each run, their counts, and the settings a sweep copies (measure_procedures.cpp)
  void measureRun();
  void restartCounts();
  // Designs the filters first when a change has left them stale.
  LinkSettings linkSettings();

  // The scales over a picture in its units, from the settings its drawing used; empty for a
  // picture that has none in the current scene (picture_scales.cpp)
  void describeScales(const PictureBox& picture, const ScaleStyle& style, PictureScales& out) const;
  // Counts the hits of the eye, the trajectory and the receive scatter for a density display,
  // each in its signal's own colours, from clean pictures; or stops counting (picture_density.cpp).
  void countHits(bool on);
  // A slider's value in real units (slider_units.cpp); empty for one without units.
  std::string sliderText(const Slider& slider) const;

  // Animation, pause and trace (animation.cpp)
  void Timer1_Timer();
  void tickOnce();
  void cmdPause_Click();

  // Option rules (option_rules.cpp)
  void cmbMod_Change(int16_t Index);
  void cmbFilter_Change(int16_t Index);
  void cmbTxEB_Change(int16_t Index);
  void cmbTxBW_Change(int16_t Index);
  void cmbTxSC_Change(int16_t Index);

  // Scenes (scenes.cpp)
  void cmbScene_Change();
  void setScene(int32_t lNewScene);
  void arrangeComponentPics(int16_t iTop, int16_t iHeight, int16_t iGap, double vSpectrumHeight);
  void placeTransmitSpectrum(int top);

  // The other handlers (control_handlers.cpp)
  void cmbData_Change();
  void cmbNoise_Change();
  void cmbMultipathDelay_Change();
  void cmbMultipathMag_Change();
  void cmbNonlinear_Change();
  void vscFSK_Change();
  void txtFSK_Change();
  void hscSample_Change();
  void hscSpectrum_Change();
  void vscTxEyeScale_Change();
  void vscYThreshold_Change();
  void vscSync_Change();
  void chkPassband_Click();
  void chkLinear_Click();
  void chkMemory_Click();
  void picScatter_Click(int16_t Index);
  void picSpectrum_Click(int16_t Index);

  // Dragging (drag_handles.cpp); Button 1 = left, 2 = right; X, Y in twips of the window
  void Form_MouseDown(int Button, int Shift, double X, double Y);
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  void dragMarker(double X, double Y);

  // Lists
  ComboBox cmbScene, cmbData, cmbNonlinear, cmbMultipathDelay, cmbMultipathMag, cmbNoise,
      cmbEqualiser;
  std::array<ComboBox, 2> cmbMod, cmbFilter, cmbTxEB, cmbTxBW, cmbTxSC;

  // Sliders
  Slider hscCarrier{true}, hscSpectrum{true}, hscSample{true}, hscDataScroll{true},
      hscDataZoom{true}, hscXThreshold{true};
  Slider vscSync{false}, vscFreq{false}, vscFSK{false}, vscSpectrumRange{false},
      vscTxEyeScale{false}, vscYThreshold{false};

  // Check boxes, buttons, text box, timers
  CheckBox chkLinear, chkMemory, chkPassband, chkModData, chkData, chkRxData, chkDemodData;
  std::array<CheckBox, 3> chkEye;
  Button cmdPause, cmdSpectrum, cmdTrace;
  TextBox txtFSK;
  Timer Timer1, tmrScan;

  // Pictures
  PictureBox picData, picModData, picRxData, picDemodData;
  std::array<PictureBox, 3> picEye, picScatter, picSpectrum;
  Image imgGarvoch;

  // Labels
  Label Label1, lblNonLinear, lblMultipath, lblMultipathDelay, lblMultipathPC, lblNoise, lblNoiseW,
      lblEqualiser, lblSync, lblOutput, lblBER, lblDiscriminator;
  std::array<Label, 2> lblModulation, lblFilter, lblPCkHz;
  std::array<Label, 4> lblLinear;
  std::array<Label, 9> lblFreq;

  // Block diagram shapes and lines, drag handles
  Shape shpDataBox, shpTxBox, shpChannelBox, shpRxBox, shpOutputBox, shpDragger, shpCircle, shpDrag,
      shpDragged;
  LineShape Line1, lneScan;
  std::array<LineShape, 20> lneHint;

  // The two help windows and the commands of the Help menu that open them
  HelpWindow HelpText, Instructions;

  // The one random generator: data source, noise and animation draw from it
  UniformRandom rnd;

  // Kept between calls of PlotSpectrum
  bool bMemory = false;
  double dMemoryBitsPerSymbol = 0;
  // Kept between runs with the error counts: the pooled sums behind the effective Eb/N0 and the
  // measured transmit power, so that they describe the same runs as the counts
  struct DecisionSums {
    double cross = 0, sent = 0, txEnergy = 0;
    int runs = 0;
  } decisionSums;
  // The counts follow the scatter and the eye's statistic the eye: each restarts when its picture
  // was cleared since the last run
  uint32_t countedScatterClears = 0, countedEyeClears = 0;
  EyeStatistics eyeStatistics;
  // Worked out with the filters: the spectrum of the transmitted pulse, the transmit power of
  // unit-power symbols through pulse and filter, and the noise power the receive response passes
  std::array<double, 8193> txPulseSpectrum{};
  double txPowerGain = 1, rxNoiseGain = 1;
  // Kept between ticks: the Baseband Demo trail point (previous and current)
  double trailPrevX = 0, trailPrevY = 0, trailX = 0, trailY = 0;

 private:
  void describeWindow();   // design values of every control
  void wireEvents();       // hooks every control event to its handler
  // Refuses the text the control was just given when the field does not take it: the control
  // shows its previous text again, the host hears why, and the caller's rule stops.
  template <typename Field>
  bool refusedTyped(Field& control, TypedField kind);
  void registerControls();
  Host* host = nullptr;
  std::vector<Control*> allControls;
};

}  // namespace linklab
