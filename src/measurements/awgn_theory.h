#pragma once
// Symbol and bit error rates of each keying's nearest-point decisions in additive white Gaussian
// noise, Gray-coded as the modulator maps them.
#include "transmitter/modulator.h"

namespace linklab {

// Q(x): the probability that a unit normal variate exceeds x.
double qFunction(double x);

struct ErrorRates {
  double ser = 0, ber = 0;
};

// ebN0: Eb/N0 as a ratio (not dB), +inf allowed. NaN rates for keyings without decisions.
//  two levels (OOK, 50% AM, BPSK): Q(sqrt(d^2 Es/N0 / (2 Es))), d the distance of the levels
//  QPSK, OQPSK, pi/4-SQPSK: per rail p = Q(sqrt(2 Eb/N0)); SER 1 - (1-p)^2, BER p
//  8-PSK: the received phase's density summed over each decision sector (exact), bit errors
//         weighted by the Gray distance of each sector
//  16-QAM: per rail p = 3/2 Q(x), x = sqrt(Es/N0 / 5); SER 1 - (1-p)^2,
//          BER (3 Q(x) + 2 Q(3x) - Q(5x)) / 4
ErrorRates awgnErrorRates(Modulation mod, double ebN0);

}  // namespace linklab
