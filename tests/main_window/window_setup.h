// Set-up shared by the tests that drive the whole window: a loaded window with its choices typed
// in order, then a number of ticks. It also brings the standard headers those tests share.
#pragma once

#include "test_headers.h"

#include "main_window/form1.h"

namespace linklab {

inline std::string textOf(const Control& c) {
  if (c.kind() == ControlKind::TextBox) return static_cast<const TextBox&>(c).Text();
  return static_cast<const ComboBox&>(c).Text();
}

inline void type(Control& c, const std::string& text) {
  if (c.kind() == ControlKind::TextBox)
    static_cast<TextBox&>(c).setText(text);
  else
    static_cast<ComboBox&>(c).setText(text);
}

using Choices = std::initializer_list<std::pair<const char*, std::string>>;

// Choices are (control name, text): {{"cmbScene", "Full"}, {"cmbMod(0)", "QPSK"}}. A host, if
// given, hears the window from its loading on.
inline std::unique_ptr<Form1> window(Choices choices = {}, int ticks = 0, Host* host = nullptr) {
  auto form = std::make_unique<Form1>();
  if (host) form->setHost(host);
  form->Form_Load();
  for (const auto& [name, text] : choices) type(*form->findControl(name), text);
  for (int i = 0; i < ticks; ++i) form->Timer1_Timer();
  return form;
}

// The eye, scatter and spectrum pictures, each recording with a line drawn on it, to see which a
// change clears.
inline std::array<PictureBox*, 9> scribbled(Form1& f) {
  const std::array<PictureBox*, 9> all{&f.picEye[0],     &f.picEye[1],     &f.picEye[2],
                                       &f.picScatter[0], &f.picScatter[1], &f.picScatter[2],
                                       &f.picSpectrum[0], &f.picSpectrum[1], &f.picSpectrum[2]};
  for (PictureBox* p : all) p->setRecording(true), p->Line(0, 0, 10, 10);
  return all;
}

// Keeps what the window tells its user: messages, and refused typed values with their reasons.
class RecordingHost : public Host {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  void refused(std::string_view name, std::string_view why) override { refusals.emplace_back(name, why); }
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> refusals;
};

// Checks a placement table: control name, then left, top, width and height (a line's end points
// X1, Y1, X2, Y2), '*' for a value the table leaves open.
inline void expectPlaced(const Form1& form, const std::string& table, const std::string& where = "") {
  std::istringstream rows(table);
  for (std::string name; rows >> name;) {
    const Control* c = form.findControl(name);
    ASSERT_NE(c, nullptr) << name;
    const auto* l = dynamic_cast<const LineShape*>(c);
    const std::array got = l ? std::array{l->X1, l->Y1, l->X2, l->Y2} : std::array{c->Left, c->Top, c->Width, c->Height};
    for (int i = 0; i < 4; ++i) {
      std::string want;
      rows >> want;
      EXPECT_TRUE(want == "*" || got[i] == std::stoi(want)) << name << " [" << i << "] " << got[i] << " " << where;
    }
  }
}

}  // namespace linklab
