// Each scene leaves the controls where its table says, whatever scene came before.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "main_window/form1.h"

namespace linklab {
namespace {

constexpr std::array<const char*, 5> kSceneNames = {"", "Baseband Demo", "Modulation", "Scatter",
                                                    "Full"};

// Start-up, then every other scene in turn, then the scene under test: what a scene does not set
// must not be left over from the ones before it.
std::unique_ptr<Form1> formInScene(int scene) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  for (int other = 1; other <= 4; ++other)
    if (other != scene) form->cmbScene.setText(kSceneNames[other]);
  form->cmbScene.setText(kSceneNames[scene]);
  return form;
}

// One window per scene, shared by the many cases that only read it.
Form1& sceneForm(int scene) {
  static std::array<std::unique_ptr<Form1>, 5> forms;
  if (!forms[scene]) forms[scene] = formInScene(scene);
  return *forms[scene];
}

std::string caseName(std::string text) {
  std::string out;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) out += c;
  return out;
}

// ---- visibility ----

struct Shown {
  std::string control;
  const char* scenes;  // '1' shown, '0' hidden, for scenes 1 to 4
};

// clang-format off
// Controls that share a row of the scene table, with the scenes that show them.
const std::pair<const char*, const char*> kShownRows[] = {
  {"1000", "shpCircle shpDrag shpDragged lneHint(4) lneHint(5)"},  // the complex plane
  {"1111", "lneHint(0) lneHint(2) lneHint(3) picModData picScatter(0) cmdPause"},
  {"1011", "lneHint(1)"},
  {"0111", "picData hscDataScroll hscDataZoom chkModData"},  // data window
  {"0111", "shpDataBox cmbData shpTxBox Line1 lblModulation(0) cmbMod(0) lblFilter(0) "
           "cmbFilter(0) lblNonLinear cmbNonlinear lblLinear(0) lblLinear(1) lblLinear(2) "
           "lblLinear(3)"},  // block diagram
  {"0100", "picEye(1) picEye(2) chkEye(1) chkEye(2) picSpectrum(1) chkPassband"},
  {"0111", "picSpectrum(0) hscSpectrum chkMemory chkLinear vscSpectrumRange cmdSpectrum"},
  {"0011", "shpRxBox lblFilter(1) cmbFilter(1) picEye(0) hscSample vscTxEyeScale "
           "picScatter(2) vscYThreshold"},  // receiver, eye and decision scatter
  {"0001", "lblNoise cmbNoise lblNoiseW vscSync lblSync vscFreq"},
  // the parameter lists of a "None" filter, the passband's slider while unchecked, and what
  // no scene ever shows
  {"0000", "cmbTxEB(0) cmbTxBW(0) cmbTxSC(0) lblPCkHz(0) cmbTxEB(1) cmbTxBW(1) cmbTxSC(1) "
           "lblPCkHz(1) chkEye(0) hscCarrier"},
  {"0000", "shpChannelBox shpOutputBox lblModulation(1) cmbMod(1) lblMultipath "
           "cmbMultipathDelay lblMultipathDelay lblMultipathPC cmbMultipathMag lblBER lblOutput "
           "lblEqualiser cmbEqualiser lblDiscriminator lblFreq(0) lblFreq(8) chkData "
           "chkDemodData picDemodData chkRxData picRxData picScatter(1) picSpectrum(2) "
           "hscXThreshold txtFSK vscFSK lneScan cmdTrace shpDragger lneHint(6) lneHint(19)"},
};
// clang-format on

std::vector<Shown> shownCases() {
  std::vector<Shown> cases;
  for (const auto& [scenes, controls] : kShownRows) {
    std::istringstream names(controls);
    for (std::string name; names >> name;) cases.push_back({name, scenes});
  }
  return cases;
}

class SceneLayoutVisibility : public ::testing::TestWithParam<std::tuple<int, Shown>> {};

