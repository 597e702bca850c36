// Each scene leaves the controls where its table says, whatever scene came before.

#include "main_window/window_setup.h"

namespace linklab {
namespace {

const char* const kScenes[] = {"", "Baseband Demo", "Modulation", "Scatter", "Full"};

// Start-up, then every other scene in turn, then the scene under test: what a scene does not set
// must not be left over from the ones before it. Kept for the cases that only read it.
Form1& sceneForm(int scene) {
  static std::array<std::unique_ptr<Form1>, 5> forms;
  if (forms[scene]) return *forms[scene];
  forms[scene] = window();
  for (int other : {1, 2, 3, 4, scene}) forms[scene]->cmbScene.setText(kScenes[other]);
  return *forms[scene];
}

// A sample of each row of the scene table, with the scenes that show them ('1'), scenes 1 to 4.
const std::pair<const char*, const char*> kShownRows[] = {
    {"1000", "shpCircle shpDrag lneHint(4) lneHint(5)"},  // the complex plane
    {"1111", "lneHint(0) lneHint(2) lneHint(3) picModData picScatter(0) cmdPause"},
    {"1011", "lneHint(1)"},
    {"0111", "picData hscDataZoom cmbMod(0) lblLinear(3) picSpectrum(0) cmdSpectrum"},
    {"0100", "picEye(1) chkEye(2) picSpectrum(1) chkPassband"},  // I/Q traces and passband
    {"0011", "shpRxBox cmbFilter(1) picEye(0) vscTxEyeScale picScatter(2) vscYThreshold"},
    {"0001", "cmbNoise vscSync vscFreq"},
    // an unchecked passband's slider, the lists of a "None" filter, and what no scene shows
    {"0000", "hscCarrier cmbTxEB(0) lblPCkHz(1) chkEye(0) shpChannelBox cmbMod(1) lblFreq(8) "
             "picScatter(1) txtFSK lneScan shpDragger lneHint(6)"},
};

TEST(SceneLayout, EachSceneShowsTheControlsOfItsRows) {
  for (int scene = 1; scene <= 4; ++scene)
    for (const auto& [scenes, controls] : kShownRows) {
      std::istringstream names(controls);
      for (std::string name; names >> name;)
        EXPECT_EQ(sceneForm(scene).findControl(name)->Visible, scenes[scene - 1] == '1')
            << name << " in scene " << scene;
    }
}

// Left, top, width and height of each control, or a line's end points X1, Y1, X2, Y2, scene by
// scene. Scene 1: the plane's axes and arrowheads (a = 240) round (4200, 3000), picModData from 5 %
// of the 15045-twip window, 90 % wide (752.25 and 13540.5, the half to the even 13540). Scene 2:
// the traces, the hints into them, the component traces stacked from 2520, 1500 high, with the
// passband picture 420 under them, the spectrum's controls at the bottom. Scenes 3 and 4: the
// spectrum moved up, the eye, the decision scatter and their sliders, the receiver's rows.
const char* const kPlaced[] = {
    "picScatter(0) 7760 240 4720 4720  picModData 752 5660 13540 2400  shpCircle 3020 1820 2360 2360 "
    "lneHint(0) 1840 3000 6560 3000  lneHint(4) 3960 880 4200 640  lneHint(1) 6320 2760 6560 3000 "
    "lneHint(2) 6320 3240 6560 3000  lneHint(3) 4200 640 4200 5360  lneHint(5) 4200 640 4440 880 "
    "cmdPause 60 9480 * * ",
    "picScatter(0) 240 4100 5535 4915  picModData 6000 1140 8895 1155 "
    "picSpectrum(0) 6000 6960 8895 2775  picEye(2) 6000 4020 8895 1500 "
    "picSpectrum(1) 6000 5940 8895 720  chkEye(1) * 3082 360 *  lneHint(0) 3600 3960 6480 3960 "
    "cmdPause 60 9480 * *  picData 6000 240 8895 795  chkModData * 1320 360 600 "
    "lneHint(2) 5580 660 6060 660  lneHint(3) 4440 1680 6000 1680  Line1 * * * 6000 "
    "cmdSpectrum 6000 6960 * *  hscSpectrum 13440 9735 * *  chkMemory 13560 6960 * * "
    "chkLinear 12180 6960 * *  vscSpectrumRange 14640 6960 * 2775  picEye(1) 6000 2520 8895 1500 "
    "chkEye(2) * 4582 360 *  shpDragger * 5640 * *  lneScan * 5640 * * ",
    "picScatter(0) 240 4920 5535 4095  cmdSpectrum 6000 2520 * *  shpRxBox * 4080 * 735 "
    "cmbFilter(1) * 4200 * *  picEye(0) 5940 5640 4335 3855  cmdPause 60 9480 * * "
    "picSpectrum(0) 6000 2520 8895 2775  chkMemory 13560 2520 * *  vscSpectrumRange 14640 2520 * 2775 "
    "hscSample 5940 9540 4395 *  picScatter(2) 10680 5640 3915 3915  lneHint(1) 4560 7260 12780 7260 "
    "lblFilter(1) * 4200 * * ",
    "picScatter(0) 1500 5580 4035 3915  cmdPause 120 8520 * *  shpRxBox * 4080 * 1320 "
    "lblPCkHz(1) * 4800 * *  lneHint(0) 5800 4440 6480 4440  hscSpectrum 13440 5295 * * "
    "chkLinear 12180 2520 * *  chkEye(0) * 3200 * *  vscTxEyeScale 10320 5640 * 3915 "
    "vscYThreshold 14640 5640 * 3915  lblNoise * 4200 * *  cmbNoise * 4200 * *  lblNoiseW * 4200 * * "
    "cmbFilter(1) * 4800 * *  cmbTxEB(1) * 4800 * *  cmbTxBW(1) * 4800 * *  cmbTxSC(1) * 4800 * * ",
};

// The purple hints into the displays are five pixels wide (the plane's axes three).
TEST(SceneLayout, PlacesEachControlWhereTheSceneTableSaysAndColoursTheHints) {
  for (int scene = 1; scene <= 4; ++scene) expectPlaced(sceneForm(scene), kPlaced[scene - 1], kScenes[scene]);
  for (int scene = 2; scene <= 4; ++scene)
    for (int hint = 0; hint < 2; ++hint) {
      const LineShape& l = sceneForm(scene).lneHint[hint];
      if (!l.Visible) continue;
      EXPECT_EQ((std::pair{l.BorderWidth, l.BorderColor}), (std::pair{5, 0x800080u})) << hint << " in " << scene;
    }
  EXPECT_EQ(sceneForm(1).lneHint[3].BorderWidth, 3);
}

// A scene change starts the count again and centres the sample slider; "Scatter" sets the eye's
// sliders to 60, with their ranges and steps.
TEST(SceneLayout, ASceneChangeCentresTheSampleAndScatterSetsTheEyeSlidersTo60) {
  auto form = window({{"cmbScene", "Full"}});
  for (Slider* s : {&form->hscSample, &form->vscYThreshold, &form->vscTxEyeScale}) s->setValue(30);
  form->lTick = 7;
  form->cmbScene.setText("Scatter");
  auto range = [](const Slider& s) { return std::array{s.Min(), s.Max(), s.SmallChange, s.LargeChange, s.Value()}; };
  EXPECT_EQ(range(form->hscSample), (std::array{-64, 64, 1, 8, 0}));
  EXPECT_EQ(range(form->vscTxEyeScale), (std::array{10, 100, 5, 10, 60}));
  EXPECT_EQ(range(form->vscYThreshold), (std::array{10, 100, 1, 5, 60}));
  EXPECT_EQ(form->lTick, 0);
  EXPECT_EQ(form->dYThreshold, 1.0);  // (110 - 60) / 50
}

TEST(SceneLayout, ModulationShowsGreenIAndRedQAndACheckedPassbandRestacksThePictures) {
  auto form = window();
  EXPECT_EQ(form->chkEye[1].Caption + form->chkEye[2].Caption, "IQ");
  EXPECT_EQ((std::pair{form->chkEye[1].ForeColor, form->chkEye[2].ForeColor}), (std::pair{0xC000u, 0xC0u}));
  // Traces 1200 high from 2520, 360 apart, the passband picture 1440 high under them; its box at
  // 5280 + 720 - 157.5 (the half to the even side), the carrier slider right-aligned above it
  // (6000 + 8895 - 2400, 5280 - 255).
  form->chkPassband.setValue(1);
  EXPECT_TRUE(form->hscCarrier.Visible);
  expectPlaced(*form, "picEye(2) * 3720 * *  picSpectrum(1) * 5280 * 1440  chkPassband * 5842 * *  hscCarrier 12495 5025 * *");
  form->chkPassband.setValue(0);  // back to 1500-high traces and the passband picture 420 below
  expectPlaced(*form, "picEye(2) * 4020 * *  picSpectrum(1) * 5940 * 720");
  EXPECT_FALSE(form->hscCarrier.Visible);
}

TEST(SceneLayout, BasebandDemoPutsTheMarkersBackAndLeavesThinHintsForModulation) {
  auto form = window();
  EXPECT_EQ(form->lneHint[2].BorderWidth, 5);  // a start in scene 2 keeps the design width
  form->cmbScene.setText("Baseband Demo");
  form->Form_MouseDown(1, 0, 3000, 4000);
  form->shpDragged.Left = 100;
  form->cmbScene.setText("Modulation");
  EXPECT_EQ((std::pair{form->lneHint[2].BorderWidth, form->lneHint[3].BorderWidth}), (std::pair{3, 3}));
  form->cmbScene.setText("Baseband Demo");
  for (const Shape* marker : {&form->shpDrag, &form->shpDragged})
    EXPECT_EQ((std::pair{marker->Left + marker->Width / 2, marker->Top + marker->Height / 2}),
              (std::pair{5380, 3000}));
}

// "Baseband Demo" has no transmitter on screen: the FSK index box and its spinner stay hidden
// there whichever way FSK was chosen, and come back with the transmitter.
TEST(SceneLayout, BasebandDemoHidesTheFskIndexWhateverTheModulation) {
  for (const bool fskFirst : {true, false}) {
    auto form = window();
    if (fskFirst) form->cmbMod[0].setText("FSK");
    form->cmbScene.setText("Baseband Demo");
    if (!fskFirst) form->cmbMod[0].setText("FSK");
    EXPECT_FALSE(form->txtFSK.Visible || form->vscFSK.Visible) << fskFirst;
    form->cmbScene.setText("Modulation");
    EXPECT_TRUE(form->txtFSK.Visible && form->vscFSK.Visible) << fskFirst;
  }
}

}  // namespace
}  // namespace linklab
