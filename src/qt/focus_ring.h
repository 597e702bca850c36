#pragma once
// A ring around the control that has the keyboard focus, drawn over the window in the desktop's
// highlight colour and as thick as the layout's scale makes it (2 pixels at 100 %). The styles'
// own focus marks are a dotted line or a faint tint that a projector loses; this one shows on
// lists, sliders, check boxes, buttons and text boxes alike without changing how they look.
#include <QPointer>
#include <QWidget>

namespace linklab {

class FocusRing : public QWidget {
 public:
  explicit FocusRing(QWidget& window);
  void setScale(double factor);
  // The ring's thickness in pixels.
  int thickness() const { return width; }
  // The control the ring is around, or none.
  QWidget* target() const { return around; }

 protected:
  void paintEvent(QPaintEvent*) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void follow(QWidget* focused);
  void place();
  QWidget& window;
  QPointer<QWidget> around;
  QPointer<QWidget> aroundParent;
  int width = 2;
};

}  // namespace linklab
