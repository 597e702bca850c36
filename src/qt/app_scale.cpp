#include "qt/app_scale.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>
#include <QToolTip>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace linklab {

namespace {

// A desktop theme may give some classes their own font; those are scaled from their own size.
constexpr std::array<const char*, 7> kThemedClasses = {"QMenu",     "QMenuBar",          "QMessageBox", "QStatusBar",
                                                       "QLineEdit", "QAbstractItemView", "QHeaderView"};

struct DesktopFonts {
  QFont application;
  std::vector<std::pair<const char*, QFont>> classes;
};

const DesktopFonts& desktop() {
  static const DesktopFonts fonts = [] {
    DesktopFonts f{QApplication::font(), {}};
    for (const char* name : kThemedClasses) {
      const QFont own = QApplication::font(name);
      if (own != f.application) f.classes.emplace_back(name, own);
    }
    f.classes.emplace_back("QTipLabel", QToolTip::font());  // what QToolTip::setFont sets
    return f;
  }();
  return fonts;
}

double current = 1.0;

}  // namespace

QFont desktopFont() { return desktop().application; }

QFont scaledFont(const QFont& font, double factor) {
  QFont scaled = font;
  if (font.pointSizeF() > 0)
    scaled.setPointSizeF(font.pointSizeF() * factor);
  else if (font.pixelSize() > 0)
    scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
  return scaled;
}

void setApplicationScale(double factor) {
  const DesktopFonts& fonts = desktop();
  // Quarter-point steps: dragging the window's edge changes the factor at every pixel, and every
  // change of the application's font lays out every widget again.
  const double stepped = std::round(factor * fonts.application.pointSizeF() * 4) / (fonts.application.pointSizeF() * 4);
  const double next = fonts.application.pointSizeF() > 0 ? stepped : factor;
  current = factor;
  static std::optional<double> applied;
  if (applied && *applied == next) return;
  applied = next;
  QApplication::setFont(scaledFont(fonts.application, next));  // this forgets the class fonts ...
  for (const auto& [name, font] : fonts.classes) QApplication::setFont(scaledFont(font, next), name);  // ... so again
}

double applicationScale() { return current; }

QSize scaledSize(QSize atOne) {
  return QSize(static_cast<int>(std::lround(atOne.width() * current)),
               static_cast<int>(std::lround(atOne.height() * current)));
}

void sizeToScale(QWidget& dialog, QSize atOne) {
  QSize size = dialog.size().expandedTo(scaledSize(atOne));
  const QWidget* anchor = dialog.parentWidget() ? dialog.parentWidget() : &dialog;
  if (const QScreen* screen = anchor->screen()) size = size.boundedTo(screen->availableGeometry().size());
  dialog.resize(size);
}

namespace {

class MenuItemStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem) return s;
    // The check column as painted (about 0.79 of the item's height), beyond what was measured.
    constexpr int kMeasuredColumn = 21;
    s.rwidth() += std::max(0, static_cast<int>(0.79 * s.height()) - kMeasuredColumn);
    return s;
  }
};

}  // namespace

void fitMenuItems(QMenu& menu) {
  static QPointer<QStyle> style;
  if (!style) {
    style = new MenuItemStyle;
    style->setParent(qApp);  // the menus go before the application does
  }
  menu.setStyle(style);
}

}  // namespace linklab
