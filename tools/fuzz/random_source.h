#pragma once
// The fuzzers' own generator: splitmix64, so that a seed gives the same run on every machine
// and every standard library.
#include <cstdint>
#include <string>
#include <vector>

namespace linklab::fuzz {

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed) : state(seed) {}
  uint64_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Whole number in [0, n); n > 0.
  int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
  // Whole number in [lo, hi].
  long between(long lo, long hi) { return lo + static_cast<long>(next() % static_cast<uint64_t>(hi - lo + 1)); }
  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  bool chance(double p) { return unit() < p; }
  template <typename T>
  const T& pick(const std::vector<T>& v) { return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))]; }

 private:
  uint64_t state;
};

// A seed for run `index` of a fuzzing session with seed `seed`: runs are independent, so any one
// of them can be replayed alone.
inline uint64_t runSeed(uint64_t seed, uint64_t index) {
  RandomSource mix(seed ^ (index * 0xD1B54A32D192ED03ULL));
  return mix.next();
}

// Texts a student could type, or paste, that a reader of numbers or names must survive.
std::vector<std::string> hostileTexts();
// A hostile text, sometimes built fresh (very long, random bytes, numbers of many digits).
std::string hostileText(RandomSource& rnd);

}  // namespace linklab::fuzz
