#pragma once
// Runs a program to its end, or kills it when a watchdog runs out; its output is kept.
#include <string>
#include <vector>

namespace linklab::fuzz {

struct RunResult {
  int exitCode = -1;   // when it exited
  int signal = 0;      // when a signal ended it
  bool timedOut = false;
  std::string out, err;
};

//  argv    : program and arguments
//  timeout : seconds before the program (and everything it started) is killed
RunResult runProgram(const std::vector<std::string>& argv, double timeout);

}  // namespace linklab::fuzz
