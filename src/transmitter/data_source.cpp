#include "transmitter/data_source.h"

#include <cmath>

#include "form/numbers.h"

namespace linklab {

namespace {

constexpr int kBits = 512;
constexpr int kRunsWritten = 128;  // "Exponential Runs" only reaches the binary modulations' bits

int16_t randomBit(UniformRandom& rnd) { return rnd.next() > 0.5 ? 1 : 0; }

void fillRepeated(std::span<int16_t> bits, int groupSize, UniformRandom& rnd) {
  for (int i = 0; i < kBits; i += groupSize) {
    const int16_t bit = randomBit(rnd);
    for (int j = 0; j < groupSize; ++j) bits[i + j] = bit;
  }
}

void fillConstant(std::span<int16_t> bits, int16_t value) {
  for (int i = 0; i < kBits; ++i) bits[i] = value;
}

void fillExponentialRuns(std::span<int16_t> bits, UniformRandom& rnd) {
  int16_t b = randomBit(rnd);
  int i = 0;
  while (i < kBits) {
    // L >= 1 since the draw is below 1; its excess is the integer part of an exponential of mean 4.
    const int length = static_cast<int>(Int(1.0 - 4.0 * std::log(positiveDraw(rnd))));
    // Each run starts on the last entry of the previous one and overwrites it.
    for (int k = i; k <= i + length && k < kRunsWritten; ++k) bits[k] = b;
    b = static_cast<int16_t>(1 - b);
    i += length;
  }
}

}  // namespace

DataPattern dataPatternFromText(std::string_view text) {
  if (text == "Random Data") return DataPattern::RandomData;
  if (text == "Exponential Runs") return DataPattern::ExponentialRuns;
  if (text == "All Zeros") return DataPattern::AllZeros;
  if (text == "All Ones") return DataPattern::AllOnes;
  if (text == "Random 1/2 Rate") return DataPattern::RandomHalfRate;
  if (text == "Random 1/4 Rate") return DataPattern::RandomQuarterRate;
  return DataPattern::Unknown;
}

double positiveDraw(UniformRandom& rnd) {
  double u = rnd.next();
  while (u <= 0.0) u = rnd.next();
  return u;
}

int16_t makeDataBits(DataPattern pattern, std::span<int16_t> bits, UniformRandom& rnd) {
  int16_t codeRate = 1;
  switch (pattern) {
    case DataPattern::RandomData:
      fillRepeated(bits, 1, rnd);
      break;
    case DataPattern::RandomHalfRate:
      codeRate = 2;
      fillRepeated(bits, 2, rnd);
      break;
    case DataPattern::RandomQuarterRate:
      codeRate = 4;
      fillRepeated(bits, 4, rnd);
      break;
    case DataPattern::AllZeros:
      fillConstant(bits, 0);
      break;
    case DataPattern::AllOnes:
      fillConstant(bits, 1);
      break;
    case DataPattern::ExponentialRuns:
      fillExponentialRuns(bits, rnd);
      break;
    case DataPattern::Unknown:
      break;
  }
  // Framing: a random block starts and ends on 0, so its first and last symbols are known.
  const int16_t frame = pattern == DataPattern::AllOnes ? 1 : 0;
  bits[0] = frame;
  bits[kBits - 1] = frame;
  return codeRate;
}

}  // namespace linklab
