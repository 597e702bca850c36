#include "help/readout_texts.h"

namespace linklab::readout_help {

const char* const kEbN0 =
    "Energy per bit over the noise density of the channel, from the settings: the noise level is "
    "the one-sided density N0 in W/kHz at the bit rate of 1 kbit/s, so Eb/N0 = 10 log10(10 P / N) "
    "dB with P the transmitter's mean power (exact for the linear amplifier, measured over the "
    "counted runs for the non-linear one). Level 1 gives 10 dB for BPSK and QPSK. In brackets the "
    "value the decisions see: the received gain and the noise after the receive filter at the "
    "sampling instant, averaged over the counted symbols. A matched receive filter brings it up "
    "to the channel's; no receive filter gets it higher.";
const char* const kEvm =
    "Error vector magnitude: the RMS distance of this run's scatter points from the ideal point "
    "each symbol was sent as, over the RMS of the constellation; \"> 100 %\" beyond 100 %. For "
    "OQPSK each rail is read at its own symbol centre. A dash for FSK, MSK and OFDM, which have "
    "no point at the sampling instant.";
const char* const kEvmPeak =
    "Peak error vector: the largest single distance of one of this run's scatter points from its "
    "ideal point, over the RMS of the constellation. One bad symbol shows here long before it "
    "moves the RMS figure. A dash where the error vector magnitude has one.";
const char* const kSer =
    "Symbol error rate: every symbol decided for the nearest ideal point, counted since the last "
    "change that cleared the scatter (or Reset counts). With no error yet the rate is below one "
    "error in the count. Theory: additive white Gaussian noise at the channel's Eb/N0, so a "
    "receive filter that is not matched, or none, shows its loss as a rate above theory.";
const char* const kBer =
    "Bit error rate: the decided points turned back into bits through the modulation's own Gray "
    "mapping and compared with the bits sent, counted as the symbol errors are. Theory as for the "
    "symbol error rate: for BPSK 0.5 erfc(sqrt(Eb/N0)), 3.9e-6 at 10 dB.";
const char* const kEye =
    "Eye opening, from the eye as drawn since it was last cleared: for each rail and each pair of "
    "neighbouring levels, (upper mean - 3 sigma) - (lower mean + 3 sigma) over the distance of "
    "the two means; the worst pair of the worse rail counts. On the same samples it is 1 - 3/Q. "
    "It never goes below 0 %: there the strip says \"closed\". A dash where the rails take no "
    "levels (8-PSK, pi/4-SQPSK, FSK, MSK, OFDM).";
const char* const kQFactor =
    "Q-factor of the eye at the sampling instant: (upper mean - lower mean) over (upper sigma + "
    "lower sigma), for the worst pair of neighbouring levels on the worse rail. For a two-level "
    "eye in Gaussian noise the bit error rate is about 0.5 erfc(Q / sqrt 2): Q = 3 gives 1.3e-3, "
    "Q = 6 gives 1e-9. Matched BPSK at 10 dB has Q = sqrt(2 Eb/N0), about 4.5.";
const char* const kOccupiedBandwidth =
    "Two-sided width holding 99 % of the power of the averaged transmit spectrum, in kHz on the "
    "scale of the bandwidth lists (1 kHz is the bit rate).";
const char* const kOutOfBand =
    "Power of the averaged transmit spectrum where the transmit filter's response is below "
    "-60 dB, relative to the total. The non-linear amplifier's spectral regrowth shows here. "
    "A dash when the filter passes every frequency.";
const char* const kReset = "Start the error counts again.";

}  // namespace linklab::readout_help
