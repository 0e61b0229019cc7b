// Loading a stored asset into the asset window.
#include <functional>
#include <vector>

#include "AssetRules.h"
#include "ComboRoutines.h"
#include "Conversions.h"
#include "Depr.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "Format.h"
#include "StatusLine.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::val;

namespace {

QString text(const vb::Variant& value) { return value.isNull() ? QString() : QString::fromStdString(value.toString()); }

// Selects the life list entry that reads as the stored life, or writes the life into the box: a class life missing
// from the list, or a method whose entry the load does not select, must not turn into another life on the next save.
void showStoredLife(frmAsset& f, double life) {
    if (val(f.cboLife->text()) == life) return;
    const QString lifeText = assets::numberText(life);
    const int index = f.cboLife->findText(lifeText);
    if (index >= 0)
        f.cboLife->setListIndex(index);
    else
        f.cboLife->setText(lifeText);
}

}  // namespace

void GetAssetData(frmAsset& f, std::int32_t assetNumber, std::int32_t companyId) {
    const QString prefix = QStringLiteral("Error in GetAssetData. ");
    f.state.gblnAssetLoaded = false;
    ado::RecordsetPtr rs;
    if (!trapStep(prefix, ErrorLayout::Source, [&] { rs = engine::DeprSupport().GetAsset(assetNumber, companyId); }))
        return;
    if (!rs || rs->EOF_()) {
        DisplayMsg(QStringLiteral("No data found."));
        return;
    }
    const ado::Recordset& row = *rs;
    QString method;
    const std::vector<std::function<void()>> steps = {
        [&] { NewAsset(f); },
        [&] {
            f.setAssetId(text(row["Asset_num"]));
            f.txtDescription->setText(text(row["Asset_name"]));
            f.txtCost->setText(text(row["Cost"]));
        },
        [&] {
            const vb::Variant& type179 = row["Type_179"];
            f.state.loadedType179 = !type179.isNull() && !type179.isEmpty() && type179.toBool();
            if (f.state.loadedType179) {
                f.chk179->setChecked(true);
            } else {
                f.txt179Amt->clear();
                assets::switchField(*f.txt179Amt, false);
                f.chk179->setChecked(false);
            }
            const double amount179 = row["179_deduction"].isNull() ? 0 : row["179_deduction"].toDouble();
            if (amount179 > 0) f.txt179Amt->setText(text(row["179_deduction"]));
            f.state.glngLoadedCost = vb::CLng(row["Cost"].toDouble());
            f.state.glngLoaded179 = vb::CLng(amount179);
        },
        [&] {
            GetCboIndex(text(row["Method"]), *f.cboMethod);
            f.state.loadedBusinessFraction = row["bussiness_percent"].toDouble();
            f.txtBusinessPercent->setText(assets::businessPercentText(f.state.loadedBusinessFraction));
            if (f.cboMethod->text() == QLatin1String("Straight Line")) assets::switchField(*f.cboClass, false);
            if (f.cboMethod->text() == QLatin1String("Listed")) assets::switchField(*f.cboLife, false);
        },
        [&] {
            method = f.cboMethod->text();
            const std::int32_t lifeId = row["life_id"].toLong();
            const std::int32_t classId = row["depr_class_id"].toLong();
            const QString life = text(row["life"]);
            if (!((lifeId == 0 && method == QLatin1String("Amortize")) || method == QLatin1String("S/L"))) {
                PopulateLifeCbo(f, method);
                f.cboLife->setListIndex(lifeId < f.cboLife->count() ? lifeId : -1);
            } else {
                // No entry is selected, but the list is this method's: one left from an asset of another method
                // would give the stored life another position on the next save.
                PopulateLifeCbo(f, method);
            }
            if (lifeId == 0 && classId == 0) f.cboLife->setText(life);
            if (lifeId == 0 && method == QLatin1String("Amortize")) f.cboLife->setText(life);
            showStoredLife(f, row["life"].toDouble());
        },
        [&] {
            // A stored convention is shown as stored: real property keeps its mid-month convention.
            if (assets::isOneOf(method, {"MACRS", "Listed", "ADS"})) {
                const std::int16_t convention = row["convention"].toInt();
                const bool stored = convention >= 1 && convention <= 3;
                ConventionOnOff(f, val(f.cboLife->text()) < 27 || stored);
                if (convention == 3 && val(f.cboLife->text()) > 27) MidMonthOnOff(f, true);
            }
        },
        [&] {
            if (method == QLatin1String("Amortize")) {
                assets::switchField(*f.txtAmorizeCode, true);
                f.txtAmorizeCode->setText(text(row["amortize_code"]));
            } else {
                f.txtAmorizeCode->clear();
                assets::switchField(*f.txtAmorizeCode, false);
            }
        },
        [&] { f.lblShowMethod->setText(text(row["actual_method"])); },
        [&] {
            const std::int32_t classId = row["depr_class_id"].toLong();
            if (classId > 0) {
                PopulateTypeCbo(f, f.cboMethod->selectedData());
                GetCboIndexFromItemData(classId, *f.cboClass);
            } else {
                f.cboClass->setListIndex(-1);
            }
        },
        [&] {
            if (!row["Other_Deductions"].isNull() && row["Other_Deductions"].toDouble() > 0)
                f.txtOtherDeductions->setText(text(row["Other_Deductions"]));
        },
        [&] {
            const bool allowed = (method == QLatin1String("MACRS") ||
                                  (method == QLatin1String("Listed") && val(f.txtBusinessPercent->text()) > 50)) &&
                                 DetermineLife(f) < 21;
            const double stored = row["Allowance 30 %"].isNull() ? 0 : row["Allowance 30 %"].toDouble();
            if (!allowed) {
                f.lbl30Allowance->clear();
                for (QCheckBox* box : f.rateBoxes()) {
                    box->setChecked(false);
                    box->setEnabled(false);
                }
                return;
            }
            for (QCheckBox* box : f.rateBoxes()) box->setEnabled(true);
            if (!(stored > 0)) {
                f.chkBonus->setChecked(false);
                f.chk50Bonus->setChecked(false);
                return;
            }
            const double divisor = val(f.txtCost->text()) * GetBuisnessPecent(f) -
                                   (val(f.txt179Amt->text()) + val(f.txtOtherDeductions->text()));
            // No depreciable cost left: no box can be told from the amount, which is still shown.
            const int box = divisor != 0 ? assets::bonusBoxForRatio(stored / divisor) : 0;
            if (box == 50) f.chk50Bonus->setChecked(true);
            if (box == 100) f.chk100Bonus->setChecked(true);
            if (box == 30) f.chkBonus->setChecked(true);
            f.lbl30Allowance->setText(text(row["Allowance 30 %"]));
        },
        [&] {
            const vb::Date inService = row["In_Service_date"].toDate();
            f.state.loadedYear = static_cast<std::int16_t>(inService.year());
            f.txtInService->setTextValue(QString::fromStdString(vb::Format(inService, "mm/yyyy")));
        },
        [&] {
            const std::int16_t convention = row["convention"].toInt();
            if (convention >= 1 && convention <= 3) {
                f.optConvention[convention - 1]->setChecked(true);
                if (convention == 3) f.optConvention[2]->setEnabled(true);
            }
        },
        [&] {
            const double vehicle = row["Vehicle_num"].isNull() ? 0 : row["Vehicle_num"].toDouble();
            f.lblAutoNum->setText(vehicle > 0 ? text(row["Vehicle_num"]) : QString());
            f.txtNotes->setText(text(row["notes"]));
        },
        [&] {
            const vb::Date sold = row["sold_date"].toDate();
            if (sold > vb::notSoldDate()) {
                f.mskSold->setTextValue(QString::fromStdString(vb::Format(sold, "mm/yyyy")));
                f.txtDispositionAmt->setText(text(row["sold_amt"]));
                f.lblGainLoss->setText(text(row["gain_loss"]));
                f.state.gblnAssetLoaded = true;
            }
        },
        [&] {
            f.enableDeprSchedule(true);
            f.cmdDelete->setEnabled(true);
            CalculateCostBasis(f);
            SetEditAsset(true);
        },
    };
    for (const auto& step : steps) trapStep(prefix, ErrorLayout::Source, step);
}

}  // namespace tally::desk::Depr
