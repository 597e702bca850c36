#pragma once
// The heaviest setting the benchmarks measure: "Full", 16-QAM, Gaussian filter, noise 1.0 and
// the non-linear amplifier.
#include <memory>

#include "main_window/form1.h"

namespace linklab {

inline void chooseHeaviestSetting(Form1& form) {
  form.cmbScene.setText("Full");
  form.cmbMod[0].setText("16-QAM");
  form.cmbFilter[0].setText("Gaussian");
  form.cmbNoise.setText("1.0");
  form.cmbNonlinear.setText("Non-Linear");
}

// A started form in the heaviest setting, past its first tick (which after a scene change only
// counts) and one real run.
inline std::unique_ptr<Form1> heaviestForm() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  chooseHeaviestSetting(*form);
  form->Timer1_Timer();
  form->Timer1_Timer();
  return form;
}

}  // namespace linklab
