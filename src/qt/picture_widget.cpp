#include "qt/picture_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "form/picture_box.h"
#include "qt/colours.h"

namespace linklab {

PictureWidget::PictureWidget(PictureBox& picture, QWidget* parent, std::function<void()> afterEvent)
    : QWidget(parent), picture(picture), afterEvent(std::move(afterEvent)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  syncGeometry(LayoutScale{});
  picture.attachRaster(&surface);
}

void PictureWidget::syncGeometry(const LayoutScale& scale) {
  const QRect wanted = scale.rect(picture.Left, picture.Top, picture.Width, picture.Height);
  if (geometry() != wanted) setGeometry(wanted);
  const double ratio = scale.factor * devicePixelRatioF();
  if (surface.ScaleWidth() != picture.Width || surface.ScaleHeight() != picture.Height)
    surface.resize(picture.Width, picture.Height, surface.pixelRatio(), picture.BackColor);
  if (surface.pixelRatio() != ratio) {
    surface.setPixelRatio(ratio);
    update();
  }
  picture.density().setPixelRatio(ratio);  // the counts stay on the raster's pixels
}

void PictureWidget::setPersistence(Persistence mode) {
  if (mode == persistence) return;
  persistence = mode;
  overlayStale = true;  // the labels' halos come and go with Density
  update();
}

void PictureWidget::fadeForTick() {
  const bool kept = picture.clears == clearsBeforeTick;
  clearsBeforeTick = picture.clears;
  if (persistence != Persistence::Fading || !kept) return;
  surface.fade(FadeKeep256);
  picture.drawn = true;
}

bool PictureWidget::showsDensity() const {
  const DensityGrid& grid = picture.density();
  const QSize raster = surface.pixelSize();
  return persistence == Persistence::Density && grid.active() && grid.columns() == raster.width() &&
         grid.rows() == raster.height() && !raster.isEmpty();
}

void PictureWidget::setCovers(const std::vector<QRect>& rects) {
  if (rects == covered && size() == coveredSize) return;
  covered = rects;
  coveredSize = size();
  exposed = QRegion(rect());
  for (const QRect& r : covered) exposed -= r;
  update();  // what a control that moved away uncovered shows again
}

void PictureWidget::refresh() {
  if (covered.empty())
    update();
  else
    update(exposed);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  // Painted every tick: no region arithmetic and no pen built here, so the paint makes no
  // allocation of its own beyond the painter.
  static const QPen border(QColor(128, 128, 128));
  QPainter p(this);
  const bool density = showsDensity();
  const QImage& image = (shown.lineCount > 0 || shown.labelCount > 0 || density) ? composited() : surface.finished();
  // One image pixel on one device pixel: a plain copy, never a stretch.
  const double ratio = devicePixelRatioF();
  const QRectF placed(0, 0, image.width() / ratio, image.height() / ratio);
  p.drawImage(placed, image, QRectF(image.rect()));
  // Edge rounding may leave the widget a pixel larger than the raster.
  const QRect drawn = placed.toAlignedRect();
  if (drawn.right() < width() - 1)
    p.fillRect(QRect(drawn.right() + 1, 0, width(), height()), toQColor(picture.BackColor));
  if (drawn.bottom() < height() - 1)
    p.fillRect(QRect(0, drawn.bottom() + 1, width(), height()), toQColor(picture.BackColor));
  if (density) paintColourBar(p);
  p.setPen(border);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QFont PictureWidget::scaleFont() const {
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 0.9);
  return f;
}

ScaleStyle PictureWidget::scaleStyle() const {
  // Worked out again only when the font or the size changed: a sync at every tick asks for it.
  const double points = font().pointSizeF();
  if (styleFor.size == size() && styleFor.points == points && styleFor.twips == picture.Width) return styleFor.style;
  // Twips per logical pixel of this widget at the layout's current scale.
  const double perPixel = picture.Width > 0 && width() > 0 ? double(picture.Width) / width() : 15.0;
  const QFontMetricsF metrics(scaleFont());
  styleFor = {size(), points, picture.Width,
              {metrics.height() * perPixel, metrics.horizontalAdvance(QLatin1Char('0')) * perPixel, 2 * perPixel}};
  return styleFor.style;
}

void PictureWidget::setScales(const PictureScales& description) {
  if (description == shown) return;
  shown = description;
  overlayStale = true;
  update();
}

void PictureWidget::buildOverlay(const QImage& raster) {
  overlayStale = false;
  overlayPixels.clear();
  labelPixels.clear();
  overlaySize = raster.size();
  overlayRatio = raster.width() > 0 && width() > 0 ? raster.width() / double(width()) : 1.0;
  if (raster.isNull()) return;
  QImage grid(raster.size(), QImage::Format_ARGB32_Premultiplied);
  grid.fill(Qt::transparent);
  QImage labels = grid;
  const double sx = picture.Width > 0 ? width() / double(picture.Width) : 1 / 15.0;
  const double sy = picture.Height > 0 ? height() / double(picture.Height) : 1 / 15.0;
  {
    QPainter p(&grid);
    p.scale(overlayRatio, overlayRatio);  // laid out in the widget's pixels, drawn in the raster's
    // One crisp pixel on whole pixels at any size (the lines run along x or along y).
    for (int i = 0; i < shown.lineCount; ++i) {
      const ScaleLine& l = shown.lines[i];
      const QRectF line(std::floor(std::min(l.x1, l.x2) * sx), std::floor(std::min(l.y1, l.y2) * sy),
                        std::max(1.0, std::floor(std::abs(l.x2 - l.x1) * sx)),
                        std::max(1.0, std::floor(std::abs(l.y2 - l.y1) * sy)));
      p.fillRect(line, l.zero ? QColor(160, 160, 160) : QColor(208, 208, 208));
    }
  }
  {
    QPainter p(&labels);
    p.scale(overlayRatio, overlayRatio);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = scaleFont();
    const QFontMetricsF metrics(font);
    QPainterPath path;
    for (int i = 0; i < shown.labelCount; ++i) {
      const ScaleLabel& l = shown.labels[i];
      const QString text = QString::fromUtf8(l.text.data());
      const double w = metrics.horizontalAdvance(text);
      double x = l.x * sx;
      if (l.align == LabelAlign::Centre) x -= w / 2;
      if (l.align == LabelAlign::Right) x -= w;
      const double y = l.edge == LabelEdge::Top ? l.y * sy + metrics.ascent() : l.y * sy - metrics.descent();
      path.addText(QPointF(x, y), font, text);
    }
    const double halo = std::max(2.0, metrics.height() / 5);
    p.strokePath(path, QPen(QColor(255, 255, 255, 225), halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, QColor(70, 70, 70));
  }
  // Only the pixels the scales cover are kept, each with its premultiplied colour.
  auto keep = [](const QImage& image, std::vector<std::pair<uint32_t, QRgb>>& pixels) {
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(row[x]) != 0) pixels.push_back({static_cast<uint32_t>(y * image.width() + x), row[x]});
    }
  };
  keep(grid, overlayPixels);
  keep(labels, labelPixels);
}

