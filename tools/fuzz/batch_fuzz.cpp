// Fuzzes the batch runner: seeded random scripts run one by one in their own process of the
// program under a watchdog; the first finding is minimised and printed with its seed.
//
//   batch_fuzz --program PATH [--seed S] [--count N | --seconds T] [--first I] [--timeout T]
//              [--work DIR] [--show I] [--jobs J]
//   batch_fuzz --replay SCRIPT PROBE   (the child that replays a script opening a broken file)
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_runner.h"
#include "batch_check.h"
#include "child_process.h"
#include "minimise.h"
#include "main_window/form1.h"
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
  int jobs = 1;  // scripts run side by side
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
    else if (key == "--jobs") o.jobs = std::max(1, std::stoi(value));
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

// The program's batch runner in this process, so that after a refusal (which ends a script) the
// same runner can print the state once more.
int replay(const char* scriptFile, const char* probeFile) {
  auto form = std::make_unique<linklab::Form1>();
  linklab::PrintingHost printer(std::cout);
  form->setHost(&printer);
  form->Form_Load();
  linklab::BatchRunner runner(*form, std::cout, std::cerr);
  std::ifstream script(scriptFile, std::ios::binary);
  const int status = runner.run(script);
  if (status == 1) {
    std::cout << "--- refused\n";
    std::ifstream probe(probeFile, std::ios::binary);
    runner.run(probe);
  }
  std::cout.flush();
  form->setHost(nullptr);
  return status;
}

struct Runs {
  RunResult program, replay;
};

Runs runScript(const Options& o, const Script& script, int job = 0) {
  const std::string file = o.work + "/script-" + std::to_string(job) + ".txt";
  std::ofstream(file, std::ios::binary) << joined(script.lines);
  for (const auto& [path, content] : script.files) std::ofstream(path, std::ios::binary) << content;
  Runs runs;
  runs.program = runProgram({o.program, "--batch", file}, o.timeout);
  if (script.openLine > 0 && runs.program.exitCode == 1) {
    const std::string probe = o.work + "/probe-" + std::to_string(job) + ".txt";
    std::ofstream(probe, std::ios::binary) << joined(script.probe);
    runs.replay = runProgram({std::filesystem::read_symlink("/proc/self/exe").string(), "--replay", file, probe}, o.timeout);
  }
  for (const auto& entry : script.files) std::filesystem::remove(entry.first);
  return runs;
}

std::string findingOf(const Script& script, const Runs& runs) {
  std::string finding = findingOf(script, runs.program);
  // The replay's own error lines (the refusal, and any of the probe after it) are judged by
  // what the probe prints; here only a hang, a crash or a sanitizer report counts.
  if (finding.empty() && script.openLine > 0 && runs.program.exitCode == 1) {
    RunResult replay = runs.replay;
    if (replay.exitCode == 1) {
      replay.exitCode = 0;
      std::string kept;
      std::istringstream lines(replay.err);
      for (std::string line; std::getline(lines, line);)
        if (line.rfind("error: line ", 0) != 0) kept += line + '\n';
      replay.err = kept;
    }
    finding = findingOf(Script{}, replay);
    if (!finding.empty()) finding = "replay: " + finding;
  }
  return finding.empty() ? refusalFinding(script, runs.replay) : finding;
}

