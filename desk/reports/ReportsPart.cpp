#include "ReportsPart.h"

#include <memory>

#include "PartServices.h"
#include "ReportLauncher.h"
#include "Reports.h"
#include "TemplateFolder.h"

#ifdef TALLY_HAVE_LIST_PRINTING
#include "ListPrinting.h"
#endif

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
#ifdef TALLY_HAVE_LIST_PRINTING
    services.printAssetDetail = [](const AssetDetailFields& asset) { PrintAssetDetail(asset); };
#endif
}

}  // namespace tally::desk
