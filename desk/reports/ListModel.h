#pragma once
// What a report list shows, kept apart from the widget so that the fillers can be checked without windows:
// columns (heading, width in twips, right alignment) and rows of cells (text, bold). Cell 0 is the row's own
// text, cells 1 .. n-1 its sub items. A cell no filler wrote stays empty; a filler that blanks a row writes " ".

#include <vector>

#include <QString>

namespace tally::desk {

struct ListColumn {
    QString heading;
    int widthTwips = 0;  // 0: the column takes no room
    bool rightAligned = false;
    bool shownWhole = false;  // on screen the column widens until its values show whole
};

struct ListCell {
    QString text;
    bool bold = false;
};

class ListModel {
public:
    int addColumn(const QString& heading, int widthTwips, bool rightAligned);
    int columnCount() const { return static_cast<int>(columns_.size()); }
    const ListColumn& column(int index) const { return columns_.at(static_cast<std::size_t>(index)); }
    ListColumn& column(int index) { return columns_.at(static_cast<std::size_t>(index)); }
    // The sum of the column widths as they were made (the window is sized by it).
    int listWidthTwips() const { return listWidth_; }

    // Appends a row whose cells are all empty but the first, and returns its index.
    int addRow(const QString& text);
    // Appends a row of single blanks in every column.
    int addBlankRow();
    int rowCount() const { return static_cast<int>(rows_.size()); }

    void setCell(int row, int column, const QString& text, bool bold = false);
    void setBold(int row, int column, bool bold = true);
    const ListCell& cell(int row, int column) const;

    void clear();

private:
    std::vector<ListColumn> columns_;
    std::vector<std::vector<ListCell>> rows_;
    int listWidth_ = 0;
};

}  // namespace tally::desk
