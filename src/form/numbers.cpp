#include "form/numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace linklab {

namespace {
template <typename T>
T roundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  const double lo = std::numeric_limits<T>::min();
  const double hi = std::numeric_limits<T>::max();
  if (x <= lo) return std::numeric_limits<T>::min();
  if (x >= hi) return std::numeric_limits<T>::max();
  return static_cast<T>(std::nearbyint(x));  // default rounding mode is to nearest, ties to even
}
}  // namespace

double Int(double x) { return std::floor(x); }

int16_t CInt(double x) { return roundHalfEven<int16_t>(x); }

int32_t CLng(double x) { return roundHalfEven<int32_t>(x); }

double Val(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < n && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
    number += text[i++];
    digits = true;
  }
  if (i < n && text[i] == '.') {
    number += text[i++];
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < n && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool expDigits = false;
    while (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) {
      exponent += text[j++];
      expDigits = true;
    }
    if (expDigits) number += exponent;
  }
  double v = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(v)) v = v > 0 ? DBL_MAX : -DBL_MAX;
  return v;
}

std::string Str(double x) {
  if (x == 0.0) return "0";  // also turns -0 into 0
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", x);
  return buffer;
}

}  // namespace linklab
