#include "setups/setup_settings.h"

#include <array>
#include <algorithm>
#include <charconv>
#include <optional>

#include "main_window/form1.h"

namespace linklab {

namespace {

using Kind = SetupSetting::Kind;

constexpr std::array<SetupSetting, 27> kSettings{{
    {"cmbScene", Kind::List},        {"cmbData", Kind::List},         {"cmbMod(0)", Kind::List},
    {"cmbFilter(0)", Kind::List},    {"cmbTxEB(0)", Kind::List},      {"cmbTxBW(0)", Kind::List},
    {"cmbTxSC(0)", Kind::List},      {"cmbFilter(1)", Kind::List},    {"cmbTxEB(1)", Kind::List},
    {"cmbTxBW(1)", Kind::List},      {"cmbTxSC(1)", Kind::List},      {"cmbNonlinear", Kind::List},
    {"cmbNoise", Kind::List},        {"vscFSK", Kind::Slider},        {"hscSample", Kind::Slider},
    {"vscTxEyeScale", Kind::Slider}, {"vscYThreshold", Kind::Slider}, {"chkLinear", Kind::Check},
    {"chkMemory", Kind::Check},      {"vscSpectrumRange", Kind::Slider}, {"hscSpectrum", Kind::Slider},
    {"hscDataZoom", Kind::Slider},   {"hscDataScroll", Kind::Slider}, {"chkPassband", Kind::Check},
    {"hscCarrier", Kind::Slider},    {"vscFreq", Kind::Slider},       {"cmdPause", Kind::Pause},
}};

std::optional<int> wholeNumber(std::string_view text) {
  int v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return v;
}

bool paused(const Form1& form) { return !form.Timer1.Enabled; }

}  // namespace

std::span<const SetupSetting> setupSettings() { return kSettings; }

const SetupSetting* findSetupSetting(std::string_view name) {
  for (const SetupSetting& s : kSettings)
    if (s.name == name) return &s;
  return nullptr;
}

std::string checkSetupValueForm(const SetupSetting& setting, std::string_view value) {
  switch (setting.kind) {
    case Kind::List: return value.empty() ? std::string(setting.name) + " needs a value" : std::string();
    case Kind::Slider:
      return wholeNumber(value) ? std::string() : std::string(setting.name) + " takes a whole number";
    case Kind::Check:
    case Kind::Pause:
      return value == "0" || value == "1" ? std::string() : std::string(setting.name) + " takes 0 or 1";
  }
  return {};
}

std::string readSetupSetting(const Form1& form, const SetupSetting& setting) {
  if (setting.kind == Kind::Pause) return paused(form) ? "1" : "0";
  const Control* control = form.findControl(setting.name);
  switch (setting.kind) {
    case Kind::List: return static_cast<const ComboBox*>(control)->Text();
    case Kind::Slider: return std::to_string(static_cast<const Slider*>(control)->Value());
    case Kind::Check: return std::to_string(static_cast<const CheckBox*>(control)->Value());
    case Kind::Pause: break;
  }
  return {};
}

bool setupSettingShown(const Form1& form, const SetupSetting& setting) {
  const Control* control = form.findControl(setting.name);
  return control->Visible && control->Enabled;
}

std::string applySetupSetting(Form1& form, const SetupSetting& setting, std::string_view value) {
  if (setting.kind == Kind::Pause) {
    if (paused(form) != (value == "1")) form.cmdPause.click();
    return {};
  }
  Control* control = form.findControl(setting.name);
  switch (setting.kind) {
    case Kind::List: {
      auto& list = static_cast<ComboBox&>(*control);
      if (!list.Editable && list.indexOf(value) < 0)
        return "'" + std::string(value) + "' is not offered by " + std::string(setting.name) + " here";
      list.setText(value);
      return {};
    }
    case Kind::Slider: {
      auto& slider = static_cast<Slider&>(*control);
      const int v = wholeNumber(value).value_or(0);
      const int lo = std::min(slider.Min(), slider.Max()), hi = std::max(slider.Min(), slider.Max());
      if (v < lo || v > hi)
        return std::string(setting.name) + " takes " + std::to_string(lo) + " to " + std::to_string(hi) + " here";
      slider.setValue(v);
      return {};
    }
    case Kind::Check: static_cast<CheckBox&>(*control).setValue(value == "1" ? 1 : 0); return {};
    case Kind::Pause: break;
  }
  return {};
}

}  // namespace linklab
