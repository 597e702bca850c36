// Whatever the scene and the choices, every control the user can see explains itself.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "help/tooltips.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

struct Setting {
  const char* scene;
  std::function<void(Form1&)> choose;
};

class Tooltips : public ::testing::TestWithParam<Setting> {};

TEST_P(Tooltips, EveryVisibleControlHasOne) {
  Form1 form;
  form.Form_Load();
  form.cmbScene.setText(GetParam().scene);
  form.Timer1_Timer();
  GetParam().choose(form);
  int checked = 0;
  for (const Control* c : form.controls()) {
    // Lines are painted by the window and explain nothing on their own; shapes show a tooltip.
    if (!c->Visible || c->kind() == ControlKind::Line || c->kind() == ControlKind::Timer) continue;
    EXPECT_FALSE(tooltipFor(c->name).empty()) << c->name << " in " << GetParam().scene;
    ++checked;
  }
  EXPECT_GT(checked, 5);
}

void nothing(Form1&) {}
void fsk(Form1& f) { f.cmbMod[0].setText("FSK"), f.cmbFilter[0].setText("Raised Cosine"); }
void ofdm(Form1& f) { f.cmbFilter[0].setText("OFDM"); }
void gaussian(Form1& f) { f.cmbFilter[0].setText("Gaussian"), f.cmbFilter[1].setText("Root RC"); }
void paused(Form1& f) { f.chkPassband.setValue(1), f.cmdPause_Click(); }

INSTANTIATE_TEST_SUITE_P(Scenes, Tooltips,
                         ::testing::ValuesIn(std::vector<Setting>{
                             {"Baseband Demo", nothing}, {"Modulation", nothing}, {"Scatter", nothing}, {"Full", nothing},
                             {"Modulation", fsk}, {"Full", ofdm}, {"Full", gaussian}, {"Modulation", paused},
                             {"Scatter", fsk}}));

TEST(Tooltips, AnArrayElementIsNotTakenForAnother) {
  EXPECT_NE(tooltipFor("picEye(1)"), tooltipFor("picEye(2)"));
  EXPECT_TRUE(tooltipFor("picEye").empty());
  EXPECT_TRUE(tooltipFor("picEye(3)").empty());
}

}  // namespace
}  // namespace linklab
