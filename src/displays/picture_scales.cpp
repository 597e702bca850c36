#include "displays/picture_scales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "displays/eye_diagram.h"
#include "displays/spectrum_display.h"
#include "displays/trajectory.h"
#include "form/numbers.h"

namespace linklab {

namespace {

constexpr int MaxTicks = 24;

struct Tick {
  double pos;    // twips along the axis
  double value;  // in the axis' unit
};

struct Box {
  double left, top, right, bottom;
};

// Code points, not bytes: the minus sign takes three bytes and one character's room.
int characters(const char* text) {
  int n = 0;
  for (const char* c = text; *c; ++c)
    if ((static_cast<unsigned char>(*c) & 0xC0) != 0x80) ++n;
  return n;
}

Box boxOf(const ScaleLabel& label, const ScaleStyle& style) {
  const double w = characters(label.text.data()) * style.charWidth;
  double left = label.x;
  if (label.align == LabelAlign::Centre) left -= w / 2;
  if (label.align == LabelAlign::Right) left -= w;
  const double top = label.edge == LabelEdge::Top ? label.y : label.y - style.labelHeight;
  return {left, top, left + w, top + style.labelHeight};
}

bool overlaps(const Box& a, const Box& b, double gap) {
  return a.left < b.right + gap && b.left < a.right + gap && a.top < b.bottom && b.top < a.bottom;
}

// Decimals that show every multiple of step exactly (1-2-5 steps).
int decimalsFor(double step) {
  if (!(step > 0)) return 0;
  return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

// The fewest decimals that show x exactly (up to 6): 1.5 ms needs one, 2 ms none.
int exactDecimals(double x) {
  for (int d = 0; d < 6; ++d) {
    const double scaled = x * std::pow(10.0, d);
    if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, std::abs(scaled))) return d;
  }
  return 6;
}

// A number with a typographic minus and never "-0".
void formatNumber(char* out, size_t size, double value, int decimals) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.*f", decimals, std::fabs(value));
  bool zero = true;
  for (const char* c = digits; *c; ++c)
    if (*c >= '1' && *c <= '9') zero = false;
  std::snprintf(out, size, "%s%s", value < 0 && !zero ? "\u2212" : "", digits);
}

void setText(ScaleLabel& label, const char* text) {
  std::snprintf(label.text.data(), label.text.size(), "%s", text);
}

// Ticks of map inside 0..extent at a 1-2-5 step no closer than minSpacing (or at fixedStep).
int makeTicks(const AxisMap& map, double extent, double minSpacing, double fixedStep, Tick* out,
              double& step) {
  step = 0;
  if (!(extent > 0) || !std::isfinite(map.twipsPerUnit) || map.twipsPerUnit == 0 ||
      !std::isfinite(map.origin))
    return 0;
  double v0 = -map.origin / map.twipsPerUnit;
  double v1 = (extent - map.origin) / map.twipsPerUnit;
  if (v0 > v1) std::swap(v0, v1);
  const int most = std::clamp(static_cast<int>(extent / std::max(minSpacing, 1.0)), 1, MaxTicks - 1);
  step = fixedStep > 0 ? fixedStep : niceStep(v1 - v0, most);
  if (!(step > 0)) return 0;
  const double k0 = std::ceil(v0 / step - 1e-9), k1 = std::floor(v1 / step + 1e-9);
  if (!(k1 - k0 < MaxTicks)) return 0;  // a fixed step too fine for the picture
  int n = 0;
  for (double k = k0; k <= k1 && n < MaxTicks; ++k) {
    const double value = k == 0 ? 0.0 : k * step;
    const double pos = map.origin + value * map.twipsPerUnit;
    if (pos < -0.5 || pos > extent + 0.5) continue;
    out[n++] = {pos, value};
  }
  return n;
}

bool fitsAmong(const PictureScales& scales, int from, const ScaleLabel& label, const ScaleStyle& style,
               double width, double height) {
  const Box box = boxOf(label, style);
  if (box.left < 0 || box.right > width || box.top < 0 || box.bottom > height) return false;
  for (int i = 0; i < scales.keepOutCount; ++i) {
    const auto& k = scales.keepOuts[i];
    if (overlaps(box, {k.left, k.top, k.right, k.bottom}, 0)) return false;
  }
  for (int i = from; i < scales.labelCount; ++i)
    if (overlaps(box, boxOf(scales.labels[i], style), style.gap)) return false;
  return true;
}