TEST_P(SceneLayoutVisibility, MatchesTheSceneTable) {
  const auto [scene, shown] = GetParam();
  const Control* control = sceneForm(scene).findControl(shown.control);
  ASSERT_NE(control, nullptr) << shown.control;
  EXPECT_EQ(control->Visible, shown.scenes[scene - 1] == '1')
      << shown.control << " in scene " << scene;
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneLayoutVisibility,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4),
                                            ::testing::ValuesIn(shownCases())),
                         [](const auto& info) {
                           return "scene" + std::to_string(std::get<0>(info.param)) +
                                  caseName(std::get<1>(info.param).control);
                         });

// ---- positions and sizes ----

constexpr int Any = -99999;

struct Placed {
  int scene;
  const char* control;
  int left, top, width, height;
};

const Placed kPlaced[] = {
    {1, "picScatter(0)", 7760, 240, 4720, 4720},
    // 5 % and 90 % of the 15045-twip window: 752.25 and 13540.5 (a half goes to the even 13540)
    {1, "picModData", 752, 5660, 13540, 2400},
    // both markers centred on (4200 + 1180, 3000)
    {1, "shpDrag", 5380 - 120, 3000 - 120, 240, 240},
    {1, "shpDragged", 5380 - 120, 3000 - 120, 240, 240},
    {1, "shpCircle", 3020, 1820, 2360, 2360},
    {1, "cmdPause", 60, 9480, Any, Any},

    {2, "cmdPause", 60, 9480, Any, Any},
    {2, "picScatter(0)", 240, 4100, 5535, 4915},
    {2, "picSpectrum(0)", 6000, 6960, 8895, 2775},
    {2, "hscSpectrum", 13440, 9735, Any, Any},
    {2, "chkMemory", 13560, 6960, Any, Any},
    {2, "chkLinear", 12180, 6960, Any, Any},
    {2, "vscSpectrumRange", 14640, 6960, Any, 2775},
    {2, "cmdSpectrum", 6000, 6960, Any, Any},
    {2, "picData", 6000, 240, 8895, 795},
    {2, "picModData", 6000, 1140, 8895, 1155},
    {2, "chkModData", Any, 1320, 360, 600},
    // component traces stacked from 2520, 1500 high, the passband picture 420 under them
    {2, "picEye(1)", 6000, 2520, 8895, 1500},
    {2, "picEye(2)", 6000, 4020, 8895, 1500},
    {2, "picSpectrum(1)", 6000, 5940, 8895, 720},
    // check boxes centred beside their traces: 2520 + 750 - 375/2 and 4020 + 750 - 375/2
    {2, "chkEye(1)", Any, 3082, 360, Any},
    {2, "chkEye(2)", Any, 4582, 360, Any},
    // 5940 + 720/2 - 315/2
    {2, "chkPassband", Any, 6142, Any, Any},
    // right-aligned just above the passband picture
    {2, "hscCarrier", 6000 + 8895 - 2400, 5940 - 255, Any, Any},
    {2, "shpDragger", Any, 2520 + 2 * 1500 + 120, Any, Any},

    {3, "cmdPause", 60, 9480, Any, Any},
    {3, "picSpectrum(0)", 6000, 2520, 8895, 2775},
    {3, "hscSpectrum", 13440, 5295, Any, Any},
    {3, "chkMemory", 13560, 2520, Any, Any},
    {3, "chkLinear", 12180, 2520, Any, Any},
    {3, "vscSpectrumRange", 14640, 2520, Any, 2775},
    {3, "cmdSpectrum", 6000, 2520, Any, Any},
    {3, "shpRxBox", Any, 4080, Any, 735},
    {3, "lblFilter(1)", Any, 4200, Any, Any},
    {3, "cmbFilter(1)", Any, 4200, Any, Any},
    {3, "cmbTxEB(1)", Any, 4200, Any, Any},
    {3, "cmbTxBW(1)", Any, 4200, Any, Any},
    {3, "cmbTxSC(1)", Any, 4200, Any, Any},
    {3, "lblPCkHz(1)", Any, 4200, Any, Any},
    {3, "picScatter(0)", 240, 4920, 5535, 4095},
    {3, "picEye(0)", 5940, 5640, 4335, 3855},
    {3, "chkEye(0)", Any, 3200, Any, Any},
    {3, "hscSample", 5940, 9540, 4395, Any},
    {3, "vscTxEyeScale", 10320, 5640, Any, 3915},
    {3, "picScatter(2)", 10680, 5640, 3915, 3915},
    {3, "vscYThreshold", 14640, 5640, Any, 3915},

    {4, "cmdPause", 120, 8520, Any, Any},
    {4, "picSpectrum(0)", 6000, 2520, 8895, 2775},
    {4, "lblNoise", Any, 4200, Any, Any},
    {4, "cmbNoise", Any, 4200, Any, Any},
    {4, "lblNoiseW", Any, 4200, Any, Any},
    {4, "shpRxBox", Any, 4080, Any, 1320},
    {4, "lblFilter(1)", Any, 4800, Any, Any},
    {4, "cmbFilter(1)", Any, 4800, Any, Any},
    {4, "cmbTxEB(1)", Any, 4800, Any, Any},
    {4, "cmbTxBW(1)", Any, 4800, Any, Any},
    {4, "cmbTxSC(1)", Any, 4800, Any, Any},
    {4, "lblPCkHz(1)", Any, 4800, Any, Any},
    {4, "picScatter(0)", 1500, 5580, 4035, 3915},
    {4, "picEye(0)", 5940, 5640, 4335, 3855},
    {4, "picScatter(2)", 10680, 5640, 3915, 3915},
};

