#pragma once
// Images of the window and its pictures as files or for the clipboard: the window as PNG (at the
// screen's resolution or enlarged for print), a picture as PNG or, by the file's extension, as an
// SVG drawing. Everything is encoded in memory first and then written whole, so a failed write
// is reported once, in our own words.
#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "form/recording_surface.h"

class QWidget;

namespace linklab {

class Form1;
class PictureBox;
class PictureWidget;

// A picture as it stood when the user asked for it: the ticks go on while a dialog is open.
struct PictureSnapshot {
  QImage raster;
  std::vector<DrawOp> ops;
  bool complete = true;
  int widthTwips = 0, heightTwips = 0;
  uint32_t background = 0xFFFFFF;
};

PictureSnapshot snapshotOf(PictureWidget& widget, const PictureBox& picture);
// The picture widget that shows the model's picture NAME, or nullptr.
PictureWidget* pictureWidget(QWidget& window, std::string_view name);

// scale 1: as on screen; 2: twice the pixels, for print.
QImage windowImage(QWidget& window, double scale);

bool isSvgFile(std::string_view file);
// Each returns an empty string on success, else why the write failed.
std::string writeImage(const QImage& image, const std::string& file);
std::string writePicture(const PictureSnapshot& picture, const std::string& file);

// The batch runner's `save NAME FILE`: the window, or a picture of the form.
std::string saveByName(QWidget& window, Form1& form, std::string_view name, const std::string& file);

}  // namespace linklab
