#include "measurements/awgn_theory.h"

#include <bit>
#include <cmath>

#include "measurements/constellations.h"

namespace linklab {

namespace {

// Probability that the phase of a unit phasor in complex Gaussian noise (signal-to-noise ratio g)
// lies beyond psi on one side, between psi and pi (Pawula's single integral; smooth for any g).
double beyondAngle(double psi, double g) {
  if (psi >= M_PI) return 0;
  const double s2 = std::sin(psi) * std::sin(psi);
  auto f = [&](double phi) {
    const double sp = std::sin(phi);
    return sp == 0 ? 0.0 : std::exp(-g * s2 / (sp * sp));
  };
  constexpr int n = 200;
  const double b = M_PI - psi, h = b / n;
  double sum = f(0) + f(b);
  for (int i = 1; i < n; ++i) sum += f(i * h) * (i % 2 ? 4 : 2);
  return sum * h / 3 / (2 * M_PI);
}

ErrorRates psk8Rates(double esN0) {
  if (std::isinf(esN0)) return {0, 0};
  // Point 0 sits at 0 degrees; sector j is centred on point j, 45 degrees wide; the sectors on
  // the negative side mirror those on the positive side.
  static constexpr int kBits[8] = {0, 1, 3, 2, 6, 7, 5, 4};
  double edge[5];
  for (int m = 0; m < 4; ++m) edge[m] = beyondAngle((2 * m + 1) * M_PI / 8, esN0);
  edge[4] = 0;
  double symbolErrors = 0, bitErrors = 0;
  for (int j = 1; j <= 4; ++j) {
    const double positive = edge[j - 1] - edge[j];
    const double both = j == 4 ? 2 * positive : positive;  // sector 4 straddles pi
    symbolErrors += j == 4 ? both : 2 * both;
    bitErrors += positive * std::popcount(static_cast<unsigned>(kBits[j] ^ kBits[0]));
    if (j < 4) bitErrors += positive * std::popcount(static_cast<unsigned>(kBits[8 - j] ^ kBits[0]));
    else bitErrors += positive * std::popcount(static_cast<unsigned>(kBits[4] ^ kBits[0]));
  }
  return {symbolErrors, bitErrors / 3};
}

}  // namespace

double qFunction(double x) { return 0.5 * std::erfc(x / std::sqrt(2.0)); }

ErrorRates awgnErrorRates(Modulation mod, double ebN0) {
  if (!makesDecisions(mod, false)) return {NAN, NAN};
  const PointSet set = pointSet(mod, 0);
  const double esN0 = ebN0 * set.bitsPerSymbol;
  switch (mod) {
    case Modulation::OOK: case Modulation::AM50: case Modulation::BPSK: {
      const double d = set.i[1] - set.i[0];
      const double es = constellationRms(mod) * constellationRms(mod);
      const double p = qFunction(std::sqrt(d * d * esN0 / (2 * es)));
      return {p, p};
    }
    case Modulation::QPSK: case Modulation::OQPSK: case Modulation::Pi4SQPSK: {
      const double p = qFunction(std::sqrt(2 * ebN0));
      return {1 - (1 - p) * (1 - p), p};
    }
    case Modulation::PSK8: return psk8Rates(esN0);
    case Modulation::QAM16: {
      const double x = std::sqrt(esN0 / 5);
      const double p = 1.5 * qFunction(x);
      return {1 - (1 - p) * (1 - p), (3 * qFunction(x) + 2 * qFunction(3 * x) - qFunction(5 * x)) / 4};
    }
    default: return {NAN, NAN};
  }
}

}  // namespace linklab
