#include "frmGettingStarted.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

#include "AppIdentity.h"
#include "DesktopState.h"
#include "LinkLabel.h"
#include "ScreenPlace.h"
#include "Twips.h"
#include "WebAccess.h"

namespace tally::desk {

namespace {
QPointer<frmGettingStarted>& instance() {
    static QPointer<frmGettingStarted> window;
    return window;
}

QLabel* stepLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(QFont(QStringLiteral("Verdana"), 9));
    return label;
}

// Centred over the main window rather than wherever the window manager finds room, which can be partly off
// screen; kept within the main window's screen, since a small main window near an edge would still push it off.
// This window's frame is not known before it shows, so it is taken to be as wide as the main window's.
QPoint overMainWindow(const QWidget& mainWindow, QSize size) {
    QRect place(QPoint(), size + frameAround(mainWindow));
    place.moveCenter(mainWindow.frameGeometry().center());
    if (const QScreen* screen = mainWindow.screen()) place = keptInside(place, screen->availableGeometry());
    return place.topLeft();
}
}  // namespace

frmGettingStarted* frmGettingStarted::shared() { return instance(); }

frmGettingStarted* frmGettingStarted::showShared(QWidget* mainWindow) {
    if (!instance()) instance() = new frmGettingStarted(mainWindow);
    instance()->show();
    instance()->raise();
    instance()->activateWindow();
    return instance();
}

// A window of its own, neither owned by the main window nor a dialog: a window manager keeps an owned or dialog
// window above the main window, so the windows the user opens in the main window afterwards would come up behind
// it. As any other window, it goes behind the main window when the user turns to that.
frmGettingStarted::frmGettingStarted(QWidget* mainWindow) : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frmGettingStarted"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Getting Started"));
    resize(ui::toPixels(8500), ui::toPixels(6000));
    if (mainWindow) move(overMainWindow(*mainWindow, size()));

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* steps = new QVBoxLayout(frame);
    steps->addWidget(stepLabel("Label1", QStringLiteral(
        "1 - Create a new company by selecting Company/Client, by using menu Tools/Company/Client.")));
    steps->addWidget(stepLabel("Label3", QStringLiteral(
        "2 - Select Maintenance/Miscellaneous 4562 Data, and enter the information related to this Company/Client.")));
    steps->addWidget(stepLabel("Label5", QStringLiteral(
        "3 - If needed additional 179 Limits and Maximum Automobile Amounts can be added using the Maintenance Menu.")));
    steps->addWidget(stepLabel("Label2", QStringLiteral(
        "4 - Use Maintenance/Assets to enter all current and past assets for this Company/Client.")));
    steps->addWidget(stepLabel("Label4", QStringLiteral(
        "5 - Run the various reports to ensure that all data has been entered correctly. When satisfied click on "
        "Form 4562* under the reports menu, and print your completed tax form. ")));
    steps->addWidget(stepLabel("Label6", QStringLiteral("6 - Extensive On Line Help is available by clicking F1.")));
    steps->addWidget(stepLabel("Label7", QStringLiteral("* %1 is required.").arg(QLatin1String(kReaderName))));
    auto* link = new LinkLabel(QString::fromLatin1(kReaderDownloadAddress));
    link->setObjectName(QStringLiteral("Label8"));
    steps->addWidget(link);
    steps->addStretch();
    connect(link, &LinkLabel::clicked, this, [this] { WebLink(this, QString::fromLatin1(kReaderDownloadAddress)); });

    chkShow_ = new QCheckBox(QStringLiteral("Show on start up."));
    chkShow_->setObjectName(QStringLiteral("chkShow"));
    chkShow_->setChecked(CheckForStartUpHelp());
    // Only the user's clicks count as a change, not the value the window starts with.
    connect(chkShow_, &QCheckBox::toggled, this, [this] { changed_ = true; });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(chkShow_);
}

void frmGettingStarted::closeEvent(QCloseEvent* event) {
    if (changed_) SetStartUpHelp(chkShow_->isChecked());
    changed_ = false;
    event->accept();
}

}  // namespace tally::desk
