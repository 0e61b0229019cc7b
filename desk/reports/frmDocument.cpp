#include "frmDocument.h"

#include <filesystem>

#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPushButton>

#include "AppIdentity.h"
#include "ComError.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "ListModelView.h"
#include "ListView.h"
#include "Prompts.h"
#include "RecordsetFile.h"
#include "ReportCatalogue.h"
#include "ReportFillers.h"
#include "Twips.h"
#include "mdiMain.h"

#include "ListPrinting.h"

namespace tally::desk {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    ui::placeTwips(*button, 0, 0, 900, 315);
    return button;
}

}  // namespace

TwipsSize mainWindowSize() {
    if (mdiMain* main = mainWindow()) {
        const ui::TwipsRect outer = main->mainGeometryTwips();
        return {static_cast<std::int64_t>(outer.width), static_cast<std::int64_t>(outer.height)};
    }
    return {12000, 9000};
}

frmDocument::frmDocument(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDocument"));
    setWindowTitle(QStringLiteral("ReportViewer"));

    cmdCancel_ = makeButton(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdGridLines_ = makeButton(this, "cmdGridLines", QStringLiteral("&Gridlines"));
    cmdPrint_ = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    lvListView_ = new ui::ListView(this);
    lvListView_->setObjectName(QStringLiteral("lvListView"));
    // The catalogue's column widths were made for an 8-point face of Arial's widths: Liberation Sans has them, where
    // the desktop's wider default face cut headings such as "Commuting Miles".
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPointSizeF(8.25);
    lvListView_->setFont(listFont);
    // The rows carry subtotal and total rows in their places: a click on a heading does not reorder them.
    lvListView_->header()->setSectionsClickable(false);

    connect(cmdCancel_, &QPushButton::clicked, this, guarded(QStringLiteral("cmdCancel_Click"), [this] {
                outerWindow().close();
            }));
    connect(cmdGridLines_, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdGridLines_Click"), [this] { cmdGridLines_Click(); }));
    connect(cmdPrint_, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdPrint_Click"), [this] { cmdPrint_Click(); }));

    // Form_Load: a small window until the report sizes it.
    resize(ui::toPixels(3000), ui::toPixels(300));
}

QWidget& frmDocument::outerWindow() const {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    return frame ? static_cast<QWidget&>(*frame) : const_cast<frmDocument&>(*this);
}

TwipsSize frmDocument::outerSize() const {
    const QSize size = outerWindow().size();
    return {static_cast<std::int64_t>(ui::toTwips(size.width())), static_cast<std::int64_t>(ui::toTwips(size.height()))};
}

void frmDocument::setOuterWidth(std::int64_t twips) {
    QWidget& window = outerWindow();
    window.resize(ui::toPixels(static_cast<double>(twips)), window.height());
}

void frmDocument::setOuterHeight(std::int64_t twips) {
    QWidget& window = outerWindow();
    window.resize(window.width(), ui::toPixels(static_cast<double>(twips)));
}

void frmDocument::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

// Form_Resize: the list fills the window but for a margin and the button row; the buttons stand right-aligned
// under it, Cancel, Print, Gridlines from the right, 200 twips apart. A window too small for them just clips.
void frmDocument::layOut() {
    const TwipsSize outer = outerSize();
    const double listWidth = std::max<double>(0, static_cast<double>(outer.width) - 350);
    const double listHeight = std::max<double>(0, static_cast<double>(outer.height) - 1050);
    ui::placeTwips(*lvListView_, 100, 100, listWidth, listHeight);
    const double buttonTop = 100 + listHeight + 60;
    const double cancelLeft = 100 + listWidth - 1000;
    ui::placeTwips(*cmdCancel_, cancelLeft, buttonTop, 900, 315);
    ui::placeTwips(*cmdPrint_, cancelLeft - 1100, buttonTop, 900, 315);
    ui::placeTwips(*cmdGridLines_, cancelLeft - 2200, buttonTop, 900, 315);
}

long frmDocument::CreateReport(const QString& strReport, std::int32_t number) {
    const ReportEntry* report = findReport(strReport);
    if (!report) return 0;
    const QString prefix = QStringLiteral("Error in CreateReport. ");
    // A failed query is reported once here; the list is then left empty rather than filled from nothing.
    ado::RecordsetPtr rows;
    if (!trapStep(prefix, ErrorLayout::ErrorNumber, [&] { rows = runReportQuery(*report, number, glngCompanyId); }))
        return 0;
    recordset_ = rows;
    long count = 0;
    model_.clear();
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] { count = CreateListview(model_, *recordset_, report->fillerName); });
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] { showListModel(*lvListView_, model_); });
    if (count > 0) {
        trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
            const TwipsSize size = filledReportSize(count, model_.listWidthTwips(), mainWindowSize());
            setOuterWidth(size.width);
            setOuterHeight(size.height);
        });
    }
    return count;
}

void frmDocument::refreshColumns() { showListColumns(*lvListView_, model_); }

void frmDocument::cmdGridLines_Click() { lvListView_->setGridLines(!lvListView_->gridLines()); }

void frmDocument::cmdPrint_Click() {
    PrintListView(*lvListView_, outerWindow().windowTitle());
}

bool frmDocument::ExportFile(const QString& strFilePath) {
    try {
        if (std::filesystem::exists(std::filesystem::path(strFilePath.toStdString()))) {
            ui::prompts().msgBox(QStringLiteral("Can not save the file. The file already exist.") +
                                 QStringLiteral(" Please select another file name."));
            return false;
        }
        if (!recordset_) throw ComError(ado::adoerr::ConnectionClosed, kErrorSource, "The report has no rows to keep.");
        saveRecordsetFile(*recordset_, strFilePath);
        return true;
    } catch (...) {
        showError(QStringLiteral("Error in ExportFile. "), currentError(), ErrorLayout::ErrorNumber);
        return false;
    }
}

long frmDocument::OpenRecordSet(const QString& strFileName) {
    const QString prefix = QStringLiteral("Error in OpenRecordSet. ");
    // The window has no status line of its own: a file that cannot be opened is told in its caption.
    auto step = [&](auto&& work) {
        try {
            work();
        } catch (const ComError& e) {
            if (e.number() == ado::adoerr::ConnectionClosed) {
                outerWindow().setWindowTitle(outerWindow().windowTitle() + QStringLiteral(" Can not open file. "));
            } else {
                showError(prefix, currentError(), ErrorLayout::ErrorNumber);
            }
        } catch (...) {
            showError(prefix, currentError(), ErrorLayout::ErrorNumber);
        }
    };
    step([&] { recordset_ = loadRecordsetFile(strFileName); });
    step([&] {
        // Within the main window, as a report window sized by its rows is.
        const TwipsSize main = mainWindowSize();
        std::int64_t width = static_cast<std::int64_t>(model_.listWidthTwips()) + 400;
        if (width > main.width) width = main.width - 300;
        setOuterWidth(width);
        setOuterHeight(1200);
    });
    return 0;
}

}  // namespace tally::desk
