#include "frmAbout.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

#include "AppIdentity.h"
#include "LinkLabel.h"
#include "ProgramIcon.h"
#include "Prompts.h"
#include "Twips.h"
#include "WebAccess.h"

namespace tally::desk {

namespace {
QLabel* plainLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The system-information programs of this platform, in the order they are looked for.
constexpr const char* kSysInfoPrograms[] = {"hardinfo", "hardinfo2"};
}  // namespace

QString frmAbout::versionText() {
    return QStringLiteral("Version %1.%2.%3").arg(TALLY_DESK_VERSION_MAJOR).arg(TALLY_DESK_VERSION_MINOR)
        .arg(TALLY_DESK_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tallyvane"));

    fraAbout_ = new QFrame(this);
    fraAbout_->setObjectName(QStringLiteral("fraAbout"));
    auto* picIcon = new QLabel;
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon().pixmap(32, 32));
    auto* lblTitle = plainLabel("lblTitle", QString::fromLatin1(kAppTitle));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = plainLabel("lblVersion", versionText());
    auto* lblDescription = plainLabel("lblDescription", QStringLiteral("Website:"));
    auto* lblWebLink = new LinkLabel(QString::fromLatin1(kWebAddress));
    lblWebLink->setObjectName(QStringLiteral("lblWebLink"));
    auto* lblQuestion = plainLabel("lblQuestion", QStringLiteral("Questions:"));
    auto* lblEmail = new LinkLabel(QString::fromLatin1(kSupportAddress));
    lblEmail->setObjectName(QStringLiteral("lblEmail"));
    auto* lblDisclaimer = plainLabel(
        "lblDisclaimer",
        QStringLiteral("Warning: this program is protected by copyright law. Unauthorized reproduction or "
                       "distribution of this program, or any part of it, may result in civil and criminal "
                       "penalties."));
    lblDisclaimer->setWordWrap(true);
    auto* frame1 = new QFrame;
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFrameShape(QFrame::HLine);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* grid = new QGridLayout(fraAbout_);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(lblWebLink, 2, 2);
    grid->addWidget(lblQuestion, 3, 1);
    grid->addWidget(lblEmail, 3, 2);
    grid->addWidget(frame1, 4, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 5, 0, 1, 3);
    grid->addWidget(cmdOK, 6, 2, Qt::AlignRight);
    grid->addWidget(cmdSysInfo, 7, 2, Qt::AlignRight);
    // The icon's column stays as narrow as the icon; the links take the spare width.
    grid->setColumnStretch(2, 1);
    fraAbout_->setFixedSize(ui::toPixels(6300), ui::toPixels(3900));

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });
    connect(lblWebLink, &LinkLabel::clicked, this, [this] { WebLink(this, QString::fromLatin1(kWebAddress)); });
    connect(lblEmail, &LinkLabel::clicked, this, [this] { EmailMe(this, QString::fromLatin1(kSupportAddress)); });

    resize(ui::toPixels(6600), ui::toPixels(4300));
    if (mainWindow) {
        const ui::TwipsRect main = ui::windowTwips(*mainWindow);
        ui::setWindowTop(*this, main.top + 1500);
        ui::setWindowLeft(*this, main.left + 1500);
    }
}

void frmAbout::centreFrame() {
    const ui::TwipsRect outer = ui::windowTwips(*this);
    const double left = (outer.width - ui::toTwips(fraAbout_->width())) / 2;
    const double top = (outer.height - ui::toTwips(fraAbout_->height())) / 2;
    fraAbout_->move(ui::toPixels(left), ui::toPixels(top));
}

void frmAbout::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    centreFrame();
}

void frmAbout::StartSysInfo(const std::function<QString(const QString&)>& findProgram) {
    std::function<QString(const QString&)> find = findProgram;
    if (!find) find = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    for (const char* name : kSysInfoPrograms) {
        const QString path = find(QLatin1String(name));
        if (path.isEmpty()) continue;
        if (ui::prompts().startProgram(path)) return;
        break;
    }
    ui::prompts().msgBox(QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace tally::desk
