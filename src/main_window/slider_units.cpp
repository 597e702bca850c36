// The sliders' values in real units for the front ends, with the settings the units depend on.
#include "main_window/form1.h"

namespace linklab {

std::string Form1::sliderText(const Slider& slider) const {
  return sliderValueText(slider.name, slider.Value(),
                         {dBitsPerSymbol, chkLinear.Visible && chkLinear.Value() == 1});
}

}  // namespace linklab
