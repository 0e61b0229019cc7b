#include "ProgramIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace tally::desk {

namespace {
// Drawn on a grid of 16 by 16 squares, each `size` / 16 pixels wide: at 16, 32, 48 ... pixels every edge lies on
// a pixel's edge.
QPixmap drawn(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1e, 0x3a, 0x5f));
    painter.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
    const QColor gold(0xf5, 0xb8, 0x2e);
    painter.fillRect(QRectF(2, 3, 3, 9), gold);
    painter.fillRect(QRectF(6, 6, 3, 6), gold);
    painter.fillRect(QRectF(10, 9, 3, 3), gold);
    painter.fillRect(QRectF(2, 12, 12, 1), Qt::white);
    painter.end();
    return QPixmap::fromImage(image);
}
}  // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawn(size));
    return icon;
}

}  // namespace tally::desk
