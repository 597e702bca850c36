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
  // Point 0 sits at 0 degrees; sector j is centred on point j, 45 degrees wide. Sector j on the
  // positive side holds the phases between its edges (2j-1) pi/8 and (2j+1) pi/8; its mirror on
  // the negative side is sector 8 - j; sector 4 straddles pi and takes both halves.
  static constexpr int kBits[8] = {0, 1, 3, 2, 6, 7, 5, 4};
  double beyond[5];
  for (int m = 0; m < 4; ++m) beyond[m] = beyondAngle((2 * m + 1) * M_PI / 8, esN0);
  beyond[4] = 0;
  double symbolErrors = 0, bitErrors = 0;
  for (int j = 1; j <= 4; ++j) {
    const double half = beyond[j - 1] - beyond[j];  // the positive side's share of sector j
    const int mirror = 8 - j;                         // 4 for j = 4: the other half of sector 4
    symbolErrors += 2 * half;
    bitErrors += half * (std::popcount(static_cast<unsigned>(kBits[j])) +
                         std::popcount(static_cast<unsigned>(kBits[mirror])));
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
