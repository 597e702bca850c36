#include "batch/script_file.h"

#include <fstream>
#include <iostream>

#include "batch/batch_runner.h"

namespace linklab {

int runScriptFile(BatchRunner& runner, const char* file, std::ostream& err) {
  if (!file) return runner.run(std::cin);
  std::ifstream script(file);
  if (!script) {
    err << "error: cannot read '" << file << "'\n";
    return 1;
  }
  return runner.run(script);
}

}  // namespace linklab
