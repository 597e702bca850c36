#pragma once
// The measurement procedures a script can call: `call measureErrorRate FROM TO STEP` (one line a
// point: EBN0 SYMBOLS SYMBOL_ERRORS BITS BIT_ERRORS SER BER SER_THEORY BER_THEORY) and
// `call restartCounts`.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace linklab {

class Form1;

// nullopt when proc is not one of these; otherwise "" on success or the reason it failed.
std::optional<std::string> callMeasurement(Form1& form, std::string_view proc,
                                           const std::vector<std::string_view>& args, std::ostream& out);

}  // namespace linklab