QImage PictureWidget::pictureImage() {
  QImage image = surface.finished().copy();
  if (showsDensity()) recolour(image, image);
  return image;
}

void PictureWidget::recolour(const QImage& from, QImage& into) {
  const DensityGrid& grid = picture.density();
  if (densityScale.maximum() != std::max<uint32_t>(grid.maximum(), 1)) densityScale = DensityScale(grid.maximum());
  // The 256 steps' colours as the image's pixels, the same for every maximum.
  static const std::array<QRgb, 256> stepColours = [] {
    std::array<QRgb, 256> table{};
    for (int k = 0; k < 256; ++k) table[k] = toQColor(densityColour(k / 255.0)).rgb();
    return table;
  }();
  // The counted strokes reach the counts only (see PictureBox): a pixel the raster still shows
  // as background but that was hit takes the colour of its count. Guides drawn on the raster
  // (the marker, the reference points) keep theirs. One pass, copying the rest.
  const QRgb back = toQColor(picture.BackColor).rgb();
  const uint32_t most = densityScale.maximum();
  const auto counts = grid.counts();
  const int columns = from.width(), rows = from.height(), stride = grid.columns();
  if (most < kTabledCounts) {
    // Counts never pass the maximum; a count of 0 keeps the background. A table lookup a pixel,
    // without branches: signal and background interleave.
    if (countColours.empty()) countColours.resize(kTabledCounts);  // once, at the first density
    if (countColoursMost != most || countColoursBack != back) {
      countColoursMost = most;
      countColoursBack = back;
      countColours[0] = back;
      // Step k starts at the smallest count n with 255 (n - 1) >= k (most - 1).
      const uint64_t span = most - 1;
      for (int k = 0; k < 256; ++k) {
        const uint64_t first = span == 0 ? (k == 255 ? 1 : 2) : 1 + (k * span + 254) / 255;
        const uint64_t end = k == 255 ? most + 1 : (span == 0 ? 2 : 1 + ((k + 1) * span + 254) / 255);
        std::fill(countColours.begin() + first, countColours.begin() + std::max(first, end), stepColours[k]);
      }
    }
    const QRgb* table = countColours.data();
    for (int y = 0; y < rows; ++y) {
      const auto* source = reinterpret_cast<const QRgb*>(from.constScanLine(y));
      auto* row = reinterpret_cast<QRgb*>(into.scanLine(y));
      const uint32_t* hits = counts.data() + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < columns; ++x) {
        const QRgb p = source[x];
        row[x] = p == back ? table[std::min(hits[x], most)] : p;
      }
    }
    return;
  }
  for (int y = 0; y < rows; ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(from.constScanLine(y));
    auto* row = reinterpret_cast<QRgb*>(into.scanLine(y));
    const uint32_t* hits = counts.data() + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < columns; ++x) {  // without branches: signal and background interleave
      const QRgb p = source[x];
      const uint32_t n = hits[x];
      const QRgb density = stepColours[densityScale.step(std::max<uint32_t>(n, 1))];
      row[x] = (p == back) & (n != 0) ? density : p;
    }
  }
}

