#include "measurements/constellations.h"

#include <cmath>

namespace linklab {

namespace {

constexpr double kDiag = 1.0 / kDiagonalDivisor;

PointSet binary(double low, double high) {
  PointSet set;
  set.count = 2;
  set.bitsPerSymbol = 1;
  set.i = {low, high};
  set.bits = {0, 1};
  return set;
}

// Bit 1 on a rail sends +1/c, bit 0 sends -1/c; the first bit rides on I.
PointSet diagonalQuad() {
  PointSet set;
  set.count = 4;
  set.bitsPerSymbol = 2;
  for (int v = 0; v < 4; ++v) {
    set.i[v] = (v & 2) ? kDiag : -kDiag;
    set.q[v] = (v & 1) ? kDiag : -kDiag;
    set.bits[v] = static_cast<uint8_t>(v);
  }
  return set;
}

// The odd symbols of pi/4-SQPSK: each diagonal point turned by +45 degrees.
PointSet axisQuad() {
  PointSet set;
  set.count = 4;
  set.bitsPerSymbol = 2;
  set.i = {0, -1, 1, 0};
  set.q = {-1, 0, 0, 1};
  set.bits = {0, 1, 2, 3};
  return set;
}

PointSet psk8() {
  // Gray code around the circle: the bits of the point at 0, 45, 90 ... 315 degrees.
  static constexpr uint8_t kBits[8] = {0, 1, 3, 2, 6, 7, 5, 4};
  static constexpr double kI[8] = {1, kDiag, 0, -kDiag, -1, -kDiag, 0, kDiag};
  static constexpr double kQ[8] = {0, kDiag, 1, kDiag, 0, -kDiag, -1, -kDiag};
  PointSet set;
  set.count = 8;
  set.bitsPerSymbol = 3;
  for (int p = 0; p < 8; ++p) {
    set.i[p] = kI[p];
    set.q[p] = kQ[p];
    set.bits[p] = kBits[p];
  }
  return set;
}

PointSet qam16() {
  PointSet set;
  set.count = 16;
  set.bitsPerSymbol = 4;
  for (int v = 0; v < 16; ++v) {
    const int b0 = (v >> 3) & 1, b1 = (v >> 2) & 1, b2 = (v >> 1) & 1, b3 = v & 1;
    set.i[v] = (b1 == 0 ? 1.0 : -1.0) * (b3 == 1 ? 1.0 : 1.0 / 3);
    set.q[v] = (b0 == 0 ? 1.0 : -1.0) * (b2 == 1 ? 1.0 : 1.0 / 3);
    set.bits[v] = static_cast<uint8_t>(v);
  }
  return set;
}

}  // namespace

bool makesDecisions(Modulation mod, bool ofdm) {
  if (ofdm) return false;
  switch (mod) {
    case Modulation::OOK: case Modulation::AM50: case Modulation::BPSK: case Modulation::QPSK:
    case Modulation::OQPSK: case Modulation::Pi4SQPSK: case Modulation::PSK8: case Modulation::QAM16:
      return true;
    default:
      return false;
  }
}

PointSet pointSet(Modulation mod, int symbol) {
  switch (mod) {
    case Modulation::OOK: return binary(0, 1);
    case Modulation::AM50: return binary(0.5, 1);
    case Modulation::BPSK: return binary(-1, 1);
    case Modulation::QPSK: case Modulation::OQPSK: return diagonalQuad();
    case Modulation::Pi4SQPSK: return (symbol % 2 == 0) ? diagonalQuad() : axisQuad();
    case Modulation::PSK8: return psk8();
    case Modulation::QAM16: return qam16();
    default: return {};
  }
}

double constellationRms(Modulation mod) {
  const PointSet set = pointSet(mod, 0);
  if (set.count == 0) return 0;
  double sum = 0;
  for (int p = 0; p < set.count; ++p) sum += set.i[p] * set.i[p] + set.q[p] * set.q[p];
  return std::sqrt(sum / set.count);
}

int nearestPoint(const PointSet& set, double i, double q) {
  int best = 0;
  double bestDistance = INFINITY;
  for (int p = 0; p < set.count; ++p) {
    const double di = i - set.i[p], dq = q - set.q[p];
    const double d = di * di + dq * dq;
    if (d < bestDistance) {
      bestDistance = d;
      best = p;
    }
  }
  return best;
}

RailLevels railLevels(Modulation mod, bool quadrature) {
  switch (mod) {
    case Modulation::OOK: return quadrature ? RailLevels{} : RailLevels{2, {0, 1}};
    case Modulation::AM50: return quadrature ? RailLevels{} : RailLevels{2, {0.5, 1}};
    case Modulation::BPSK: return quadrature ? RailLevels{} : RailLevels{2, {-1, 1}};
    case Modulation::QPSK: case Modulation::OQPSK: return {2, {-kDiag, kDiag}};
    case Modulation::QAM16: return {4, {-1, -1.0 / 3, 1.0 / 3, 1}};
    default: return {};
  }
}

}  // namespace linklab
