#pragma once
// The asset procedures of the asset window: derived fields, lists and lookups, initialisation and reset, loading,
// validation, saving, deleting and the section 179 panel. Each works on the one asset window it is given and traps
// its own errors with its own box, as the window's handlers expect.

#include <cstdint>
#include <optional>

#include <QString>

#include "VbDate.h"

namespace tally::desk {

class frmAsset;

namespace Depr {

// Derived fields.
double GetBuisnessPecent(frmAsset& f);
double DetermineLife(frmAsset& f);
double DetermineAmortizeCode(frmAsset& f);
QString DetermineAutoType(frmAsset& f);
std::int16_t DetermineConvention(frmAsset& f);
vb::Date DetermineSoldDate(frmAsset& f);
// The year of the in-service date; none when the box holds no month and year, which it then marks invalid (the
// caption red, "Invalid date" on the status line) instead of showing an error box.
std::optional<std::int16_t> InServiceYear(frmAsset& f);
void CalculateCostBasis(frmAsset& f);
void CalculateAllowance(frmAsset& f, double rate);  // no trap of its own
std::int32_t CheckMaxAutoRates(const QString& autoType, std::int16_t year, std::int16_t allowanceCode);
// The recompute step of the amount fields: the ticked box's allowance, then the cost basis.
void Recompute(frmAsset& f);

// Lists and lookups.
void GetAssetList(frmAsset& f, std::int32_t companyId, std::int16_t year);
void AddNewAssetToCboBox(frmAsset& f, std::int32_t assetNumber);
void RemoveAssetFromCboBox(frmAsset& f, std::int32_t assetNumber);
void PopulateMethodCbo(frmAsset& f);
void PopulateLifeCbo(frmAsset& f, const QString& method);
void PopulateTypeCbo(frmAsset& f, std::int32_t methodId);
void ConventionOnOff(frmAsset& f, bool enable);
void MidMonthOnOff(frmAsset& f, bool on);
QString ShowMethod(const QString& method, std::int16_t life);
QString GetNextVehicleNum(frmAsset& f);
bool Misc4562OK(std::int16_t year, std::int32_t companyId);
void Search(frmAsset& f);
void DoCancel(frmAsset& f, std::int32_t assetNumber);

// Initialisation and reset.
void ItializeAssetForm(frmAsset& f);
void NewAsset(frmAsset& f);
QString proposedInServiceDate();

// Loading, validation, saving, deleting.
void GetAssetData(frmAsset& f, std::int32_t assetNumber, std::int32_t companyId);
void ValidateAsset(frmAsset& f, bool bCheck179);
bool AddorUpdate(frmAsset& f, bool bCheck179);
// True when the asset and its schedule rows are gone.
bool DeleteAsset(frmAsset& f, std::int32_t assetNumber, std::int32_t companyId);

// Section 179 panel.
std::int16_t DetermineYear(frmAsset& f);
// Whether DetermineYear has a year to give: the year box holds text, or else the in-service date is valid (an
// invalid one is marked as InServiceYear does).
bool PanelYearKnown(frmAsset& f);
void Do179Deduction(frmAsset& f);
void Get179RateLimits(frmAsset& f, std::int16_t year);
void Get179andAssetTotal(frmAsset& f, std::int32_t companyId, std::int16_t year);
std::int32_t Get179CarryOver(frmAsset& f, std::int32_t companyId, std::int32_t year);
std::int32_t Get179LimitForIncome(frmAsset& f, std::int32_t companyId, std::int16_t year);
void Check179Totals(frmAsset& f);
bool CheckUpdated179Totals(frmAsset& f);

}  // namespace Depr
}  // namespace tally::desk
