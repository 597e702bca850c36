#pragma once
// The RF power amplifier: a memoryless complex-envelope model with amplitude distortion (AM/AM)
// and an amplitude-dependent phase shift (AM/PM).
#include <span>

namespace linklab {

// Output amplitude for input amplitude r: 0.16 r^2 + r - 0.16 below 0.4 (negative, so reversed,
// below about 0.156), r itself up to 1, r - r^2/5 + r^3/5 from 1 on.
double amplifierAmplitude(double r);

// Output phase for input phase phi and amplitude r, output amplitude a: phi - (1 - r/(a+0.001))^2.
// Where a + 0.001 is exactly 0 the phase term has no value and is left out.
double amplifierPhase(double phi, double r, double a);

// signal:       block of 4096 complex samples interleaved, distorted in place; samples 0..31 and
//               4064..4095 (the first and last symbol) are left alone
// symbolOffset: samples by which the Q rail lags the I rail (16 for OQPSK), so the I of sample i
//               and the Q of sample i + symbolOffset are amplified together; held to -32 .. 32 so
//               that rail stays inside the block
void amplify(std::span<double> signal, int symbolOffset);

}  // namespace linklab
