#pragma once
// The window's own surface: it paints the shapes and lines of the block diagram and the drag
// handles, and passes mouse presses and moves over them to the form's handlers.
#include <QWidget>
#include <functional>

namespace linklab {

class Form1;

// Paints the shapes and lines of the form: those behind the widgets, or those over them.
void paintDiagram(QWidget& target, const Form1& form, bool overDisplays);

class FormCanvas : public QWidget {
 public:
  FormCanvas(Form1& form, QWidget* parent, std::function<void(std::function<void()>)> runEvent);
  // Repaints the diagram and the lines drawn over the pictures.
  void refresh();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;

 private:
  void forward(QMouseEvent* event, bool press);
  Form1& form;
  QWidget* overlay;
  std::function<void(std::function<void()>)> runEvent;
};

}  // namespace linklab
