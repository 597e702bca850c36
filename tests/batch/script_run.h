#pragma once
// Set-up the script, lesson, setup and help tests share: a window as the program starts it, and a
// script run on a window with its messages printed; it also brings the standard headers they use.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "batch/batch_runner.h"
#include "main_window/form1.h"

namespace linklab {

inline std::unique_ptr<Form1> startUp() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

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

inline std::string scratchFile(const char* name) { return std::string(::testing::TempDir()) + name; }

}  // namespace linklab