void PictureWidget::paintColourBar(QPainter& p) {
  const uint32_t most = picture.density().maximum();
  if (most == 0) return;
  // Painted at every tick, with a maximum that grows at every tick: the numbers are set digit by
  // digit from ten texts laid out once a font, so a new maximum costs no allocation.
  if (barFontPoints != font().pointSizeF()) {
    barFontPoints = font().pointSizeF();
    barFont = scaleFont();
    const QFontMetricsF metrics(barFont);
    for (int d = 0; d < 10; ++d) {
      const QString digit(QChar(u'0' + d));
      barDigits[d].setText(digit);
      barDigits[d].setTextFormat(Qt::PlainText);
      barDigits[d].prepare(QTransform(), barFont);
      barDigitWidths[d] = metrics.horizontalAdvance(digit);
    }
    barWord.setText(QStringLiteral("hits"));
    barWord.prepare(QTransform(), barFont);
    barWordWidth = metrics.horizontalAdvance(QStringLiteral("hits"));
  }
  const QFontMetricsF metrics(barFont);
  const double digit = barDigitWidths[0];
  const int barWidth = std::max(2, static_cast<int>(std::min(width() * 0.4, digit * 16)));
  const double barHeight = std::max(4.0, std::round(metrics.height() * 0.45));
  if (barColours.width() != barWidth) {
    barColours = QImage(barWidth, 1, QImage::Format_RGB32);
    for (int i = 0; i < barWidth; ++i) barColours.setPixel(i, 0, toQColor(densityColour(i / (barWidth - 1.0))).rgb());
  }
  std::array<uint32_t, 12> ticks{};
  const int n = densityBarTicks(most, ticks);
  struct Number {
    std::array<char, 12> digits;
    int length;
    double width;
  };
  std::array<Number, 12> labels;
  for (int i = 0; i < n; ++i) {
    Number& label = labels[i];
    label.length = static_cast<int>(std::to_chars(label.digits.data(), label.digits.data() + 12, ticks[i]).ptr -
                                    label.digits.data());
    label.width = 0;
    for (int k = 0; k < label.length; ++k) label.width += barDigitWidths[label.digits[k] - '0'];
  }
  const double pad = std::max(2.0, digit / 2);
  const double left = width() - 4 - pad - barWidth, top = 4 + pad;
  // The painter's state is left as the bar sets it (the border comes after with its own pen):
  // a save, a restore and a pen made from a colour would each allocate at every paint.
  static const QPen labelPen(QColor(70, 70, 70));
  p.setFont(barFont);
  // A light box behind the strip and its labels keeps them readable over the traces.
  p.fillRect(QRectF(left - barWordWidth - 3 * pad, 4, barWidth + barWordWidth + 4 * pad, barHeight + metrics.height() + 2 * pad),
             QColor(255, 255, 255, 215));
  p.drawImage(QRectF(left, top, barWidth, barHeight), barColours);
  p.setPen(labelPen);
  p.drawStaticText(QPointF(left - barWordWidth - pad, top + barHeight / 2 - metrics.height() / 2), barWord);
  auto draw = [&](double x, const Number& label) {
    for (int k = 0; k < label.length; ++k) {
      const int d = label.digits[k] - '0';
      p.drawStaticText(QPointF(x, top + barHeight), barDigits[d]);
      x += barDigitWidths[d];
    }
  };
  // 1 and the maximum stand at the ends; a power of ten between goes where it leaves room.
  const double gap = digit / 2;
  double freeFrom = left + labels[0].width + gap;
  const double last = left + barWidth - labels[n - 1].width;
  draw(left, labels[0]);
  if (n > 1 && last >= freeFrom) draw(last, labels[n - 1]);
  for (int i = 1; i + 1 < n; ++i) {
    const double x = left + densityPosition(ticks[i], most) * barWidth - labels[i].width / 2;
    if (x < freeFrom || x + labels[i].width + gap > last) continue;
    draw(x, labels[i]);
    freeFrom = x + labels[i].width + gap;
  }
}

