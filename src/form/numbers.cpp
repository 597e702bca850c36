#include "form/numbers.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

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

// std::from_chars for a double, where the standard library has it. Older libraries (the libc++
// of Debian's emscripten) lack it; strtod on a terminated copy reads the same digits, and an
// overflow to infinity or an underflow to zero reports out of range as from_chars does.
std::from_chars_result readDouble(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
  return std::from_chars(first, last, value);
#else
  const std::string digits(first, last);
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(digits.c_str(), &end);
  const char* stop = first + (end - digits.c_str());
  if (stop == first) return {first, std::errc::invalid_argument};
  if (errno == ERANGE && (std::isinf(v) || v == 0)) return {stop, std::errc::result_out_of_range};
  value = v;
  return {stop, std::errc()};
#endif
}


double Int(double x) { return std::floor(x); }

int16_t CInt(double x) { return roundHalfEven<int16_t>(x); }

int32_t CLng(double x) { return roundHalfEven<int32_t>(x); }

double Val(std::string_view text) {
  // Finds the extent of the leading number, then converts it where it stands: any length is
  // read whole, and nothing is copied or allocated.
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < n && text[i] == '+') ++i;  // the converter takes no plus sign
  const std::size_t start = i;
  if (i < n && text[i] == '-') ++i;
  bool digits = false;
  int integerDigits = 0;  // significant digits before the point
  int leadingFractionZeros = 0;
  while (i < n && digit(text[i])) {
    if (integerDigits > 0 || text[i] != '0') ++integerDigits;
    ++i;
    digits = true;
  }
  if (i < n && text[i] == '.') {
    ++i;
    bool significant = integerDigits > 0;
    while (i < n && digit(text[i])) {
      if (!significant && text[i] == '0') ++leadingFractionZeros;
      significant = significant || text[i] != '0';
      ++i;
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i + 1 < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && digit(text[j])) {
      while (j < n && digit(text[j])) ++j;
      i = j;
    }
  }
  double v = 0;
  const char* first = text.data() + start;
  const auto [end, error] = readDouble(first, text.data() + i, v);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: the decimal magnitude decides which.
    const char* e = std::find_if(first, end, [](char c) { return c == 'e' || c == 'E'; });
    double exponent = 0;
    if (e != end) {
      const char* from = e + 1 + (e[1] == '+');
      if (readDouble(from, end, exponent).ec != std::errc()) exponent = *from == '-' ? -1e300 : 1e300;
    }
    const double magnitude = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
    const bool negative = *first == '-';
    if (magnitude > 0) return negative ? -DBL_MAX : DBL_MAX;
    return negative ? -0.0 : 0.0;
  }
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
