#include "setups/setup_apply.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "main_window/form1.h"
#include "setups/setup_settings.h"

namespace linklab {

namespace {

std::unique_ptr<Form1> startUpForm() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

std::vector<std::string> readAll(const Form1& form) {
  std::vector<std::string> values;
  for (const SetupSetting& s : setupSettings()) values.push_back(readSetupSetting(form, s));
  return values;
}

// Each setting of the setup in dependency order, through the handlers a user's change runs.
std::string applyEntries(Form1& form, const Setup& setup) {
  for (const SetupSetting& s : setupSettings()) {
    const SetupEntry* entry = setup.find(s.name);
    if (!entry) continue;
    if (!setupSettingShown(form, s))
      return setupError(entry->line, std::string(s.name) + " is hidden with this scene and these choices", s.name);
    if (auto why = applySetupSetting(form, s, entry->value); !why.empty())
      return setupError(entry->line, why, entry->value);
  }
  return {};
}

// The program's start-up again, and the settings it leaves alone (sliders, boxes, pause) back at
// their start-up values. The lists are all at theirs by then, so no rule runs in a scene where a
// user could not have set it off.
void resetToStartUp(Form1& form, const std::vector<std::string>& startUp) {
  form.Form_Load();
  const auto settings = setupSettings();
  for (std::size_t i = 0; i < settings.size(); ++i)
    if (readSetupSetting(form, settings[i]) != startUp[i]) applySetupSetting(form, settings[i], startUp[i]);
}

}  // namespace

Setup captureSetup(const Form1& form) {
  const auto scratch = startUpForm();
  Setup setup;
  for (const SetupSetting& s : setupSettings()) {
    if (!setupSettingShown(form, s)) continue;
    const std::string value = readSetupSetting(form, s);
    if (readSetupSetting(*scratch, s) == value) continue;
    setup.entries.push_back({std::string(s.name), value, 0});
    applySetupSetting(*scratch, s, value);
  }
  for (const SetupSetting& s : setupSettings()) {
    const Control* control = form.findControl(s.name);
    if (control->setupLocked) setup.locked.emplace_back(s.name);
    if (control->setupHidden) setup.hidden.emplace_back(s.name);
  }
  return setup;
}

std::string setupText(const Form1& form) { return formatSetupText(captureSetup(form)); }
std::string setupLink(const Form1& form) { return formatSetupLink(captureSetup(form)); }

std::string applySetup(Form1& form, const Setup& setup) {
  const auto scratch = startUpForm();
  const std::vector<std::string> startUp = readAll(*scratch);
  if (auto why = applyEntries(*scratch, setup); !why.empty()) return why;
  // A later setting's rules may have undone an earlier one: such a combination cannot be reached.
  for (const SetupEntry& entry : setup.entries) {
    const std::string now = readSetupSetting(*scratch, *findSetupSetting(entry.name));
    if (now != entry.value)
      return setupError(entry.line, entry.name + " becomes '" + now + "' with the other settings", entry.value);
  }

  // The same steps on the window cannot fail now: it starts where the scratch window started.
  resetToStartUp(form, startUp);
  applyEntries(form, setup);
  // The limits come last, so they never stand in the way of the settings.
  for (const SetupSetting& s : setupSettings()) {
    Control* control = form.findControl(s.name);
    control->setupLocked = std::find(setup.locked.begin(), setup.locked.end(), s.name) != setup.locked.end();
    control->setupHidden = std::find(setup.hidden.begin(), setup.hidden.end(), s.name) != setup.hidden.end();
  }
  return {};
}

std::string openSetup(Form1& form, std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && (text[first] == ' ' || text[first] == '\t' || text[first] == '\n')) ++first;
  const SetupParse parsed =
      first < text.size() && text[first] == '#' ? parseSetupLink(text.substr(first)) : parseSetupText(text);
  if (!parsed.setup) return parsed.error;
  return applySetup(form, *parsed.setup);
}

}  // namespace linklab
