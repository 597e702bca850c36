#include "web_app.h"

#include <algorithm>
#include <cstdio>

#include "control_json.h"
#include "help/readout_texts.h"
#include "help/tooltips.h"
#include "main_window/file_names.h"
#include "main_window/focus_order.h"
#include "picture_export/picture_svg.h"
#include "measurements/readout_text.h"
#include "setups/setup_apply.h"

namespace linklab::web {

WebApp::WebApp() {
  form.setHost(&messages);
  for (Control* control : form.controls()) {
    if (control->kind() != ControlKind::Picture) continue;
    auto* box = static_cast<PictureBox*>(control);
    auto raster = std::make_unique<PixelRaster>();
    raster->setBackground(box->BackColor);
    raster->fitTo(box->Width, box->Height);
    auto record = std::make_unique<DrawingRecord>(*raster);
    box->attachRaster(record.get());
    pictures.push_back({box, std::move(raster), std::move(record), std::make_unique<PictureScales>()});
  }
}

WebApp::~WebApp() {
  form.setHost(nullptr);
  for (Picture& p : pictures) p.box->attachRaster(nullptr);
}

bool WebApp::setText(const std::string& name, const std::string& text) {
  Control* c = form.findControl(name);
  if (!c || c->setupLocked) return false;
  acted();
  if (c->kind() == ControlKind::ComboBox) {
    static_cast<ComboBox*>(c)->setText(text);
  } else if (c->kind() == ControlKind::TextBox) {
    static_cast<TextBox*>(c)->setText(text);
  } else {
    return false;
  }
  return true;
}

bool WebApp::setValue(const std::string& name, int value) {
  Control* c = form.findControl(name);
  if (!c || c->setupLocked) return false;
  acted();
  if (c->kind() == ControlKind::Slider) {
    static_cast<Slider*>(c)->setValue(value);
  } else if (c->kind() == ControlKind::CheckBox) {
    static_cast<CheckBox*>(c)->setValue(value ? 1 : 0);
  } else {
    return false;
  }
  return true;
}

bool WebApp::click(const std::string& name) {
  Control* c = form.findControl(name);
  if (!c || c->setupLocked) return false;
  acted();
  if (c->kind() == ControlKind::Button) {
    static_cast<Button*>(c)->click();
  } else if (c->kind() == ControlKind::Picture) {
    if (auto& onClick = static_cast<PictureBox*>(c)->onClick) onClick();
  } else if (c->kind() == ControlKind::Label) {
    if (auto& onClick = static_cast<Label*>(c)->onClick) onClick();
  } else {
    return false;
  }
  return true;
}

void WebApp::mouse(bool down, int button, int shift, double x, double y) {
  acted();
  if (down)
    form.Form_MouseDown(button, shift, x, y);
  else
    form.Form_MouseMove(button, shift, x, y);
}

void WebApp::showHelp(int which) {
  acted();
  if (which == 0)
    form.showHelp();
  else
    form.showInstructions();
}

void WebApp::closeHelp(int which) {
  acted();
  (which == 0 ? form.HelpText : form.Instructions).cmdClose.click();
}

bool WebApp::tick() {
  if (messages.isOpen() || !form.Timer1.Enabled || !form.Timer1.onTimer) return false;
  form.Timer1.onTimer();
  return true;
}

void WebApp::setPixelScale(double devicePixelsPerTwip) {
  if (!(devicePixelsPerTwip > 0) || devicePixelsPerTwip == pixelScale) return;
  pixelScale = devicePixelsPerTwip;
  for (Picture& p : pictures) {
    p.raster->setScale(devicePixelsPerTwip);
    p.raster->fitTo(p.box->Width, p.box->Height);
    p.record->redraw();
  }
  resized = true;
}

std::string WebApp::changes() {
  // Each part is compared in its raw values with what was last sent, and written as JSON only
  // when it changed: most ticks change a few readouts and the pictures, nothing else.
  std::string out = "{\"controls\":[";
  const std::vector<Control*>& all = form.controls();
  sentControls.resize(all.size());
  bool first = true;
  for (std::size_t i = 0; i < all.size(); ++i) {
    scratchRaw.clear();
    describeControl(*all[i], scratchRaw, false);
    if (scratchRaw == sentControls[i]) continue;
    sentControls[i].swap(scratchRaw);
    if (!first) out += ',';
    first = false;
    describeControl(*all[i], out, true);
  }
  // Whether a slider's value in real units may read otherwise (it follows the modulation too).
  bool valueTexts = !first;
  for (const Control* c : all) {
    if (c->kind() != ControlKind::Slider) continue;
    std::string text = form.sliderText(static_cast<const Slider&>(*c));
    std::string& sent = sentSliderTexts[c];
    if (text == sent) continue;
    sent.swap(text);
    valueTexts = true;
  }
  out += "],\"pictures\":[";
  first = true;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    Picture& p = pictures[i];
    p.raster->fitTo(p.box->Width, p.box->Height);
    if (!p.box->drawn && !resized) continue;
    p.box->drawn = false;
    if (!first) out += ',';
    first = false;
    out += "{\"index\":" + std::to_string(i) + ",\"name\":" + jsonString(p.box->name) +
           ",\"columns\":" + std::to_string(p.raster->columns()) + ",\"rows\":" + std::to_string(p.raster->rows()) +
           '}';
  }
  resized = false;
  out += "],\"scales\":[";
  first = true;
  for (Picture& p : pictures) {
    if (!scalesChanged(p)) continue;
    if (!first) out += ',';
    first = false;
    out += scalesJson(*p.box);
  }
  out += "],\"help\":[";
  first = true;
  for (int which = 0; which < 2; ++which) {
    const HelpWindow& w = which == 0 ? form.HelpText : form.Instructions;
    SentHelp& sent = sentHelp[which];
    if (sent.sent && sent.visible == w.Visible && sent.caption == w.Caption && sent.text == w.Text1.Text() &&
        sent.close == w.cmdClose.Caption)
      continue;
    sent = {w.Caption, w.Text1.Text(), w.cmdClose.Caption, w.Visible, true};
    if (!first) out += ',';
    first = false;
    out += "{\"which\":" + std::to_string(which) + ",\"caption\":" + jsonString(w.Caption) +
           ",\"visible\":" + (w.Visible ? "true" : "false") + ",\"text\":" + jsonString(w.Text1.Text()) +
           ",\"close\":" + jsonString(w.cmdClose.Caption) + '}';
  }
  out += "],\"readouts\":";
  readoutsJson(out);
  out += ",\"valueTexts\":";
  out += valueTexts ? "true" : "false";
  out += ",\"timer\":{\"enabled\":";
  out += form.Timer1.Enabled ? "true" : "false";
  out += ",\"interval\":" + std::to_string(form.Timer1.Interval) + "}}";
  return out;
}

