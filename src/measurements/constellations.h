#pragma once
// The ideal points each keying sends, with the bits each point carries, and the nearest-point
// decision against them. Only the keyings whose symbols sit still at the sampling instant decide;
// the frequency keyings and OFDM carry no point there.
#include <array>
#include <cstdint>

#include "transmitter/modulator.h"

namespace linklab {

struct PointSet {
  int count = 0;                  // 2, 4, 8 or 16; 0 when the keying makes no decisions
  int bitsPerSymbol = 0;          // 1 .. 4
  std::array<double, 16> i{};     // in-phase value of point p
  std::array<double, 16> q{};     // quadrature value of point p
  std::array<uint8_t, 16> bits{}; // the bits of point p, first bit sent in the highest place
};

// True for the keyings that make symbol decisions (not FSK, MSK, an unknown name, nor any keying
// carried on OFDM subcarriers).
bool makesDecisions(Modulation mod, bool ofdm);

// The point set symbol `symbol` (0 .. 127) is sent from; pi/4-SQPSK alternates between the
// diagonal set (even symbols) and the axis set (odd symbols). Empty for keyings without decisions.
PointSet pointSet(Modulation mod, int symbol);

// RMS magnitude of the keying's constellation, all points equally likely (pi/4-SQPSK: 1).
// 0 for keyings without decisions.
double constellationRms(Modulation mod);

// Index of the point nearest to (i, q); ties go to the lower index. set.count must be > 0.
int nearestPoint(const PointSet& set, double i, double q);

// The levels a rail takes, for the keyings whose rails take levels (OOK, 50% AM, BPSK on I only;
// QPSK and OQPSK on both; 16-QAM four levels on both). count 0: the rail takes no levels.
struct RailLevels {
  int count = 0;
  std::array<double, 4> level{};  // ascending
};
RailLevels railLevels(Modulation mod, bool quadrature);

}  // namespace linklab
