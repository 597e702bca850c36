// Fuzzes the batch runner: seeded random scripts run one by one in their own process of the
// program under a watchdog; the first finding is minimised and printed with its seed.
//
//   batch_fuzz --program PATH [--seed S] [--count N | --seconds T] [--first I] [--timeout T]
//              [--work DIR] [--show I]
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "batch_check.h"
#include "child_process.h"
#include "minimise.h"
#include "script_generator.h"

using namespace linklab::fuzz;

namespace {

struct Options {
  std::string program;
  uint64_t seed = 1;
  long count = -1;
  double seconds = -1;
  long first = 0;
  double timeout = 120;
  std::string work = "/tmp/linklab-fuzz";
  long show = -1;
};

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i], value = argv[i + 1];
    if (key == "--program") o.program = value;
    else if (key == "--seed") o.seed = std::stoull(value);
    else if (key == "--count") o.count = std::stol(value);
    else if (key == "--seconds") o.seconds = std::stod(value);
    else if (key == "--first") o.first = std::stol(value);
    else if (key == "--timeout") o.timeout = std::stod(value);
    else if (key == "--work") o.work = value;
    else if (key == "--show") o.show = std::stol(value);
    else {
      std::cerr << "unknown option " << key << '\n';
      std::exit(2);
    }
  }
  return o;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + '\n';
  return s;
}

RunResult runScript(const Options& o, const Script& script) {
  const std::string file = o.work + "/script.txt";
  std::ofstream(file, std::ios::binary) << joined(script.lines);
  return runProgram({o.program, "--batch", file}, o.timeout);
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse(argc, argv);
  mkdir(o.work.c_str(), 0700);
  // Qt wants a private runtime directory and says so on stderr when it has none.
  setenv("XDG_RUNTIME_DIR", o.work.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("ASAN_OPTIONS", "detect_leaks=1:exitcode=86", 0);
  setenv("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=1:exitcode=87", 0);
  const ScriptGenerator generator(ModelNames::fromModel(), o.work);

  if (o.show >= 0) {
    std::cout << joined(generator.generate(runSeed(o.seed, static_cast<uint64_t>(o.show))).lines);
    return 0;
  }
  if (o.program.empty() || (o.count < 0 && o.seconds < 0)) {
    std::cerr << "usage: batch_fuzz --program PATH [--seed S] (--count N | --seconds T) [--first I]"
                 " [--timeout T] [--work DIR] [--show I]\n";
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  long scripts = 0, lines = 0, clean = 0;
  for (long index = o.first;; ++index) {
    if (o.count >= 0 && scripts >= o.count) break;
    if (o.seconds >= 0 && elapsed() >= o.seconds) break;
    const Script script = generator.generate(runSeed(o.seed, static_cast<uint64_t>(index)));
    const RunResult run = runScript(o, script);
    ++scripts;
    lines += static_cast<long>(script.lines.size());
    clean += run.exitCode == 0;
    const std::string finding = findingOf(script, run);
    if (finding.empty()) continue;

    std::cout << "FINDING: " << finding << " (seed " << o.seed << ", script " << index << ")\n"
              << "program stderr:\n" << run.err.substr(0, 4000) << '\n';
    const auto small = minimise(script.lines, [&](const std::vector<std::string>& candidate) {
      Script s{candidate, script.studentReachable};
      return findingOf(s, runScript(o, s)) == finding;
    }, 300);
    const std::string saved = o.work + "/finding-" + std::to_string(o.seed) + "-" + std::to_string(index) + ".txt";
    std::ofstream(saved, std::ios::binary) << joined(small);
    std::cout << "minimised script (" << small.size() << " of " << script.lines.size() << " lines, saved in " << saved
              << "):\n" << joined(small)
              << "replay: batch_fuzz --program " << o.program << " --seed " << o.seed << " --first " << index
              << " --count 1\n";
    return 1;
  }
  std::cout << "batch fuzz: seed " << o.seed << ", " << scripts << " scripts, " << lines << " lines, " << clean
            << " ran to the end, " << static_cast<long>(elapsed()) << " s, no finding\n";
  return 0;
}