const QImage& PictureWidget::composited() {
  const QImage& raster = surface.finished();
  if (raster.isNull() || raster.format() != QImage::Format_RGB32) return raster;
  const bool overlays = shown.lineCount > 0 || shown.labelCount > 0;
  if (overlays &&
      (overlayStale || overlaySize != raster.size() || overlayRatio != raster.width() / double(std::max(1, width()))))
    buildOverlay(raster);
  if (composite.size() != raster.size()) composite = QImage(raster.size(), QImage::Format_RGB32);
  const int columns = raster.width();
  if (showsDensity()) {
    recolour(raster, composite);
  } else {
    for (int y = 0; y < raster.height(); ++y)
      std::memcpy(composite.scanLine(y), raster.constScanLine(y), sizeof(QRgb) * columns);
  }
  if (!overlays) return composite;
  auto* out = reinterpret_cast<QRgb*>(composite.bits());
  const int stride = composite.bytesPerLine() / static_cast<int>(sizeof(QRgb));
  // The grid lies under the drawing: each channel keeps the darker of the two (Darken), so a
  // trace stays whole where a grid line crosses it. Under Density it lies over the colours.
  const bool over = showsDensity();
  for (const auto& [index, colour] : overlayPixels) {
    QRgb& d = out[(index / columns) * stride + index % columns];
    const int a = qAlpha(colour);
    if (over) {
      auto blend = [a](int dst, int src) { return src + dst * (255 - a) / 255; };
      d = qRgb(blend(qRed(d), qRed(colour)), blend(qGreen(d), qGreen(colour)), blend(qBlue(d), qBlue(colour)));
      continue;
    }
    auto channel = [a](int dst, int src) {  // src premultiplied by a
      const int over = std::min(dst * a, src * 255) / 255;  // darker of the two, where covered
      return dst + ((over - dst * a / 255));
    };
    d = qRgb(channel(qRed(d), qRed(colour)), channel(qGreen(d), qGreen(colour)), channel(qBlue(d), qBlue(colour)));
  }
  for (const auto& [index, colour] : labelPixels) {
    QRgb& d = out[(index / columns) * stride + index % columns];
    const int rest = 255 - qAlpha(colour);  // source over, premultiplied
    d = qRgb(qRed(colour) + qRed(d) * rest / 255, qGreen(colour) + qGreen(d) * rest / 255,
             qBlue(colour) + qBlue(d) * rest / 255);
  }
  return composite;
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && picture.onClick) {
    picture.onClick();
    afterEvent();
  }
}

}  // namespace linklab
