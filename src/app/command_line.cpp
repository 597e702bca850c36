#include "app/command_line.h"

namespace linklab {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  using Action = CommandLine::Action;
  if (arguments.empty()) return {};
  const std::string& first = arguments[0];
  if (first == "--help" || first == "-h") return {.action = Action::Help};
  if (first == "--version") return {.action = Action::Version};
  if (first == "--batch") {
    if (arguments.size() > 2) return {.action = Action::Misuse, .error = "unexpected argument '" + arguments[2] + "'"};
    if (arguments.size() == 2 && arguments[1].starts_with('-'))
      return {.action = Action::Misuse, .error = "unknown option '" + arguments[1] + "'"};
    return {.action = Action::Batch, .script = arguments.size() == 2 ? arguments[1] : std::string()};
  }
  if (first.starts_with('-')) return {.action = Action::Misuse, .error = "unknown option '" + first + "'"};
  if (arguments.size() > 1) return {.action = Action::Misuse, .error = "unexpected argument '" + arguments[1] + "'"};
  return {.action = Action::Window, .setup = first};
}

std::string usageText() {
  return "Usage: linklab [SETUP.linklab | --batch [FILE]]\n"
         "A teaching simulator of the physical layer of a digital radio link.\n"
         "\n"
         "  (no option)     open the window\n"
         "  SETUP.linklab   open the window with the settings of a setup file\n"
         "  --batch [FILE]  run the window's model from a script of commands in FILE\n"
         "                  (or standard input), without showing the window\n"
         "  --help          print this help and exit\n"
         "  --version       print the version and exit\n";
}

std::string versionText() { return std::string("LinkLab ") + LINKLAB_VERSION + "\n"; }

}  // namespace linklab
