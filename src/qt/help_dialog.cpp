#include "qt/help_dialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/help_window.h"

namespace linklab {

namespace {
constexpr int kWidth = 520, kHeight = 420;  // at 100 %
}  // namespace

HelpDialog::HelpDialog(HelpWindow& model, QWidget* parent, std::function<void()> afterEvent)
    : QDialog(parent), model(model), afterEvent(std::move(afterEvent)) {
  setModal(false);
  setWindowTitle(QString::fromStdString(model.Caption));
  resize(kWidth, kHeight);
  auto* layout = new QVBoxLayout(this);
  auto* text = new QPlainTextEdit(this);
  text->setObjectName("Text1");
  text->setReadOnly(true);
  QString prose = QString::fromStdString(model.Text1.Text());
  prose.replace("\r\n", "\n");
  text->setPlainText(prose);
  layout->addWidget(text);
  auto* close = new QPushButton(QString::fromStdString(model.cmdClose.Caption), this);
  close->setObjectName("cmdClose");
  layout->addWidget(close, 0, Qt::AlignRight);
  connect(close, &QPushButton::clicked, this, [this] {
    this->model.cmdClose.click();
    this->afterEvent();
  });
}

void placeSideBySide(HelpDialog& left, HelpDialog& right) {
  left.slot = 0;
  right.slot = 1;
}

void HelpDialog::setScale(double scale) {
  if (scale == factor) return;
  factor = scale;
  // An open window keeps the size the user sees (its text grows with the application's font);
  // a closed one opens next time at the new size.
  if (!isVisible()) placed = false;
}

void HelpDialog::placeOnScreen() {
  placed = true;
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  constexpr int gap = 16;
  const int width = std::min(static_cast<int>(std::lround(kWidth * factor)), (area.width() - 3 * gap) / 2);
  const int height = std::min(static_cast<int>(std::lround(kHeight * factor)), area.height() - 2 * gap);
  resize(width, height);
  const int left = area.center().x() - width - gap / 2 + slot * (width + gap);
  move(left, area.top() + (area.height() - height) / 2);
}

void HelpDialog::sync() {
  if (model.Visible && !isVisible()) {
    if (!placed) placeOnScreen();
    show();
  }
  if (!model.Visible && isVisible()) hide();
}

void HelpDialog::closeEvent(QCloseEvent* event) {
  // The frame's close button hides the window like Close does; the instance stays.
  model.cmdClose_Click();
  event->accept();
}

void HelpDialog::reject() {
  model.cmdClose_Click();
  QDialog::reject();
}

}  // namespace linklab
