#include "frmAutoUse.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "AutoUseText.h"
#include "ClosePrompt.h"
#include "ErrorReport.h"
#include "Colour.h"
#include "MileageBox.h"
#include "StatusLine.h"
#include "Twips.h"
#include "VehicleWindowParts.h"
#include "YesNoPair.h"
#include "mdiMain.h"
#include "modAutoUse.h"

namespace tally::desk {

namespace {
QFrame* frame(QWidget* parent, const char* name, double left, double top, double width, double height) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::StyledPanel);
    ui::placeTwips(*f, left, top, width, height);
    return f;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, double left) {
    QPushButton* b = commandButton(parent, QLatin1String(name), caption, left, 200, 975, 315);
    b->setAutoDefault(false);
    return b;
}

// Lefts of each column: its heading, its Business box, and its other controls.
struct ColumnLefts {
    double heading;
    double business;
    double others;
};
constexpr ColumnLefts kColumnLefts[kVehicleColumns + 1] = {
    {0, 0, 0}, {3500, 3480, 3480}, {4350, 4320, 4320}, {5180, 5160, 5160},
    {6020, 6000, 6000}, {6880, 6850, 6840}, {7740, 7690, 7680},
};
}  // namespace

frmAutoUse::frmAutoUse(QWidget* parent)
    : VehicleDialog(parent, QStringLiteral("frmAutoUse"), QStringLiteral("Information on Use of Vehicles"), 8820,
                    5545) {

    lblTitle_ = plainLabel(this, QStringLiteral("lblTitle"), {}, 300, 40, 8535, 285);
    lblAutoDesc_ = plainLabel(this, QStringLiteral("lblAutoDesc"), QStringLiteral("Vehicle Description:"), 300, 310, 1650, 285);
    lblDescription_ = plainLabel(this, QStringLiteral("lblDescription"), {}, 1950, 310, 6780, 285);

    QFrame* grid = frame(this, "Frame1", 115, 540, 8575, 4095);
    const struct {
        Row row;
        const char* name;
        double top, width, height;
        const char* caption;
    } rows[] = {
        {Row::Business1, "lblBusiness1", 360, 3375, 255, "Total business/investment miles driven during"},
        {Row::Business2, "lblBusiness2", 540, 3255, 255, "the year(do not include commuting miles----"},
        {Row::Business3, "lblBusiness3", 730, 3015, 255, "see the instructions)"},
        // As wide as the room left of the first column, so the caption's full stop is not cut off.
        {Row::Commute, "lblCommute", 1000, 3360, 255, "Total commuting miles driven during the year."},
        {Row::Personal, "lblPersonal", 1320, 3135, 375, "Total other personal (noncommuting miles driven)."},
        {Row::Count, "Label12", 1880, 3255, 255, "Total miles driven during the year."},
        {Row::OffDuty, "lblOffDuty", 2590, 3015, 385, "Was the vehicle available for personal use during off-duty hours?"},
        {Row::FiveOwner, "lbl5Owner", 3120, 3135, 375,
         "Was the vehicle used primary by a more then 5% owner or related person?"},
        {Row::Another, "lblAnother", 3630, 3195, 415, "Is another vehicle available for personal use?"},
    };
    for (const auto& r : rows) {
        QLabel* l = plainLabel(grid, QLatin1String(r.name), QString::fromLatin1(r.caption), 120, r.top, r.width, r.height);
        if (r.row != Row::Count) rowLabels_.at(static_cast<std::size_t>(r.row)) = l;
    }
    for (int n = 1; n <= kVehicleColumns; ++n) buildColumn(n, grid);

    QFrame* removal = frame(this, "Frame20", 350, 4730, 3855, 600);
    lblRemove_ = plainLabel(removal, QStringLiteral("lblRemove"), QStringLiteral("Remove Vehicle #:"), 170, 240, 1455, 255);
    txtAutoNum_ = new MileageBox(QStringLiteral("txtAutoNum"), removal);
    ui::placeTwips(*txtAutoNum_, 1650, 200, 735, 285);
    QPushButton* cmdDelete = button(removal, "cmdDelete", QStringLiteral("&Delete"), 2640);

    QFrame* commands = frame(this, "Frame21", 5325, 4730, 3135, 600);
    QPushButton* cmdSave = button(commands, "cmdSave", QStringLiteral("Save"), 360);
    QPushButton* cmdCancel = button(commands, "cmdCancel", QStringLiteral("Cancel"), 1800);

    connect(cmdSave, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdSave_Click"), [this] { cmdSave_Click(); }));
    connect(cmdDelete, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdDelete_Click"), [this] { cmdDelete_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdCancel_Click"), [this] { cmdCancel_Click(); }));
}

