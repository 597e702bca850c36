// The script runner: fields and properties printed in their formats, set, let, call, tick, record
// and ops, and every fault stopping the script at its line.

#include "batch/script_run.h"
#include "batch/script_words.h"

namespace linklab {
namespace {

class BatchTest : public ::testing::Test {
 protected:
  std::unique_ptr<Form1> form = std::make_unique<Form1>();
};

TEST_F(BatchTest, PrintsFieldsAndPropertiesInTheirFormats) {
  const ScriptRun r = runScript(*form,
                                   "# comment\n\nprint dTxEyeScale\nprint lblLinear(2).ForeColor\nprint Timer1.Interval\n"
                                   "print chkMemory.Visible\nprint bFiltersValid\nlet dCarrier 0.5 0.25\n"
                                   "print dCarrier(1)\nlet iData(3) 1\nprint iData(3)\nprint HelpText.Visible\n");
  EXPECT_EQ(r.status, 0) << r.err;
  // dTxEyeScale 0: no load event ran on this model.
  EXPECT_EQ(r.out, "dTxEyeScale = 0\nlblLinear(2).ForeColor = 12582912\nTimer1.Interval = 100\nchkMemory.Visible = True\n"
                   "bFiltersValid = 0\ndCarrier(1) = 0.25\niData(3) = 1\nHelpText.Visible = False\n");
}

// Scripts written on Windows end their lines with CR LF; `tick 0` runs no tick at all.
TEST_F(BatchTest, CrLfLinesAndTickCounts) {
  for (const std::string eol : {"\n", "\r\n"}) {
    form = std::make_unique<Form1>();
    form->Form_Load();
    std::string script;
    for (const char* line : {"# a comment", "", "set cmbScene Full", "print lScene", "set cmbData All Ones",
                             "print cmbData.Text", "tick 0", "print lTick", "tick", "tick 2", "print lTick",
                             "call RestartPics -32768", "call RestartPics 32767",  // the 16-bit ends
                             "call arrangeComponentPics -32768 1500 420 32767", "call setScene 3", "print lScene",
                             "print hscDataScroll.SmallChange", "print hscDataScroll.LargeChange"})
      script += line + eol;
    const ScriptRun r = runScript(*form, script);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "lScene = 4\ncmbData.Text = All Ones\nlTick = 0\nlTick = 3\nlScene = 3\n"
                     "hscDataScroll.SmallChange = 1\nhscDataScroll.LargeChange = 4\n");
  }
}

TEST_F(BatchTest, WholeArrayPrintsEveryElementSeparatedBySpaces) {
  const ScriptRun r = runScript(*form, "let dModData 0.1 -2\nprint dModData\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string prefix = "dModData = 0.10000000000000001 -2 0 ";
  EXPECT_EQ(r.out.substr(0, prefix.size()), prefix);
  std::istringstream values(r.out.substr(std::string("dModData = ").size()));
  int count = 0;
  for (double v; values >> v;) ++count;
  EXPECT_EQ(count, 257);
}

TEST_F(BatchTest, SetRaisesTheControlsEventAndKeepsSpaces) {
  int changes = 0;
  form->cmbNoise.onChange = [&] { ++changes; };
  const ScriptRun r = runScript(*form, "set cmbNoise  0.4 W\nprint cmbNoise.Text\nset vscFSK 27\nprint vscFSK.Value\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(r.out, "cmbNoise.Text = 0.4 W\nvscFSK.Value = 27\n");
}

TEST_F(BatchTest, FftThroughCallReportsBadSizes) {
  const ScriptRun r = runScript(*form, "let dTxSpectrum 0 0 1 0\ncall FFT dTxSpectrum 96 0\nprint dTxSpectrum(2)\n"
                                          "call FFT dTxSpectrum 4 0\nprint dTxSpectrum(2)\nprint dTxSpectrum(3)\n");
  EXPECT_EQ(r.status, 0) << r.err;
  // Refused, the impulse at point 1 of 4 stays; then bin 1 is e^{+i pi/2} = i.
  const std::string refused = "message: This FFT only does powers of two.\ndTxSpectrum(2) = 1\n";
  ASSERT_EQ(r.out.substr(0, refused.size()), refused);
  double re = 99, im = 99;
  EXPECT_EQ(std::sscanf(r.out.c_str() + refused.size(), "dTxSpectrum(2) = %lf\ndTxSpectrum(3) = %lf", &re, &im), 2) << r.out;
  EXPECT_NEAR(re, 0.0, 1e-12);
  EXPECT_NEAR(im, 1.0, 1e-12);
}

// `let` writes each field type; a malformed value stops the script and leaves its element alone.
TEST_F(BatchTest, LetWritesEveryFieldTypeAndAMalformedValueChangesNothing) {
  const ScriptRun r = runScript(*form, "let lTick 70000\nlet iCodeRate 3\nlet dCarrier(2) 0.5\n"
                                          "print lTick\nprint iCodeRate\nlet dCarrier(2) x\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "lTick = 70000\niCodeRate = 3\n");
  EXPECT_EQ(form->dCarrier[2], 0.5);
}

// Each of the four arguments reaches its own parameter: top, height, gap, spectrum height.
TEST_F(BatchTest, ArrangeComponentPicsTakesItsArgumentsInOrder) {
  form->Form_Load();
  const ScriptRun r = runScript(*form, "set cmbScene Modulation\ncall arrangeComponentPics 2000 1000 300 600\n"
                                          "print picEye(2).Top\nprint picEye(2).Height\n"
                                          "print picSpectrum(1).Top\nprint picSpectrum(1).Height\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "picEye(2).Top = 3000\npicEye(2).Height = 1000\n"
                   "picSpectrum(1).Top = 4300\npicSpectrum(1).Height = 600\n");
}

TEST_F(BatchTest, RecordsAndListsDrawingOperations) {
  const ScriptRun r = runScript(*form, "record on\ncall RestartPics 0\nops picEye(0)\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "end 0\n");
  form->picEye[0].setForeColor(0xC000);
  form->picEye[0].Line(1, 2.5, 3, 4);
  form->picEye[0].Circle(5, 6, 10, 0xC0);
  const ScriptRun listed = runScript(*form, "ops picEye(0)\n");
  EXPECT_EQ(listed.out, "line 1 2.5 3 4 49152\ncircle 5 6 10 192\nend 2\n");
}

// why: a fragment of the reason.
TEST(BatchErrors, StopWithTheLineAndTheReason) {
  for (const auto& [script, line, why] : std::vector<std::tuple<const char*, int, const char*>>{
        {"jump\n", 1, "unknown command"}, {"print dTxEyeScale\n\nset cmbNothing 1\n", 3, "unknown control"},
        {"print cmbData.Colour\n", 1, "unknown property"}, {"print dNothing\n", 1, "unknown field"},
        // a property of another kind of control is no property of this one
        {"print hscCarrier.Caption\n", 1, "unknown property"}, {"print txtFSK.BorderColor\n", 1, "unknown property"},
        {"call makeSoup\n", 1, "unknown procedure"}, {"set hscCarrier 4.5\n", 1, "malformed"},
        {"set chkMemory 2\n", 1, "0 or 1"}, {"set cmbData Some Data\n", 1, "not an entry"},
        {"let dTxEyeScale x\n", 1, "malformed value"}, {"let dCarrier(8193) 1\n", 1, "out of range"},
        {"print dCarrier(-1)\n", 1, "out of range"}, {"tick -2\n", 1, "malformed"},
        {"call FFT dTxEyeScale 4 0\n", 1, "not a signal field"}, {"call RestartPics\n", 1, "takes 1"},
        {"mouse 1 x 3\n", 1, "malformed"}, {"ops cmbData\n", 1, "unknown picture"}, {"record maybe\n", 1, "on or off"},
        {"save window\n", 1, "save takes"}, {"save picData /tmp/x.png\n", 1, "no window"},
        // every argument of a call is held to the range of its parameter
        {"call arrangeComponentPics 2520 1500 420 99999999\n", 1, "16-bit"},
        {"call arrangeComponentPics 2520 1500 420 -32769\n", 1, "16-bit"},
        {"call arrangeComponentPics 32768 1500 420 720\n", 1, "16-bit"},
        {"call arrangeComponentPics 2520 1500 -40000 720\n", 1, "16-bit"}, {"call placeTraceButton 40000\n", 1, "16-bit"},
        {"call setScene 2147483648\n", 1, "malformed"}, {"call FFT dTxSignal 4096 2\n", 1, "malformed"}}) {
    auto form = std::make_unique<Form1>();
    form->cmbData.AddItem("Random Data");
    form->cmbData.AddItem("All Ones");
    const ScriptRun r = runScript(*form, script);
    EXPECT_EQ(r.status, 1) << script;
    EXPECT_EQ(r.err.rfind("error: line " + std::to_string(line) + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
  }
}

// The reader of whole numbers takes the full 32-bit range, the most negative value included.
TEST(WholeNumbers, TakeThe32BitRangeAndNothingBeyond) {
  EXPECT_EQ(wholeNumber("-2147483648"), -2147483648L);
  EXPECT_EQ(wholeNumber("2147483647"), 2147483647L);
  EXPECT_EQ(wholeNumber("-2147483649"), std::nullopt);
  EXPECT_EQ(wholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(wholeNumber("1.5"), std::nullopt);
  auto form = std::make_unique<Form1>();
  const ScriptRun r = runScript(*form, "set hscCarrier -2147483648\nprint hscCarrier.Value\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "hscCarrier.Value = " + std::to_string(form->hscCarrier.Min()) + "\n");
}

// A directory opens like a file but cannot be read: that is an error, not an empty script.
TEST(ScriptInput, ADirectoryIsRefusedWithExitOne) {
  auto form = std::make_unique<Form1>();
  std::ifstream directory(::testing::TempDir());
  std::ostringstream out, err;
  BatchRunner runner(*form, out, err);
  EXPECT_EQ(runner.run(directory), 1);
  EXPECT_EQ(err.str(), "error: line 1: cannot read the script\n");
}

}  // namespace
}  // namespace linklab
