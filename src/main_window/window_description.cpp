// The design values of every control: what the window holds before any code runs. The scene
// layout later moves, shows and hides most of them.
#include <string>

#include "main_window/form1.h"
#include "main_window/placement.h"

namespace linklab {

namespace {

void list(ComboBox& c, bool editable, int left, int top, int width) {
  place(c, left, top, width, 480);
  c.Editable = editable;
}

void slider(Slider& s, int min, int max, int value, int small, int large, int left, int top, int width,
            int height) {
  place(s, left, top, width, height);
  s.setRange(min, max);
  s.setValue(value);
  s.SmallChange = small;
  s.LargeChange = large;
}

void label(Label& l, const char* caption, int left, int top, int width, int height) {
  place(l, left, top, width, height);
  l.Caption = caption;
}

void box(Shape& s, int left, int top, int width, int height, uint32_t colour) {
  place(s, left, top, width, height);
  s.BorderColor = colour;
  s.BorderWidth = 2;
}

void line(LineShape& l, int x1, int y1, int x2, int y2, uint32_t colour, int width) {
  setEnds(l, x1, y1, x2, y2);
  l.BorderColor = colour;
  l.BorderWidth = width;
}

}  // namespace

void Form1::describeWindow() {
  imgGarvoch.Left = 10395;  // a title strip on the top edge, right of the lists
  imgGarvoch.Top = 0;
  imgGarvoch.Width = 4500;
  imgGarvoch.Height = 240;

  // Lists
  list(cmbScene, false, 240, 480, 2535);
  list(cmbData, false, 3000, 480, 2655);
  list(cmbMod[0], false, 2400, 1440, 1995);
  list(cmbMod[1], true, 2280, 7200, 2895);
  list(cmbFilter[0], false, 1800, 2040, 2295);
  list(cmbFilter[1], true, 1800, 5520, 2295);
  for (int i = 0; i < 2; ++i) {
    const int top = i == 0 ? 2040 : 5520;
    list(cmbTxEB[i], true, 4080, top, 975);
    list(cmbTxBW[i], true, 4080, top, 975);
    list(cmbTxSC[i], true, 4080, top, 795);
  }
  list(cmbNonlinear, false, 3240, 3240, 2295);
  list(cmbMultipathDelay, true, 2160, 4080, 1095);
  list(cmbMultipathMag, true, 4140, 4080, 975);
  list(cmbNoise, true, 3240, 4740, 1095);
  list(cmbEqualiser, true, 2280, 6120, 2355);

  // Sliders
  slider(hscCarrier, 2, 8, 2, 1, 2, 12495, 5685, 2400, 255);
  slider(hscSpectrum, 1, 6, 1, 1, 2, 13440, 9735, 1200, 255);
  slider(hscSample, 0, 100, 50, 1, 2, 5940, 9540, 4395, 255);
  slider(hscDataScroll, 0, 16, 0, 1, 4, 1380, 9600, 2880, 255);
  slider(hscDataZoom, 1, 4, 1, 1, 1, 4380, 9600, 1395, 255);
  slider(hscXThreshold, 0, 32767, 0, 1, 1, 6000, 9840, 1200, 255);
  slider(vscSync, -1, 1, 0, 1, 1, 1020, 6900, 255, 495);
  slider(vscFreq, -5, 5, 0, 1, 2, 1260, 5880, 255, 2535);
  slider(vscFSK, 0, 29, 24, 1, 1, 5280, 1440, 375, 495);
  slider(vscSpectrumRange, 1, 200, 150, 5, 20, 14640, 6960, 255, 2775);
  slider(vscTxEyeScale, 0, 110, 60, 1, 1, 10320, 5640, 360, 3915);
  slider(vscYThreshold, 0, 100, 0, 1, 1, 14640, 5640, 255, 3915);

  // Check boxes
  place(chkLinear, 12180, 6960, 1335, 315);
  chkLinear.Caption = "Log Plot";
  place(chkMemory, 13560, 6960, 1035, 315);
  chkMemory.Caption = "Memory";
  place(chkPassband, 13500, 6120, 1335, 315);
  chkPassband.Caption = "Passband";
  for (int e = 0; e < 3; ++e) place(chkEye[e], 5640, 3000 + 1500 * e, 360, 375);
  place(chkModData, 5640, 1320, 360, 600);
  place(chkData, 5640, 360, 360, 375);
  chkData.Caption = "D";
  place(chkRxData, 5640, 8400, 360, 375);
  place(chkDemodData, 5640, 8880, 360, 375);

  // Buttons, text box, timers
  place(cmdPause, 60, 9480, 1215, 495);
  cmdPause.Caption = "Pause";
  place(cmdSpectrum, 6000, 6960, 1095, 315);
  cmdSpectrum.Caption = "Spectrum";
  place(cmdTrace, 0, 0, 315, 315);
  place(txtFSK, 4440, 1440, 795, 495);
  txtFSK.setText("1.0");
  Timer1.Interval = 100;
  Timer1.Enabled = true;
  tmrScan.Interval = 100;
  tmrScan.Enabled = false;  // it has no tick handler

  // Pictures (placed where the "Modulation" scene puts them)
  place(picData, 6000, 240, 8895, 795);
  place(picModData, 6000, 1140, 8895, 1155);
  place(picEye[0], 5940, 5640, 4335, 3855);
  place(picEye[1], 6000, 2520, 8895, 1500);
  place(picEye[2], 6000, 4020, 8895, 1500);
  place(picScatter[0], 240, 4100, 5535, 4915);
  place(picScatter[1], 240, 240, 1200, 1200);
  place(picScatter[2], 10680, 5640, 3915, 3915);
  place(picSpectrum[0], 6000, 6960, 8895, 2775);
  place(picSpectrum[1], 6000, 5940, 8895, 720);
  place(picSpectrum[2], 240, 240, 1200, 1200);
  place(picRxData, 6000, 8400, 8895, 795);
  place(picDemodData, 6000, 8880, 8895, 795);

  // Labels
  label(Label1, "Simulation", 600, 120, 1575, 495);
  label(lblModulation[0], "Modulation", 360, 1485, 1935, 495);
  label(lblModulation[1], "Demod", 840, 7200, 1335, 495);
  label(lblFilter[0], "Tx Filter", 300, 2055, 1395, 495);
  label(lblFilter[1], "Rx Filter", 300, 5520, 1455, 495);
  label(lblPCkHz[0], "kHz", 4920, 2040, 735, 495);
  label(lblPCkHz[1], "kHz", 4920, 5520, 735, 495);
  // The parameter lists reach into these labels: centre the unit so it stays readable.
  lblPCkHz[0].Alignment = lblPCkHz[1].Alignment = 2;
  label(lblLinear[0], "FM / AM", 480, 2670, 1455, 375);
  label(lblLinear[1], "Linear", 2040, 2670, 1755, 375);
  label(lblLinear[2], "Frequency", 3900, 2670, 900, 375);
  lblLinear[2].ForeColor = 0xC00000;
  label(lblLinear[3], "Amp", 4800, 2670, 900, 375);
  label(lblNonLinear, "RF Power Amp", 480, 3240, 2535, 495);
  label(lblMultipath, "Multipath", 480, 4080, 1575, 495);
  label(lblMultipathDelay, "baud", 3240, 4080, 855, 435);
  label(lblMultipathPC, "%", 5160, 4080, 375, 435);
  label(lblNoise, "Noise", 1920, 4740, 1275, 495);
  label(lblNoiseW, "W/kHz", 4320, 4740, 1095, 495);
  label(lblEqualiser, "Equaliser", 480, 6120, 1575, 495);
  label(lblSync, "Sync", 120, 6960, 2295, 375);
  label(lblOutput, "Data", 2880, 8160, 1455, 495);
  label(lblBER, "BER", 480, 8160, 2295, 375);
  label(lblDiscriminator, "Discriminator", 2880, 8700, 1455, 375);
  for (int i = 0; i < 9; ++i) label(lblFreq[i], "0", 6000 + 960 * i, 9840, 600, 255);

  // Block diagram
  box(shpDataBox, 2880, 360, 2895, 735, 0x8000);
  box(shpTxBox, 240, 1320, 5535, 2535, 0x800000);
  box(shpChannelBox, 240, 3360, 5535, 1335, 0x80);
  box(shpRxBox, 240, 4080, 5535, 2415, 0x8080);
  box(shpOutputBox, 2880, 8160, 1455, 495, 0x8000);
  line(Line1, 3600, 1080, 3600, 6060, 0x800080, 5);
  for (auto& hint : lneHint) line(hint, 0, 0, 0, 0, 0x800080, 5);
  line(lneScan, 6000, 5640, 6000, 240, 0xC00000, 1);
  lneScan.overDisplays = true;  // the scan line must cross the traces it points into

  // Drag handles
  place(shpDragger, 5872, 5640, 255, 195);
  shpDragger.filled = true;
  shpDragger.FillColor = 0xC00000;
  shpDragger.BorderColor = 0xC00000;
  place(shpCircle, 3020, 1820, 2360, 2360);
  shpCircle.shape = Shape::Form::Circle;
  shpCircle.BorderColor = 0x808080;
  for (Shape* handle : {&shpDrag, &shpDragged}) {
    place(*handle, 5260, 2880, 240, 240);
    handle->shape = Shape::Form::Circle;
    handle->filled = true;
    handle->FillColor = 0xC00000;
    handle->BorderColor = 0xC00000;
  }

  // Help windows
  HelpText.Caption = "LinkLab Help";
  Instructions.Caption = "LinkLab Instructions";
  for (HelpWindow* w : {&HelpText, &Instructions}) {
    w->Text1.MultiLine = true;
    w->Text1.Locked = true;
    w->cmdClose.Caption = "Close";
  }
  HelpText.Text1.setText(helpProse());
  Instructions.Text1.setText(instructionsProse());
  HelpText.cmdClose.onClick = [this] { HelpText.cmdClose_Click(); };
  Instructions.cmdClose.onClick = [this] { Instructions.cmdClose_Click(); };
}

void Form1::registerControls() {
  auto add = [this](Control& c, std::string name) {
    c.name = std::move(name);
    allControls.push_back(&c);
  };
  auto addArray = [&add](auto& array, const std::string& name) {
    for (std::size_t i = 0; i < array.size(); ++i) add(array[i], name + "(" + std::to_string(i) + ")");
  };
  // Order of creation is the stacking order: the logo and the block diagram lie at the back.
  add(imgGarvoch, "imgGarvoch");
  add(shpDataBox, "shpDataBox");
  add(shpTxBox, "shpTxBox");
  add(shpChannelBox, "shpChannelBox");
  add(shpRxBox, "shpRxBox");
  add(shpOutputBox, "shpOutputBox");
  add(Line1, "Line1");
  addArray(lneHint, "lneHint");
  add(shpCircle, "shpCircle");

  add(picData, "picData");
  add(picModData, "picModData");
  add(picRxData, "picRxData");
  add(picDemodData, "picDemodData");
  addArray(picEye, "picEye");
  addArray(picScatter, "picScatter");
  addArray(picSpectrum, "picSpectrum");

  add(Label1, "Label1");
  addArray(lblModulation, "lblModulation");
  addArray(lblFilter, "lblFilter");
  addArray(lblPCkHz, "lblPCkHz");
  addArray(lblLinear, "lblLinear");
  add(lblNonLinear, "lblNonLinear");
  add(lblMultipath, "lblMultipath");
  add(lblMultipathDelay, "lblMultipathDelay");
  add(lblMultipathPC, "lblMultipathPC");
  add(lblNoise, "lblNoise");
  add(lblNoiseW, "lblNoiseW");
  add(lblEqualiser, "lblEqualiser");
  add(lblSync, "lblSync");
  add(lblOutput, "lblOutput");
  add(lblBER, "lblBER");
  add(lblDiscriminator, "lblDiscriminator");
  addArray(lblFreq, "lblFreq");

  add(cmbScene, "cmbScene");
  add(cmbData, "cmbData");
  addArray(cmbMod, "cmbMod");
  addArray(cmbFilter, "cmbFilter");
  addArray(cmbTxEB, "cmbTxEB");
  addArray(cmbTxBW, "cmbTxBW");
  addArray(cmbTxSC, "cmbTxSC");
  add(cmbNonlinear, "cmbNonlinear");
  add(cmbMultipathDelay, "cmbMultipathDelay");
  add(cmbMultipathMag, "cmbMultipathMag");
  add(cmbNoise, "cmbNoise");
  add(cmbEqualiser, "cmbEqualiser");

  add(hscCarrier, "hscCarrier");
  add(hscSpectrum, "hscSpectrum");
  add(hscSample, "hscSample");
  add(hscDataScroll, "hscDataScroll");
  add(hscDataZoom, "hscDataZoom");
  add(hscXThreshold, "hscXThreshold");
  add(vscSync, "vscSync");
  add(vscFreq, "vscFreq");
  add(vscFSK, "vscFSK");
  add(vscSpectrumRange, "vscSpectrumRange");
  add(vscTxEyeScale, "vscTxEyeScale");
  add(vscYThreshold, "vscYThreshold");

  add(chkLinear, "chkLinear");
  add(chkMemory, "chkMemory");
  add(chkPassband, "chkPassband");
  addArray(chkEye, "chkEye");
  add(chkModData, "chkModData");
  add(chkData, "chkData");
  add(chkRxData, "chkRxData");
  add(chkDemodData, "chkDemodData");

  add(cmdPause, "cmdPause");
  add(cmdSpectrum, "cmdSpectrum");
  add(txtFSK, "txtFSK");
  add(Timer1, "Timer1");
  add(tmrScan, "tmrScan");

  add(lneScan, "lneScan");
  add(shpDragger, "shpDragger");
  add(shpDragged, "shpDragged");
  add(shpDrag, "shpDrag");
  add(cmdTrace, "cmdTrace");
}

}  // namespace linklab