// The strip of readouts under the window, as the desktop shows it: the receiver's figures in the
// scenes with a receiver, the transmitter's in "Modulation". Null when nothing changed; the tips
// never change, so they go with the first report only.
void WebApp::readoutsJson(std::string& out) {
  const ReadoutTexts t = readoutTexts(form);
  const auto [receiver, transmitter] = stripShows(form.lScene);
  const std::string* texts[kFigures] = {&t.ebN0, &t.evm, &t.ser, &t.ber, &t.eye, &t.occupiedBandwidth, &t.outOfBand};
  const bool shown[kFigures] = {receiver, receiver, receiver, receiver, receiver, transmitter, transmitter};
  SentReadouts& sent = sentReadouts;
  bool same = sent.sent && sent.reset == receiver;
  for (int i = 0; i < kFigures && same; ++i) same = sent.shown[i] == shown[i] && sent.texts[i] == *texts[i];
  if (same) {
    out += "null";
    return;
  }
  const bool tips = !sent.sent;
  const std::string tipTexts[kFigures] = {
      tips ? readout_help::kEbN0 : "", tips ? std::string(readout_help::kEvm) + " " + readout_help::kEvmPeak : "",
      tips ? readout_help::kSer : "",  tips ? readout_help::kBer : "",
      tips ? std::string(readout_help::kEye) + " " + readout_help::kQFactor : "",
      tips ? readout_help::kOccupiedBandwidth : "", tips ? readout_help::kOutOfBand : ""};
  out += "{\"figures\":[";
  for (int i = 0; i < kFigures; ++i) {
    sent.texts[i] = *texts[i];
    sent.shown[i] = shown[i];
    if (i) out += ',';
    out += "{\"text\":" + jsonString(*texts[i]);
    if (tips) out += ",\"tip\":" + jsonString(tipTexts[i]);
    out += ",\"shown\":" + std::string(shown[i] ? "true" : "false") + '}';
  }
  out += "],\"reset\":" + std::string(receiver ? "true" : "false");
  if (tips) out += ",\"resetTip\":" + jsonString(readout_help::kReset);
  out += '}';
  sent.reset = receiver;
  sent.sent = true;
}

