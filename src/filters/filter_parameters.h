#pragma once
// Tidying of the filter parameter texts: the value actually used, and the text that shows it.
#include <string>
#include <string_view>

namespace linklab {

// The ranges the design holds the parameters to.
inline constexpr double kMinExcessBandwidth = 1.0;  // percent
inline constexpr double kMaxExcessBandwidth = 100.0;
inline constexpr double kMinBandwidth = 0.1;  // kHz
inline constexpr double kMaxBandwidth = 6.0;

// The roundings the design applies before it clamps: whole percent, Int(x + 0.5), and
// hundredths, Int(x * 100 + 0.5) / 100.
double roundExcessBandwidth(double percent);
double roundBandwidth(double bandwidth);

// Excess bandwidth in whole percent, 1 .. 100: Int(Val(text) + 0.5), clamped.
int tidyExcessBandwidth(std::string_view text);
// The percent as plain decimal text ("35").
std::string excessBandwidthText(int percent);

// Bandwidth in hundredths, 0.10 .. 6.00: Int(Val(text) * 100 + 0.5) / 100, clamped, rounded again.
double tidyBandwidth(std::string_view text);
// The bandwidth with exactly two decimals and a leading "0." below 1 ("0.50", "2.00").
std::string bandwidthText(double bandwidth);

}  // namespace linklab