void frmAutoUse::buildColumn(int n, QWidget* grid) {
    const ColumnLefts& left = kColumnLefts[n];
    const QString suffix = QString::number(n);
    VehicleColumn& c = columns_.at(static_cast<std::size_t>(n));
    c.lblVehicle = plainLabel(grid, QStringLiteral("lblVehicle") + suffix, QStringLiteral("Vehicle ") + suffix,
                              left.heading, 195, 735, 255);

    auto box = [&](const char* name, double l, double top) {
        auto* b = new MileageBox(QLatin1String(name) + suffix, grid);
        ui::placeTwips(*b, l, top, 780, 285);
        connect(b, &MileageBox::edited, this, [this, n] { markChanged(n); });
        connect(b, &MileageBox::keyReleased, this, [b] { DisplayMsg(milesStatusText(b->text())); });
        connect(b, &MileageBox::lostFocus, this, [this, n] { modAutoUse::ShowTotal(*this, n); });
        return b;
    };
    c.txtBusiness = box("txtBusiness", left.business, 440);
    c.txtCommuting = box("txtCommuting", left.others, 960);
    c.txtPersonal = box("txtPersonal", left.others, 1380);
    connect(c.txtBusiness, &MileageBox::gotFocus, this, [this, n] {
        lblAutoDesc_->setText(QStringLiteral("Vehicle %1 Description").arg(n));
        lblDescription_->setText(modAutoUse::GetVehicleDesc(static_cast<std::int16_t>(n)));
    });

    c.lblTotal = plainLabel(grid, QStringLiteral("lblTotal") + suffix, {}, left.others, 1850, 780, 285);
    c.lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    plainLabel(grid, QStringLiteral("Label14_%1").arg(n - 1), QStringLiteral("Yes   No"), left.others, 2420, 735, 255);

    const int firstFrame = 2 + 3 * (n - 1);
    auto pair = [&](const char* array, int frameNumber, double top) {
        auto* p = new YesNoPair(QStringLiteral("Frame%1").arg(frameNumber), QLatin1String(array) + suffix, grid);
        ui::placeTwips(*p, left.others, top, 735, 395);
        connect(p, &YesNoPair::clicked, this, [this, n] { markChanged(n); });
        return p;
    };
    c.OptOffDuty = pair("OptOffDuty", firstFrame, 2600);
    c.Opt5Owner = pair("Opt5Owner", firstFrame + 1, 3070);
    c.optAnother = pair("optAnother", firstFrame + 2, 3550);
}

void frmAutoUse::markChanged(int n) {
    modAutoUse::SetVehicleChanged(n, true);
    changed_ = true;
}

void frmAutoUse::Form_Load() {
    if (mdiMain* main = mainWindow()) {
        const ui::TwipsRect place = main->mainGeometryTwips();
        ui::setWindowLeft(*this, place.left + 800);
        ui::setWindowTop(*this, place.top + 800);
    }
    modAutoUse::SetAutoUseCancelled(false);
    // A column changed on an earlier showing and left unsaved is not changed on this one.
    for (int n = 1; n <= kVehicleColumns; ++n) modAutoUse::SetVehicleChanged(n, false);
    modAutoUse::GetAutoUse(*this);
    changed_ = false;  // last: loading sets answers, which marks columns changed
}

void frmAutoUse::resetControls() {
    lblTitle_->clear();
    lblAutoDesc_->setText(QStringLiteral("Vehicle Description:"));
    lblDescription_->clear();
    txtAutoNum_->clear();
    ui::setTextColour(*lblRemove_, 0);
    for (QLabel* l : rowLabels_) ui::setTextColour(*l, 0);
    for (int n = 1; n <= kVehicleColumns; ++n) {
        VehicleColumn& c = column(n);
        ui::setTextColour(*c.lblVehicle, 0);
        for (MileageBox* box : {c.txtBusiness, c.txtCommuting, c.txtPersonal}) {
            box->clear();
            box->setPalette(QPalette());
            box->setEnabled(true);
        }
        c.lblTotal->clear();
        for (YesNoPair* pair : {c.OptOffDuty, c.Opt5Owner, c.optAnother}) {
            pair->clear();
            pair->setOptionsEnabled(true);
        }
    }
}

void frmAutoUse::cmdSave_Click() {
    if (modAutoUse::AddAutoUse(*this)) changed_ = false;
}

void frmAutoUse::cmdDelete_Click() { modAutoUse::DeleteVehicle(*this, typedColumnNumber(txtAutoNum_->text())); }

void frmAutoUse::cmdCancel_Click() {
    if (!closePrompt()) return;
    modAutoUse::SetAutoUseCancelled(true);
    unload();
}

bool frmAutoUse::closePrompt() {
    return allowClose(changed_, [this] { return modAutoUse::AddAutoUse(*this); });
}

}  // namespace tally::desk
