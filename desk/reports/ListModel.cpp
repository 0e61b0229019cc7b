#include "ListModel.h"

namespace tally::desk {

int ListModel::addColumn(const QString& heading, int widthTwips, bool rightAligned) {
    columns_.push_back({heading, widthTwips, rightAligned});
    listWidth_ += widthTwips;
    for (auto& row : rows_) row.resize(columns_.size());
    return columnCount() - 1;
}

int ListModel::addRow(const QString& text) {
    rows_.emplace_back(columns_.size() ? columns_.size() : 1);
    rows_.back().front().text = text;
    return rowCount() - 1;
}

int ListModel::addBlankRow() {
    const int row = addRow(QStringLiteral(" "));
    for (int c = 1; c < columnCount(); ++c) setCell(row, c, QStringLiteral(" "));
    return row;
}

void ListModel::setCell(int row, int column, const QString& text, bool bold) {
    ListCell& target = rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    target.text = text;
    target.bold = bold;
}

void ListModel::setBold(int row, int column, bool bold) {
    rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)).bold = bold;
}

const ListCell& ListModel::cell(int row, int column) const {
    return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void ListModel::clear() {
    columns_.clear();
    rows_.clear();
    listWidth_ = 0;
}

}  // namespace tally::desk
