#include "filters/filter_parameters.h"

#include <cstdio>

#include "form/numbers.h"

namespace linklab {

double roundExcessBandwidth(double percent) { return Int(percent + 0.5); }
double roundBandwidth(double bandwidth) { return Int(bandwidth * 100.0 + 0.5) / 100.0; }

int tidyExcessBandwidth(std::string_view text) {
  double p = roundExcessBandwidth(Val(text));
  if (p < kMinExcessBandwidth) p = kMinExcessBandwidth;
  if (p > kMaxExcessBandwidth) p = kMaxExcessBandwidth;
  return static_cast<int>(p);
}

std::string excessBandwidthText(int percent) { return Str(percent); }

double tidyBandwidth(std::string_view text) {
  double d = roundBandwidth(Val(text));  // an overflow to infinity is clamped just below
  if (d < kMinBandwidth) d = kMinBandwidth;
  if (d > kMaxBandwidth) d = kMaxBandwidth;
  return roundBandwidth(d);
}

std::string bandwidthText(double bandwidth) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", bandwidth);
  return buffer;
}

}  // namespace linklab