// Ticks along x: grid lines over the height, labels along the bottom edge. The last label also
// carries the unit text and wins over the labels it would cover.
// unitFormat takes the tick's number and the number times valueScale; unitFormatOne, when given,
// serves a tick at 1.
void addXTicks(PictureScales& scales, const AxisMap& map, double width, double height,
               const ScaleStyle& style, double valueScale, const char* unitFormat,
               const char* unitFormatOne = nullptr) {
  Tick ticks[MaxTicks];
  double step = 0;
  const double spacing = std::max(6 * style.charWidth, 4 * style.labelHeight);
  const int n = makeTicks(map, width, spacing, 0, ticks, step);
  const int decimals = decimalsFor(step);
  const int firstX = scales.labelCount;
  const double y = height - style.gap;
  auto place = [&](double pos, const char* text) {
    ScaleLabel label{pos, y, LabelAlign::Centre, LabelEdge::Bottom, false, pos, {}};
    setText(label, text);
    const double w = characters(text) * style.charWidth;
    if (pos - w / 2 < style.gap) {
      label.align = LabelAlign::Left;
      label.x = std::max(pos, style.gap);
    } else if (pos + w / 2 > width - style.gap) {
      label.align = LabelAlign::Right;
      label.x = std::min(pos, width - style.gap);
    }
    return label;
  };
  int last = -1;
  for (int i = 0; i < n; ++i) {
    scales.addLine({ticks[i].pos, 0, ticks[i].pos, height, ticks[i].value == 0});
    char text[48];
    formatNumber(text, sizeof text, ticks[i].value, decimals);
    const ScaleLabel label = place(ticks[i].pos, text);
    // Among the y labels and the x labels kept so far.
    if (fitsAmong(scales, 0, label, style, width, height)) {
      scales.addLabel(label);
      last = i;
    }
  }
  if (last < 0 || !unitFormat) return;
  // The unit goes on the last tick that has room for it, displacing x labels it covers.
  for (int i = n - 1; i >= 0; --i) {
    char number[40], text[48];
    formatNumber(number, sizeof number, ticks[i].value, decimals);
    char scaled[40];
    formatNumber(scaled, sizeof scaled, ticks[i].value * valueScale, exactDecimals(ticks[i].value * valueScale));
    const char* format = unitFormatOne && ticks[i].value == 1 ? unitFormatOne : unitFormat;
    std::snprintf(text, sizeof text, format, number, scaled);  // short numbers: fits
    const ScaleLabel label = place(ticks[i].pos, text);
    if (!fitsAmong(scales, 0, label, style, width, height)) {
      // It may only cover x labels, never a y label.
      const Box box = boxOf(label, style);
      bool clear = box.left >= 0 && box.right <= width;
      for (int j = 0; j < scales.keepOutCount && clear; ++j) {
        const auto& k = scales.keepOuts[j];
        if (overlaps(box, {k.left, k.top, k.right, k.bottom}, 0)) clear = false;
      }
      for (int j = 0; j < firstX && clear; ++j)
        if (overlaps(box, boxOf(scales.labels[j], style), style.gap)) clear = false;
      if (!clear) continue;
    }
    const Box box = boxOf(label, style);
    int kept = firstX;
    for (int j = firstX; j < scales.labelCount; ++j)
      if (!overlaps(box, boxOf(scales.labels[j], style), style.gap)) scales.labels[kept++] = scales.labels[j];
    scales.labelCount = kept;
    scales.addLabel(label);
    return;
  }
}

}  // namespace

void PictureScales::addLine(const ScaleLine& line) {
  if (lineCount < MaxLines) lines[lineCount++] = line;
}

void PictureScales::addLabel(const ScaleLabel& label) {
  if (labelCount < MaxLabels) labels[labelCount++] = label;
}

bool PictureScales::operator==(const PictureScales& other) const {
  return lineCount == other.lineCount && labelCount == other.labelCount &&
         std::equal(lines.begin(), lines.begin() + lineCount, other.lines.begin()) &&
         std::equal(labels.begin(), labels.begin() + labelCount, other.labels.begin());
}

