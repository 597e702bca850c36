#include "qt/export_images.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QWidget>
#include <cctype>
#include <cmath>

#include "form/picture_box.h"
#include "main_window/form1.h"
#include "picture_export/file_output.h"
#include "picture_export/picture_svg.h"
#include "qt/picture_widget.h"

namespace linklab {

namespace {

QByteArray pngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

std::string failure(const std::string& file, const std::string& why) {
  return why.empty() ? std::string() : "cannot write '" + file + "': " + why;
}

}  // namespace

PictureSnapshot snapshotOf(PictureWidget& widget, const PictureBox& picture) {
  const auto ops = picture.history();
  // Faded or recoloured pixels are not what the operations draw: such a picture goes out as its image.
  const bool asDrawn = picture.historyComplete() && widget.raster().logComplete() && !widget.showsDensity();
  return {widget.pictureImage(), std::vector<DrawOp>(ops.begin(), ops.end()), asDrawn, picture.Width, picture.Height,
          picture.BackColor};
}

PictureWidget* pictureWidget(QWidget& window, std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
  return dynamic_cast<PictureWidget*>(window.findChild<QWidget*>(wanted));
}

QImage windowImage(QWidget& window, double scale) {
  if (scale == 1) return window.grab().toImage();
  const double ratio = window.devicePixelRatioF() * scale;
  QImage image(QSize(static_cast<int>(std::lround(window.width() * ratio)),
                     static_cast<int>(std::lround(window.height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(window.palette().color(QPalette::Window));
  window.render(&image);
  return image;
}

bool isSvgFile(std::string_view file) {
  if (file.size() < 4) return false;
  std::string extension(file.substr(file.size() - 4));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".svg";
}

std::string writeImage(const QImage& image, const std::string& file) {
  const QByteArray bytes = pngBytes(image);
  return failure(file, writeWholeFile(file, std::string_view(bytes.constData(), bytes.size())));
}

std::string writePicture(const PictureSnapshot& picture, const std::string& file) {
  if (!isSvgFile(file)) return writeImage(picture.raster, file);
  const QByteArray raster = picture.complete ? QByteArray() : pngBytes(picture.raster);
  const std::string svg =
      pictureSvg({picture.widthTwips, picture.heightTwips, picture.background, picture.ops, picture.complete},
                 std::string_view(raster.constData(), raster.size()));
  return failure(file, writeWholeFile(file, svg));
}

std::string saveByName(QWidget& window, Form1& form, std::string_view name, const std::string& file) {
  if (name == "window") {
    if (isSvgFile(file)) return "the window is saved as PNG only";
    return writeImage(windowImage(window, 1), file);
  }
  Control* control = form.findControl(name);
  PictureWidget* widget = pictureWidget(window, name);
  if (!control || control->kind() != ControlKind::Picture || !widget)
    return "unknown picture '" + std::string(name) + "'";
  if (const std::string why = widget->raster().error(); !why.empty()) return why;
  return writePicture(snapshotOf(*widget, static_cast<PictureBox&>(*control)), file);
}

}  // namespace linklab
