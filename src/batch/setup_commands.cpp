#include "batch/setup_commands.h"

#include <fstream>
#include <sstream>

#include "batch/script_words.h"
#include "picture_export/file_output.h"
#include "setups/setup_apply.h"

namespace linklab {

std::optional<std::string> setupCommand(Form1& form, std::string_view command, std::string_view rest,
                                        std::ostream& out) {
  const auto [object, argument] = firstWord(rest);
  if (command == "print") {
    if (rest == "setup") {
      out << setupText(form) << "end\n";
      return std::string();
    }
    if (rest == "setupLink") {
      out << "setupLink = " << setupLink(form) << '\n';
      return std::string();
    }
    return std::nullopt;
  }
  if (object != "setup" || (command != "save" && command != "open")) return std::nullopt;
  const std::string file(trim(argument));
  if (file.empty()) return std::string(command) + " setup takes FILE";
  if (command == "save") {
    const std::string why = writeWholeFile(file, setupText(form));
    return why.empty() ? why : "cannot write '" + file + "': " + why;
  }
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  if (!in || !(text << in.rdbuf()) || in.bad()) return "cannot read '" + file + "'";
  const std::string why = openSetup(form, text.str());
  return why.empty() ? why : file + ": " + why;
}

}  // namespace linklab
