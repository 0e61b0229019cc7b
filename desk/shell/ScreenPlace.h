#pragma once
// Where a new window opens, so that all of it, its title bar above all, is within its room: a screen's available
// area (the screen without its panels) for a top-level window, the visible part of the main window's area for a
// child window. Window managers place windows wherever they find room, which on a small screen can be partly off
// it. Rectangles here are outer ones: a window with its frame, as move() takes them.

#include <QRect>
#include <QSize>

class QWidget;

namespace tally::desk {

// `outer` moved into `room`; the left and top edges are fitted last, so a window larger than the room keeps its
// title bar in reach.
QRect keptInside(QRect outer, const QRect& room);

// A rectangle of `outerSize`, made smaller where the room is smaller, centred in `room`.
QRect centredInside(QSize outerSize, const QRect& room);

// The frame the window manager draws around `window`, as outer size less inner size. A window not shown yet has
// none yet: it is then taken to be a title bar with thin borders, as most window managers draw them.
QSize frameAround(const QWidget& window);

}  // namespace tally::desk
