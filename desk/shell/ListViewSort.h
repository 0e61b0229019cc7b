#pragma once
// Sorting the rows of a report-mode list by a clicked column: numbers as numbers, dates as dates, text without
// regard to case; the first click on a column sorts ascending, each further click reverses. The remembered sort
// (order, column, type) belongs to one filling of one list: sorting another list, or the same list after it was
// refilled, starts afresh.

#include <cstdint>

namespace ui {
class ListView;
}

namespace tally::desk {

class MaintWindowHooks;

struct SortState {
    std::int16_t gintSortOrder = 0;      // 0 none yet, 1 ascending, 2 descending
    std::int32_t glngSortColumn = -1;    // 0 = first column; -1 none yet, so any first click sorts ascending
    std::int32_t glngSortDataType = 0;   // field type code of that column
    std::int32_t glngLastSortError = 0;  // the last error reported; each number is reported once per run
};
const SortState& sortState();

// Type codes: 2 3 4 5 6 14 16-21 131 whole numbers; 7 133 134 135 dates; 129 200 text; any other takes no part.
// direction 0 toggles, 1 ascending, 2 descending.
void SortListView(ui::ListView& list, std::int32_t column, std::int32_t dataType, std::int16_t direction);

// The list's own sort by a column's text (1 ascending, 2 descending), kept while rows are added.
void ListViewSort(ui::ListView& list, std::int16_t direction, std::int32_t column);

// After the selected record was deleted: removes its row, keeps a sorted list sorted and clears the edit fields
// for a new record, or shows the row now selected in an unsorted one; then "Record Deleted".
void RemoveSortedItem(MaintWindowHooks& form);

}  // namespace tally::desk
