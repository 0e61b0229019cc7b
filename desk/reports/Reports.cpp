#include "Reports.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ChildArrangement.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "ReportCatalogue.h"
#include "ReportWindowLayout.h"
#include "StatusLine.h"
#include "Twips.h"
#include "frmDocument.h"
#include "frmGettingStarted.h"
#include "mdiMain.h"

namespace tally::desk {

namespace {

QList<QMdiSubWindow*> childWindows() {
    mdiMain* main = mainWindow();
    return main ? main->mdiArea().subWindowList(QMdiArea::CreationOrder) : QList<QMdiSubWindow*>();
}

bool isReportWindow(const QMdiSubWindow* window) {
    return window->widget() && window->widget()->objectName() == QLatin1String("frmDocument");
}

}  // namespace

void DoReports(const QString& reportName, std::int32_t number, const QString& description) {
    mdiMain* main = mainWindow();
    if (!main) return;
    const ui::Hourglass wait;
    const QString prefix = QStringLiteral("Error in DoReports. ");
    auto step = [&](auto&& work) { return trapStep(prefix, ErrorLayout::ErrorNumber, work); };

    auto* document = new frmDocument;
    QMdiSubWindow* window = nullptr;
    step([&] {
        window = main->mdiArea().addSubWindow(document);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Generating Report"));
        window->show();
        if (window->isMaximized()) window->showNormal();
    });
    if (!window) {
        delete document;
        return;
    }
    long rows = 0;
    step([&] { rows = document->CreateReport(reportName, number); });
    if (rows <= 0) {
        window->close();
        setStatusTextOnly(QStringLiteral(" No data found. "));
        return;
    }
    step([&] { document->setOuterHeight(shortReportHeight(rows, document->outerSize().height)); });
    step([&] {
        const ReportEntry* report = findReport(reportName);
        if (!report) return;
        applyColumnOverrides(*report, document->listModel());
        document->refreshColumns();
        window->setWindowTitle(reportCaption(*report, number, description, gstrCompanyName));
        document->setOuterWidth(catalogueWindowWidth(report->windowWidthTwips, document->outerSize().width,
                                                     mainWindowSize().width));
    });
    step([&] {
        if (CheckForReports() == 1) {
            window->move(0, 0);
        } else {
            keepInView(*window);
        }
    });
}

void TileHorizontal() {
    trapStep(QStringLiteral("Error in TileHorizontal. "), ErrorLayout::ErrorNumber, [] {
        const QList<QMdiSubWindow*> windows = childWindows();
        std::vector<std::int64_t> heights;
        for (QMdiSubWindow* window : windows) {
            if (window->isMinimized() || window->isMaximized()) window->showNormal();
            heights.push_back(static_cast<std::int64_t>(ui::toTwips(window->height())));
        }
        std::vector<QRect> wanted;
        for (const TileSlot& slot : tileHorizontalSlots(heights, mainWindowSize().width))
            wanted.emplace_back(0, ui::toPixels(static_cast<double>(slot.top)),
                                ui::toPixels(static_cast<double>(slot.width)),
                                ui::toPixels(static_cast<double>(slot.height)));
        // A window that needs more height than its slot keeps it, and the windows below it move down.
        placeChildren(windows, wanted, ArrangementFlow::Down);
    });
}

void CloseAllReports() {
    const QString prefix = QStringLiteral("Error in Close All Reports. ");
    for (QMdiSubWindow* window : childWindows()) {
        // A window that keeps itself open (its owner chose Cancel on "Save Changes?") stays; the rest close.
        trapStep(prefix, ErrorLayout::ErrorNumber, [&] { window->close(); });
    }
    // Getting Started is not a window inside the main window but one beside it; it closes as the user closes it, so
    // its check box is stored.
    if (frmGettingStarted* gettingStarted = frmGettingStarted::shared())
        trapStep(prefix, ErrorLayout::ErrorNumber, [&] { gettingStarted->close(); });
}

std::int16_t CheckForReports() {
    std::int16_t count = 0;
    trapStep(QStringLiteral("Error in CheckForReports. "), ErrorLayout::ErrorNumber, [&] {
        for (const QMdiSubWindow* window : childWindows())
            if (isReportWindow(window) && !window->isMinimized()) ++count;
    });
    return count;
}

}  // namespace tally::desk
