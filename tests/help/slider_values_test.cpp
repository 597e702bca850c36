// The sliders' values in real units, each worked out from what its handler does with the value;
// whatever the scene and the choices, every control the user can see explains itself.

#include "batch/script_run.h"
#include "help/slider_values.h"
#include "help/tooltips.h"

namespace linklab {
namespace {

// expected: a part the text must contain.
TEST(SliderValues, ReadInRealUnits) {
  for (const auto& [name, value, bitsPerSymbol, linear, expected] :
       std::vector<std::tuple<const char*, int, double, bool, const char*>>{
        // Carrier: v/64 cycles a sample, 32 samples a symbol of b ms.
        {"hscCarrier", 2, 1, false, "carrier 1 kHz (1 cycle a symbol)"},
        {"hscCarrier", 8, 4, false, "carrier 1 kHz (4 cycles"}, {"hscCarrier", 5, 2, false, "carrier 1.25 kHz"},
        {"hscCarrier", 2, 0, false, "carrier 1 kHz"},
        // Spectrum zoom: +-4/zoom kHz.
        {"hscSpectrum", 1, 1, false, "\u00b14 kHz"}, {"hscSpectrum", 3, 2, false, "\u00b11.33 kHz"},
        // Sampling instant: round(v/b) samples from the centre, 32 a symbol of b ms.
        {"hscSample", 0, 1, false, "0 symbols from the symbol centre (0 samples, 0 ms)"},
        {"hscSample", 16, 1, false, "+0.5 symbols from the symbol centre (+16 samples, +0.5 ms)"},
        {"hscSample", -64, 4, false, "\u22120.5 symbols from the symbol centre (\u221216 samples, \u22122 ms)"},
        {"hscSample", 3, 2, false, "(+2 samples, +0.125 ms)"},
        {"hscSample", 32, 1, false, "+1 symbol from the symbol centre (+32 samples, +1 ms)"},
        {"hscSample", 1, 1, false, "+0.0312 symbols from the symbol centre (+1 sample, +0.0312 ms)"},
        // Frequency offset: degrees a 100 ms run.
        {"vscFreq", 5, 1, false, "+5\u00b0 a run = +0.139 Hz"},
        {"vscFreq", -3, 1, false, "\u22123\u00b0 a run = \u22120.0833 Hz"},
        {"vscFreq", 0, 1, false, "0\u00b0 a run = 0 Hz"},
        // Eye zoom and reference amplitude: (110 - v) / 50.
        {"vscTxEyeScale", 60, 1, false, "zoom \u00d71"}, {"vscTxEyeScale", 10, 1, false, "\u00d72"},
        {"vscTxEyeScale", 100, 1, false, "\u00d70.2"}, {"vscYThreshold", 85, 1, false, "reference amplitude 0.5"},
        // Spectrum range: the picture's height holds 3125 / (201 - R) dB, or 1024000 / (201 - R).
        {"vscSpectrumRange", 150, 1, false, "61.3 dB"}, {"vscSpectrumRange", 1, 1, false, "15.6 dB"},
        {"vscSpectrumRange", 150, 1, true, "up to 20078 at the top"},
        // FSK index: (30 - v) / 6.
        {"vscFSK", 24, 1, false, "h = 1"}, {"vscFSK", 27, 1, false, "h = 0.5"}, {"vscFSK", 0, 1, false, "h = 5"},
        // Data window: from bit v + 12, 12 * zoom bits.
        {"hscDataScroll", 8, 2, false, "symbol 10, 20 ms into the block"},
        {"hscDataZoom", 2, 4, false, "window 6 symbols long (24 ms)"},
        {"hscDataZoom", 1, 1, false, "window 12 symbols long (12 ms)"},
        {"vscSync", 0, 1, false, "3.6\u00b0 a click"}}) {
    const std::string text = sliderValueText(name, value, {bitsPerSymbol, linear});
    EXPECT_NE(text.find(expected), std::string::npos) << name << " " << value << ": " << text;
  }
}

TEST(SliderValues, NoneForAnUnusedOrUnknownSlider) {
  EXPECT_EQ(sliderValueText("hscXThreshold", 5, {}), "");
  EXPECT_EQ(sliderValueText("cmbMod(0)", 1, {}), "");
}

// Every slider a scene shows (but the unused one) says its value, in the window's own units, and
// follows the keying's symbol length.
TEST(SliderValues, EveryVisibleSliderHasAValueText) {
  for (const char* scene : {"Modulation", "Scatter", "Full"}) {
    SCOPED_TRACE(scene);
    auto form = window();
    form->cmbScene.setText(scene);
    form->chkPassband.setValue(1);
    int sliders = 0;
    for (const Control* c : form->controls()) {
      if (c->kind() != ControlKind::Slider || !c->Visible || c->name == "hscXThreshold") continue;
      ++sliders;
      EXPECT_FALSE(form->sliderText(static_cast<const Slider&>(*c)).empty()) << c->name;
    }
    EXPECT_GT(sliders, 0);
    form->cmbMod[0].setText("16-QAM");
    form->hscDataZoom.setValue(1);
    EXPECT_NE(form->sliderText(form->hscDataZoom).find("window 3 symbols long (12 ms)"), std::string::npos)
        << form->sliderText(form->hscDataZoom);
  }
}

struct Setting {
  const char* scene;
  std::function<void(Form1&)> choose;
};

void nothing(Form1&) {}
void fsk(Form1& f) { f.cmbMod[0].setText("FSK"), f.cmbFilter[0].setText("Raised Cosine"); }
void ofdm(Form1& f) { f.cmbFilter[0].setText("OFDM"); }
void gaussian(Form1& f) { f.cmbFilter[0].setText("Gaussian"), f.cmbFilter[1].setText("Root RC"); }
void paused(Form1& f) { f.chkPassband.setValue(1), f.cmdPause_Click(); }

TEST(Tooltips, EveryVisibleControlHasOne) {
  for (const Setting& setting : std::vector<Setting>{{"Baseband Demo", nothing}, {"Modulation", nothing},
                                                      {"Scatter", nothing}, {"Full", nothing}, {"Modulation", fsk},
                                                      {"Full", ofdm}, {"Full", gaussian}, {"Modulation", paused},
                                                      {"Scatter", fsk}}) {
    Form1 form;
    form.Form_Load();
    form.cmbScene.setText(setting.scene);
    form.Timer1_Timer();
    setting.choose(form);
    int checked = 0;
    for (const Control* c : form.controls()) {
      // Lines are painted by the window and explain nothing on their own; shapes show a tooltip.
      if (!c->Visible || c->kind() == ControlKind::Line || c->kind() == ControlKind::Timer) continue;
      EXPECT_FALSE(tooltipFor(c->name).empty()) << c->name << " in " << setting.scene;
      ++checked;
    }
    EXPECT_GT(checked, 5);
  }
}

TEST(Tooltips, AnArrayElementIsNotTakenForAnother) {
  EXPECT_NE(tooltipFor("picEye(1)"), tooltipFor("picEye(2)"));
  EXPECT_TRUE(tooltipFor("picEye").empty());
  EXPECT_TRUE(tooltipFor("picEye(3)").empty());
}

}  // namespace
}  // namespace linklab
