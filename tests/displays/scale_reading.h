#pragma once
// What the display tests share: the standard headers, the recording surface, and reading a scale
// description as a student reads the picture: the value its tick labels give at a point.
#include "test_headers.h"

#include "displays/picture_scales.h"
#include "form/recording_surface.h"

namespace linklab {

// The number a label starts with; the typographic minus counts as a sign.
inline double leadingNumber(const char* text) {
  const bool minus = std::strncmp(text, "\u2212", 3) == 0;
  return minus ? -std::strtod(text + 3, nullptr) : std::strtod(text, nullptr);
}

// What the labels of one axis say at pos (twips along it): linear between the two labelled ticks
// around pos, or beyond the nearest two.
inline double readAt(const PictureScales& s, bool vertical, double pos) {
  std::vector<std::pair<double, double>> marks;  // (at, value)
  for (int i = 0; i < s.labelCount; ++i)
    if (s.labels[i].vertical == vertical) marks.emplace_back(s.labels[i].at, leadingNumber(s.labels[i].text.data()));
  if (marks.size() < 2) {
    ADD_FAILURE() << "fewer than two labels on the " << (vertical ? "value" : "x") << " axis";
    return NAN;
  }
  std::sort(marks.begin(), marks.end());
  size_t i = 1;
  while (i + 1 < marks.size() && marks[i].first < pos) ++i;
  const auto [a0, v0] = marks[i - 1];
  const auto [a1, v1] = marks[i];
  return v0 + (pos - a0) * (v1 - v0) / (a1 - a0);
}

inline std::string allText(const PictureScales& s) {
  std::string out;
  for (int i = 0; i < s.labelCount; ++i) out += std::string(s.labels[i].text.data()) + "|";
  return out;
}

}  // namespace linklab
