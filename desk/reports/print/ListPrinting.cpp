#include "ListPrinting.h"

#include <QHeaderView>

#include "AssetDetailLayout.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "ListPrintLayout.h"
#include "PrinterOutput.h"
#include "Prompts.h"

namespace tally::desk {
namespace {

// The list as it is printed: columns in the order they stand on screen, hidden ones with width 0.
PrintList printListOf(const ui::ListView& list) {
    PrintList printed;
    const QHeaderView& header = *list.header();
    std::vector<int> shown;  // logical column numbers in the order the columns stand on screen
    for (int visual = 0; visual < header.count(); ++visual) shown.push_back(header.logicalIndex(visual));
    for (int column : shown) {
        const bool hidden = list.isColumnHidden(column);
        printed.columns.push_back({list.headerItem()->text(column), hidden ? 0.0 : list.columnWidthTwips(column),
                                   (list.columnAlignment(column) & Qt::AlignRight) != 0});
    }
    for (int r = 0; r < list.rowCount(); ++r) {
        QStringList cells;
        for (int column : shown) cells << ui::ListView::cellText(list.row(r), column);
        printed.rows.push_back(std::move(cells));
    }
    return printed;
}

}  // namespace

void PrintListView(ui::ListView& list, const QString& title) {
    try {
        const std::optional<PrintedDocument> document = layoutListPrint(printListOf(list), title, printDate());
        if (!document) {
            ui::prompts().msgBox(QStringLiteral("To Wide to Print"));
            return;
        }
        printDocument(*document, title);
    } catch (...) {
        showError(QStringLiteral("Error in PrintListView. "), currentError(), ErrorLayout::ErrorNumber);
    }
}

void PrintAssetDetail(const AssetDetailFields& asset) {
    try {
        const QString name = asset.assetId.isEmpty() ? QStringLiteral("Asset Detail")
                                                     : QStringLiteral("Asset Detail ") + asset.assetId;
        printDocument(layoutAssetDetail(asset, gstrCompanyName, printDate()), name);
    } catch (...) {
        // One box for the failure: a printer that cannot be opened does not report again for every line.
        showError(QStringLiteral("Error in PrintAssetDetail "), currentError(), ErrorLayout::Blank);
    }
}

}  // namespace tally::desk
