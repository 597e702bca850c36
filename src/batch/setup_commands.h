#pragma once
// The setup commands of a script: `save setup FILE`, `open setup FILE`, `print setup` (the text,
// then a line `end`) and `print setupLink` (one line `setupLink = #linklab=1&...`).
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace linklab {

class Form1;

// nullopt when the line is not a setup command; otherwise "" on success or the reason it failed.
std::optional<std::string> setupCommand(Form1& form, std::string_view command, std::string_view rest,
                                        std::ostream& out);

}  // namespace linklab
