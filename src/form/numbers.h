#pragma once
// The number conventions of the simulator: floor, rounding with halves to even into 16 and 32 bits,
// the leading number of a text and the plain number-to-text conversion. Every procedure uses these
// so that rounding agrees everywhere.
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace linklab {

// Largest whole number not above x.
double Int(double x);

// Nearest whole number, halves to the even neighbour, saturated to the 16-bit range
// (NaN gives 0) so that no input can overflow.
int16_t CInt(double x);

// As CInt, into 32 bits.
int32_t CLng(double x);

// The number at the start of a text (leading blanks skipped, optional sign, digits, point,
// exponent); 0 when the text does not begin with a number. Always finite.
double Val(std::string_view text);

// A number as plain decimal text without a leading blank: 1, 0.5, 0.166666666666667, -2.5.
std::string Str(double x);

// std::from_chars for a double on every standard library this program builds with: the digits
// from first to last, the stop and the error as from_chars gives them.
std::from_chars_result readDouble(const char* first, const char* last, double& value);

}  // namespace linklab
