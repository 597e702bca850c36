// The setup commands of a script: what `save setup` writes, `open setup` reads back into another
// window, `print setup` and `print setupLink` show it, and a broken file is the script's error.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "batch/batch_runner.h"
#include "main_window/form1.h"
#include "setups/setup_apply.h"

namespace linklab {
namespace {

struct ScriptRun {
  int status;
  std::string out, err;
};

ScriptRun runScript(Form1& form, const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  BatchRunner runner(form, out, err);
  const int status = runner.run(in);
  return {status, out.str(), err.str()};
}

std::unique_ptr<Form1> startUp() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

std::string scratchFile(const char* name) { return std::string(::testing::TempDir()) + name; }

// The end-to-end script (setup_scripts) saves and opens through the program itself; here, what
// else a window shows: the link, the pause kept, and the settings a scene change would hide.
TEST(SetupBatch, SaveInOneWindowOpenInAnother) {
  const std::string file = scratchFile("batch_setup.linklab");
  auto first = startUp();
  const ScriptRun saved = runScript(*first, "set cmbScene Full\nset cmbMod(0) 8-PSK\nset cmbNoise 0.4\n"
                                      "set cmbFilter(1) Matched\nset vscFreq -2\nclick cmdPause\nsave setup " +
                                          file + "\nprint setup\nprint setupLink\n");
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, setupText(*first) + "end\nsetupLink = " + setupLink(*first) + "\n");
  auto second = startUp();
  const ScriptRun opened = runScript(*second, "open setup " + file + "\nopen setup " + file + ".missing\n");
  EXPECT_EQ(opened.err.rfind("error: line 2: cannot read", 0), 0u) << opened.err;
  EXPECT_EQ(setupText(*second), setupText(*first));
  EXPECT_EQ(second->cmbFilter[1].Text() + " " + std::to_string(second->vscFreq.Value()), "Matched -2");
  EXPECT_FALSE(second->Timer1.Enabled);
  std::remove(file.c_str());
}

// A broken file stops the script at its line and leaves the window; a locked control refuses it.
TEST(SetupBatch, ABrokenSetupStopsTheScriptAndALockRefusesIt) {
  const std::string file = scratchFile("setup.linklab");
  std::ofstream(file) << "linklab setup 1\ncmbScene = Full\ncmbMod(0) = 17-QAM\n";
  auto form = startUp();
  const ScriptRun run = runScript(*form, "# open a broken file\nopen setup " + file + "\nprint lScene\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "error: line 2: " + file + ": line 3: '17-QAM' is not offered by cmbMod(0) here near '17-QAM'\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(form->cmbScene.Text(), "Modulation");
  std::ofstream(file) << "linklab setup 1\nlock = cmbMod(0), cmdPause\n";
  const ScriptRun shown = runScript(*form, "open setup " + file + "\nprint cmbMod(0).SetupLocked\nprint cmbData.SetupLocked\n");
  EXPECT_EQ(shown.out, "cmbMod(0).SetupLocked = True\ncmbData.SetupLocked = False\n");
  const ScriptRun locked = runScript(*form, "set cmbData All Ones\nset cmbMod(0) QPSK\n");
  EXPECT_EQ(locked.err, "error: line 2: cmbMod(0) is locked by the setup\n");
  EXPECT_EQ(form->cmbData.Text() + " " + form->cmbMod[0].Text(), "All Ones BPSK");
  EXPECT_EQ(runScript(*form, "click cmdPause\n").status, 1);
  EXPECT_TRUE(form->Timer1.Enabled);
  std::remove(file.c_str());
}

}  // namespace
}  // namespace linklab
