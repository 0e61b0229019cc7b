// Lists and lookups of the asset window: the four lists, the convention options, the method shown, the next
// vehicle number, the asset search and undo.
#include "AssetRules.h"
#include "Auto.h"
#include "ComboRoutines.h"
#include "CompanyPersist.h"
#include "Conversions.h"
#include "Depr.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "ErrorReport.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;


void GetAssetList(frmAsset& f, std::int32_t companyId, std::int16_t year) {
    ado::RecordsetPtr rs;
    trapStep(QStringLiteral("Error in GetAssetList "), ErrorLayout::Blank,
         [&] { rs = engine::CompanyPersist().GetAssetList(companyId, year); });
    FillCboBox(rs, *f.cboAssets, true);
    f.cboAssets->setListIndex(-1);
}

void AddNewAssetToCboBox(frmAsset& f, std::int32_t assetNumber) {
    trapStep(QStringLiteral("Error in AddNewAssetToCboBox. "), ErrorLayout::Source,
         [&] { f.cboAssets->addItem(f.txtDescription->text(), assetNumber); });
}

// The entry is found by its asset number: a description may be shared or edited since the list was filled.
void RemoveAssetFromCboBox(frmAsset& f, std::int32_t assetNumber) {
    trapStep(QStringLiteral("Error in RemoveAssetFromCboBox. "), ErrorLayout::Source, [&] {
        const int index = f.cboAssets->findData(assetNumber);
        if (index >= 0) f.cboAssets->removeItem(index);
    });
}

void PopulateMethodCbo(frmAsset& f) {
    trapStep(QStringLiteral("Error in PopulateMethodCbo. "), ErrorLayout::Source, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetMethods();
        FillCboBox(rs, *f.cboMethod, true);
        f.cboMethod->setListIndex(-1);
    });
}

void PopulateLifeCbo(frmAsset& f, const QString& method) {
    trapStep(QStringLiteral("Error in PopulateLifeCbo. "), ErrorLayout::Source, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetLives(method.toStdString());
        FillCboBox(rs, *f.cboLife, false);
        f.cboLife->setListIndex(-1);
    });
}

void PopulateTypeCbo(frmAsset& f, std::int32_t methodId) {
    trapStep(QStringLiteral("Error in PopulateTypeCbo. "), ErrorLayout::Source, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetTypes(methodId);
        FillCboBox(rs, *f.cboClass, true);
        f.cboClass->setListIndex(-1);
    });
}

void ConventionOnOff(frmAsset& f, bool enable) {
    trapStep(QStringLiteral("Error in ConventionOnOff. "), ErrorLayout::Source, [&] {
        f.fraConvention->setEnabled(enable);
        for (int i : {0, 1}) {
            assets::untickOption(*f.optConvention[i]);
            f.optConvention[i]->setEnabled(enable);
        }
        if (enable) f.optConvention[0]->setChecked(true);
        assets::untickOption(*f.optConvention[2]);
        f.optConvention[2]->setEnabled(false);
    });
}

void MidMonthOnOff(frmAsset& f, bool on) {
    trapStep(QStringLiteral("Error in MidMonthOnOff. "), ErrorLayout::ErrorNumber, [&] {
        if (on)
            f.optConvention[2]->setChecked(true);
        else
            assets::untickOption(*f.optConvention[2]);
        f.optConvention[2]->setEnabled(on);
        for (int i : {0, 1}) {
            assets::untickOption(*f.optConvention[i]);
            f.optConvention[i]->setEnabled(!on);
        }
        if (!on) f.optConvention[0]->setChecked(true);
    });
}

QString ShowMethod(const QString& method, std::int16_t life) { return assets::showMethod(method, life); }

QString GetNextVehicleNum(frmAsset& f) {
    QString result = QStringLiteral("0");
    trapStep(QStringLiteral("Error in GetNextVehicleNum "), ErrorLayout::Blank, [&] {
        result = QString::number(engine::Auto().GetNextVehicleNum(DetermineYear(f), glngCompanyId));
    });
    return result;
}

bool Misc4562OK(std::int16_t year, std::int32_t companyId) {
    bool result = false;
    trapStep(QStringLiteral("Error in Misc4562OK "), ErrorLayout::Blank,
         [&] { result = engine::DeprSupport().CheckForMisc4562(year, companyId) > 0; });
    return result;
}

void Search(frmAsset& f) {
    trapStep(QStringLiteral("Error in Search. "), ErrorLayout::Source, [&] {
        if (f.heightTwips() > frmAsset::kPanelOpensAboveTwips) f.setHeightTwips(frmAsset::kCollapsedTwips);
        if (f.cboAssets->listIndex() >= 0) GetAssetData(f, f.cboAssets->selectedData(), glngCompanyId);
        if (!f.txtAssetID->text().isEmpty())
            GetAssetData(f, vb::CLng(assets::val(f.txtAssetID->text())), glngCompanyId);
    });
}

void DoCancel(frmAsset& f, std::int32_t assetNumber) {
    trapStep(QStringLiteral("Error in DoCancel. "), ErrorLayout::Source, [&] {
        if (gblnEditAsset)
            GetAssetData(f, assetNumber, glngCompanyId);
        else
            NewAsset(f);
    });
}

}  // namespace tally::desk::Depr
