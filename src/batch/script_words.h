#pragma once
// Small parsing helpers of the batch runner.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linklab {

std::string_view trim(std::string_view s);
// The first word and the rest of the line (rest trimmed of the blanks that separate it).
std::pair<std::string_view, std::string_view> firstWord(std::string_view s);
std::vector<std::string_view> words(std::string_view s);
// A whole word read as a number, or nothing when it is not one.
std::optional<double> number(std::string_view word);
std::optional<long> wholeNumber(std::string_view word);
// "name(3)" -> ("name", 3); "name" -> ("name", nothing). Malformed indices give ok == false.
struct Indexed {
  std::string_view base;
  std::optional<long> index;
  bool ok = true;
};
Indexed splitIndex(std::string_view s);
std::string formatNumber(double v);

}  // namespace linklab
