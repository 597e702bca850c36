// Which scales each picture gets: the same settings the chain hands its drawing kernel.
#include "form/numbers.h"
#include "main_window/form1.h"

namespace linklab {

void Form1::describeScales(const PictureBox& picture, const ScaleStyle& style, PictureScales& out) const {
  out.clear();
  if (!picture.Visible) return;
  const double w = picture.ScaleWidth(), h = picture.ScaleHeight();
  out.keepOutCount = 0;
  for (const Control* c : controls()) {
    if (!c->Visible || c->kind() == ControlKind::Picture || c->kind() == ControlKind::Shape ||
        c->kind() == ControlKind::Line || c->kind() == ControlKind::Timer)
      continue;
    const double left = c->Left - picture.Left, top = c->Top - picture.Top;
    const double right = left + c->Width, bottom = top + c->Height;
    if (left >= w || top >= h || right <= 0 || bottom <= 0) continue;
    // A label or slider that only overhangs the picture's edge is cut back to it by the front
    // ends (empty label space, a slider's one-pixel overlap): it covers nothing.
    const bool inside = left >= 0 && top >= 0 && right <= w && bottom <= h;
    const bool acrossEdge = (top >= 0 && bottom <= h) || (left >= 0 && right <= w);
    if ((c->kind() == ControlKind::Label || c->kind() == ControlKind::Slider) && !inside && acrossEdge) continue;
    out.addKeepOut({left, top, right, bottom});
  }
  const double b = dBitsPerSymbol;
  if (lScene == 1) {  // a carrier and a phasor trail, not the link's signals
    if (&picture == &picModData) carrierScales(out, w, h, style);
    if (&picture == &picScatter[0]) phasorTrailScales(out, w, h, style);
    return;
  }
  if (&picture == &picData) {
    const DataWindow window = dataWindow();
    dataTraceScales(out, w, h, window.bitFirst, window.bitLast, b, style);
  } else if (&picture == &picModData) {
    const DataWindow window = dataWindow();
    symbolTraceScales(out, w, h, window.symbolFirst, window.symbolLast, -1, 1, b, style);
  } else if (lScene == 2 && (&picture == &picEye[1] || &picture == &picEye[2] ||
                              (&picture == &picSpectrum[1] && chkPassband.Value() == 1))) {
    // The passband picture stays empty until its box is ticked.
    componentScales(out, w, h, CInt(DATA_WINDOW_BITS / b), hscDataZoom.Value(), hscDataScroll.Value(), b,
                    style);
  } else if (lScene >= 3 && &picture == &picEye[0]) {
    eyeScales(out, w, h, b, dTxEyeScale, style);
  } else if (&picture == &picScatter[0] || (lScene >= 3 && &picture == &picScatter[2])) {
    iqPlaneScales(out, w, h, dTxEyeScale, style);
  } else if (&picture == &picSpectrum[0]) {
    spectrumScales(out, w, h, b, dSpectrumZoom == 0 ? 1 : dSpectrumZoom, vscSpectrumRange.Value(),
                   chkLinear.Visible && chkLinear.Value() == 1, style);
  }
}

}  // namespace linklab
