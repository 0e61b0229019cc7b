#pragma once
// Shows a ListModel in the report-mode list widget: headings with their trailing blanks, widths in twips,
// right-aligned number columns, bold cells.

namespace ui {
class ListView;
}

namespace tally::desk {

class ListModel;

// Replaces the list's columns and rows with the model's.
void showListModel(ui::ListView& view, const ListModel& model);
// Gives the list's columns the model's headings and widths again (after the catalogue changed them).
void showListColumns(ui::ListView& view, const ListModel& model);

}  // namespace tally::desk
