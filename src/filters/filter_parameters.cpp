#include "filters/filter_parameters.h"

#include <cstdio>

#include "form/numbers.h"

namespace linklab {

namespace {
double toHundredths(double d) { return Int(d * 100.0 + 0.5) / 100.0; }
}  // namespace

int tidyExcessBandwidth(std::string_view text) {
  double p = Int(Val(text) + 0.5);
  if (p < 1) p = 1;
  if (p > 100) p = 100;
  return static_cast<int>(p);
}

std::string excessBandwidthText(int percent) { return Str(percent); }

double tidyBandwidth(std::string_view text) {
  double d = toHundredths(Val(text));  // an overflow to infinity is clamped just below
  if (d < 0.1) d = 0.1;
  if (d > 6) d = 6;
  return toHundredths(d);
}

std::string bandwidthText(double bandwidth) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", bandwidth);
  return buffer;
}

}  // namespace linklab
