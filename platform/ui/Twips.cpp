#include "Twips.h"

#include <QWidget>

namespace ui {

// The outer size is the frame's when the window has one; an unshown window has no frame yet, so its own size
// stands for it.
TwipsRect windowTwips(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    return {toTwips(frame.x()), toTwips(frame.y()), toTwips(frame.width()), toTwips(frame.height())};
}

namespace {
QSize frameExtra(const QWidget& window) { return window.frameGeometry().size() - window.size(); }
}  // namespace

void setWindowLeft(QWidget& window, double twips) { window.move(toPixels(twips), window.frameGeometry().y()); }
void setWindowTop(QWidget& window, double twips) { window.move(window.frameGeometry().x(), toPixels(twips)); }

void setWindowWidth(QWidget& window, double twips) {
    window.resize(std::max(0, toPixels(twips) - frameExtra(window).width()), window.height());
}

void setWindowHeight(QWidget& window, double twips) {
    window.resize(window.width(), std::max(0, toPixels(twips) - frameExtra(window).height()));
}

void placeTwips(QWidget& control, double left, double top, double width, double height) {
    control.setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

}  // namespace ui
