// Tab walks the block diagram as the signal flows, then the displays' controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main_window/focus_order.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

TEST(FocusOrder, FollowsTheSignalThroughTheDiagramThenTheDisplays) {
  Form1 form;
  form.Form_Load();
  form.cmbScene.setText("Full");
  std::vector<std::string> names;
  for (const Control* c : tabOrder(form))
    if (c->Visible) names.push_back(c->name);
  auto at = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
  const char* flow[] = {"cmbScene", "cmbData", "cmbMod(0)", "cmbFilter(0)", "cmbNonlinear", "cmbNoise",
                        "cmbFilter(1)", "vscSync", "cmdPause"};
  for (std::size_t i = 1; i < std::size(flow); ++i) {
    ASSERT_LT(at(flow[i]), static_cast<long>(names.size())) << flow[i];
    EXPECT_LT(at(flow[i - 1]), at(flow[i])) << flow[i - 1] << " before " << flow[i];
  }
  // Captions and markers are not stops; a picture's marker with a command is.
  for (const char* none : {"Label1", "lblNoise", "chkEye(1)", "cmdSpectrum", "picEye(0)"})
    EXPECT_EQ(at(none), static_cast<long>(names.size())) << none;
}

}  // namespace
}  // namespace linklab