double niceStep(double span, int maxTicks) {
  if (!(span > 0) || !std::isfinite(span) || maxTicks < 1) return 1;
  const double raw = span / maxTicks;
  const double base = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * base >= raw * (1 - 1e-9)) return m * base;
  return 10 * base;
}

void addTimeAxis(PictureScales& scales, const AxisMap& map, double width, double height,
                 double bitsPerSymbol, const ScaleStyle& style) {
  addXTicks(scales, map, width, height, style, bitsPerSymbol, "%s symbols = %s ms", "%s symbol = %s ms");
}

void addXAxis(PictureScales& scales, const AxisMap& map, double width, double height,
              const char* unit, const ScaleStyle& style) {
  char format[24];
  std::snprintf(format, sizeof format, "%%s%s%s", unit && *unit ? " " : "", unit ? unit : "");
  addXTicks(scales, map, width, height, style, 1, format);
}

namespace {

void addYTicks(PictureScales& scales, const AxisMap& map, double width, double height,
               const char* unit, const ScaleStyle& style, double fixedStep) {
  Tick ticks[MaxTicks];
  double step = 0;
  const int n = makeTicks(map, height, 1.3 * style.labelHeight, fixedStep, ticks, step);
  const int decimals = decimalsFor(step);
  const double bottomRow = height - style.labelHeight - style.gap;
  const int first = scales.labelCount;
  for (int i = 0; i < n; ++i) {
    scales.addLine({0, ticks[i].pos, width, ticks[i].pos, ticks[i].value == 0});
    ScaleLabel label{style.gap, ticks[i].pos - style.gap / 2, LabelAlign::Left, LabelEdge::Bottom, true,
                     ticks[i].pos, {}};
    formatNumber(label.text.data(), label.text.size(), ticks[i].value, decimals);
    if (label.y - style.labelHeight < 0) {  // no room above its line: below it
      label.edge = LabelEdge::Top;
      label.y = ticks[i].pos + style.gap / 2;
    }
    const Box box = boxOf(label, style);
    if (box.bottom > bottomRow && fixedStep <= 0) continue;  // the x labels' row
    if (fitsAmong(scales, first, label, style, width, height)) scales.addLabel(label);
  }
  if (!unit || !*unit || scales.labelCount == first) return;
  int top = first;
  for (int i = first; i < scales.labelCount; ++i)
    if (scales.labels[i].at < scales.labels[top].at) top = i;
  char text[48];
  std::snprintf(text, sizeof text, "%.30s %.12s", scales.labels[top].text.data(), unit);
  setText(scales.labels[top], text);
}

}  // namespace

void addYAxis(PictureScales& scales, const AxisMap& map, double width, double height,
              const char* unit, const ScaleStyle& style) {
  addYTicks(scales, map, width, height, unit, style, 0);
}

void dataTraceScales(PictureScales& scales, double width, double height, int first, int last,
                     double bitsPerSymbol, const ScaleStyle& style) {
  scales.clear();
  const int n = last - first;
  if (n <= 0 || !(bitsPerSymbol > 0)) return;
  // As plotData: cells of Int(W/n), dMin = 0 at Int(4H/5), a whole number of twips per unit.
  const double cell = Int(width / n);
  const double a = CInt(-Int(height * 3 / 5) / 1.0);
  const double base = Int(height * 4 / 5);
  addYTicks(scales, {base, a}, width, height, "", style, 1);
  // Bit k starts at x = (k - first) cells; a symbol is b bits.
  addTimeAxis(scales, {-first * cell, bitsPerSymbol * cell}, width, height, bitsPerSymbol, style);
}

void symbolTraceScales(PictureScales& scales, double width, double height, int first, int last,
                       double dMin, double dMax, double bitsPerSymbol, const ScaleStyle& style) {
  scales.clear();
  const int n = last - first;
  if (n <= 0 || !(dMax > dMin)) return;
  // As plotModData: values in hundredths through plotData's whole-twip scale.
  const double a = CInt(-Int(height * 3 / 5) / ((dMax - dMin) * 100));
  const double base = Int(height * 4 / 5);
  addYAxis(scales, {base - dMin * 100 * a, 100 * a}, width, height, "", style);
  const double cell = Int(width / n);
  addTimeAxis(scales, {-first * cell, cell}, width, height, bitsPerSymbol, style);
}

