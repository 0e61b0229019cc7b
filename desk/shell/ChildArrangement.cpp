#include "ChildArrangement.h"

#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "ScreenPlace.h"

namespace tally::desk {

namespace {

// The windows an arrangement moves: shown and not minimized, each back in its normal state.
QList<QMdiSubWindow*> windowsToArrange(const QMdiArea& area, QMdiArea::WindowOrder order) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(order)) {
        if (window->isHidden() || window->isMinimized()) continue;
        if (window->isMaximized()) window->showNormal();
        windows.append(window);
    }
    return windows;
}

// The area scrolls by moving its children; at its origin they stand where they were placed.
void scrollToOrigin(QMdiArea& area) {
    area.horizontalScrollBar()->setValue(0);
    area.verticalScrollBar()->setValue(0);
}

int titleBarHeight(const QMdiSubWindow& window) {
    QStyleOptionTitleBar title;
    title.initFrom(&window);
    return window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, &window);
}

}  // namespace

SizeBounds arrangementBounds(const QMdiSubWindow& window) {
    SizeBounds bounds{window.minimumSize(), window.maximumSize()};
    if (const QWidget* content = window.widget()) {
        const QSize frame = window.size() - content->size();
        bounds.least = bounds.least.expandedTo(content->minimumSize() + frame);
        bounds.most = bounds.most.boundedTo(content->maximumSize() + frame);
        if (const auto* declared = dynamic_cast<const ArrangedContent*>(content)) {
            bounds.least = bounds.least.expandedTo(declared->leastArrangedSize());
            bounds.most = bounds.most.boundedTo(declared->mostArrangedSize());
        }
    }
    bounds.most = bounds.most.expandedTo(bounds.least);
    return bounds;
}

void placeChildren(const QList<QMdiSubWindow*>& windows, const std::vector<QRect>& wanted, ArrangementFlow flow) {
    if (windows.isEmpty()) return;
    if (QMdiArea* area = windows.front()->mdiArea()) scrollToOrigin(*area);
    QPoint next = wanted.empty() ? QPoint() : wanted.front().topLeft();
    for (qsizetype i = 0; i < windows.size() && i < static_cast<qsizetype>(wanted.size()); ++i) {
        const QRect& place = wanted[static_cast<std::size_t>(i)];
        const SizeBounds bounds = arrangementBounds(*windows[i]);
        const QRect placed(flow == ArrangementFlow::Down     ? QPoint(place.x(), next.y())
                           : flow == ArrangementFlow::Across ? QPoint(next.x(), place.y())
                                                             : place.topLeft(),
                           place.size().expandedTo(bounds.least).boundedTo(bounds.most));
        windows[i]->setGeometry(placed);
        next = placed.bottomRight() + QPoint(1, 1);
    }
}

void cascadeChildren(QMdiArea& area) {
    const QList<QMdiSubWindow*> windows = windowsToArrange(area, QMdiArea::StackingOrder);
    if (windows.isEmpty()) return;
    const int step = titleBarHeight(*windows.front());
    std::vector<QRect> wanted;
    for (qsizetype i = 0; i < windows.size(); ++i)
        wanted.emplace_back(QPoint(static_cast<int>(i) * step, static_cast<int>(i) * step), windows[i]->size());
    placeChildren(windows, wanted, ArrangementFlow::Overlapping);
}

void tileChildrenSideBySide(QMdiArea& area) {
    const QList<QMdiSubWindow*> windows = windowsToArrange(area, QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    const QSize room = area.viewport()->size();
    const int width = room.width() / static_cast<int>(windows.size());
    std::vector<QRect> wanted;
    for (qsizetype i = 0; i < windows.size(); ++i)
        wanted.emplace_back(static_cast<int>(i) * width, 0, width, room.height());
    placeChildren(windows, wanted, ArrangementFlow::Across);
}

void keepInView(QMdiSubWindow& window) {
    const QMdiArea* area = window.mdiArea();
    if (!area) return;
    const QRect place = keptInside(window.geometry(), QRect(QPoint(), area->viewport()->size()));
    if (place.topLeft() != window.pos()) window.move(place.topLeft());
}

}  // namespace tally::desk
