#include "ListModelView.h"

#include "ListModel.h"
#include "ListView.h"

namespace tally::desk {

void showListModel(ui::ListView& view, const ListModel& model) {
    view.setUpdatesEnabled(false);
    view.removeAllColumns();
    for (int c = 0; c < model.columnCount(); ++c) {
        const ListColumn& column = model.column(c);
        view.addColumn(column.heading, column.widthTwips, column.rightAligned ? Qt::AlignRight : Qt::AlignLeft);
    }
    for (int r = 0; r < model.rowCount(); ++r) {
        QTreeWidgetItem* row = view.addRow(model.cell(r, 0).text);
        for (int c = 0; c < model.columnCount(); ++c) {
            const ListCell& cell = model.cell(r, c);
            if (c > 0 && !cell.text.isEmpty()) view.setCell(row, c, cell.text);
            if (cell.bold) view.setCellBold(row, c, true);
        }
    }
    view.setUpdatesEnabled(true);
}

void showListColumns(ui::ListView& view, const ListModel& model) {
    for (int c = 0; c < model.columnCount() && c < view.columnCount(); ++c) {
        view.headerItem()->setText(c, model.column(c).heading);
        view.setColumnWidthTwips(c, model.column(c).widthTwips);
        if (model.column(c).shownWhole && model.column(c).widthTwips > 0) view.widenToContents(c);
    }
}

}  // namespace tally::desk
