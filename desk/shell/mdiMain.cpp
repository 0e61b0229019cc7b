#include "mdiMain.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>

#include "AppIdentity.h"
#include "BackupRestore.h"
#include "ChildArrangement.h"
#include "DeskCommands.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "HTMLHelp.h"
#include "HelpContext.h"
#include "PartServices.h"
#include "StatusLine.h"
#include "WebAccess.h"
#include "db.h"
#include "frmAbout.h"
#include "frmCompany.h"
#include "frmGettingStarted.h"

namespace tally::desk {

namespace {
QPointer<mdiMain>& instance() {
    static QPointer<mdiMain> window;
    return window;
}

int& exitStatus() {
    static int status = 0;
    return status;
}
}  // namespace

int programExitStatus() { return exitStatus(); }

mdiMain* mainWindow() {
    mdiMain* main = instance();
    return main && !main->isShutDown() ? main : nullptr;
}

// The shut-down leaves the event loop when it runs; at start-up, before the loop, Main() reports the end.
void endProgram() {
    if (mdiMain* main = mainWindow()) main->closeAnyway();
}

DeskCommands& deskCommands() {
    static DeskCommands commands;
    return commands;
}

PartServices& partServices() {
    static PartServices services;
    return services;
}

mdiMain::mdiMain() {
    instance() = this;
    exitStatus() = 0;
    setObjectName(QStringLiteral("mdiMain"));
    setAttribute(Qt::WA_DeleteOnClose);

    mdiArea_ = new QMdiArea;
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    // A child window reaching past the area stays reachable.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* pictStatusBar = new QFrame;
    pictStatusBar->setObjectName(QStringLiteral("pictStatusBar"));
    pictStatusBar->setFrameShape(QFrame::StyledPanel);
    lblStatusBar_ = new QLabel(pictStatusBar);
    lblStatusBar_->setObjectName(QStringLiteral("lblStatusBar"));
    lblStatusBar_->setTextFormat(Qt::PlainText);
    QFont statusFont = lblStatusBar_->font();
    statusFont.setPointSizeF(8.25);
    statusFont.setBold(true);
    lblStatusBar_->setFont(statusFont);
    auto* strip = new QHBoxLayout(pictStatusBar);
    strip->setContentsMargins(ui::toPixels(120), ui::toPixels(50), ui::toPixels(120), 0);
    strip->addWidget(lblStatusBar_, 1);
    // The label fills the strip inside its frame, 50 twips below the top edge; the strip is 375 twips high, or
    // higher where the label's font needs more, so no text is drawn over or past the frame's bottom edge.
    pictStatusBar->setFixedHeight(std::max(ui::toPixels(375), 2 * pictStatusBar->frameWidth() + ui::toPixels(50) +
                                                                   lblStatusBar_->fontMetrics().height()));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mdiArea_, 1);
    layout->addWidget(pictStatusBar);
    setCentralWidget(central);
    setStatusLabel(lblStatusBar_);
    DisplayMsg({}, {});

    buildMenus();

    // The window never shrinks below 5000 by 3000 twips.
    setMinimumSize(ui::toPixels(5000), ui::toPixels(3000));
    GetFormPosition(*this);
    setWindowTitle(QString::fromLatin1(kAppTitle));
}

mdiMain::~mdiMain() {
    if (instance() == this) instance() = nullptr;
}

QMenu* mdiMain::addMenu(const char* name, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    // Opening a menu clears the status line.
    connect(menu, &QMenu::aboutToShow, this, [] { DisplayMsg({}, {}); });
    return menu;
}

QAction* mdiMain::addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                          bool available) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(available);
    connect(action, &QAction::triggered, this, guarded(QLatin1String(name), std::move(handler)));
    return action;
}

