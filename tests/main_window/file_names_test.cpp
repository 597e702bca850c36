// Saved files are named by what they hold: the picture's role in the scene shown and the
// settings that made it, with characters file systems refuse turned into hyphens.
#include "main_window/file_names.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "main_window/window_setup.h"

namespace linklab {
namespace {

// Scene, modulation, receive filter, picture, then its name (the transmit filter is Root RC). The
// transmitter's pictures do not depend on the receive filter.
TEST(FileNames, SayWhatThePictureHolds) {
  for (const auto& [scene, mod, rx, picture, stem] :
       {std::tuple{"Full", "16-QAM", "Matched", "picEye(0)", "LinkLab eye 16-QAM Root RC Matched"},
        {"Full", "16-QAM", "Matched", "picSpectrum(0)", "LinkLab spectrum 16-QAM Root RC"},
        {"Modulation", "QPSK", "None", "picEye(2)", "LinkLab Q component QPSK Root RC"},
        {"Modulation", "QPSK", "None", "picEye(1)", "LinkLab I component QPSK Root RC"},
        {"Scatter", "pi/4-SQPSK", "Matched", "picScatter(2)", "LinkLab scatter pi-4-SQPSK Root RC Matched"}}) {
    auto form = window({{"cmbScene", scene}, {"cmbMod(0)", mod}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", rx}});
    EXPECT_EQ(pictureFileStem(*form, picture), stem);
  }
}

TEST(FileNames, TheDemoNamesItsPicturesWithoutTheLink) {
  auto form = window({{"cmbScene", "Baseband Demo"}});
  EXPECT_EQ(pictureFileStem(*form, "picScatter(0)"), "LinkLab phasor");
  EXPECT_EQ(windowFileStem(*form), "LinkLab Baseband Demo");
  // Whatever a name holds, no character a file system refuses reaches the file.
  EXPECT_EQ(pictureFileStem(*form, "a/b\\c:d*e?f\"g<h>i|j\tk"),
            "LinkLab a-b-c-d-e-f-g-h-i-j-k " + form->cmbMod[0].Text() + " " + form->cmbFilter[0].Text());
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("BPSK");
  EXPECT_EQ(errorRateFileStem(*form), "LinkLab error rates BPSK " + form->cmbFilter[0].Text() + " " +
                                          form->cmbFilter[1].Text());
}

}  // namespace
}  // namespace linklab