// Every fourth script opens a broken file.
Script scriptAt(const ScriptGenerator& generator, uint64_t seed, long index) {
  const uint64_t s = runSeed(seed, static_cast<uint64_t>(index));
  return index % 4 == 3 ? generator.generateBroken(s) : generator.generate(s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--replay") return replay(argv[2], argv[3]);
  const Options o = parse(argc, argv);
  mkdir(o.work.c_str(), 0700);
  // Qt wants a private runtime directory and says so on stderr when it has none.
  setenv("XDG_RUNTIME_DIR", o.work.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("ASAN_OPTIONS", "detect_leaks=1:exitcode=86", 0);
  setenv("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=1:exitcode=87", 0);
  const ScriptGenerator generator(ModelNames::fromModel(), o.work);

  if (o.show >= 0) {
    const Script script = scriptAt(generator, o.seed, o.show);
    for (const auto& [path, content] : script.files) std::cout << "# " << path << ": " << content.size() << " bytes\n";
    std::cout << joined(script.lines);
    return 0;
  }
  if (o.program.empty() || (o.count < 0 && o.seconds < 0)) {
    std::cerr << "usage: batch_fuzz --program PATH [--seed S] (--count N | --seconds T) [--first I]"
                 " [--timeout T] [--work DIR] [--show I]\n";
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  long scripts = 0, lines = 0, clean = 0, broken = 0, refusals = 0;
  for (long index = o.first;; index += o.jobs) {
    if (o.count >= 0 && scripts >= o.count) break;
    if (o.seconds >= 0 && elapsed() >= o.seconds) break;
    // A round of scripts side by side; their results are judged in index order.
    const int round = o.count >= 0 ? static_cast<int>(std::min<long>(o.jobs, o.count - scripts)) : o.jobs;
    std::vector<Script> batch;
    for (int j = 0; j < round; ++j) batch.push_back(scriptAt(generator, o.seed, index + j));
    std::vector<Runs> runs(static_cast<std::size_t>(round));
    std::vector<std::thread> threads;
    for (int j = 0; j < round; ++j)
      threads.emplace_back([&, j] { runs[static_cast<std::size_t>(j)] = runScript(o, batch[static_cast<std::size_t>(j)], j); });
    for (std::thread& t : threads) t.join();
    for (int j = 0; j < round; ++j) {
      const Script& script = batch[static_cast<std::size_t>(j)];
      const Runs& run = runs[static_cast<std::size_t>(j)];
      ++scripts;
      lines += static_cast<long>(script.lines.size());
      clean += run.program.exitCode == 0;
      broken += script.openLine > 0;
      refusals += script.openLine > 0 && run.replay.out.find("--- refused\n") != std::string::npos &&
                  run.program.err.rfind("error: line " + std::to_string(script.openLine) + ": ", 0) == 0;
      const std::string finding = findingOf(script, run);
      if (finding.empty()) continue;

      const long at = index + j;
      std::cout << "FINDING: " << finding << " (seed " << o.seed << ", script " << at << ")\n"
                << "program stderr:\n" << run.program.err.substr(0, 4000) << '\n'
                << "replay stderr:\n" << run.replay.err.substr(0, 4000) << '\n';
      const auto small = minimise(script.lines, [&](const std::vector<std::string>& candidate) {
        Script s = script;
        s.lines = candidate;
        // The open and its probe stay together, or the candidate tests something else.
        if (script.openLine > 0 && (candidate.size() < script.probe.size() + 1 || candidate.back() != script.lines.back()))
          return false;
        s.openLine = script.openLine > 0 ? candidate.size() : 0;
        return findingOf(s, runScript(o, s)) == finding;
      }, 300);
      const std::string saved = o.work + "/finding-" + std::to_string(o.seed) + "-" + std::to_string(at) + ".txt";
      std::ofstream(saved, std::ios::binary) << joined(small);
      for (const auto& [path, content] : script.files) std::ofstream(path, std::ios::binary) << content;  // kept
      std::cout << "minimised script (" << small.size() << " of " << script.lines.size() << " lines, saved in "
                << saved << "):\n" << joined(small) << "replay: batch_fuzz --program " << o.program << " --seed "
                << o.seed << " --first " << at << " --count 1\n";
      return 1;
    }
  }
  std::cout << "batch fuzz: seed " << o.seed << ", " << scripts << " scripts, " << lines << " lines, " << clean
            << " ran to the end, " << broken << " opened broken files, " << refusals
            << " refusals compared before and after, " << static_cast<long>(elapsed()) << " s, no finding\n";
  return 0;
}
