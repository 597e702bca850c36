// The setup as a link fragment, for a page address or a message: `#linklab=1&name=value&...`.
#include <optional>
#include <string>

#include "setups/setup_text.h"

namespace linklab {

namespace {

constexpr std::string_view kVersionKey = "linklab";

bool plain(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '(' || c == ')';
}

std::string encode(std::string_view text) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (plain(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decoded text, or nothing when a '%' is not followed by two hex digits.
std::optional<std::string> decode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

}  // namespace

std::string formatSetupLink(const Setup& setup) {
  std::string link = "#" + std::string(kVersionKey) + "=" + std::to_string(SetupVersion);
  for (const SetupEntry& e : setup.entries) link += "&" + encode(e.name) + "=" + encode(e.value);
  if (!setup.locked.empty()) link += "&lock=" + encode(joinedNames(setup.locked, ","));
  if (!setup.hidden.empty()) link += "&hide=" + encode(joinedNames(setup.hidden, ","));
  return link;
}

SetupParse parseSetupLink(std::string_view fragment) {
  // A whole address is read from its fragment on.
  if (const auto hash = fragment.find('#'); hash != std::string_view::npos) fragment.remove_prefix(hash + 1);
  while (!fragment.empty() && (fragment.back() == '\n' || fragment.back() == '\r' || fragment.back() == ' '))
    fragment.remove_suffix(1);
  Setup setup;
  int number = 0;
  std::size_t start = 0;
  do {
    const auto amp = fragment.find('&', start);
    const std::string_view pair = fragment.substr(start, amp == std::string_view::npos ? amp : amp - start);
    start = amp == std::string_view::npos ? fragment.size() + 1 : amp + 1;
    ++number;
    const auto eq = pair.find('=');
    const auto name = decode(pair.substr(0, eq));
    const auto value = decode(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1));
    if (!name || !value) return {std::nullopt, setupError(number, "a '%' without two hex digits", pair)};
    if (value->find('\n') != std::string::npos)
      return {std::nullopt, setupError(number, "a value cannot hold a line break", pair)};
    if (number == 1) {
      if (*name != kVersionKey || eq == std::string_view::npos)
        return {std::nullopt, setupError(1, "not a LinkLab setup link: it should start with 'linklab=1'", pair)};
      if (auto why = checkSetupVersion(*value); !why.empty()) return {std::nullopt, why};
      continue;
    }
    if (pair.empty()) continue;  // a stray '&'
    if (eq == std::string_view::npos) return {std::nullopt, setupError(number, "expected 'name=value'", pair)};
    if (auto why = isSetupLimit(*name) ? addSetupLimit(setup, number, *name, *value)
                                       : addSetupEntry(setup, number, *name, *value);
        !why.empty())
      return {std::nullopt, why};
  } while (start <= fragment.size());
  return {std::move(setup), {}};
}

}  // namespace linklab
