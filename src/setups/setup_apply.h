#pragma once
// Writing a window's settings as a setup, and reading one back into a window, all or nothing.
#include <string>
#include <string_view>

#include "setups/setup_text.h"

namespace linklab {

class Form1;

// The settings a user can see that a start-up window, given the settings before them, would not
// have by itself. Settings of controls the present scene or choices hide are not part of it. The
// setup's locks and hides are those the form's controls carry.
Setup captureSetup(const Form1& form);
std::string setupText(const Form1& form);
std::string setupLink(const Form1& form);

// Tries the setup on a scratch window first (start-up, then every setting through the handlers a
// user's action runs, in dependency order) and refuses it, leaving form as it was, when a setting
// is hidden there, not offered, out of range, or reads back differently afterwards. Otherwise
// form goes back to its start-up settings with the setup's applied, and its controls carry the
// setup's locks and hides (none when it has none). Empty on success, else the
// error `line N: what was wrong near 'token'`.
std::string applySetup(Form1& form, const Setup& setup);
// Reads a setup text, or a link fragment when the text starts with '#', and applies it.
std::string openSetup(Form1& form, std::string_view text);

}  // namespace linklab