void WebApp::resetCounts() {
  acted();
  form.restartCounts();
}

const PixelRaster* WebApp::raster(int index) const {
  if (index < 0 || index >= pictureCount()) return nullptr;
  return pictures[static_cast<std::size_t>(index)].raster.get();
}

std::string WebApp::tooltip(const std::string& name) { return std::string(tooltipFor(name)); }

std::string WebApp::lockedTooltip() { return std::string(kSetupLockedTooltip); }

bool WebApp::openSetup(const std::string& text, const std::string& source) {
  acted();
  const std::string why = linklab::openSetup(form, text);
  if (why.empty()) return true;
  fail("Cannot open the setup " + source + ":\n" + why);
  return false;
}

std::string WebApp::setupText() const { return linklab::setupText(form); }
std::string WebApp::setupLink() const { return linklab::setupLink(form); }

std::string WebApp::tabOrder() const {
  std::string out = "[";
  for (const Control* c : linklab::tabOrder(form)) out += (out.size() > 1 ? "," : "") + jsonString(c->name);
  return out + "]";
}

const PictureBox* WebApp::picture(const std::string& name) const {
  for (const Picture& p : pictures)
    if (p.box->name == name) return p.box;
  return nullptr;
}

std::string WebApp::fileStem(const std::string& name) const {
  return name == "window" ? windowFileStem(form) : pictureFileStem(form, name);
}

bool WebApp::pictureComplete(const std::string& name) const {
  const PictureBox* box = picture(name);
  return box && box->historyComplete();
}

std::string WebApp::pictureSvg(const std::string& name, const std::string& rasterPng) const {
  const PictureBox* box = picture(name);
  return box ? linklab::pictureSvg(drawingOf(*box), box->historyComplete() ? std::string_view() : rasterPng) : "";
}

std::string WebApp::sliderText(const std::string& name) const {
  for (const Control* c : form.controls())
    if (c->name == name && c->kind() == ControlKind::Slider) return form.sliderText(static_cast<const Slider&>(*c));
  return {};
}

void WebApp::setScaleStyle(double labelHeight, double charWidth, double gap) {
  if (labelHeight > 0 && charWidth > 0 && gap >= 0) scaleStyle = {labelHeight, charWidth, gap};
}

void WebApp::setScalesShown(bool shown) { scalesShown = shown; }

namespace {
std::string twips(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", v);
  return text;
}
}  // namespace

bool WebApp::scalesChanged(Picture& p) {
  scratch.clear();
  if (scalesShown) form.describeScales(*p.box, scaleStyle, scratch);
  PictureScales& sent = *p.sentScales;
  if (p.scalesSent && p.sentWidth == p.box->Width && p.sentHeight == p.box->Height &&
      sent.lineCount == scratch.lineCount && sent.labelCount == scratch.labelCount &&
      std::equal(sent.lines.begin(), sent.lines.begin() + sent.lineCount, scratch.lines.begin()) &&
      std::equal(sent.labels.begin(), sent.labels.begin() + sent.labelCount, scratch.labels.begin()))
    return false;
  sent = scratch;
  p.sentWidth = p.box->Width;
  p.sentHeight = p.box->Height;
  p.scalesSent = true;
  return true;
}

// The scales as described by the last scalesChanged.
std::string WebApp::scalesJson(const PictureBox& box) const {
  std::string out = "{\"name\":" + jsonString(box.name) + ",\"width\":" + std::to_string(box.Width) +
                    ",\"height\":" + std::to_string(box.Height) + ",\"lines\":[";
  for (int i = 0; i < scratch.lineCount; ++i) {
    const ScaleLine& l = scratch.lines[i];
    if (i) out += ',';
    out += twips(l.x1) + ',' + twips(l.y1) + ',' + twips(l.x2) + ',' + twips(l.y2) + ',' + (l.zero ? '1' : '0');
  }
  out += "],\"labels\":[";
  for (int i = 0; i < scratch.labelCount; ++i) {
    const ScaleLabel& l = scratch.labels[i];
    if (i) out += ',';
    out += '[' + twips(l.x) + ',' + twips(l.y) + ',' + std::to_string(static_cast<int>(l.align)) + ',' +
           std::to_string(static_cast<int>(l.edge)) + ',' + jsonString(l.text.data()) + ']';
  }
  return out + "]}";
}

}  // namespace linklab::web
