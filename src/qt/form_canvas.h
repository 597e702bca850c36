#pragma once
// The window's own surface: it paints the shapes and lines of the block diagram and the drag
// handles, and passes mouse presses and moves over them to the form's handlers. Lines that must
// cross the pictures (the scan line) are painted by a small layer over them, only as large as
// those lines, so a picture's repaint does not drag a window-sized layer along.
#include <QWidget>
#include <functional>

#include "qt/layout_scale.h"

namespace linklab {

class Form1;

class FormCanvas : public QWidget {
 public:
  FormCanvas(Form1& form, const LayoutScale& scale, QWidget* parent,
             std::function<void(std::function<void()>)> runEvent, std::function<void()> resized);
  // Repaints the diagram and the lines drawn over the pictures.
  void refresh();
  // Repaints only the lines over the pictures (the scan line moves while the rest stays).
  void refreshOverlay();
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void forward(QMouseEvent* event, bool press);
  Form1& form;
  const LayoutScale& scale;
  QWidget* overlay;
  std::function<void(std::function<void()>)> runEvent;
  std::function<void()> resized;
};

}  // namespace linklab
