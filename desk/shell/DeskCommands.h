#pragma once
// The commands of the main window's menus whose work belongs to the desktop's other parts: the asset window,
// the reports and year prompt, table maintenance, vehicle use. Each part fills in its entries before the main
// window is built; a menu item whose command is empty is shown disabled.

#include <functional>

#include <QString>

namespace tally::desk {

struct DeskCommands {
    // Prepares the maintenance window for a table key ("Companies", "AssetClasses", "AutoRates", "179Rates",
    // "Misc4562Data") and shows it modeless.
    std::function<void(const QString& tableKey)> showMaintenance;
    // Shows the asset window modeless.
    std::function<void()> showAssetWindow;
    // Closes the asset window when it is open (it may ask to save); true when it is closed afterwards.
    std::function<bool()> closeAssetWindow;
    // The picker opened another company/client: a window listing the former company's rows shows the new one's.
    std::function<void()> companyChanged;
    // The year prompt and the report, form or tool of that name (also "Default Year").
    std::function<void(const QString& reportName)> getReport;
    // Form 4562 templates: whether the per-user copy exists, and making it.
    std::function<bool()> retrieveFilesCopied;
    std::function<void()> movePdfFiles;
    std::function<void()> tileHorizontal;
    std::function<void()> closeAllReports;
};

DeskCommands& deskCommands();

}  // namespace tally::desk
