// The teaching scenes: each shows the part of the link its lesson needs and moves the displays
// into the space that is left. Everything a scene does not set keeps its earlier value.
#include <initializer_list>

#include "form/numbers.h"
#include "main_window/form1.h"
#include "main_window/placement.h"

namespace linklab {

namespace {

constexpr uint32_t HintPurple = 0x800080;

using Controls = std::initializer_list<Control*>;

// Positions are whole twips; a half-way value rounds to the even neighbour like every other
// conversion of the program.
int twips(double x) { return CLng(x); }

void showHint(LineShape& l, int x1, int y1, int x2, int y2) {
  l.Visible = true;
  l.BorderWidth = 5;
  l.BorderColor = HintPurple;
  setEnds(l, x1, y1, x2, y2);
}

}  // namespace

void Form1::cmbScene_Change() {
  const std::string& scene = cmbScene.Text();
  if (scene == "Baseband Demo") setScene(1);
  if (scene == "Modulation") setScene(2);
  if (scene == "Scatter") setScene(3);
  if (scene == "Full") setScene(4);
  // The scene hid every option control; the modulation's rule shows again those it needs.
  cmbMod_Change(0);
  if (lScene == 1) picModData.Cls();
  tickOnce();
  // The first tick of a scene only counts, and while paused none comes at all: the paused scene
  // counts that tick now and draws its pictures (and readouts) from the data block in hand.
  if (!Timer1.Enabled && lScene != 1) {
    Timer1_Timer();
    runSimulation();
  }
}

void Form1::setScene(int32_t lNewScene) {
  lScene = lNewScene;
  lTick = 0;
  dSpectrumZoom = hscSpectrum.Value();

  hscSample.setMin(-64);
  hscSample.setMax(64);
  hscSample.setValue(0);
  hscSample.LargeChange = 8;
  hscSample.SmallChange = 1;

  // Hide everything first; the scene then shows what it uses.
  for (Control* c : Controls{&vscSync, &lblSync, &hscCarrier, &vscFreq, &shpDataBox, &shpTxBox,
                             &shpChannelBox, &shpRxBox, &shpOutputBox, &Line1})
    c->Visible = false;
  for (auto& hint : lneHint) hint.Visible = false;
  cmbData.Visible = false;
  for (int i = 0; i < 2; ++i) {
    for (Control* c : Controls{&lblModulation[i], &cmbMod[i], &lblFilter[i], &cmbFilter[i],
                               &lblPCkHz[i], &cmbTxEB[i], &cmbTxBW[i], &cmbTxSC[i]})
      c->Visible = false;
  }
  lblNonLinear.Visible = false;
  cmbNonlinear.Visible = false;
  for (auto& l : lblLinear) l.Visible = false;
  for (Control* c :
       Controls{&lblNoise, &lblNoiseW, &cmbNoise, &lblMultipath, &cmbMultipathDelay,
                &lblMultipathDelay, &lblMultipathPC, &cmbMultipathMag, &lblBER, &lblOutput,
                &lblEqualiser, &cmbEqualiser, &lblDiscriminator, &cmdPause})
    c->Visible = false;
  for (auto& l : lblFreq) l.Visible = false;
  for (Control* c :
       Controls{&shpDragged, &shpDrag, &shpCircle, &chkData, &picData, &chkModData, &picModData,
                &chkDemodData, &picDemodData, &chkRxData, &picRxData, &hscDataScroll, &hscDataZoom})
    c->Visible = false;
  for (int e = 0; e < 3; ++e) {
    chkEye[e].Visible = false;
    picEye[e].Visible = false;
    picScatter[e].Visible = false;
    picSpectrum[e].Visible = false;
  }
  for (Control* c : Controls{&hscSpectrum, &chkPassband, &chkMemory, &chkLinear, &vscTxEyeScale,
                             &vscSpectrumRange, &hscSample, &hscXThreshold, &vscYThreshold, &txtFSK,
                             &vscFSK, &cmdSpectrum, &lneScan, &cmdTrace, &shpDragger})
    c->Visible = false;

  if (lScene == 1) {
    // A complex plane centred at (4200, 3000) with arrowheads of 240 twips.
    constexpr int a = 240;
    for (int i = 0; i <= 5; ++i) {
      lneHint[i].Visible = true;
      lneHint[i].BorderWidth = 3;
    }
    setEnds(lneHint[0], 1840, 3000, 6560, 3000);
    setEnds(lneHint[1], 6560 - a, 3000 - a, 6560, 3000);
    setEnds(lneHint[2], 6560 - a, 3000 + a, 6560, 3000);
    setEnds(lneHint[3], 4200, 640, 4200, 5360);
    setEnds(lneHint[4], 4200 - a, 640 + a, 4200, 640);
    setEnds(lneHint[5], 4200, 640, 4200 + a, 640 + a);
    picScatter[0].Visible = true;
    place(picScatter[0], 7760, 240, 4720, 4720);
    picModData.Visible = true;
    // 5 % and 90 % of the window's width, worked out exactly before rounding.
    place(picModData, twips(ClientWidth * 5 / 100.0), 5660, twips(ClientWidth * 90 / 100.0), 2400);
    // Both markers start at the phasor 0.5 + j0, on the circle.
    for (Shape* marker : {&shpDragged, &shpDrag}) {
      marker->Visible = true;
      marker->Top = twips(3000 - marker->Height / 2.0);
      marker->Left = twips(4200 + 2360 / 2.0 - marker->Width / 2.0);
    }
    shpCircle.Visible = true;
    place(shpCircle, 3020, 1820, 2360, 2360);
    cmdPause.Visible = true;
    cmdPause.Left = 60;
    cmdPause.Top = 9480;
  }

  if (lScene >= 2) {
    for (Control* c :
         Controls{&shpDataBox, &cmbData, &Line1, &shpTxBox, &lblModulation[0], &cmbMod[0]})
      c->Visible = true;
    Line1.Y2 = 6000;
    for (auto& l : lblLinear) l.Visible = true;
    for (Control* c : Controls{&lblNonLinear, &cmbNonlinear, &lblFilter[0], &cmbFilter[0]})
      c->Visible = true;
    lblLinear[1].Caption = "Linear";
    lblLinear[2].Caption = "I";
    lblLinear[2].ForeColor = 0xC000;
    lblLinear[3].Caption = "Q";
    lblLinear[3].ForeColor = 0xC0;
    cmbFilter[0].setText("None");
    cmdPause.Visible = true;
    cmdPause.Left = 60;
    cmdPause.Top = 9480;
    picScatter[0].Visible = true;
    place(picScatter[0], 240, 4100, 5535, 4915);

    placeTransmitSpectrum(6960);

    chkPassband.setValue(0);
    arrangeComponentPics(2520, 1500, 420, 720);

    picData.Visible = true;
    place(picData, 6000, 240, 8895, 795);
    picModData.Visible = true;
    place(picModData, 6000, 1140, 8895, 1155);
    chkModData.Visible = true;
    chkModData.Caption = "";
    chkModData.Top = 1320;
    chkModData.Height = 600;
    chkModData.Width = 360;

    showHint(lneHint[0], 3600, 3960, 6480, 3960);
    lneHint[2].Visible = true;
    setEnds(lneHint[2], 5580, 660, 6060, 660);
    lneHint[3].Visible = true;
    setEnds(lneHint[3], 4440, 1680, 6000, 1680);

    hscDataScroll.Visible = true;
    hscDataZoom.Visible = true;
  }

  if (lScene >= 3) {
    // The transmit spectrum moves up where the component traces were.
    placeTransmitSpectrum(2520);

    shpRxBox.Visible = true;
    shpRxBox.Height = 735;
    shpRxBox.Top = 4080;
    lblFilter[1].Visible = true;
    lblFilter[1].Top = 4200;
    cmbFilter[1].Visible = true;
    cmbFilter[1].Top = 4200;
    for (Control* c : Controls{&cmbTxEB[1], &cmbTxBW[1], &cmbTxSC[1], &lblPCkHz[1]}) {
      c->Visible = false;
      c->Top = 4200;
    }
    cmbFilter[1].setText("None");

    picScatter[0].Visible = true;
    place(picScatter[0], 240, 4920, 5535, 4095);
    picEye[1].Visible = false;
    picEye[2].Visible = false;
    chkEye[1].Visible = false;
    chkEye[2].Visible = false;
    picEye[0].Visible = true;
    place(picEye[0], 5940, 5640, 4335, 3855);
    chkEye[0].Top = 3200;

    hscSample.Visible = true;
    hscSample.Top = 9540;
    hscSample.Left = 5940;
    hscSample.Width = 4395;

    vscTxEyeScale.Visible = true;
    vscTxEyeScale.Height = 3915;
    vscTxEyeScale.Left = 10320;
    vscTxEyeScale.Top = 5640;
    vscTxEyeScale.setMin(10);
    vscTxEyeScale.setMax(100);
    vscTxEyeScale.SmallChange = 5;
    vscTxEyeScale.LargeChange = 10;
    vscTxEyeScale.setValue(60);

    picScatter[2].Visible = true;
    place(picScatter[2], 10680, 5640, 3915, 3915);

    vscYThreshold.Visible = true;
    vscYThreshold.Top = 5640;
    vscYThreshold.Left = 14640;
    vscYThreshold.Height = 3915;
    vscYThreshold.setMin(10);
    vscYThreshold.setMax(100);
    vscYThreshold.SmallChange = 1;
    vscYThreshold.LargeChange = 5;
    vscYThreshold.setValue(60);

    showHint(lneHint[1], 4560, 7260, 12780, 7260);
  }

  if (lScene == 4) {
    for (Control* c : Controls{&lblNoise, &cmbNoise, &lblNoiseW}) {
      c->Visible = true;
      c->Top = 4200;
    }
    shpRxBox.Visible = true;
    shpRxBox.Height = 1320;
    shpRxBox.Top = 4080;
    for (Control* c : Controls{&lblFilter[1], &cmbFilter[1], &cmbTxEB[1], &cmbTxBW[1], &cmbTxSC[1],
                               &lblPCkHz[1]})
      c->Top = 4800;
    picScatter[0].Visible = true;
    place(picScatter[0], 1500, 5580, 4035, 3915);
    cmdPause.Top = 8520;
    cmdPause.Left = 120;
    showHint(lneHint[0], 5800, 4440, 6480, 4440);
    vscSync.Visible = true;
    lblSync.Visible = true;
    vscFreq.Visible = true;
  }
}

// The transmit spectrum with its controls on its right end and its title on its corner.
void Form1::placeTransmitSpectrum(int top) {
  picSpectrum[0].Visible = true;
  place(picSpectrum[0], 6000, top, 8895, 2775);
  hscSpectrum.Visible = true;
  hscSpectrum.Left = 13440;
  hscSpectrum.Top = top + 2775;
  for (Control* c : Controls{&chkMemory, &chkLinear, &vscSpectrumRange}) {
    c->Visible = true;
    c->Top = top;
  }
  chkMemory.Left = 13560;
  chkLinear.Left = 12180;
  vscSpectrumRange.Left = 14640;
  vscSpectrumRange.Height = 2775;
  cmdSpectrum.Visible = true;
  cmdSpectrum.Top = picSpectrum[0].Top;
  cmdSpectrum.Left = picSpectrum[0].Left;
}

void Form1::arrangeComponentPics(int16_t iTop, int16_t iHeight, int16_t iGap,
                                 double vSpectrumHeight) {
  for (int e = 1; e <= 2; ++e) {
    const int top = iTop + (e - 1) * iHeight;
    picEye[e].Visible = true;
    place(picEye[e], 6000, top, 8895, iHeight);
    chkEye[e].Visible = true;
    chkEye[e].Top = twips(top + iHeight / 2.0 - chkEye[e].Height / 2.0);
    chkEye[e].Width = 360;
    chkEye[e].ZOrder(0);
  }
  chkEye[1].ForeColor = 0xC000;
  chkEye[1].Caption = "I";
  chkEye[2].ForeColor = 0xC0;
  chkEye[2].Caption = "Q";

  // The scan marker's handle sits just under the second component trace.
  const int draggerTop = iTop + 2 * iHeight + 120;  // summed wide, never wrapped to 16 bits
  shpDragger.Top = draggerTop;
  lneScan.Y1 = draggerTop;

  if (cmbScene.Text() != "Modulation") {
    picSpectrum[1].Visible = false;
    chkPassband.Visible = false;
    hscCarrier.Visible = false;
    return;
  }

  PictureBox& passband = picSpectrum[1];
  passband.Top = picEye[2].Top + picEye[2].Height + iGap;
  passband.Left = picEye[2].Left;
  passband.Height = twips(vSpectrumHeight);
  passband.Width = picEye[2].Width;
  chkPassband.Visible = true;
  passband.Visible = true;
  chkPassband.Top = twips(passband.Top + passband.Height / 2.0 - chkPassband.Height / 2.0);
  hscCarrier.Left = passband.Left + passband.Width - hscCarrier.Width;
  hscCarrier.Top = passband.Top - hscCarrier.Height;
  hscCarrier.Visible = chkPassband.Value() == 1;
}

}  // namespace linklab
