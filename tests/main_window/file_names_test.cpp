// Saved files are named by what they hold: the picture's role in the scene shown and the
// settings that made it, with characters file systems refuse turned into hyphens.
#include "main_window/file_names.h"

#include <gtest/gtest.h>

#include <memory>

#include "main_window/form1.h"

namespace linklab {
namespace {

struct NameCase {
  const char* scene;
  const char* modulation;
  const char* rxFilter;
  const char* picture;
  const char* stem;
};
class FileNames : public ::testing::TestWithParam<NameCase> {};
TEST_P(FileNames, SayWhatThePictureHolds) {
  const NameCase c = GetParam();
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText(c.scene);
  form->cmbMod[0].setText(c.modulation);
  form->cmbFilter[0].setText("Root RC");
  form->cmbFilter[1].setText(c.rxFilter);
  EXPECT_EQ(pictureFileStem(*form, c.picture), c.stem);
}
INSTANTIATE_TEST_SUITE_P(
    Pictures, FileNames,
    ::testing::Values(NameCase{"Full", "16-QAM", "Matched", "picEye(0)", "LinkLab eye 16-QAM Root RC Matched"},
                      // The transmitter's pictures do not depend on the receive filter.
                      NameCase{"Full", "16-QAM", "Matched", "picSpectrum(0)", "LinkLab spectrum 16-QAM Root RC"},
                      NameCase{"Modulation", "QPSK", "None", "picEye(2)", "LinkLab Q component QPSK Root RC"},
                      NameCase{"Modulation", "QPSK", "None", "picEye(1)", "LinkLab I component QPSK Root RC"},
                      NameCase{"Scatter", "pi/4-SQPSK", "Matched", "picScatter(2)",
                               "LinkLab scatter pi-4-SQPSK Root RC Matched"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::to_string(info.index); });

TEST(FileNames, TheDemoNamesItsPicturesWithoutTheLink) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Baseband Demo");
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
