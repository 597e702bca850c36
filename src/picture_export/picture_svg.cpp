#include "picture_export/picture_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "form/picture_box.h"
#include "form/segment_clip.h"

namespace linklab {

namespace {

constexpr double kTwipsPerPixel = 15;
constexpr double kPen = 15;  // one pixel at 100 %, as on the raster

// Twips to text with one decimal at most, independent of the locale.
void appendNumber(std::string& out, double v) {
  v = std::round(v * 10) / 10;
  if (v == 0) v = 0;  // no "-0"
  char buffer[32];
#if defined(__cpp_lib_to_chars)
  auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 1).ptr;
#else
  // Libraries without to_chars for a double (the libc++ of Debian's emscripten): whole tenths
  // printed as integers are just as free of the locale.
  const long long tenths = std::llround(std::fabs(v) * 10);
  char* end = buffer + std::snprintf(buffer, sizeof buffer, "%s%lld.%lld", v < 0 ? "-" : "", tenths / 10, tenths % 10);
#endif
  if (end - buffer >= 2 && end[-1] == '0' && end[-2] == '.') end -= 2;
  out.append(buffer, end);
}

std::string colourText(uint32_t bgr) {
  static const char* digits = "0123456789abcdef";
  const uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
  std::string s = "#000000";
  for (int i = 0; i < 6; ++i) s[1 + i] = digits[(rgb >> (20 - 4 * i)) & 0xF];
  return s;
}


// The path of one colour; a segment that starts where the last one ended only adds "L x y".
struct ColourPath {
  uint32_t colour;
  std::string d;
  std::string penAt;  // the point the path ended on, as written
};

std::string point(double x, double y) {
  std::string s;
  appendNumber(s, x);
  s += ' ';
  appendNumber(s, y);
  return s;
}

void addLine(ColourPath& path, const DrawOp& op, double w, double h) {
  double x1 = op.x1, y1 = op.y1, x2 = op.x2, y2 = op.y2;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  if (!clipSegment(x1, y1, x2, y2, -kPen, -kPen, w + kPen, h + kPen)) return;
  // The raster sets a pen-sized square right and below each point: centre the stroke there.
  const std::string from = point(x1 + kPen / 2, y1 + kPen / 2), to = point(x2 + kPen / 2, y2 + kPen / 2);
  if (from == path.penAt && to == from) return;  // a dot on the path's own end: already inked
  if (from != path.penAt) path.d += 'M' + from;
  path.d += 'L' + to;
  path.penAt = to;
}

void addCircle(ColourPath& path, const DrawOp& op, double w, double h) {
  const double x = op.x1, y = op.y1, r = std::fabs(op.x2);
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r) || r > 1e7) return;
  if (x + r < -kPen || y + r < -kPen || x - r > w + kPen || y - r > h + kPen) return;
  if (r < 0.05) {  // a dot: the pen's square cap on an empty stroke
    path.d += 'M' + point(x, y) + "h0";
  } else {
    std::string radius;
    appendNumber(radius, r);
    std::string across;
    appendNumber(across, 2 * r);
    path.d += 'M' + point(x - r, y) + 'a' + radius + ' ' + radius + " 0 1 0 " + across + " 0a" + radius + ' ' +
              radius + " 0 1 0 -" + across + " 0";
  }
  path.penAt.clear();
}

std::string base64(std::string_view bytes) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k) v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? alphabet[(v >> (18 - 6 * k)) & 0x3F] : '=';
  }
  return out;
}

}  // namespace

PictureDrawing drawingOf(const PictureBox& picture) {
  return {picture.Width, picture.Height, picture.BackColor, picture.history(), picture.historyComplete()};
}

std::string pictureSvg(const PictureDrawing& drawing, std::string_view rasterPng) {
  const double w = std::max(1, drawing.widthTwips), h = std::max(1, drawing.heightTwips);
  std::string width, height;
  appendNumber(width, w);
  appendNumber(height, h);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
         std::to_string(std::max(1L, std::lround(w / kTwipsPerPixel))) + "\" height=\"" +
         std::to_string(std::max(1L, std::lround(h / kTwipsPerPixel))) + "\" viewBox=\"0 0 " + width + ' ' + height +
         "\">\n";
  svg += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" + colourText(drawing.background) + "\"/>\n";
  if (!drawing.complete) {
    svg += "<!-- This picture was drawn with more than " + std::to_string(drawing.ops.size()) +
           " lines and circles since it was last cleared, more than are kept for vector export; it is embedded"
           " as its raster image instead of as paths. -->\n";
    svg += "<image width=\"" + width + "\" height=\"" + height +
           "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," + base64(rasterPng) + "\"/>\n";
    return svg + "</svg>\n";
  }
  // One path per colour, in the order the colours first appear, so what was drawn later (the
  // reference constellation over the scatter points) stays on top.
  std::vector<ColourPath> paths;
  for (const DrawOp& op : drawing.ops) {
    auto it = std::find_if(paths.begin(), paths.end(), [&](const ColourPath& p) { return p.colour == op.colour; });
    if (it == paths.end()) it = paths.insert(paths.end(), ColourPath{op.colour, {}, {}});
    if (op.kind == DrawOp::Kind::Line)
      addLine(*it, op, w, h);
    else
      addCircle(*it, op, w, h);
  }
  svg += "<g fill=\"none\" stroke-width=\"15\" stroke-linecap=\"square\">\n";
  for (const ColourPath& p : paths)
    if (!p.d.empty()) svg += "<path stroke=\"" + colourText(p.colour) + "\" d=\"" + p.d + "\"/>\n";
  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace linklab