class SceneLayoutPlace : public ::testing::TestWithParam<Placed> {};

TEST_P(SceneLayoutPlace, MatchesTheSceneTable) {
  const Placed& p = GetParam();
  const Control* c = sceneForm(p.scene).findControl(p.control);
  ASSERT_NE(c, nullptr) << p.control;
  if (p.left != Any) {
    EXPECT_EQ(c->Left, p.left) << "Left";
  }
  if (p.top != Any) {
    EXPECT_EQ(c->Top, p.top) << "Top";
  }
  if (p.width != Any) {
    EXPECT_EQ(c->Width, p.width) << "Width";
  }
  if (p.height != Any) {
    EXPECT_EQ(c->Height, p.height) << "Height";
  }
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneLayoutPlace, ::testing::ValuesIn(kPlaced),
                         [](const auto& info) {
                           return "scene" + std::to_string(info.param.scene) +
                                  caseName(info.param.control);
                         });

// ---- lines ----

struct Drawn {
  int scene;
  const char* line;
  int x1, y1, x2, y2, borderWidth;
};

const Drawn kDrawn[] = {
    // the real axis with its arrowhead (a = 240), the imaginary axis with its own
    {1, "lneHint(0)", 1840, 3000, 6560, 3000, 3},   {1, "lneHint(1)", 6320, 2760, 6560, 3000, 3},
    {1, "lneHint(2)", 6320, 3240, 6560, 3000, 3},   {1, "lneHint(3)", 4200, 640, 4200, 5360, 3},
    {1, "lneHint(4)", 3960, 880, 4200, 640, 3},     {1, "lneHint(5)", 4200, 640, 4440, 880, 3},
    {2, "lneHint(0)", 3600, 3960, 6480, 3960, 5},   {2, "lneHint(2)", 5580, 660, 6060, 660, Any},
    {2, "lneHint(3)", 4440, 1680, 6000, 1680, Any}, {2, "Line1", 3600, 1080, 3600, 6000, Any},
    {3, "lneHint(0)", 3600, 3960, 6480, 3960, 5},   {3, "lneHint(1)", 4560, 7260, 12780, 7260, 5},
    {4, "lneHint(0)", 5800, 4440, 6480, 4440, 5},   {4, "lneHint(1)", 4560, 7260, 12780, 7260, 5},
};

class SceneLayoutLine : public ::testing::TestWithParam<Drawn> {};

