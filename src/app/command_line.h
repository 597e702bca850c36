#pragma once
// What the program was asked to do on its command line.
#include <string>
#include <vector>

namespace linklab {

struct CommandLine {
  enum class Action { Window, Batch, Help, Version, Misuse } action = Action::Window;
  std::string script{};  // Batch: the script file; empty for standard input
  std::string error{};   // Misuse: what was wrong
  std::string setup{};   // Window: a setup file to open with, empty for none
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);  // without the program's name
std::string usageText();
std::string versionText();

}  // namespace linklab
