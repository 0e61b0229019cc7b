#pragma once
// The report-mode list of the maintenance and report windows: a QTreeWidget showing flat rows in columns whose
// widths are given in twips. Every row carries a key of its own (unique within the list) and its cells ("sub
// items") are addressed by column position; single cells may be bold; grid lines are optional. Rows are
// reordered by a caller's comparison through a stable sort.

#include <cstdint>
#include <functional>

#include <QTreeWidget>

namespace ui {

class ListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // Columns.
    int addColumn(const QString& heading, double widthTwips, Qt::Alignment alignment = Qt::AlignLeft);
    void removeAllColumns();
    Qt::Alignment columnAlignment(int column) const;
    // The width as set in twips while the column keeps the pixel width that gave, or the one widenToContents
    // gave it (the printout places columns to the twip); once the user drags the column wider or narrower, the
    // width it has on screen.
    double columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, double widthTwips);
    // Widens the column on screen until its heading and values show whole; it never narrows it. The width in
    // twips stays the one set, which the printout places the column by.
    void widenToContents(int column);

    // Rows: the first cell's text, then the sub items by column position (1 = the second column).
    QTreeWidgetItem* addRow(const QString& text);
    void setCell(QTreeWidgetItem* row, int column, const QString& text);
    static QString cellText(const QTreeWidgetItem* row, int column);
    void setCellBold(QTreeWidgetItem* row, int column, bool bold);
    static bool cellBold(const QTreeWidgetItem* row, int column);
    static std::int32_t rowKey(const QTreeWidgetItem* row);
    QTreeWidgetItem* rowByKey(std::int32_t key) const;
    QTreeWidgetItem* row(int index) const { return topLevelItem(index); }
    int rowCount() const { return topLevelItemCount(); }
    QTreeWidgetItem* selectedRow() const;
    void selectRow(QTreeWidgetItem* row);
    // Removes (and deletes) a row.
    void removeRow(QTreeWidgetItem* row);

    void setGridLines(bool on);
    bool gridLines() const;

    // Reorders the rows with a strict "comes before" comparison; rows it holds equal keep their order. The
    // current and selected rows stay so, and no current-item or selection signal is sent. The list's own sorting
    // is switched off first. A comparison that raises leaves the rows as they were, and its exception goes on to
    // the caller.
    using RowLess = std::function<bool(const QTreeWidgetItem*, const QTreeWidgetItem*)>;
    void sortRows(const RowLess& less);

    // The list's own sort: by a column's text, ascending or descending, kept while rows are added.
    void sortOwn(int column, Qt::SortOrder order);
    // Switching the list's own sort on or off leaves the headers taking clicks as they did: a header click also
    // sorts through sortRows, which switches the own sort off.
    void setOwnSorting(bool on);

    // Counts how often the list was emptied (clear()); a remembered sort of an earlier filling is stale.
    int fillGeneration() const { return fillGeneration_; }

signals:
    void columnClicked(int column);

private:
    void applyAlignment(QTreeWidgetItem* row, int column) const;

    std::int32_t nextKey_ = 1;
    int fillGeneration_ = 0;
    QMetaObject::Connection fillCounter_;
};

}  // namespace ui
