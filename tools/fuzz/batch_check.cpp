#include "batch_check.h"

#include <sstream>

namespace linklab::fuzz {

namespace {

bool isBlankOrComment(const std::string& line) {
  const auto first = line.find_first_not_of(" \t\r");
  return first == std::string::npos || line[first] == '#';
}

// The printed value of a text property may be any text the script set.
bool printsText(const std::string& line) {
  const auto equals = line.find(" = ");
  if (equals == std::string::npos) return false;
  const std::string name = line.substr(0, equals);
  for (const char* property : {".Text", ".Caption", ".List("})
    if (name.find(property) != std::string::npos) return true;
  return false;
}

bool hasNonFiniteWord(const std::string& line) {
  std::istringstream words(line);
  for (std::string w; words >> w;) {
    std::string lower;
    for (char c : w) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (lower == "nan" || lower == "-nan" || lower == "inf" || lower == "-inf") return true;
  }
  return false;
}

// Qt says on stderr what its offscreen platform cannot do when a window (a help window) is
// shown, and which fonts lack a script when text in that script is drawn: that is the toolkit
// talking, not the program.
bool isToolkitNote(const std::string& line) {
  for (const char* note : {"This plugin does not support ", "  OpenType support missing for ", "QFont", "qt."})
    if (line.rfind(note, 0) == 0) return true;
  return false;
}

std::string withoutPlatformNotes(const std::string& err) {
  std::string kept;
  std::istringstream lines(err);
  for (std::string line; std::getline(lines, line);)
    if (!isToolkitNote(line)) kept += line + '\n';
  if (!err.empty() && err.back() != '\n' && !kept.empty()) kept.pop_back();
  return kept;
}

}  // namespace

std::string findingOf(const Script& script, const RunResult& rawRun) {
  RunResult run = rawRun;
  run.err = withoutPlatformNotes(rawRun.err);
  if (run.timedOut) return "hang";
  for (const char* marker : {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer", "runtime error:"})
    if (run.err.find(marker) != std::string::npos) return "sanitizer report";
  if (run.signal != 0) return "crash (signal " + std::to_string(run.signal) + ")";
  if (run.exitCode != 0 && run.exitCode != 1) return "crash (exit " + std::to_string(run.exitCode) + ")";
  if (run.exitCode == 0 && !run.err.empty()) return "stray output on stderr";
  if (run.exitCode == 1) {
    // Exactly one line: "error: line N: WHY".
    const std::string prefix = "error: line ";
    const std::string& e = run.err;
    std::size_t i = prefix.size();
    unsigned long n = 0;
    while (i < e.size() && e[i] >= '0' && e[i] <= '9' && n < 100000000) n = n * 10 + static_cast<unsigned long>(e[i++] - '0');
    const bool formed = e.rfind(prefix, 0) == 0 && i > prefix.size() && e.compare(i, 2, ": ") == 0 &&
                        e.size() > i + 3 && e.back() == '\n' && e.find('\n') == e.size() - 1;
    if (!formed) return "badly formed error";
    if (n < 1 || n > script.lines.size() || isBlankOrComment(script.lines[n - 1])) return "error on a line that is no command";
  }
  if (script.studentReachable) {
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);)
      if (line.rfind("message: ", 0) != 0 && !printsText(line) && hasNonFiniteWord(line)) return "non-finite number printed";
  }
  return {};
}

std::string refusalFinding(const Script& script, const RunResult& replay) {
  if (script.openLine == 0 || replay.exitCode != 1) return {};
  if (replay.err.rfind("error: line " + std::to_string(script.openLine) + ": ", 0) != 0) return {};
  const std::string marker = "--- refused\n";
  const auto at = replay.out.rfind(marker);
  if (at == std::string::npos) return "replay printed no state after the refusal";
  const std::string before = replay.out.substr(0, at), after = replay.out.substr(at + marker.size());
  if (after.empty() || before.size() < after.size() || before.compare(before.size() - after.size(), after.size(), after) != 0)
    return "a refused open changed the state";
  return {};
}

}  // namespace linklab::fuzz
