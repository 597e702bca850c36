#pragma once
// The one uniform generator of the program, on [0, 1). It starts from a constant seed, so every
// start of the program draws the same sequence (a lecture demo repeats exactly).
#include <cstdint>

namespace linklab {

class UniformRandom {
 public:
  static constexpr uint64_t kSeed = 0x4C696E6B4C6162ULL;  // "LinkLab"

  explicit UniformRandom(uint64_t seed = kSeed) { reseed(seed); }

  void reseed(uint64_t seed) { state = seed ? seed : kSeed; }

  // xorshift64*: 53 high bits give a double on [0, 1).
  double next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    const uint64_t x = state * 0x2545F4914F6CDD1DULL;
    return static_cast<double>(x >> 11) * (1.0 / 9007199254740992.0);
  }

 private:
  uint64_t state = kSeed;
};

}  // namespace linklab
