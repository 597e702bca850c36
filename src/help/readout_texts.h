#pragma once
// How each readout is measured, in the words its tooltip shows.
namespace linklab::readout_help {

extern const char* const kEbN0;
extern const char* const kEvm;
extern const char* const kEvmPeak;
extern const char* const kSer;
extern const char* const kBer;
extern const char* const kEye;
extern const char* const kQFactor;
extern const char* const kOccupiedBandwidth;
extern const char* const kOutOfBand;
extern const char* const kReset;

}  // namespace linklab::readout_help
