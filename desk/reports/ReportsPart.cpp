#include "ReportsPart.h"

#include <memory>

#include "PartServices.h"
#include "ReportLauncher.h"
#include "Reports.h"
#include "TemplateFolder.h"

#include "ListPrinting.h"

namespace tally::desk {

void installReportsPart(DeskCommands& commands) {
    auto launcher = std::make_shared<const ReportLauncher>();
    commands.getReport = [launcher](const QString& reportName) { launcher->GetReport(reportName); };
    commands.retrieveFilesCopied = [] { return RetrieveFilesCopied(); };
    commands.movePdfFiles = [] { MovePdfFiles(); };
    commands.tileHorizontal = [] { TileHorizontal(); };
    commands.closeAllReports = [] { CloseAllReports(); };

    PartServices& services = partServices();
    services.doReports = [](const QString& reportName, std::int32_t number, const QString& text) {
        DoReports(reportName, number, text);
    };
    services.printAssetDetail = [](const AssetDetailFields& asset) { PrintAssetDetail(asset); };
}

}  // namespace tally::desk
