// The vehicle-use page's routines: opening, placing the vehicles in columns, loading their stored use, totals,
// validation, saving and deletion.

#include <QLabel>

#include "AutoUseText.h"
#include "Auto.h"
#include "Colour.h"
#include "Conversions.h"
#include "DesktopState.h"
#include "MileageBox.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "VehicleErrors.h"
#include "YesNoPair.h"
#include "frmAutoUse.h"
#include "mdiMain.h"
#include "modAutoUse.h"

namespace tally::desk {

namespace modAutoUse {

namespace {
constexpr std::int32_t kRed = 255;
constexpr std::int32_t kBlack = 0;
const QString kRedText = QStringLiteral("255");

QString fieldText(const vb::Variant& value) {
    return value.isNull() ? QString() : QString::fromStdString(value.toString());
}

// The page column whose vehicle number equals `vehicleNumber`, searching from `from` to 6; 0 when none does.
int columnOfVehicle(double vehicleNumber, int from) {
    const VehicleUseState& s = vehicleUseState();
    for (int n = std::max(from, 1); n <= kVehicleColumns; ++n)
        if (vb::Val(s.gstrVehicles[n][2].toStdString()) == vehicleNumber) return n;
    return 0;
}

// Loads the year's vehicles into the page afresh: the year, the vehicle columns and the stored use.
void loadPage(frmAutoUse& page, std::int16_t year) {
    vehicleUseState().gintAutoUseYear = year;
    ClearVehicleDesc();
    PopulateVehicleDesc(page);
    page.Form_Load();
}

void fillColumn(frmAutoUse::VehicleColumn& c, const ado::Recordset& row) {
    c.txtBusiness->setText(fieldText(row["Business Miles"]));
    c.txtCommuting->setText(fieldText(row["Commuting Miles"]));
    c.txtPersonal->setText(fieldText(row["Personal Miles"]));
    const auto answer = [](YesNoPair& pair, const vb::Variant& value) {
        pair.setAnswer(!value.isNull() && value.toBool());  // Null shows as No
    };
    answer(*c.OptOffDuty, row["Available Personal Use off Hours"]);
    answer(*c.Opt5Owner, row["Driver 5 percent Owner"]);
    answer(*c.optAnother, row["Another Car Available"]);
}

VehicleUseEntry entryOf(const frmAutoUse::VehicleColumn& c) {
    return {c.txtBusiness->text(), c.txtCommuting->text(), c.txtPersonal->text(),
            c.OptOffDuty->isYes(), c.Opt5Owner->isYes(), c.optAnother->isYes()};
}
}  // namespace

void SetVehicleChanged(int column, bool changed) {
    if (column >= 1 && column <= kVehicleColumns) vehicleUseState().gblnVehicleChanged[column] = changed;
}

void SetAutoUseCancelled(bool cancelled) { vehicleUseState().gblnAutoUseCancelled = cancelled; }

void DoAutoUseForm(std::int16_t intYear, std::int16_t intVehicleNum) {
    const QString prefix = QStringLiteral("Error in DoAutoUseForm. ");
    frmAutoUse page(mainWindow());
    vehicleStep(prefix, [&] { loadPage(page, intYear); });
    vehicleStep(prefix, [&] {
        if (intVehicleNum <= 0) return;
        const int n = columnOfVehicle(intVehicleNum, 1);
        if (n > 0 && page.column(n).txtBusiness->isEnabled()) page.column(n).txtBusiness->setFocus();
    });
    page.exec();
}

void ClearVehicleDesc() {
    VehicleUseState& s = vehicleUseState();
    for (int n = 1; n <= kVehicleColumns; ++n) {
        s.gstrVehicles[n][1] = QStringLiteral("N/A");
        s.gstrVehicles[n][2] = QStringLiteral("0");
    }
}

QString GetVehicleDesc(std::int16_t column) { return vehicleUseState().gstrVehicles.at(column).at(1); }

void PopulateVehicleDesc(frmAutoUse& page) {
    vehicleStep(QStringLiteral("Error in PopulateVehicleDesc. "), [&] {
        VehicleUseState& s = vehicleUseState();
        const ado::RecordsetPtr rs = engine::Auto().GetVehicleDescription(glngCompanyId, s.gintAutoUseYear);
        int filled = 0;
        // The seventh and later vehicles get no column.
        for (; !rs->EOF_() && filled < kVehicleColumns; rs->MoveNext()) {
            ++filled;
            s.gstrVehicles[filled][1] = fieldText((*rs)["asset_name"]);
            s.gstrVehicles[filled][2] = fieldText((*rs)["vehicle_num"]);
        }
        for (int n = filled + 1; n <= kVehicleColumns; ++n) DisableVehicleInput(page, static_cast<std::int16_t>(n));
    });
}

void DisableVehicleInput(frmAutoUse& page, std::int16_t column) {
    if (column < 1 || column > kVehicleColumns) return;
    vehicleStep(QStringLiteral("Error in DisableVehicleInput. "), [&] {
        frmAutoUse::VehicleColumn& c = page.column(column);
        for (MileageBox* box : {c.txtBusiness, c.txtCommuting, c.txtPersonal}) {
            QPalette grey = box->palette();
            grey.setColor(QPalette::Base, ui::colourFromNumber(0xE0E0E0));
            box->setPalette(grey);
            box->setEnabled(false);
        }
        for (YesNoPair* pair : {c.OptOffDuty, c.Opt5Owner, c.optAnother}) pair->setOptionsEnabled(false);
    });
}

void GetAutoUse(frmAutoUse& page) {
    vehicleStep(QStringLiteral("Error in GetAutoUse. "), [&] {
        VehicleUseState& s = vehicleUseState();
        page.lblTitle().setText(QStringLiteral("Data for ") + gstrCompanyName + QStringLiteral(" for year ") +
                                QString::number(s.gintAutoUseYear));
        const ado::RecordsetPtr rs = engine::Auto().GetAutoUse(s.gintAutoUseYear, glngCompanyId);
        // Rows come in column order, so the search only moves right; a row without a column belongs to a vehicle
        // beyond the sixth, and so do all after it.
        int previous = 0;
        for (; !rs->EOF_(); rs->MoveNext()) {
            const int n = columnOfVehicle((*rs)["Vehicle #"].toDouble(), previous + 1);
            if (n == 0) break;
            fillColumn(page.column(n), *rs);
            s.gblnVehicleChanged[n] = false;
            ShowTotal(page, n);
            previous = n;
        }
    });
}

void ShowTotal(frmAutoUse& page, int column) {
    vehicleStep(QStringLiteral("Error in ShowTotal%1. ").arg(column), [&] {
        const frmAutoUse::VehicleColumn& c = page.column(column);
        c.lblTotal->setText(totalMilesText(c.txtBusiness->text(), c.txtCommuting->text(), c.txtPersonal->text()));
    });
}

bool ValidateAuto(frmAutoUse& page) {
    bool result = true;
    const bool checked = vehicleStep(QStringLiteral("Error in ValidateAuto. "), [&] {
        using Row = frmAutoUse::Row;
        DisplayMsg({});
        QString messages;
        for (int r = 0; r < static_cast<int>(Row::Count); ++r) ui::setTextColour(page.rowLabel(Row(r)), kBlack);
        for (int n = 1; n <= kVehicleColumns; ++n) ui::setTextColour(*page.column(n).lblVehicle, kBlack);

        for (int n = 1; n <= kVehicleColumns; ++n) {
            if (!vehicleUseState().gblnVehicleChanged[n]) continue;
            frmAutoUse::VehicleColumn& c = page.column(n);
            const auto fail = [&](std::initializer_list<Row> rows, const char* message) {
                result = false;
                for (Row row : rows) ui::setTextColour(page.rowLabel(row), kRed);
                ui::setTextColour(*c.lblVehicle, kRed);
                messages += QLatin1String(message);
            };
            if (c.txtBusiness->text().isEmpty()) {
                fail({Row::Business1, Row::Business2, Row::Business3}, " Business miles missing! ");
                c.txtBusiness->setFocus();
            }
            if (c.txtCommuting->text().isEmpty()) {
                fail({Row::Commute}, " Commuting miles missing! ");
                c.txtCommuting->setFocus();
            }
            if (c.txtPersonal->text().isEmpty()) {
                fail({Row::Personal}, " Personal miles missing! ");
                c.txtPersonal->setFocus();
            }
            if (!c.OptOffDuty->answered()) fail({Row::OffDuty}, " Off duty answer is missing! ");
            if (!c.Opt5Owner->answered()) fail({Row::FiveOwner}, " 5% Owner answer is missing! ");
            if (!c.optAnother->answered()) fail({Row::Another}, " Another Vehicle answer is missing! ");
            if (!result) DisplayMsg(messages, kRedText);
        }
    });
    // Entries that could not be checked are not valid.
    return checked && result;
}

bool AddAutoUse(frmAutoUse& page) {
    VehicleUseState& s = vehicleUseState();
    bool result = false;
    s.gblnAutoUseSaved = false;
    DisplayMsg({});
    if (!ValidateAuto(page)) return false;
    bool anyChanged = false;
    for (int n = 1; n <= kVehicleColumns; ++n) anyChanged = anyChanged || s.gblnVehicleChanged[n];
    if (!anyChanged) {
        DisplayMsg(QStringLiteral("There is nothing to save."));
        return false;
    }
    try {
        engine::Auto autoUse;
        bool allStored = true;
        for (int n = 1; n <= kVehicleColumns; ++n) {
            if (!s.gblnVehicleChanged[n]) continue;
            const QString& vehicle = s.gstrVehicles[n][2];
            const QString values = AutoUseValueList(glngCompanyId, s.gintAutoUseYear, vehicle, entryOf(page.column(n)));
            const bool stored = autoUse.AddAutoUse(values.toStdString(), glngCompanyId, s.gintAutoUseYear,
                                                   vb::CInt(vb::Val(vehicle.toStdString())));
            if (stored) s.gblnVehicleChanged[n] = false;
            allStored = allStored && stored;
        }
        // Reported as saved only when every changed column was stored, not just the last one.
        s.gblnAutoUseSaved = allStored;
        if (s.gblnAutoUseSaved) DisplayMsg(QStringLiteral(" Vehicle Data has been updated. "));
        result = allStored;
    } catch (...) {
        showError(QStringLiteral("Error in AddAutoUse. "), currentError(), ErrorLayout::Blank);
        return false;
    }
    return result;
}

void DeleteVehicle(frmAutoUse& page, std::int64_t column) {
    vehicleStep(QStringLiteral("Error in DeleteVehicle. "), [&] {
        const QString question = QStringLiteral("Do you want to delete Vehicle %1 Use?").arg(column);
        if (ui::prompts().msgBox(question, ui::mb::YesNo, QStringLiteral("Delete Vehicle Use")) != ui::mb::Yes)
            return;
        ui::setTextColour(page.lblRemove(), kBlack);
        if (column < 1 || column > kVehicleColumns) {
            DisplayMsg(QStringLiteral("Invalid Vehicle Id."), kRedText);
            ui::setTextColour(page.lblRemove(), kRed);
            page.txtAutoNum().setFocus();
            return;
        }
        const VehicleUseState& s = vehicleUseState();
        const std::int32_t vehicle = vb::CLng(vb::Val(s.gstrVehicles[column][2].toStdString()));
        engine::Auto().DeleteVehicle(s.gintAutoUseYear, glngCompanyId, vehicle);
        // The page closes and opens afresh for the same year: other columns' unsaved entries go too.
        DisplayMsg({});
        page.resetControls();
        loadPage(page, s.gintAutoUseYear);
    });
}

}  // namespace modAutoUse
}  // namespace tally::desk
