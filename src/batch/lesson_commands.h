#pragma once
// The lesson commands of a script: `print lessons` (the shipped lessons' names, then `end`),
// `open lesson NAME|FILE`, `print lessonSteps`, `lesson step N`, `lesson answer TEXT`,
// `lesson check` and `lesson solve`.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace linklab {

class Form1;
class LessonSession;

// nullopt when the line is not a lesson command; otherwise "" on success or the reason it failed.
std::optional<std::string> lessonCommand(Form1& form, LessonSession& session, std::string_view command,
                                         std::string_view rest, std::ostream& out);

}  // namespace linklab