void componentScales(PictureScales& scales, double width, double height, int baud, int zoom,
                     int scroll, double bitsPerSymbol, const ScaleStyle& style) {
  scales.clear();
  const int symbols = baud * zoom;
  if (symbols <= 0 || !(bitsPerSymbol > 0)) return;
  const double dx = Int(width / symbols) / 32;
  if (!(dx > 0)) return;
  const double a = CInt(-Int(height * 3 / 5) / 2);
  addYAxis(scales, {Int(height / 2), a}, width, height, "", style);
  // Sample p0 + i at x = i dx; symbol s spans samples 32s - 16 .. 32s + 16, so sample m lies
  // (m + 16) / 32 symbol periods after the block's start.
  const int p0 = CInt(static_cast<int16_t>(baud * scroll) / 12.0 * 32 - 16 + 12 / bitsPerSymbol * 32);
  addTimeAxis(scales, {-(p0 + 16) * dx, 32 * dx}, width, height, bitsPerSymbol, style);
}

void eyeScales(PictureScales& scales, double width, double height, double bitsPerSymbol,
               double eyeScale, const ScaleStyle& style) {
  scales.clear();
  const double b = bitsPerSymbol;
  if (!(b > 0) || !(width > 0)) return;
  addYAxis(scales, {0.5 * height, -0.35 * height * eyeScale}, width, height, "", style);
  // As plotEye: sample j of a stretch at x = (j - 16) / xUnit, the in-phase stretch starting at
  // sample 32s + 16 + alignment. Time 0 is the symbol centre nearest the picture's middle.
  const double xUnit = (b + 128) / width / b;
  const int offset = 16 + eyeAlignment(b);
  const double r = ((-offset) % 32 + 32) % 32;
  const double middle = 16 + 0.5 * width * xUnit;
  const double centre = r + 32 * std::round((middle - r) / 32);
  addTimeAxis(scales, {(centre - 16) / xUnit, 32 / xUnit}, width, height, b, style);
}

void iqPlaneScales(PictureScales& scales, double width, double height, double eyeScale,
                   const ScaleStyle& style) {
  scales.clear();
  const TrajectoryMapping map = trajectoryMapping(width, height, eyeScale);
  addYAxis(scales, {static_cast<double>(map.y0), map.sy}, width, height, "Q", style);
  addXAxis(scales, {static_cast<double>(map.x0), map.sx}, width, height, "I", style);
}

void carrierScales(PictureScales& scales, double width, double height, const ScaleStyle& style) {
  scales.clear();
  addYAxis(scales, {height / 2, -0.2 * height}, width, height, "", style);
  constexpr double samplesPerPeriod = 8 * 3.14159265358979323846;  // the carrier turns 1/4 rad a sample
  addXAxis(scales, {0, width / 256 * samplesPerPeriod}, width, height, "periods", style);
}

void phasorTrailScales(PictureScales& scales, double width, double height, const ScaleStyle& style) {
  scales.clear();
  addYAxis(scales, {height / 2, -0.45 * height}, width, height, "Q", style);
  addXAxis(scales, {width / 2, 0.45 * width}, width, height, "I", style);
}

void spectrumScales(PictureScales& scales, double width, double height, double bitsPerSymbol,
                    double zoom, int range, bool linear, const ScaleStyle& style) {
  scales.clear();
  const double b = bitsPerSymbol;
  if (!(b > 0) || !(zoom > 0)) return;
  const double f = spectrumUnitsPerHeight(height, linear, range);
  addYAxis(scales, {height, -1 / f}, width, height, linear ? "" : "dB", style);
  // As drawSpectrumTrace: point i at x = i W 4 zoom / (4096 b) shows bin i - C, and bin k is
  // k / (128 b) kHz (bin 128 is the symbol rate, 1/b kHz).
  const double perBin = width * 4 * zoom / (4096 * b);
  const double centreBin = CLng(512 * b / zoom) % 4096;
  addXAxis(scales, {centreBin * perBin, 128 * b * perBin}, width, height, "kHz", style);
}

}  // namespace linklab