TEST_P(SceneLayoutLine, MatchesTheSceneTable) {
  const Drawn& d = GetParam();
  const auto* l = dynamic_cast<const LineShape*>(sceneForm(d.scene).findControl(d.line));
  ASSERT_NE(l, nullptr) << d.line;
  EXPECT_EQ(l->X1, d.x1);
  EXPECT_EQ(l->Y1, d.y1);
  EXPECT_EQ(l->X2, d.x2);
  EXPECT_EQ(l->Y2, d.y2);
  if (d.borderWidth != Any) {
    EXPECT_EQ(l->BorderWidth, d.borderWidth);
  }
  if (d.scene > 1 && d.borderWidth == 5) {
    EXPECT_EQ(l->BorderColor, 0x800080u);
  }
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneLayoutLine, ::testing::ValuesIn(kDrawn),
                         [](const auto& info) {
                           return "scene" + std::to_string(info.param.scene) +
                                  caseName(info.param.line);
                         });

// ---- sliders and state ----

class SceneLayoutSliders : public ::testing::TestWithParam<int> {};

TEST_P(SceneLayoutSliders, SampleSliderCentredAndScenesThreeAndFourAt60) {
  const int scene = GetParam();
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->hscSample.setValue(30);
  form->vscTxEyeScale.setValue(95);
  form->vscYThreshold.setValue(20);
  form->hscSpectrum.setValue(5);
  form->dSpectrumZoom = 0;
  form->lTick = 7;
  for (int other = 1; other <= 4; ++other)
    if (other != scene) form->setScene(other);
  form->hscSample.setValue(30);
  form->vscTxEyeScale.setValue(95);
  form->vscYThreshold.setValue(20);
  form->dSpectrumZoom = 0;
  form->setScene(scene);

  EXPECT_EQ(form->lScene, scene);
  EXPECT_EQ(form->lTick, 0);
  EXPECT_EQ(form->dSpectrumZoom, 5.0);
  EXPECT_EQ(form->hscSample.Min(), -64);
  EXPECT_EQ(form->hscSample.Max(), 64);
  EXPECT_EQ(form->hscSample.Value(), 0);
  EXPECT_EQ(form->hscSample.LargeChange, 8);
  EXPECT_EQ(form->hscSample.SmallChange, 1);
  if (scene >= 3) {
    EXPECT_EQ(form->vscTxEyeScale.Min(), 10);
    EXPECT_EQ(form->vscTxEyeScale.Max(), 100);
    EXPECT_EQ(form->vscTxEyeScale.Value(), 60);
    EXPECT_EQ(form->vscTxEyeScale.SmallChange, 5);
    EXPECT_EQ(form->vscTxEyeScale.LargeChange, 10);
    EXPECT_EQ(form->dTxEyeScale, 1.0);  // (110 - 60) / 50
    EXPECT_EQ(form->vscYThreshold.Min(), 10);
    EXPECT_EQ(form->vscYThreshold.Max(), 100);
    EXPECT_EQ(form->vscYThreshold.Value(), 60);
    EXPECT_EQ(form->vscYThreshold.SmallChange, 1);
    EXPECT_EQ(form->vscYThreshold.LargeChange, 5);
    EXPECT_EQ(form->dYThreshold, 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneLayoutSliders, ::testing::Values(1, 2, 3, 4));

TEST(SceneLayout, ModulationShowsIAndQLegendsAndAnUncheckedPassband) {
  Form1& form = sceneForm(2);
  EXPECT_EQ(form.chkEye[1].Caption, "I");
  EXPECT_EQ(form.chkEye[1].ForeColor, 0xC000u);
  EXPECT_EQ(form.chkEye[2].Caption, "Q");
  EXPECT_EQ(form.chkEye[2].ForeColor, 0xC0u);
  EXPECT_EQ(form.chkPassband.Value(), 0);
  EXPECT_EQ(form.lblLinear[2].Caption, "I");
  EXPECT_EQ(form.lblLinear[2].ForeColor, 0xC000u);
  EXPECT_EQ(form.lblLinear[3].Caption, "Q");
  EXPECT_EQ(form.lblLinear[3].ForeColor, 0xC0u);
  EXPECT_EQ(form.lneScan.Y1, 5640);
}

TEST(SceneLayout, PassbandCheckedRestacksAndShowsTheCarrierSlider) {
  auto form = formInScene(2);
  form->chkPassband.setValue(1);
  EXPECT_EQ(form->picEye[1].Top, 2520);
  EXPECT_EQ(form->picEye[1].Height, 1200);
  EXPECT_EQ(form->picEye[2].Top, 3720);
  EXPECT_EQ(form->picEye[2].Height, 1200);
  EXPECT_EQ(form->picSpectrum[1].Top, 3720 + 1200 + 360);
  EXPECT_EQ(form->picSpectrum[1].Height, 1440);
  EXPECT_TRUE(form->hscCarrier.Visible);
  EXPECT_EQ(form->hscCarrier.Left, 6000 + 8895 - 2400);
  EXPECT_EQ(form->hscCarrier.Top, 5280 - 255);
  EXPECT_EQ(form->chkPassband.Top, 5842);  // 5280 + 720 - 157.5, the half to the even side
  EXPECT_EQ(form->shpDragger.Top, 2520 + 2400 + 120);

  form->chkPassband.setValue(0);
  EXPECT_EQ(form->picEye[2].Top, 4020);
  EXPECT_EQ(form->picSpectrum[1].Top, 5940);
  EXPECT_EQ(form->picSpectrum[1].Height, 720);
  EXPECT_FALSE(form->hscCarrier.Visible);
}

TEST(SceneLayout, PassbandCheckedIsUncheckedByTheNextScene) {
  auto form = formInScene(2);
  form->chkPassband.setValue(1);
  form->cmbScene.setText("Full");
  form->cmbScene.setText("Modulation");
  EXPECT_EQ(form->chkPassband.Value(), 0);
  EXPECT_FALSE(form->hscCarrier.Visible);
  EXPECT_EQ(form->picSpectrum[1].Top, 5940);
}

TEST(SceneLayout, FromBasebandDemoTheHintLinesKeepTheirThinBorder) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  EXPECT_EQ(form->lneHint[2].BorderWidth, 5);  // a start in scene 2 keeps the design width
  form->cmbScene.setText("Baseband Demo");
  form->cmbScene.setText("Modulation");
  EXPECT_EQ(form->lneHint[2].BorderWidth, 3);
  EXPECT_EQ(form->lneHint[3].BorderWidth, 3);
  EXPECT_EQ(form->lneHint[0].BorderWidth, 5);
}

TEST(SceneLayout, BasebandDemoPutsBothMarkersBack) {
  auto form = formInScene(1);
  form->Form_MouseDown(1, 0, 3000, 4000);
  form->shpDragged.Left = 100;
  form->cmbScene.setText("Full");
  form->cmbScene.setText("Baseband Demo");
  for (const Shape* marker : {&form->shpDrag, &form->shpDragged}) {
    EXPECT_EQ(marker->Left + marker->Width / 2, 5380);
    EXPECT_EQ(marker->Top + marker->Height / 2, 3000);
  }
}

TEST(SceneLayout, UnknownSceneTextLaysOutNothingButStillTicks) {
  auto form = formInScene(3);
  form->Timer1_Timer();
  form->Timer1_Timer();
  const int32_t tick = form->lTick;
  const int left = form->picScatter[0].Left;
  form->cmbScene.setText("Nowhere");
  EXPECT_EQ(form->lScene, 3);
  EXPECT_EQ(form->picScatter[0].Left, left);
  // One tick from the modulation rule and one from the scene change, since lTick >= 1.
  EXPECT_EQ(form->lTick, tick + 2);
}

TEST(SceneLayout, BasebandDemoClearsTheCarrierPicture) {
  auto form = formInScene(2);
  form->picModData.setRecording(true);
  form->picModData.Line(0, 0, 10, 10);
  form->cmbScene.setText("Baseband Demo");
  EXPECT_TRUE(form->picModData.log().empty());
  EXPECT_EQ(form->lTick, 0);  // a fresh scene runs no tick at once
}

}  // namespace
}  // namespace linklab