void mdiMain::buildMenus() {
    const DeskCommands& c = deskCommands();
    auto maintenance = [](const char* key) { return [key] { deskCommands().showMaintenance(QLatin1String(key)); }; };
    auto report = [](const char* name) { return [name] { deskCommands().getReport(QLatin1String(name)); }; };
    const bool reports = static_cast<bool>(c.getReport);
    const bool tables = static_cast<bool>(c.showMaintenance);

    QMenu* file = addMenu("mnuFile", QStringLiteral("&File"));
    addItem(file, "mnuBackupDb", QStringLiteral("Backup Database"), [] { BackupDatabase(); });
    addItem(file, "mnuRestoreDb", QStringLiteral("Restore Database"),
            [this] { RestoreDatabase([this] { return closeChildWindows(); }); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileLine"));
    addItem(file, "mnuExit", QStringLiteral("&Exit"), [this] { close(); });

    QMenu* maint = addMenu("mnuMaintenance", QStringLiteral("&Maintenance"));
    addItem(maint, "mnu179", QStringLiteral("179 Limits"), maintenance("179Rates"), tables);
    addItem(maint, "mnuAssetMaint", QStringLiteral("Assets"), [] { deskCommands().showAssetWindow(); },
            static_cast<bool>(c.showAssetWindow));
    addItem(maint, "mnuClassMaint", QStringLiteral("Asset Classes"), maintenance("AssetClasses"), tables);
    addItem(maint, "MnuAutoMax", QStringLiteral("Auto Maximum Limits"), maintenance("AutoRates"), tables);
    addItem(maint, "mnuCompanyMaint", QStringLiteral("Companies/Clients"), maintenance("Companies"), tables);
    addItem(maint, "mnuMisc4562Data", QStringLiteral("Miscellanous 4562 Data"), maintenance("Misc4562Data"), tables);

    QMenu* rep = addMenu("mnuReports", QStringLiteral("&Reports"));
    addItem(rep, "mnu179WrkSheet", QStringLiteral("179 Work Sheet"), report("179 WorkSheet"), reports);
    addItem(rep, "mnuADS50Yr", QStringLiteral("50 Year Assets"), report("50 Year Assets"), reports);
    addItem(rep, "mnuAutoUseRpt", QStringLiteral("Auto Use"), report("Auto Use"), reports);
    addItem(rep, "mnuAssetWorkSheet", QStringLiteral("Depreciation WorkSheet"), report("Depreciation WorkSheet"),
            reports);
    addItem(rep, "mnuDisposedAssets", QStringLiteral("Disposed Assets"), report("Disposed Assets"), reports);
    addItem(rep, "mnuForm4562_2", QStringLiteral("Form 4562 "),
            [] {
                // The per-user template folder is made once, the first time.
                if (!deskCommands().retrieveFilesCopied()) deskCommands().movePdfFiles();
                deskCommands().getReport(QStringLiteral("Form 4562"));
            },
            reports && c.retrieveFilesCopied && c.movePdfFiles);
    addItem(rep, "mnuPropertyTax", QStringLiteral("Property Tax Data"), report("Property Tax"), reports);
    addItem(rep, "mnuNewAssets", QStringLiteral("New Assets"), report("New Assets"), reports);
    addItem(rep, "mnuNewAssetWorksheet", QStringLiteral("New Assets Worksheet"), report("New Assets WorkSheet"),
            reports);

    QMenu* tools = addMenu("mnuTool", QStringLiteral("&Tools"));
    addItem(tools, "mnuAutoQstForEmployees", QStringLiteral("Auto Qst for Employer"), report("Auto Question Form"),
            reports);
    addItem(tools, "mnuAutoUse", QStringLiteral("Auto Use"), report("Auto Use Form"), reports);
    addItem(tools, "mnuSelectCompany", QStringLiteral("Set Company/Client"), [] {
        // The asset window holds the current company's asset: the company changes only once it is closed.
        const auto& closeAssets = deskCommands().closeAssetWindow;
        if (closeAssets && !closeAssets()) return;
        ShowCompanyPicker();
    });
    addItem(tools, "mnuDefaultYear", QStringLiteral("Set Default Year"), report("Default Year"), reports);

    QMenu* windows = addMenu("mnuWindows", QStringLiteral("&Windows"));
    addItem(windows, "MnuCascade", QStringLiteral("&Cascade"), [this] { cascadeChildren(*mdiArea_); });
    addItem(windows, "mnuCloseWindows", QStringLiteral("Close &All Windows"), [] { deskCommands().closeAllReports(); },
            static_cast<bool>(c.closeAllReports));
    addItem(windows, "mnuTileHorizontal", QStringLiteral("Tile &Horizontal"), [] { deskCommands().tileHorizontal(); },
            static_cast<bool>(c.tileHorizontal));
    addItem(windows, "mnuTileVertical", QStringLiteral("Tile &Vertical"),
            [this] { tileChildrenSideBySide(*mdiArea_); });
    connect(windows, &QMenu::aboutToShow, this, [this, windows] { rebuildWindowList(windows); });

    QMenu* help = addMenu("mnuHelp", QStringLiteral("&Help"));
    addItem(help, "mnuAbout", QStringLiteral("About"), [this] { frmAbout(this).exec(); });
    addItem(help, "mnuHelpContents", QStringLiteral("Contents"), [this] {
        if (gobjHTMLHelp) gobjHTMLHelp->HHDisplayContents(this);
    });
    // F1 anywhere in the program opens the topic of the window at hand, or the contents.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    helpKey->setContext(Qt::ApplicationShortcut);
    connect(helpKey, &QShortcut::activated, this, guarded(QStringLiteral("Help"), [this] { showHelp(); }));
    addItem(help, "mnuGettingStarted", QStringLiteral("Getting Started"),
            [this] { frmGettingStarted::showShared(this); });
    addItem(help, "mnuHelpSearch", QStringLiteral("Search"), [this] {
        if (gobjHTMLHelp) gobjHTMLHelp->HHDisplayIndex(this);
    });
    addItem(help, "mnuSupport", QStringLiteral("Support"),
            [this] { EmailMe(this, QString::fromLatin1(kSupportAddress)); });
}

void mdiMain::rebuildWindowList(QMenu* menu) {
    for (QAction* action : windowListActions_) {
        menu->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const auto windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_.append(menu->addSeparator());
    for (QMdiSubWindow* window : windows) {
        // A title can carry data ("Baker & Sons"): a lone "&" would be taken for a shortcut mark and vanish.
        QAction* action = menu->addAction(QString(window->windowTitle()).replace(u'&', QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(window)] {
            if (w) mdiArea_->setActiveSubWindow(w);
        });
        windowListActions_.append(action);
    }
}

void mdiMain::addHelpKey(QWidget& window) {
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, &window);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, guarded(QStringLiteral("Help"), [this] { showHelp(); }));
}

void mdiMain::showHelp() {
    // The control with the cursor; without one, the child window in front.
    const QWidget* subject = QApplication::focusWidget();
    if (!subject) subject = mdiArea_->activeSubWindow();
    showHelpFor(subject, this);
}

bool mdiMain::closeChildWindows() {
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (!window->close()) return false;
    return true;
}

void mdiMain::closeEvent(QCloseEvent* event) {
    if (!shutDown_) {
        if (!closeChildWindows()) {
            event->ignore();
            return;
        }
        shutDown();
    }
    event->accept();
}

void mdiMain::closeAnyway() {
    exitStatus() = 1;
    if (close()) return;
    shutDown();
    close();
}

void mdiMain::shutDown() {
    if (frmGettingStarted* gettingStarted = frmGettingStarted::shared()) gettingStarted->close();
    shutDown_ = true;
    if (gobjHTMLHelp) gobjHTMLHelp->HHClose();
    gobjHTMLHelp.reset();
    SaveFormPosition(*this);
    SaveLastCompany();
    trapStep(QStringLiteral("Error in MDIForm_Unload "), ErrorLayout::ErrorNumber,
             [] { engine::db().Disconnect(); });
    setStatusLabel(nullptr);
    QCoreApplication::quit();
}

}  // namespace tally::desk
