#pragma once
// The entries of every drop-down list, in list order, and the text each shows after filling.
// Readers compare list texts with these names exactly.
#include <array>
#include <string_view>

namespace linklab::catalogue {

extern const std::array<std::string_view, 6> kData;
extern const std::array<std::string_view, 10> kModulations;
// The five filters both ends offer; the sixth entry differs (transmit OFDM, receive Matched).
extern const std::array<std::string_view, 5> kFilters;
inline constexpr std::string_view kTxOnlyFilter = "OFDM";
inline constexpr std::string_view kRxOnlyFilter = "Matched";
extern const std::array<std::string_view, 7> kBandwidths;
extern const std::array<std::string_view, 5> kExcessBandwidths;
extern const std::array<std::string_view, 5> kSubcarriers;
extern const std::array<std::string_view, 7> kNoise;
extern const std::array<std::string_view, 7> kMultipathDelay;
extern const std::array<std::string_view, 6> kMultipathMag;
extern const std::array<std::string_view, 4> kScenes;
extern const std::array<std::string_view, 2> kNonlinear;

inline constexpr std::string_view kDataDefault = "Random Data";
inline constexpr std::string_view kModDefault = "BPSK";
inline constexpr std::string_view kFilterDefault = "Steep Cutoff";
inline constexpr std::string_view kBandwidthDefault = "2";
inline constexpr std::string_view kExcessBandwidthDefault = "50";
inline constexpr std::string_view kSubcarriersDefault = "4";
inline constexpr std::string_view kNoiseDefault = "None";
inline constexpr std::string_view kMultipathDelayDefault = "0.0";
inline constexpr std::string_view kMultipathMagDefault = "0";
inline constexpr std::string_view kSceneDefault = "Modulation";
inline constexpr std::string_view kNonlinearDefault = "Linear";

}  // namespace linklab::catalogue
