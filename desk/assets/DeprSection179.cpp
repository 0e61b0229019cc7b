// The section 179 panel: the year's limits, the company's stored 179 totals, carry-over and income limit, the
// adjusted limit and the remaining deduction, and the same test with the window's asset included.
#include "AssetRules.h"
#include "Conversions.h"
#include "Depr.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::val;

std::int16_t DetermineYear(frmAsset& f) {
    std::int16_t year = 0;
    trapStep(QStringLiteral("Error in DetermineYear. "), ErrorLayout::Source, [&] {
        if (!f.txtYear->text().isEmpty()) {
            year = vb::CInt(vb::CDbl(f.txtYear->text().toStdString()));
        } else {
            const auto date = assets::monthYearDate(f.txtInService->Text());
            if (!date) raiseVbError(vberr::TypeMismatch);
            year = static_cast<std::int16_t>(date->year());
        }
    });
    return year;
}

bool PanelYearKnown(frmAsset& f) { return !f.txtYear->text().isEmpty() || InServiceYear(f).has_value(); }

void Do179Deduction(frmAsset& f) {
    trapStep(QStringLiteral("Error in Do179Deduction. "), ErrorLayout::Source, [&] {
        const std::int16_t year = DetermineYear(f);
        f.fra179->setTitle(QStringLiteral("179 Deduction for ") + QString::number(year));
        Get179RateLimits(f, year);
        f.lbl179Carryover->setFigure(Get179CarryOver(f, glngCompanyId, year));
        f.lblIncomeLimit->setFigure(Get179LimitForIncome(f, glngCompanyId, year));
        Get179andAssetTotal(f, glngCompanyId, year);
        Check179Totals(f);
    });
}

void Get179RateLimits(frmAsset& f, std::int16_t year) {
    trapStep(QStringLiteral("Error in Get179RateLimits. "), ErrorLayout::Source, [&] {
        if (year == 0) year = DetermineYear(f);
        f.lbl179Limit->clearFigure();
        f.lbl179ThresholdCost->clearFigure();
        ado::RecordsetPtr rs = engine::DeprSupport().Get179Limits(year);
        if (!rs || rs->EOF_()) {
            ui::prompts().msgBox(QStringLiteral("179 rates missing for year ") + QString::number(year) +
                                 QStringLiteral(". Please input the data before continuing."));
            return;
        }
        f.lbl179Limit->setFigure((*rs)["Maximum Amount"].toDouble());
        f.lbl179ThresholdCost->setFigure((*rs)["Threshold Cost"].toDouble());
    });
}

void Get179andAssetTotal(frmAsset& f, std::int32_t companyId, std::int16_t year) {
    trapStep(QStringLiteral("Get179andAssetTotal. "), ErrorLayout::Source, [&] {
        if (year == 0) year = DetermineYear(f);
        ado::RecordsetPtr rs = engine::DeprSupport().Get179andCostTotal(companyId, year);
        if (!rs || rs->EOF_()) return;
        const vb::Variant& total179 = (*rs)[1];
        f.lbl179Total->setFigure(total179.isNull() ? 0 : total179.toDouble());
        const vb::Variant& cost = (*rs)[0];
        f.lbltotalAssetValue->setFigure(cost.isNull() ? 0 : cost.toDouble());
    });
}

std::int32_t Get179CarryOver(frmAsset& f, std::int32_t companyId, std::int32_t year) {
    std::int32_t result = 0;
    trapStep(QStringLiteral("Error in Get179CarryOver. "), ErrorLayout::ErrorNumber, [&] {
        if (year == 0) year = DetermineYear(f);
        result = engine::DeprSupport().Get179CarryOver(companyId, static_cast<std::int16_t>(year));
    });
    return result;
}

std::int32_t Get179LimitForIncome(frmAsset& f, std::int32_t companyId, std::int16_t year) {
    std::int32_t result = 0;
    trapStep(QStringLiteral("Error in Get179LimitForIncome. "), ErrorLayout::ErrorNumber, [&] {
        if (year == 0) year = DetermineYear(f);
        result = engine::DeprSupport().Get179IncomeLimit(companyId, year);
    });
    return result;
}

void Check179Totals(frmAsset& f) {
    trapStep(QStringLiteral("Error in Check179Totals. "), ErrorLayout::Source, [&] {
        DisplayMsg(QString());
        setForeColour(*f.lblRemaining179, assets::kGreen);
        // A year without limits computes nothing, so the test passes rather than reading an older result.
        f.lblAdjusted179->clearFigure();
        f.lblRemaining179->clearFigure();
        const assets::Section179Result result = assets::check179(
            {f.lbl179Limit->figure(), f.lbl179ThresholdCost->figure(), f.lbltotalAssetValue->figure(),
             f.lbl179Total->figure(), f.lbl179Carryover->figure(), f.lblIncomeLimit->figure()});
        if (!result.computed) return;
        f.lblAdjusted179->setFigure(result.adjusted);
        f.lblRemaining179->setFigure(result.remaining);
        if (result.overLimit) {
            setForeColour(*f.lblRemaining179, assets::kRed);
            DisplayMsg(QStringLiteral("The Net 179 total is over the limit."), QStringLiteral("255"));
        }
    });
}

// The stored totals hold each 179 asset of the year at cost x business share with its 179 amount. The window's
// asset replaces what the totals hold of it: nothing for a new asset or one stored without 179 or in another
// year, its stored share-weighted cost and 179 amount otherwise.
bool CheckUpdated179Totals(frmAsset& f) {
    const QString prefix = QStringLiteral("Error in CheckUpdated179Totals. ");
    trapStep(prefix, ErrorLayout::Source, [&] { Get179andAssetTotal(f, glngCompanyId, 0); });
    trapStep(prefix, ErrorLayout::Source, [&] {
        const std::int16_t panelYear = DetermineYear(f);
        double cost = f.lbltotalAssetValue->figure();
        double total179 = f.lbl179Total->figure();
        bool changed = false;
        if (gblnEditAsset && f.state.loadedType179 && f.state.loadedYear == panelYear) {
            cost -= f.state.glngLoadedCost * f.state.loadedBusinessFraction;
            total179 -= f.state.glngLoaded179;
            changed = true;
        }
        const auto inService = assets::monthYearDate(f.txtInService->Text());
        if (f.chk179->isChecked() && inService && inService->year() == panelYear) {
            cost += val(f.txtCost->text()) * GetBuisnessPecent(f);
            total179 += val(f.txt179Amt->text());
            changed = true;
        }
        if (changed) {
            f.lbltotalAssetValue->setFigure(cost);
            f.lbl179Total->setFigure(total179);
        }
    });
    Check179Totals(f);
    return !(f.lblRemaining179->figure() < 0);
}

}  // namespace tally::desk::Depr
