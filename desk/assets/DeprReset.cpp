// Initialisation of the asset window and the reset for a new asset.
#include <vector>
#include <functional>

#include "AssetClock.h"
#include "AssetRules.h"
#include "ComboRoutines.h"
#include "Conversions.h"
#include "Depr.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "StatusLine.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;


QString proposedInServiceDate() {
    return QStringLiteral("%1/%2").arg(assets::today().month(), 2, 10, QLatin1Char('0')).arg(gintDefaultYear);
}

void ItializeAssetForm(frmAsset& f) {
    trapStep(QStringLiteral("Error in ItializeAssetForm. "), ErrorLayout::Source, [&] {
        f.setHeightTwips(frmAsset::kCollapsedTwips);
        f.cmdDeprSchedule->setEnabled(false);
        f.cmdPrint->setEnabled(false);
        f.cmdSave->setEnabled(false);
        f.txtInService->setTextValue(proposedInServiceDate());
        PopulateMethodCbo(f);
        GetAssetList(f, glngCompanyId, vb::CInt(assets::val(f.txtYear->text())));
        std::int16_t width = 3800;
        SetCboWidth(*f.cboAssets, f, width);
        width = 2300;
        SetCboWidth(*f.cboClass, f, width);
        gblnEditAsset = false;
    });
}

void NewAsset(frmAsset& f) {
    const std::vector<std::function<void()>> steps = {
        [&] { f.state.gblnAssetLoaded = false; },
        [&] {
            for (QWidget* w : std::initializer_list<QWidget*>{
                     f.lblDescription, f.lblCost, f.lblMethod, f.lblLife, f.lblInService, f.lblAutoBusiness,
                     f.lblVehicleNum, f.lblClass, f.lblAmortize, f.lblSoldDate, f.lblDispositionAmt, f.chkBonus,
                     f.chk50Bonus, f.chk100Bonus})
                setForeColour(*w, assets::kBlack);
        },
        [&] { setForeColour(*f.txt179Amt, assets::kBlue); },
        [&] { assets::switchField(*f.cboClass, true); },
        [&] {
            assets::switchField(*f.cboLife, true);
            f.cboLife->setText(QString());
        },
        [&] {
            f.cboMethod->setListIndex(-1);
            f.cboClass->setListIndex(-1);
        },
        [&] { f.txtCost->clear(); },
        [&] { f.txtBusinessPercent->setText(QStringLiteral("100")); },
        [&] { f.txtDescription->clear(); },
        [&] { f.txtInService->setTextValue(proposedInServiceDate()); },
        [&] { f.txt179Amt->clear(); },
        [&] { f.mskSold->setTextValue(QString()); },
        [&] {
            f.chkBonus->setChecked(false);
            f.chk50Bonus->setChecked(false);
            f.chk100Bonus->setChecked(false);
        },
        [&] {
            f.lbl30Allowance->clear();
            f.lblCostBasis->clear();
        },
        [&] { f.txtOtherDeductions->clear(); },
        [&] { f.setAssetId(QString()); },
        [&] { f.txtNotes->clear(); },
        [&] { f.lblGainLoss->clear(); },
        [&] {
            f.txtDispositionAmt->clear();
            f.txtAmorizeCode->clear();
        },
        [&] {
            f.lblShowMethod->clear();
            f.lblAutoNum->clear();
        },
        [&] { ConventionOnOff(f, false); },
        [&] {
            assets::untickOption(*f.optConvention[2]);
            f.optConvention[2]->setEnabled(false);
        },
        [&] { f.cmdDelete->setEnabled(false); },
        [&] { f.cboAssets->setListIndex(-1); },
        [&] { f.txtAssetID->clear(); },
        [&] { f.chk179->setChecked(false); },
        [&] {
            f.chkBonus->setEnabled(true);
            f.chk50Bonus->setEnabled(true);
            f.chk100Bonus->setEnabled(true);
        },
        [&] { f.cmdDeprSchedule->setEnabled(false); },
        [&] { f.focusQuietly(f.txtDescription); },
        [&] { DisplayMsg(QString()); },
    };
    for (const auto& step : steps) trapStep(QStringLiteral("Error in NewAsset. "), ErrorLayout::ErrorNumber, step);
}

}  // namespace tally::desk::Depr
