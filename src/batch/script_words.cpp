#include "batch/script_words.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace linklab {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::pair<std::string_view, std::string_view> firstWord(std::string_view s) {
  s = trim(s);
  const auto space = s.find_first_of(" \t");
  if (space == std::string_view::npos) return {s, {}};
  std::string_view rest = s.substr(space);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  return {s.substr(0, space), rest};
}

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> result;
  while (true) {
    auto [word, rest] = firstWord(s);
    if (word.empty()) break;
    result.push_back(word);
    s = rest;
  }
  return result;
}

std::optional<double> number(std::string_view word) {
  if (word.empty()) return std::nullopt;
  const std::string text(word);
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long> wholeNumber(std::string_view word) {
  const auto v = number(word);
  if (!v || *v != std::floor(*v) || *v < -2147483648.0 || *v > 2147483647.0) return std::nullopt;
  return static_cast<long>(*v);
}

Indexed splitIndex(std::string_view s) {
  const auto open = s.find('(');
  if (open == std::string_view::npos) return {s, std::nullopt, true};
  if (s.back() != ')') return {s, std::nullopt, false};
  const auto index = wholeNumber(s.substr(open + 1, s.size() - open - 2));
  if (!index) return {s, std::nullopt, false};
  return {s.substr(0, open), index, true};
}

std::string formatNumber(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

}  // namespace linklab
