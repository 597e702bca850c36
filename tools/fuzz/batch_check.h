#pragma once
// What counts as a finding when the batch runner ran a fuzzed script.
#include <string>

#include "child_process.h"
#include "script_generator.h"

namespace linklab::fuzz {

// An empty string when the run was sound, else the kind of finding: a hang, a crash, a
// sanitizer report, stray or badly formed error output, or a number that is not finite printed
// from what a student can do.
std::string findingOf(const Script& script, const RunResult& run);

// For a script that opens a broken file: a replay's output after a refusal of that open (after the
// line `--- refused`) must be what the state printed just before it. Empty when sound or when the
// open was not refused there.
std::string refusalFinding(const Script& script, const RunResult& replay);

}  // namespace linklab::fuzz
