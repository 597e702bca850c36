#include "setups/setup_text.h"

#include <charconv>

#include "setups/setup_settings.h"

namespace linklab {

namespace {

std::string versionError(std::string_view line) {
  const std::string_view text = trimmedLine(line);
  if (!text.starts_with(SetupHeader))
    return setupError(1, "not a LinkLab setup: the first line should be 'linklab setup 1'", lineFirstWord(text));
  return checkSetupVersion(trimmedLine(text.substr(SetupHeader.size())));
}

}  // namespace

std::string_view trimmedLine(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string_view lineFirstWord(std::string_view line, std::string_view ends) {
  line = trimmedLine(line);
  const auto end = line.find_first_of(ends);
  return end == std::string_view::npos || end == 0 ? line : line.substr(0, end);
}

std::string checkSetupVersion(std::string_view number) {
  int version = 0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), version);
  if (number.empty() || ec != std::errc() || ptr != number.data() + number.size() || version < 1)
    return setupError(1, "the version should be a whole number from 1", number);
  if (version > SetupVersion)
    return setupError(1, "version " + std::string(number) + " is newer than this LinkLab reads (" +
                             std::to_string(SetupVersion) + ")", number);
  return {};
}

const SetupEntry* Setup::find(std::string_view name) const {
  for (const SetupEntry& e : entries)
    if (e.name == name) return &e;
  return nullptr;
}

std::string setupError(int line, std::string_view what, std::string_view token) {
  // A message box has no room for a whole line of junk; the start of it shows where.
  constexpr std::size_t kLongest = 60;
  const std::string shown =
      token.size() > kLongest ? std::string(token.substr(0, kLongest - 3)) + "..." : std::string(token);
  return "line " + std::to_string(line) + ": " + std::string(what) + " near '" + shown + "'";
}

SetupParse parseSetupText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark some editors add
  Setup setup;
  int number = 0;
  bool sawVersion = false;
  while (!text.empty() || !sawVersion) {
    const auto end = text.find('\n');
    const std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!sawVersion) {
      if (auto why = versionError(raw); !why.empty()) return {std::nullopt, why};
      sawVersion = true;
      continue;
    }
    const std::string_view line = trimmedLine(raw);
    if (line.empty() || line.front() == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
      return {std::nullopt, setupError(number, "expected 'name = value'", lineFirstWord(line))};
    const std::string_view name = trimmedLine(line.substr(0, eq));
    const std::string_view value = trimmedLine(line.substr(eq + 1));
    if (auto why = isSetupLimit(name) ? addSetupLimit(setup, number, name, value)
                                      : addSetupEntry(setup, number, name, value);
        !why.empty())
      return {std::nullopt, why};
  }
  return {std::move(setup), {}};
}

std::string addSetupEntry(Setup& setup, int line, std::string_view name, std::string_view value) {
  const SetupSetting* setting = findSetupSetting(name);
  if (!setting) return setupError(line, "unknown setting", name);
  if (setup.find(name)) return setupError(line, "set a second time", name);
  if (auto why = checkSetupValueForm(*setting, value); !why.empty())
    return setupError(line, why, value.empty() ? name : value);
  setup.entries.push_back({std::string(name), std::string(value), line});
  return {};
}

bool isSetupLimit(std::string_view name) { return name == "lock" || name == "hide"; }

std::string addSetupLimit(Setup& setup, int line, std::string_view limit, std::string_view names) {
  auto& list = limit == "lock" ? setup.locked : setup.hidden;
  if (trimmedLine(names).empty()) return setupError(line, std::string(limit) + " needs the names of settings", limit);
  while (true) {
    const auto comma = names.find(',');
    const std::string_view name = trimmedLine(names.substr(0, comma));
    if (!findSetupSetting(name)) return setupError(line, "unknown setting", name);
    bool listed = false;
    for (const std::string& n : list) listed = listed || n == name;
    if (!listed) list.emplace_back(name);
    if (comma == std::string_view::npos) return {};
    names.remove_prefix(comma + 1);
  }
}

std::string joinedNames(const std::vector<std::string>& names, std::string_view separator) {
  std::string joined;
  for (const std::string& n : names) joined += (joined.empty() ? "" : std::string(separator)) + n;
  return joined;
}

std::string formatSetupText(const Setup& setup) {
  std::string text = std::string(SetupHeader) + " " + std::to_string(SetupVersion) + "\n";
  for (const SetupEntry& e : setup.entries) text += e.name + " = " + e.value + "\n";
  if (!setup.locked.empty()) text += "lock = " + joinedNames(setup.locked, ", ") + "\n";
  if (!setup.hidden.empty()) text += "hide = " + joinedNames(setup.hidden, ", ") + "\n";
  return text;
}

}  // namespace linklab
