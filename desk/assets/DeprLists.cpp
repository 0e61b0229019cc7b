// Lists and lookups of the asset window: the four lists, the convention options, the method shown, the next
// vehicle number, the asset search and undo.
#include "AssetErrors.h"
#include "AssetRules.h"
#include "Auto.h"
#include "ComboRoutines.h"
#include "CompanyPersist.h"
#include "Conversions.h"
#include "DeprSupport.h"
#include "DesktopState.h"
#include "Depr.h"
#include "frmAsset.h"

namespace tally::desk::Depr {

using assets::setForeColour;

using assets::Layout;
using assets::trap;

void GetAssetList(frmAsset& f, std::int32_t companyId, std::int16_t year) {
    ado::RecordsetPtr rs;
    trap(QStringLiteral("Error in GetAssetList "), Layout::Blank,
         [&] { rs = engine::CompanyPersist().GetAssetList(companyId, year); });
    FillCboBox(rs, *f.cboAssets, true);
    f.cboAssets->setListIndex(-1);
}

void AddNewAssetToCboBox(frmAsset& f, std::int32_t assetNumber) {
    trap(QStringLiteral("Error in AddNewAssetToCboBox. "), Layout::WithSource,
         [&] { f.cboAssets->addItem(f.txtDescription->text(), assetNumber); });
}

// The entry is found by its asset number: a description may be shared or edited since the list was filled.
void RemoveAssetFromCboBox(frmAsset& f, std::int32_t assetNumber) {
    trap(QStringLiteral("Error in RemoveAssetFromCboBox. "), Layout::WithSource, [&] {
        const int index = f.cboAssets->findData(assetNumber);
        if (index >= 0) f.cboAssets->removeItem(index);
    });
}

void PopulateMethodCbo(frmAsset& f) {
    trap(QStringLiteral("Error in PopulateMethodCbo. "), Layout::WithSource, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetMethods();
        FillCboBox(rs, *f.cboMethod, true);
        f.cboMethod->setListIndex(-1);
    });
}

void PopulateLifeCbo(frmAsset& f, const QString& method) {
    trap(QStringLiteral("Error in PopulateLifeCbo. "), Layout::WithSource, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetLives(method.toStdString());
        FillCboBox(rs, *f.cboLife, false);
        f.cboLife->setListIndex(-1);
    });
}

void PopulateTypeCbo(frmAsset& f, std::int32_t methodId) {
    trap(QStringLiteral("Error in PopulateTypeCbo. "), Layout::WithSource, [&] {
        ado::RecordsetPtr rs = engine::DeprSupport().GetTypes(methodId);
        FillCboBox(rs, *f.cboClass, true);
        f.cboClass->setListIndex(-1);
    });
}

void ConventionOnOff(frmAsset& f, bool enable) {
    trap(QStringLiteral("Error in ConventionOnOff. "), Layout::WithSource, [&] {
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
    trap(QStringLiteral("Error in MidMonthOnOff. "), Layout::ErrorNumber, [&] {
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
    trap(QStringLiteral("Error in GetNextVehicleNum "), Layout::Blank, [&] {
        result = QString::number(engine::Auto().GetNextVehicleNum(DetermineYear(f), glngCompanyId));
    });
    return result;
}

bool Misc4562OK(std::int16_t year, std::int32_t companyId) {
    bool result = false;
    trap(QStringLiteral("Error in Misc4562OK "), Layout::Blank,
         [&] { result = engine::DeprSupport().CheckForMisc4562(year, companyId) > 0; });
    return result;
}

void Search(frmAsset& f) {
    trap(QStringLiteral("Error in Search. "), Layout::WithSource, [&] {
        if (f.heightTwips() > 6000) f.setHeightTwips(frmAsset::kCollapsedTwips);
        if (f.cboAssets->listIndex() >= 0) GetAssetData(f, f.cboAssets->selectedData(), glngCompanyId);
        if (!f.txtAssetID->text().isEmpty())
            GetAssetData(f, vb::CLng(assets::val(f.txtAssetID->text())), glngCompanyId);
    });
}

void DoCancel(frmAsset& f, std::int32_t assetNumber) {
    trap(QStringLiteral("Error in DoCancel. "), Layout::WithSource, [&] {
        if (gblnEditAsset)
            GetAssetData(f, assetNumber, glngCompanyId);
        else
            NewAsset(f);
    });
}

}  // namespace tally::desk::Depr
