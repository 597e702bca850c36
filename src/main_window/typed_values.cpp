#include "main_window/typed_values.h"

#include <charconv>
#include <cmath>

#include "filters/filter_parameters.h"
#include "form/numbers.h"
#include "transmitter/noise.h"

namespace linklab {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
bool blank(char c) { return c == ' ' || c == '\t'; }

struct Range {
  double lowest, highest;
  const char* sentence;  // the refusal, naming the range as the user reads it
};

Range rangeOf(TypedField field) {
  switch (field) {
    case TypedField::NoiseLevel:
      return {0.0, kMaxNoiseLevel, "The noise level must be None or a number from 0 to 1000 W/kHz."};
    case TypedField::Bandwidth:
      return {kMinBandwidth, kMaxBandwidth, "The bandwidth must be a number from 0.10 to 6.00 kHz."};
    case TypedField::ExcessBandwidth:
      return {kMinExcessBandwidth, kMaxExcessBandwidth,
              "The excess bandwidth must be a number from 1 to 100 %."};
    case TypedField::Subcarriers:
      return {1.0, 128.0, "The number of subcarriers must be a number from 1 to 128."};
    case TypedField::FskIndex:
      return {1.0 / 6.0, 5.0, "The FSK index must be a number from 1/6 (0.167) to 5."};
  }
  return {0.0, 0.0, ""};
}

// The value the link goes on to use, before the range check: the filter design rounds the
// bandwidth to hundredths and the excess bandwidth to whole percent, OFDM rounds the count.
double asUsed(TypedField field, double x) {
  switch (field) {
    case TypedField::Bandwidth: return roundBandwidth(x);
    case TypedField::ExcessBandwidth: return roundExcessBandwidth(x);
    case TypedField::Subcarriers: return std::nearbyint(x);  // halves to even, as CInt
    default: return x;
  }
}

}  // namespace

std::optional<double> typedNumber(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  std::string_view t = text.substr(begin, end - begin);
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);  // the converter takes no plus sign

  // The shape of the number first, so the converter never sees "nan", "inf" or hex.
  std::size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  bool digits = false;
  while (i < t.size() && digit(t[i])) ++i, digits = true;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && digit(t[i])) ++i, digits = true;
  }
  if (!digits) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool exponentDigits = false;
    while (i < t.size() && digit(t[i])) ++i, exponentDigits = true;
    if (!exponentDigits) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;

  double value = 0.0;
  const auto [end_, error] = readDouble(t.data(), t.data() + t.size(), value);
  if (error != std::errc() || end_ != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string typedRefusal(TypedField field, std::string_view text) {
  if (field == TypedField::NoiseLevel && text == "None") return {};
  const Range range = rangeOf(field);
  const std::optional<double> number = typedNumber(text);
  if (!number) return range.sentence;
  const double used = asUsed(field, *number);
  if (!(used >= range.lowest && used <= range.highest)) return range.sentence;
  return {};
}

}  // namespace linklab
