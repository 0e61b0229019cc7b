#include "ListView.h"

#include <algorithm>
#include <vector>

#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "Twips.h"

namespace ui {
namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kWidthTwipsRole = Qt::UserRole + 2;
constexpr int kWidenedPixelsRole = Qt::UserRole + 3;

// Draws a thin line along the right and bottom edge of each cell.
class GridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool enabled = false;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!enabled) return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

}  // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    setItemDelegate(new GridDelegate(this));
    connect(header(), &QHeaderView::sectionClicked, this, &ListView::columnClicked);
    fillCounter_ = connect(model(), &QAbstractItemModel::modelReset, this, [this] { ++fillGeneration_; });
}

// The model is a child of the tree widget and empties itself (a model reset) when the base classes take it down,
// after this part of the list is gone: the counter must not hear of that.
ListView::~ListView() { disconnect(fillCounter_); }

int ListView::addColumn(const QString& heading, double widthTwips, Qt::Alignment alignment) {
    const int column = columnCount();
    setColumnCount(column + 1);
    QTreeWidgetItem* head = headerItem();
    head->setText(column, heading);
    head->setTextAlignment(column, alignment | Qt::AlignVCenter);
    setColumnWidthTwips(column, widthTwips);
    return column;
}

void ListView::setColumnWidthTwips(int column, double widthTwips) {
    headerItem()->setData(column, kWidthTwipsRole, widthTwips);
    headerItem()->setData(column, kWidenedPixelsRole, QVariant());
    setColumnWidth(column, toPixels(widthTwips));
}

void ListView::widenToContents(int column) {
    const int set = columnWidth(column);
    resizeColumnToContents(column);
    const int shown = std::max(set, columnWidth(column));
    setColumnWidth(column, shown);
    if (shown != set) headerItem()->setData(column, kWidenedPixelsRole, shown);
}

void ListView::removeAllColumns() {
    clear();
    setColumnCount(0);
}

Qt::Alignment ListView::columnAlignment(int column) const {
    return Qt::Alignment(headerItem()->textAlignment(column)) & Qt::AlignHorizontal_Mask;
}

double ListView::columnWidthTwips(int column) const {
    const QVariant set = headerItem()->data(column, kWidthTwipsRole);
    const QVariant widened = headerItem()->data(column, kWidenedPixelsRole);
    const int shown = columnWidth(column);
    if (set.isValid() && (toPixels(set.toDouble()) == shown || (widened.isValid() && widened.toInt() == shown)))
        return set.toDouble();
    return toTwips(shown);
}

void ListView::applyAlignment(QTreeWidgetItem* row, int column) const {
    row->setTextAlignment(column, columnAlignment(column) | Qt::AlignVCenter);
}

QTreeWidgetItem* ListView::addRow(const QString& text) {
    auto* row = new QTreeWidgetItem(this);
    row->setData(0, kKeyRole, nextKey_++);
    setCell(row, 0, text);
    return row;
}

void ListView::setCell(QTreeWidgetItem* row, int column, const QString& text) {
    row->setText(column, text);
    applyAlignment(row, column);
}

QString ListView::cellText(const QTreeWidgetItem* row, int column) { return row ? row->text(column) : QString(); }

void ListView::setCellBold(QTreeWidgetItem* row, int column, bool bold) {
    QFont font = row->font(column);
    font.setBold(bold);
    row->setFont(column, font);
}

bool ListView::cellBold(const QTreeWidgetItem* row, int column) { return row->font(column).bold(); }

std::int32_t ListView::rowKey(const QTreeWidgetItem* row) { return row->data(0, kKeyRole).toInt(); }

QTreeWidgetItem* ListView::rowByKey(std::int32_t key) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (rowKey(topLevelItem(i)) == key) return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* ListView::selectedRow() const {
    const auto rows = selectedItems();
    return rows.isEmpty() ? nullptr : rows.front();
}

void ListView::selectRow(QTreeWidgetItem* row) {
    setCurrentItem(row);
    if (row) scrollToItem(row);
}

void ListView::removeRow(QTreeWidgetItem* row) { delete row; }

bool ListView::gridLines() const { return static_cast<const GridDelegate*>(itemDelegate())->enabled; }

void ListView::setGridLines(bool on) {
    static_cast<GridDelegate*>(itemDelegate())->enabled = on;
    viewport()->update();
}

void ListView::sortRows(const RowLess& less) {
    setOwnSorting(false);
    QTreeWidgetItem* selected = selectedRow();
    QTreeWidgetItem* current = currentItem();
    std::vector<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<std::size_t>(topLevelItemCount()));
    for (int i = 0; i < topLevelItemCount(); ++i) rows.push_back(topLevelItem(i));
    // The rows stay in the list while they are sorted, so a comparison that raises leaves the list as it was.
    std::stable_sort(rows.begin(), rows.end(), less);
    {
        // Taking the rows out and back would report the current and selected row as lost and found again, and a
        // window that loads a row on those signals would ask to save and read a momentarily empty list.
        const QSignalBlocker listBlocker(this);
        const QSignalBlocker selectionBlocker(selectionModel());
        invisibleRootItem()->takeChildren();
        addTopLevelItems(QList<QTreeWidgetItem*>(rows.begin(), rows.end()));
        if (current) setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
        if (selected) selected->setSelected(true);
    }
    if (selected) scrollToItem(selected);
    viewport()->update();
}

void ListView::sortOwn(int column, Qt::SortOrder order) {
    setOwnSorting(true);
    sortByColumn(column, order);
}

void ListView::setOwnSorting(bool on) {
    // Qt makes the header sections clickable, or not, along with the view's own sorting.
    const bool clickable = header()->sectionsClickable();
    setSortingEnabled(on);
    header()->setSectionsClickable(clickable);
}

}  // namespace ui
