#include "frmCompany.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "CompanyPersist.h"
#include "DeskCommands.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "mdiMain.h"
#include "Prompts.h"
#include "ShellConversions.h"
#include "StatusLine.h"
#include "Twips.h"

namespace tally::desk {

frmCompany::frmCompany(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName(QStringLiteral("frmCompany"));
    setWindowTitle(QStringLiteral("Select Company/Client"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* fraEdit = new QGroupBox;
    fraEdit->setObjectName(QStringLiteral("fraEdit"));
    auto* label2 = new QLabel(QStringLiteral("Enter beginning letters to locate Name."));
    label2->setObjectName(QStringLiteral("Label2"));
    txtClientList_ = new QLineEdit;
    txtClientList_->setObjectName(QStringLiteral("txtClientList"));
    txtClientList_->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
    lstPickClient_ = new QListWidget;
    lstPickClient_->setObjectName(QStringLiteral("lstPickClient"));
    lstPickClient_->setFont(QFont(QStringLiteral("Verdana"), 9));
    lstPickClient_->setSortingEnabled(false);
    lstPickClient_->viewport()->installEventFilter(this);
    chkShowOnStart_ = new QCheckBox(QStringLiteral("Show on start up."));
    chkShowOnStart_->setObjectName(QStringLiteral("chkShowOnStart"));
    cmdOK_ = new QPushButton(QStringLiteral("OK"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    cmdNew_ = new QPushButton(QStringLiteral("&New "));
    cmdNew_->setObjectName(QStringLiteral("cmdNew"));
    cmdNew_->setToolTip(QStringLiteral("Add a new Company/Client."));
    cmdNew_->setAutoDefault(false);
    cmdNew_->setEnabled(static_cast<bool>(deskCommands().showMaintenance));

    auto* fields = new QVBoxLayout(fraEdit);
    fields->addWidget(label2);
    fields->addWidget(txtClientList_);
    fields->addWidget(lstPickClient_);
    fields->addWidget(chkShowOnStart_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNew_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraEdit);
    layout->addLayout(buttons);
    resize(ui::toPixels(5400), ui::toPixels(5600));

    // Modal to the main window only, so that the help F1 opens stays usable beside it.
    setWindowModality(Qt::WindowModal);
    if (auto* desk = qobject_cast<mdiMain*>(mainWindow)) desk->addHelpKey(*this);
    if (mainWindow) {
        const ui::TwipsRect main = ui::windowTwips(*mainWindow);
        ui::setWindowTop(*this, main.top + 800);
        ui::setWindowLeft(*this, main.left + 3000);
    }
    loaded_ = GetListData();
    if (!loaded_) return;
    chkShowOnStart_->setChecked(CheckForShowCompany());
    lstPickClient_->setCurrentRow(-1);
    lstPickClient_->clearSelection();

    // Only the user's clicks count as a change, not the value the window starts with.
    connect(chkShowOnStart_, &QCheckBox::toggled, this, [this] { showOnStartChanged_ = true; });
    connect(txtClientList_, &QLineEdit::textChanged, this, &frmCompany::searchChanged);
    connect(lstPickClient_, &QListWidget::itemDoubleClicked, this, &frmCompany::chooseSelected);
    connect(cmdOK_, &QPushButton::clicked, this, &frmCompany::chooseSelected);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdNew_, &QPushButton::clicked, this, guarded(QStringLiteral("cmdNew"), [this] { addNewCompany(); }));
}

frmCompany::~frmCompany() { unload(); }

bool frmCompany::GetListData() {
    const QString prefix = QStringLiteral("Error in GetListData ");
    ado::RecordsetPtr rs;
    // The engine's own error is shown first; without a list the program cannot go on.
    trapStep(prefix, ErrorLayout::Blank, [&] { rs = engine::CompanyPersist().GetCompanyList(); });
    if (!rs) {
        ui::prompts().msgBox(QStringLiteral("Can not connect to the database."), ui::mb::OKOnly | ui::mb::Critical,
                             QStringLiteral("Get List Data"));
        unload();
        endProgram();
        return false;
    }
    for (; !rs->EOF_(); rs->MoveNext()) {
        QString name;
        QString id;
        trapStep(prefix, ErrorLayout::Blank, [&] { name = QString::fromStdString((*rs)["Company Name"].toString()); });
        trapStep(prefix, ErrorLayout::Blank, [&] { id = QString::fromStdString((*rs)["id"].toString()); });
        lstPickClient_->addItem(name);
        ids_.append(id);
    }
    return true;
}

void frmCompany::searchChanged(const QString& text) {
    if (text.isEmpty()) return;
    const QString wanted = TrimBlanks(text);
    for (int i = 0; i < lstPickClient_->count(); ++i) {
        QListWidgetItem* item = lstPickClient_->item(i);
        if (item->text().startsWith(wanted, Qt::CaseInsensitive)) {
            lstPickClient_->setCurrentItem(item);
            lstPickClient_->scrollToItem(item);
            return;
        }
    }
}

bool frmCompany::eventFilter(QObject* watched, QEvent* event) {
    // Releasing the mouse over the list empties the search box (which starts no new search).
    if (watched == lstPickClient_->viewport() && event->type() == QEvent::MouseButtonRelease)
        txtClientList_->clear();
    return QDialog::eventFilter(watched, event);
}

void frmCompany::chooseSelected() {
    const int row = lstPickClient_->currentRow();
    const bool selected = row >= 0 && lstPickClient_->item(row)->isSelected();
    const QString name = selected ? lstPickClient_->item(row)->text() : QString();
    if (name.isEmpty()) {
        ui::prompts().msgBox(QStringLiteral("Please select a company."));
        return;
    }
    // The id first: a company shown under one name while the assets go to another must never happen.
    std::int32_t id = 0;
    if (!trapStep(QStringLiteral("Error in cmdOK "), ErrorLayout::Blank, [&] { id = toLong(ids_.at(row)); }))
        return;
    if (QWidget* main = parentWidget()) main->setWindowTitle(companyCaption(name));
    gstrCompanyName = name;
    const bool changed = id != glngCompanyId;
    SetCompanyId(id);
    accept();
    if (const auto& companyChanged = deskCommands().companyChanged; changed && companyChanged) companyChanged();
}

void frmCompany::addNewCompany() {
    unload();
    gblnFromCompanyPicker = true;
    const auto showMaintenance = deskCommands().showMaintenance;
    QDialog::done(QDialog::Rejected);
    if (showMaintenance) showMaintenance(QStringLiteral("Companies"));
}

void frmCompany::done(int result) {
    unload();
    QDialog::done(result);
}

// Every way out passes here once: the start-up switch is stored only when the user changed it.
void frmCompany::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (showOnStartChanged_) SetShowCompany(chkShowOnStart_->isChecked());
    showOnStartChanged_ = false;
    gblnFromCompanyPicker = false;
}

void ShowCompanyPicker() {
    mdiMain* main = mainWindow();
    if (!main) return;
    frmCompany picker(main);
    if (!picker.loaded()) return;
    // The picker blocks only the main window. A window manager may hand the main window its activation after the
    // picker has opened (at start-up it does), and the blocked main window would then swallow the keys typed for
    // the picker: the picker takes the activation back.
    const QWindow* mainHandle = main->windowHandle();
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &picker, [&picker, mainHandle](QWindow* focus) {
        if (focus && focus == mainHandle) picker.activateWindow();
    });
    picker.exec();
}

}  // namespace tally::desk
