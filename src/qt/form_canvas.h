#pragma once
// The window's own surface: it paints the shapes and lines of the block diagram and the drag
// handles, and passes mouse presses and moves over them to the form's handlers.
#include <QWidget>
#include <functional>

namespace linklab {

class Form1;

class FormCanvas : public QWidget {
 public:
  FormCanvas(Form1& form, QWidget* parent, std::function<void(std::function<void()>)> runEvent);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;

 private:
  void forward(QMouseEvent* event, bool press);
  Form1& form;
  std::function<void(std::function<void()>)> runEvent;
};

}  // namespace linklab
