#include "main_window/file_names.h"

#include "main_window/form1.h"

namespace linklab {

namespace {

// What a picture shows depends on the scene: "Modulation" puts the transmitted components where
// "Scatter" and "Full" put the eye, and the demo uses the trajectory's plane for its phasor.
std::string role(const Form1& form, std::string_view picture) {
  const int32_t scene = form.lScene;
  if (picture == "picData") return "data";
  if (picture == "picModData") return scene == 1 ? "carrier" : "symbols";
  if (picture == "picEye(0)") return "eye";
  if (picture == "picEye(1)") return scene == 2 ? "I component" : "picEye1";
  if (picture == "picEye(2)") return scene == 2 ? "Q component" : "picEye2";
  if (picture == "picSpectrum(0)") return "spectrum";
  if (picture == "picSpectrum(1)") return scene == 2 ? "passband" : "picSpectrum1";
  if (picture == "picScatter(0)") return scene == 1 ? "phasor" : "trajectory";
  if (picture == "picScatter(2)") return "scatter";
  std::string name;
  for (char c : picture)
    if (c != '(' && c != ')') name += c;
  return name;
}

bool receives(const Form1& form) { return form.lScene == 3 || form.lScene == 4; }

// The settings that shape the picture: the keying and transmit filter, and where the receiver
// runs, its filter.
std::string settings(const Form1& form, bool receiver) {
  std::string text = form.cmbMod[0].Text() + " " + form.cmbFilter[0].Text();
  if (receiver && receives(form)) text += " " + form.cmbFilter[1].Text();
  return text;
}

// Characters that some file systems refuse ("pi/4-SQPSK") become hyphens.
std::string safe(std::string text) {
  for (char& c : text)
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
        c == '|' || static_cast<unsigned char>(c) < 0x20)
      c = '-';
  return text;
}

}  // namespace

std::string pictureFileStem(const Form1& form, std::string_view picture) {
  const bool receiver = picture == "picEye(0)" || picture == "picScatter(2)" ||
                        (picture == "picScatter(0)" && form.lScene != 1);
  if (form.lScene == 1 && (picture == "picModData" || picture == "picScatter(0)"))
    return safe("LinkLab " + role(form, picture));
  return safe("LinkLab " + role(form, picture) + " " + settings(form, receiver));
}

std::string windowFileStem(const Form1& form) {
  return safe("LinkLab " + form.cmbScene.Text() + (form.lScene == 1 ? "" : " " + settings(form, true)));
}

std::string errorRateFileStem(const Form1& form) {
  return safe("LinkLab error rates " + settings(form, true));
}

}  // namespace linklab
