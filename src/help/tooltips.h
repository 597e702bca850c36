#pragma once
// One plain sentence per control and picture of the main window: what it shows or what it does
// to the link. Every front end shows the same words.
#include <string_view>

namespace linklab {

// By the control's name, "cmbMod(0)" for an element of an array; empty for a name it does not know.
std::string_view tooltipFor(std::string_view controlName);

// Added to the tooltip of a control that an opened setup locks, so the user knows why it does
// not respond.
inline constexpr std::string_view kSetupLockedTooltip =
    "Locked by the setup that was opened: it keeps this setting as it is.";

}  // namespace linklab
