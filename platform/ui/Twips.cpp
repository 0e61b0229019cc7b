#include "Twips.h"

#include <QWidget>

namespace ui {

// The outer size is the frame's when the window has one; an unshown window has no frame yet, so its own size
// stands for it.
TwipsRect windowTwips(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    return {toTwips(frame.x()), toTwips(frame.y()), toTwips(frame.width()), toTwips(frame.height())};
}

void setWindowLeft(QWidget& window, double twips) { window.move(toPixels(twips), window.frameGeometry().y()); }
void setWindowTop(QWidget& window, double twips) { window.move(window.frameGeometry().x(), toPixels(twips)); }

void placeTwips(QWidget& control, double left, double top, double width, double height) {
    control.setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

}  // namespace ui
