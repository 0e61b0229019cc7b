// Saving the asset on the window: validation, the stored values, the vehicle limits, the row and its recalculated
// schedule in one transaction, the vehicle-use check of a new vehicle, and the reset for the next asset.
#include "AssetRecord.h"
#include "AssetRules.h"
#include "CalcDepr.h"
#include "ComError.h"
#include "Conversions.h"
#include "Depr.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "PartServices.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "db.h"
#include "frmAsset.h"
#include "modDatabase.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::val;

namespace {

// Why the transaction was rolled back, when it was not an error raised by the engine.
struct SaveStopped {
    QString message;
};

assets::AssetRecord recordFromWindow(frmAsset& f, double life, std::int16_t convention, double fraction,
                                     const vb::Date& inService, const vb::Date& sold) {
    assets::AssetRecord r;
    r.companyId = glngCompanyId;
    r.description = f.txtDescription->text();
    r.cost = val(f.txtCost->text());
    r.allowance = val(f.lbl30Allowance->text());
    r.amount179 = val(f.txt179Amt->text());
    r.inService = inService;
    r.methodId = f.cboMethod->selectedData();
    r.life = life;
    r.convention = convention;
    r.otherDeductions = val(f.txtOtherDeductions->text());
    r.businessFraction = fraction;
    r.soldDate = sold;
    r.soldAmount = val(f.txtDispositionAmt->text());
    r.notes = TrimBlanks(f.txtNotes->text());
    r.classId = f.cboClass->listIndex() >= 0 ? f.cboClass->selectedData() : 0;
    r.lifeId = f.cboLife->listIndex() >= 0 ? f.cboLife->listIndex() : 0;
    r.amortizeCode = f.cboMethod->text() == QLatin1String("Amortize") ? DetermineAmortizeCode(f) : 0;
    r.vehicleNumber = val(f.lblAutoNum->text());
    r.actualMethod = f.lblShowMethod->text();
    r.type179 = f.chk179->isChecked();
    return r;
}

// The vehicle limits of the in-service year; false when the save must stop.
bool vehicleLimitsAllow(frmAsset& f, const QString& autoType, std::int16_t year) {
    using Kind = assets::VehicleLimitDecision::Kind;
    const std::int16_t code = assets::vehicleAllowanceCode(f.chkBonus->isChecked(), f.chk50Bonus->isChecked(),
                                                           f.chk100Bonus->isChecked(), f.lbl30Allowance->text());
    const auto decision = assets::vehicleLimitDecision(CheckMaxAutoRates(autoType, year, code),
                                                       GetBuisnessPecent(f), val(f.txt179Amt->text()),
                                                       val(f.lbl30Allowance->text()));
    const QString zeroTitle = QStringLiteral("Zero Vehicle Bonus Max Limit.");
    switch (decision.kind) {
        case Kind::MissingLimits:
            DisplayMsg(QStringLiteral("Use menu Maintenance\\Auto Max Limits to enter ") +
                           QStringLiteral("the maximun vehicle deprication amount for this year."),
                       QStringLiteral("255"));
            return false;
        case Kind::AskZero30:
            return ui::prompts().msgBox(
                       QStringLiteral("30% Bonus depreciation was taken for this vehicle, but the max bonus limit is "
                                      "zero. Use menu Maintenance\\Auto Max Limits to change values. Do you want to "
                                      "continue?"),
                       ui::mb::YesNo, zeroTitle) == ui::mb::Yes;
        case Kind::AskZero50:
            return ui::prompts().msgBox(
                       QStringLiteral("50% Bonus depreciation was taken for this vehicle, but the max bonus rate is "
                                      "zero. Use menu Maintenance\\Auto Max Limits to change values. Do you want to "
                                      "continue?"),
                       ui::mb::YesNo, zeroTitle) == ui::mb::Yes;
        case Kind::Over179:
            DisplayMsg(QStringLiteral("179 amount needs to be less the (max auto rate x Business %) of ") +
                           assets::numberText(decision.limit),
                       QStringLiteral("255"));
            return false;
        case Kind::AdjustAllowance:
            f.lbl30Allowance->setText(assets::numberText(decision.allowance));
            CalculateCostBasis(f);
            ui::prompts().msgBox(
                QStringLiteral("The Special Depr Allowance was adjusted to be equal to the (max auto rate x Business "
                               "%) of ") +
                assets::numberText(decision.limit));
            return true;
        case Kind::Proceed: return true;
    }
    return true;
}

// The schedule of the saved asset; false when the calculation reports failure.
bool recalculate(frmAsset& f, std::int32_t assetNumber, const assets::AssetRecord& r, const QString& autoType) {
    const assets::CalculationPlan plan = assets::calculationPlan(f.cboMethod->text(), r.life, r.businessFraction);
    if (!(val(f.lblCostBasis->text()) > 0 || !autoType.isEmpty())) {
        if (val(f.txt179Amt->text()) > 0 && f.cboMethod->text() == QLatin1String("Listed"))
            return engine::CalcDepr().DoZeroListed(glngCompanyId, assetNumber, r.inService);
        return true;
    }
    const double netCost = vb::CDbl(f.lblCostBasis->text().toStdString());
    const std::int32_t salesAmount = vb::CLng(r.soldAmount);
    const std::string vehicle = autoType.toStdString();
    if (plan.method == QLatin1String("MACRS"))
        return engine::CalcDepr().DoMacrsDepr(netCost, plan.life, r.allowance, glngCompanyId, assetNumber,
                                              r.convention, r.inService, r.soldDate, vehicle,
                                              vb::CLng(r.amount179), salesAmount, r.businessFraction);
    for (const char* formula : {"ADS", "Amortize", "Macrs31", "Macrs39", "Macrs27", "S/L"})
        if (plan.method == QLatin1String(formula))
            return engine::CalcDepr().DoDepr(netCost, vb::CInt(plan.life), r.convention, glngCompanyId, assetNumber,
                                             r.inService, r.soldDate, vb::Variant(plan.method.toStdString()),
                                             salesAmount, vehicle, r.businessFraction);
    return true;
}

}  // namespace

