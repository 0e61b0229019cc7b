#include "ListViewSort.h"

#include <algorithm>
#include <unordered_map>
#include <variant>
#include <vector>

#include <QPointer>

#include "Conversions.h"
#include "ErrorReport.h"
#include "ListView.h"
#include "MaintHooks.h"
#include "ShellConversions.h"

namespace tally::desk {

namespace {

struct Memory {
    SortState state;
    QPointer<ui::ListView> list;
    int generation = -1;
};

Memory& memory() {
    static Memory instance;
    return instance;
}

// A sort remembered for another list, or for an earlier filling of this one, no longer applies.
void forgetStaleSort(ui::ListView& list) {
    Memory& m = memory();
    if (m.list == &list && m.generation == list.fillGeneration()) return;
    m.state.gintSortOrder = 0;
    m.state.glngSortColumn = -1;
    m.state.glngSortDataType = 0;
    m.list = &list;
    m.generation = list.fillGeneration();
}

enum class ValueKind { Number, Date, Text, None };

ValueKind kindOf(std::int32_t dataType) {
    switch (dataType) {
    case 2: case 3: case 4: case 5: case 6: case 14: case 16: case 17: case 18: case 19: case 20: case 21: case 131:
        return ValueKind::Number;
    case 7: case 133: case 134: case 135:
        return ValueKind::Date;
    case 129: case 200:
        return ValueKind::Text;
    default:
        return ValueKind::None;
    }
}

// A cell's value for comparing; monostate when it takes no part (no text, or a number 0).
using SortValue = std::variant<std::monostate, long, QString>;

// At most 31 characters of a cell take part.
constexpr int kCellChars = 31;

SortValue readValue(const QString& cell, ValueKind kind) {
    const QString text = cell.left(kCellChars);
    if (text.isEmpty()) return {};
    switch (kind) {
    case ValueKind::Number: {
        const long number = toLong(text);
        if (number == 0) return {};
        return number;
    }
    case ValueKind::Date: return vb::CDate(text.toStdString()).serial();
    case ValueKind::Text: return text.toCaseFolded();
    case ValueKind::None: return {};
    }
    return {};
}

// Reads a row's value; a conversion error is reported once per error number for the whole run, and that row
// then takes no part.
SortValue readReported(const QString& cell, ValueKind kind) {
    try {
        return readValue(cell, kind);
    } catch (...) {
        const ErrorInfo error = currentError();
        SortState& state = memory().state;
        if (error.number != state.glngLastSortError) {
            state.glngLastSortError = static_cast<std::int32_t>(error.number);
            showError(QStringLiteral("Error in ComparisonCallback "), error, ErrorLayout::ErrorNumber);
        }
        return {};
    }
}

void sortRows(ui::ListView& list) {
    const SortState& state = memory().state;
    const ValueKind kind = kindOf(state.glngSortDataType);
    const bool descending = state.gintSortOrder == 2;

    struct Row {
        QTreeWidgetItem* item;
        SortValue value;
    };
    std::vector<Row> rows;
    for (int i = 0; i < list.rowCount(); ++i) {
        QTreeWidgetItem* item = list.row(i);
        rows.push_back({item, readReported(ui::ListView::cellText(item, state.glngSortColumn), kind)});
    }
    // Rows without a value take no part: they keep their places and the others are ordered around them. Among
    // the rest "comes before" is a strict ordering, and equal rows keep their order.
    std::vector<std::size_t> places;
    std::vector<Row> ranked;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (std::holds_alternative<std::monostate>(rows[i].value)) continue;
        places.push_back(i);
        ranked.push_back(rows[i]);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [descending](const Row& a, const Row& b) {
        return descending ? b.value < a.value : a.value < b.value;
    });
    for (std::size_t k = 0; k < places.size(); ++k) rows[places[k]] = ranked[k];

    std::unordered_map<const QTreeWidgetItem*, std::size_t> rank;
    for (std::size_t i = 0; i < rows.size(); ++i) rank[rows[i].item] = i;
    list.sortRows([&rank](const QTreeWidgetItem* a, const QTreeWidgetItem* b) { return rank.at(a) < rank.at(b); });
}

}  // namespace

const SortState& sortState() { return memory().state; }

void SortListView(ui::ListView& list, std::int32_t column, std::int32_t dataType, std::int16_t direction) {
    trapStep(QStringLiteral("Error in SortListView "), ErrorLayout::ErrorNumber, [&] {
        forgetStaleSort(list);
        SortState& state = memory().state;
        if (column != state.glngSortColumn) state.gintSortOrder = 2;
        state.glngSortColumn = column;
        if (direction == 0)
            state.gintSortOrder = state.gintSortOrder == 2 ? 1 : 2;
        else
            state.gintSortOrder = direction;
        state.glngSortDataType = dataType;
        list.setOwnSorting(false);
        sortRows(list);
    });
}

void ListViewSort(ui::ListView& list, std::int16_t direction, std::int32_t column) {
    trapStep(QStringLiteral("Error in ListViewSort "), ErrorLayout::ErrorNumber, [&] {
        list.sortOwn(column, direction == 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
}

void RemoveSortedItem(MaintWindowHooks& form) {
    trapStep(QStringLiteral("Error in RemoveSortedItem "), ErrorLayout::ErrorNumber, [&] {
        ui::ListView& list = form.lvMain();
        forgetStaleSort(list);
        const SortState state = memory().state;
        if (state.gintSortOrder != 0) {
            list.removeRow(list.selectedRow());
            SortListView(list, state.glngSortColumn, state.glngSortDataType, state.gintSortOrder);
            form.ResetEditMode();
            form.NewRecord();
        } else {
            list.removeRow(list.selectedRow());
            form.ItializeDataField();
        }
    });
    form.UpdateMaintStatusBar(QStringLiteral("Record Deleted"));
}

}  // namespace tally::desk

