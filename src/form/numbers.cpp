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
  // Copies the leading number into a small buffer: no allocation whatever the text's length.
  char number[72];
  std::size_t length = 0;
  auto put = [&](char c) {
    if (length + 1 < sizeof number) number[length++] = c;
  };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) put(text[i++]);
  bool digits = false;
  while (i < n && digit(text[i])) {
    put(text[i++]);
    digits = true;
  }
  if (i < n && text[i] == '.') {
    put(text[i++]);
    while (i < n && digit(text[i])) {
      put(text[i++]);
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i + 1 < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const std::size_t mark = length;
    put('e');
    if (j < n && (text[j] == '+' || text[j] == '-')) put(text[j++]);
    bool expDigits = false;
    while (j < n && digit(text[j])) {
      put(text[j++]);
      expDigits = true;
    }
    if (!expDigits) length = mark;
  }
  number[length] = '\0';
  double v = std::strtod(number, nullptr);
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
