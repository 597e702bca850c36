#pragma once
// Random but plausible batch scripts: the real names of the window's controls, properties,
// state fields and procedures, with values that are sometimes sound and sometimes hostile.
#include <cstdint>
#include <string>
#include <vector>

#include "random_source.h"

namespace linklab::fuzz {

struct Script {
  std::vector<std::string> lines;
  // Only what a student can do at the window (set, click, tick, mouse within the window, print):
  // no number it prints may then be NaN or infinite.
  bool studentReachable = true;
  // Files the script opens, written (path, content) before it runs and removed after.
  std::vector<std::pair<std::string, std::string>> files;
  // The line (1-based) that opens a broken file, 0 for none; the lines just before it print the
  // state (probe), which a replay prints again after a refusal.
  std::size_t openLine = 0;
  std::vector<std::string> probe;
};

// What the generator knows of the window, read once from a loaded model.
struct ModelNames {
  struct List {
    std::string name;
    std::vector<std::string> entries;
    bool editable;
  };
  struct Bar {
    std::string name;
    int min, max;
  };
  std::vector<List> lists;
  std::vector<Bar> sliders;
  struct Field {
    std::string name;
    std::size_t count;  // 1 for a scalar
  };
  std::vector<std::string> checkBoxes, textBoxes, clickables, pictures;
  std::vector<Field> fields;
  // Each control with the properties `print` can read of it.
  std::vector<std::pair<std::string, std::vector<std::string>>> properties;

  static ModelNames fromModel();
};

class ScriptGenerator {
 public:
  // workDir: where `save` lines may write their pictures.
  ScriptGenerator(ModelNames names, std::string workDir) : names(std::move(names)), workDir(std::move(workDir)) {}
  Script generate(uint64_t seed) const;
  // A short session, the state printed, then a broken setup or lesson opened (broken_files.cpp).
  Script generateBroken(uint64_t seed) const;

 private:
  // hostile: values past their limits, not numbers at all, or names that do not exist
  std::string line(RandomSource& rnd, bool hostile, bool& reachable) const;
  std::string setLine(RandomSource& rnd, bool hostile, bool& reachable) const;
  std::string callLine(RandomSource& rnd, bool hostile) const;
  std::string letLine(RandomSource& rnd, bool hostile) const;
  std::string printLine(RandomSource& rnd, bool hostile) const;
  std::string number(RandomSource& rnd) const;

  ModelNames names;
  std::string workDir;
};

}  // namespace linklab::fuzz
