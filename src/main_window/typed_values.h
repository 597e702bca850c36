#pragma once
// Which typed texts a numeric field takes. The window and the web page refuse the rest at once
// and put the field back to its last good value, so a typing slip never reaches the link as a
// silent 0 or as an absurd number. A value in range that the filter design tidies (0.123 kHz to
// 0.12, 35.6 % to 36) is taken and tidied as before.
#include <optional>
#include <string>
#include <string_view>

namespace linklab {

enum class TypedField { NoiseLevel, Bandwidth, ExcessBandwidth, Subcarriers, FskIndex };

// The number a text spells when it is nothing but a decimal number: blanks around it, an
// optional sign, digits with an optional point, an optional exponent. Nothing for any other
// text: empty, "nan", "inf", trailing junk, or a magnitude beyond a double's range.
std::optional<double> typedNumber(std::string_view text);

// Empty when the field takes the text; otherwise why not, one sentence for the user naming the
// range. Ranges: noise level 0 .. 1000 W/kHz or "None"; bandwidth 0.10 .. 6.00 kHz after rounding
// to hundredths; excess bandwidth 1 .. 100 % after rounding to whole percent; subcarriers 1 .. 128
// after rounding to a whole count; FSK index 1/6 .. 5, the slider's range.
std::string typedRefusal(TypedField field, std::string_view text);

}  // namespace linklab
