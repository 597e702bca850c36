#include "help/readout_texts.h"

namespace linklab::readout_help {

const char* const kEbN0 =
    "Energy per bit of the transmitted signal over the density of the noise the channel added, "
    "both measured from this run's samples. In brackets the value the decisions see: the gain of "
    "the received points and the noise after the receive filter, at the sampling instant, pooled "
    "over the runs the error counts cover.";
const char* const kEvm =
    "Error vector magnitude: RMS distance of the scatter's sampled points from the ideal point "
    "each symbol was sent as, over the RMS of the constellation, read where the in-phase eye's "
    "marker stands (for OQPSK too, whose scatter shows the in-phase rail half a symbol away). "
    "A dash for FSK, MSK and OFDM, which have no point at the sampling instant.";
const char* const kSer =
    "Symbol error rate: every symbol decided for the nearest ideal point, counted since the "
    "pictures were last cleared or the counts reset. With no error the rate is below one error "
    "in the count. Theory: additive white Gaussian noise at the effective Eb/N0.";
const char* const kBer =
    "Bit error rate: the decided points turned back into bits through the modulation's own "
    "Gray mapping and compared with the bits sent. Theory as for the symbol error rate.";
const char* const kEye =
    "Eye opening at the sampling instant: for each pair of neighbouring levels, the lowest "
    "sample sent at the upper level minus the highest sent at the lower, as a share of their "
    "spacing; the worse rail counts. Negative when the eye is closed. A dash where the rails "
    "take no levels (8-PSK, pi/4-SQPSK, FSK, MSK, OFDM).";
const char* const kOccupiedBandwidth =
    "Two-sided width holding 99 % of the power of the averaged transmit spectrum, in kHz on the "
    "scale of the bandwidth lists (1 kHz is the bit rate).";
const char* const kOutOfBand =
    "Power of the averaged transmit spectrum where the transmit filter's response is below "
    "-60 dB, relative to the total. The non-linear amplifier's spectral regrowth shows here. "
    "A dash when the filter passes every frequency.";
const char* const kReset = "Start the error counts again.";

}  // namespace linklab::readout_help
