#pragma once
// The settings a user can change, in the order that applies them: a setting comes after every
// setting whose rules can change it or hide it (the scene first, the transmitter before the
// receiver, the passband box before the carrier slider, pause last).
#include <span>
#include <string>
#include <string_view>

namespace linklab {

class Form1;

struct SetupSetting {
  enum class Kind { List, Slider, Check, Pause };
  std::string_view name;  // the control's name as the batch runner prints it
  Kind kind;
};

std::span<const SetupSetting> setupSettings();
const SetupSetting* findSetupSetting(std::string_view name);

// Empty when the text has the form the setting's kind takes (a whole number for a slider, 0 or 1
// for a box), else what is wrong with it.
std::string checkSetupValueForm(const SetupSetting& setting, std::string_view value);

// The setting's value as a setup writes it.
std::string readSetupSetting(const Form1& form, const SetupSetting& setting);
// Whether the user can reach the setting's control in the form's present state.
bool setupSettingShown(const Form1& form, const SetupSetting& setting);
// Changes the setting as the user's action would (its change event runs); empty on success, else
// why the value cannot be set now (not an entry of the list, out of the slider's range).
std::string applySetupSetting(Form1& form, const SetupSetting& setting, std::string_view value);

}  // namespace linklab
