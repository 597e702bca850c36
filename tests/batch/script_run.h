#pragma once
// Set-up the script, lesson, setup and help tests share: the window tests' set-up (a window as the
// program starts it is window()), and a script run with its messages printed, on a given window or
// on a fresh one; it also brings the standard headers they use.
#include "batch/batch_runner.h"
#include "main_window/window_setup.h"

namespace linklab {

struct ScriptRun {
  int status;
  std::string out, err;
};

inline ScriptRun runScript(Form1& form, const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  PrintingHost host(out);
  form.setHost(&host);
  BatchRunner runner(form, out, err);
  const int status = runner.run(in);
  form.setHost(nullptr);
  return {status, out.str(), err.str()};
}

inline ScriptRun runScript(const std::string& script) { return runScript(*window(), script); }

inline std::string scratchFile(const char* name) { return std::string(::testing::TempDir()) + name; }

}  // namespace linklab
