#pragma once
// The start every batch run shares, whichever program hosts it: the script from a file, or from
// standard input when no file is named.
#include <iosfwd>

namespace linklab {

class BatchRunner;

// Runs the script in `file` (standard input when file is null) and returns the exit status; a
// file that cannot be read is an error of its own, reported on err.
int runScriptFile(BatchRunner& runner, const char* file, std::ostream& err);

}  // namespace linklab
