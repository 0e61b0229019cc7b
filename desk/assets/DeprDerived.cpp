// Derived fields: the values the save, the validation and the panel read from the window's controls.
#include "AssetRules.h"
#include "CalcDepr.h"
#include "Conversions.h"
#include "Depr.h"
#include "ErrorReport.h"
#include "StatusLine.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::val;

double GetBuisnessPecent(frmAsset& f) {
    double result = 0;
    trapStep(QStringLiteral("Error in GetBuisnessPecent. "), ErrorLayout::Blank,
         [&] { result = assets::businessFraction(f.txtBusinessPercent->text()); });
    return result;
}

double DetermineLife(frmAsset& f) {
    double result = 0;
    trapStep(QStringLiteral("Error in DetermineLife. "), ErrorLayout::Blank, [&] {
        if (!f.cboLife->text().isEmpty())
            result = vb::CDbl(f.cboLife->text().toStdString());
        else if (!f.cboClass->text().isEmpty())
            result = assets::classLife(f.cboClass->text());
    });
    return result;
}

double DetermineAmortizeCode(frmAsset& f) {
    double result = 0;
    trapStep(QStringLiteral("Error in DetermineAmortizeCode. "), ErrorLayout::Blank,
         [&] { result = assets::classAmortizeCode(f.cboClass->text()); });
    return result;
}

QString DetermineAutoType(frmAsset& f) {
    QString result;
    trapStep(QStringLiteral("Error in DetermineAutoType "), ErrorLayout::Blank, [&] {
        result = f.cboClass->listIndex() >= 0 ? assets::classVehicleType(f.cboClass->text()) : QStringLiteral("N");
    });
    return result;
}

std::int16_t DetermineConvention(frmAsset& f) {
    std::int16_t result = 0;
    trapStep(QStringLiteral("Error in DetermineConvention. "), ErrorLayout::Blank, [&] {
        result = assets::conventionCode(f.fraConvention->isEnabledTo(&f),
                                        {f.optConvention[0]->isChecked(), f.optConvention[1]->isChecked(),
                                         f.optConvention[2]->isChecked()});
    });
    return result;
}

vb::Date DetermineSoldDate(frmAsset& f) {
    vb::Date result;
    trapStep(QStringLiteral("Error in DetermineSoldDate. "), ErrorLayout::Source,
         [&] { result = assets::soldDate(f.mskSold->Text()); });
    return result;
}

std::optional<std::int16_t> InServiceYear(frmAsset& f) {
    const auto date = assets::monthYearDate(f.txtInService->Text());
    if (!date) {
        setForeColour(*f.lblInService, assets::kRed);
        DisplayMsg(QStringLiteral("Invalid date"), QStringLiteral("255"));
        return std::nullopt;
    }
    return static_cast<std::int16_t>(date->year());
}

void CalculateCostBasis(frmAsset& f) {
    trapStep(QStringLiteral("Error in CalculateCostBasis. "), ErrorLayout::Source, [&] {
        setForeColour(*f.lblCostBasis, assets::kGreen);
        const double basis = assets::costBasis(val(f.txtCost->text()), GetBuisnessPecent(f),
                                               val(f.txt179Amt->text()), val(f.lbl30Allowance->text()),
                                               val(f.txtOtherDeductions->text()));
        f.lblCostBasis->setText(assets::costBasisCaption(basis));
        if (val(f.lblCostBasis->text()) < 0) setForeColour(*f.lblCostBasis, assets::kRed);
    });
}

void CalculateAllowance(frmAsset& f, double rate) {
    f.lbl30Allowance->setText(assets::allowanceCaption(val(f.txtCost->text()), GetBuisnessPecent(f),
                                                       val(f.txtOtherDeductions->text()),
                                                       val(f.txt179Amt->text()), rate));
}

std::int32_t CheckMaxAutoRates(const QString& autoType, std::int16_t year, std::int16_t allowanceCode) {
    std::int32_t result = 0;
    trapStep(QStringLiteral("Error in CheckMaxAutoRates. "), ErrorLayout::Source, [&] {
        engine::CalcDepr calc;
        result = calc.GetAutoMaxRates(autoType.toStdString(), year, allowanceCode);
    });
    return result;
}

void Recompute(frmAsset& f) {
    if (f.chkBonus->isChecked()) CalculateAllowance(f, 0.3);
    if (f.chk50Bonus->isChecked()) CalculateAllowance(f, 0.5);
    if (f.chk100Bonus->isChecked()) CalculateAllowance(f, 1.0);
    CalculateCostBasis(f);
}

}  // namespace tally::desk::Depr
