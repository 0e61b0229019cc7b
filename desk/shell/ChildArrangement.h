#pragma once
// How the child windows of the main window are arranged (the Windows menu) and where one opened from a menu goes.
// No arrangement makes a window smaller than it needs: each window's size stays within its bounds, and where a
// window keeps more room than its rule gives it, the windows after it move on by as much; the main window's area
// scrolls to whatever then lies beyond it. Places are in the area's viewport coordinates, as a child's geometry.

#include <vector>

#include <QList>
#include <QMdiArea>
#include <QRect>
#include <QSize>

class QMdiSubWindow;

namespace tally::desk {

// What a child window's content declares beyond its widgets' minimum and maximum sizes: the outer sizes (frame and
// title bar included) an arrangement may give its window. A window whose layout follows its height keeps its
// state this way, where a minimum or maximum would also keep the user from resizing it.
class ArrangedContent {
public:
    virtual QSize leastArrangedSize() const = 0;
    virtual QSize mostArrangedSize() const = 0;

protected:
    ~ArrangedContent() = default;
};

struct SizeBounds {
    QSize least;
    QSize most;
};

// The outer sizes an arrangement may give `window`: within its own minimum and maximum, its content's (with the
// frame around it), and what the content declares as ArrangedContent.
SizeBounds arrangementBounds(const QMdiSubWindow& window);

enum class ArrangementFlow {
    Overlapping,  // each window where its rule puts it
    Down,         // each window right below the one before it, so a window taller than its place moves the rest
    Across,       // each window right of the one before it, so a window wider than its place moves the rest
};

// Puts each window at its wanted place, in order, its size kept within its bounds; a flow takes only the first
// window's place and the others' left edges (Down) or top edges (Across). The area is scrolled back to its origin
// first, so the places count from its top left corner.
void placeChildren(const QList<QMdiSubWindow*>& windows, const std::vector<QRect>& wanted, ArrangementFlow flow);

// Windows > Cascade: the shown windows in their stacking order, each a title bar lower and further right than the
// one beneath, each keeping its own size.
void cascadeChildren(QMdiArea& area);

// Windows > Tile Vertical: the shown windows side by side in the order they were opened, the area's width shared
// among them, each as tall as the area.
void tileChildrenSideBySide(QMdiArea& area);

// A window just opened from a menu: moved wholly into the visible part of its area where it fits there; where it
// does not, its top left corner (its title bar) is kept in view.
void keepInView(QMdiSubWindow& window);

}  // namespace tally::desk