bool AddorUpdate(frmAsset& f, bool bCheck179) {
    try {
        ValidateAsset(f, bCheck179);
        if (f.state.gblnAssetInvalid) return false;

        const double life = DetermineLife(f);
        const std::int16_t convention = DetermineConvention(f);
        const double fraction = GetBuisnessPecent(f);
        const vb::Date sold = DetermineSoldDate(f);
        const QString autoType = DetermineAutoType(f);
        const auto inService = assets::monthYearDate(f.txtInService->Text());
        if (!inService) raiseVbError(vberr::TypeMismatch);
        const auto year = static_cast<std::int16_t>(inService->year());

        if (autoType != QLatin1String("N") && !vehicleLimitsAllow(f, autoType, year)) return false;

        const assets::AssetRecord record = recordFromWindow(f, life, convention, fraction, *inService, sold);
        const bool editing = gblnEditAsset;
        std::int32_t assetNumber = editing ? vb::CLng(val(f.lblAssetId->text())) : 0;

        // The row and its schedule land together: a failed write or calculation leaves the database as it was
        // and the window as typed.
        try {
            engine::inOneTransaction([&] {
                if (editing) {
                    const std::string sql = assets::assetUpdateStatement(record, assetNumber).toStdString();
                    if (!engine::db().ExecuteSql(sql))
                        throw SaveStopped{QStringLiteral("An Error occuredwriting asset data.")};
                } else {
                    assetNumber = engine::DeprSupport().AddAsset(assets::assetValueList(record).toStdString());
                    if (assetNumber == 0) throw SaveStopped{QStringLiteral("An Error occured.")};
                }
                if (!recalculate(f, assetNumber, record, autoType))
                    throw SaveStopped{QStringLiteral("An Error calculating depreciation.") +
                                      QStringLiteral(" The asset was not saved.")};
            });
        } catch (const SaveStopped& stopped) {
            DisplayMsg(stopped.message);
            return false;
        }

        if (!editing) {
            AddNewAssetToCboBox(f, assetNumber);
            f.setAssetId(QString::number(assetNumber));
        }
        f.enableDeprSchedule(true);
        const QString outcome = editing ? QStringLiteral("Asset Updated") : QStringLiteral("Asset Added");
        DisplayMsg(outcome);
        f.state.saveOutcome = outcome;

        // A vehicle just added is checked for its use records by the vehicle-use part, for its in-service year.
        // Without that part nothing is asked here; the saved asset stands either way.
        if (!f.lblAutoNum->text().isEmpty() && !editing) {
            if (const auto& vehicleDocsOk = partServices().vehicleDocsOk)
                vehicleDocsOk(year, vb::CInt(val(f.lblAutoNum->text())));
        }

        NewAsset(f);
        f.state.gblnAssetLoaded = false;
        SetEditAsset(false);
        // The reset clears the status line; the outcome of the save stays on it.
        DisplayMsg(outcome);
        return true;
    } catch (...) {
        showError(QStringLiteral("Error in AddorUpdate. "), currentError(), ErrorLayout::Source);
        return false;
    }
}

bool DeleteAsset(frmAsset& f, std::int32_t assetNumber, std::int32_t companyId) {
    try {
        const std::string asset = std::to_string(assetNumber);
        const std::string company = std::to_string(companyId);
        engine::inOneTransaction([&] {
            engine::db database;
            if (!database.ExecuteSql("Delete * from tblAssets where asset_num = " + asset + " and company_id = " +
                                     company))
                raiseVbError(vberr::InvalidProcedureCall, "DeleteAsset");
            if (!database.ExecuteSql("Delete * from tblDepr where asset_num = " + asset + " and client_num = " +
                                     company))
                raiseVbError(vberr::InvalidProcedureCall, "DeleteAsset");
        });
    } catch (...) {
        // Nothing was deleted: the window keeps the asset.
        showError(QStringLiteral("Error in DeleteAsset "), currentError(), ErrorLayout::Blank);
        return false;
    }
    RemoveAssetFromCboBox(f, assetNumber);
    NewAsset(f);
    SetEditAsset(false);
    return true;
}

}  // namespace tally::desk::Depr
