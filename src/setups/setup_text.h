#pragma once
// A setup as text: a version line, then one `name = value` a line. Reading checks only the form
// (names, versions, duplicates); whether the values fit the window is for applySetup to find out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linklab {

inline constexpr int SetupVersion = 1;
inline constexpr std::string_view SetupHeader = "linklab setup";

struct SetupEntry {
  std::string name;
  std::string value;
  int line = 0;  // where it was read, for the error text; 0 when made by the program
};

struct Setup {
  std::vector<SetupEntry> entries;
  // Settings the user may not change (`lock = NAME, NAME`) or does not see (`hide = NAME`).
  std::vector<std::string> locked, hidden;
  const SetupEntry* find(std::string_view name) const;
};

// Either a whole setup or the first error, `line N: what was wrong near 'token'`.
struct SetupParse {
  std::optional<Setup> setup;
  std::string error;
};

// The one error pattern of setup texts.
std::string setupError(int line, std::string_view what, std::string_view token);

// A line without its leading and trailing blanks (spaces, tabs, a CR of a CRLF file).
std::string_view trimmedLine(std::string_view line);
// The first word of a line, up to one of `ends`, for the error text of a line that makes no sense
// as a whole.
std::string_view lineFirstWord(std::string_view line, std::string_view ends = " \t=");

// The shared checks of the text and the link: the version's number (1 up to SetupVersion), and
// one entry's name and the form of its value.
std::string checkSetupVersion(std::string_view number);
std::string addSetupEntry(Setup& setup, int line, std::string_view name, std::string_view value);
// The `lock` and `hide` lines: a list of setting names separated by commas.
bool isSetupLimit(std::string_view name);
std::string addSetupLimit(Setup& setup, int line, std::string_view limit, std::string_view names);

// Names joined with the separator, as the `lock` and `hide` lines and pairs write them.
std::string joinedNames(const std::vector<std::string>& names, std::string_view separator);

SetupParse parseSetupText(std::string_view text);
std::string formatSetupText(const Setup& setup);

// The link fragment: `#linklab=1&name=value&...`, names and values percent-encoded. Errors count
// the pairs as lines, the version pair being line 1.
std::string formatSetupLink(const Setup& setup);
SetupParse parseSetupLink(std::string_view fragment);

}  // namespace linklab
