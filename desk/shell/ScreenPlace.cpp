#include "ScreenPlace.h"

#include <algorithm>

#include <QWidget>

namespace tally::desk {

namespace {
constexpr QSize kUsualFrame(8, 34);
}  // namespace

QRect keptInside(QRect outer, const QRect& room) {
    outer.moveRight(std::min(outer.right(), room.right()));
    outer.moveBottom(std::min(outer.bottom(), room.bottom()));
    outer.moveLeft(std::max(outer.left(), room.left()));
    outer.moveTop(std::max(outer.top(), room.top()));
    return outer;
}

QRect centredInside(QSize outerSize, const QRect& room) {
    QRect outer(QPoint(), outerSize.boundedTo(room.size()));
    outer.moveCenter(room.center());
    return keptInside(outer, room);
}

QSize frameAround(const QWidget& window) {
    return window.isVisible() ? window.frameSize() - window.size() : kUsualFrame;
}

}  // namespace tally::desk
