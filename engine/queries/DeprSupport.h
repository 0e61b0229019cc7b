#pragma once
// Class DeprSupport: asset records, section 179 storage, the list reports, and the lookups and totals of the
// asset form, table maintenance and the Form 4562 writer. Holds no state between calls; every method raises its
// errors tagged "DeprSupport" and its own name.

#include <cstdint>
#include <string>

#include "Recordset.h"

namespace tally::engine {

class DeprSupport {
public:
    DeprSupport();

    // Inserts one asset from an SQL value list of the twenty asset columns; returns the new asset number.
    std::int32_t AddAsset(const std::string& strValues);
    // Stores the section 179 carry-over of a company and year (insert when the year has no row, else update).
    bool Save179(std::int32_t lng179Amt, std::int16_t intYear, std::int32_t lngCompanyId);
    ado::RecordsetPtr GetDeprSchedule(std::int32_t lngAsset_Num);
    ado::RecordsetPtr GetAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear);
    ado::RecordsetPtr Get179WrkSheet(std::int32_t lngCompanyId, std::int16_t intYear);
    ado::RecordsetPtr GetClassMaint();
    ado::RecordsetPtr GetMethods();
    ado::RecordsetPtr Get179forMaint();
    // intYear below 1: every year of the company, by year; otherwise only that year's rows.
    ado::RecordsetPtr GetMisc4562DataForMaint(std::int32_t lngCompanyId, std::int16_t intYear);
    ado::RecordsetPtr MaxAutoMaint();
    ado::RecordsetPtr Get179Limits(std::int16_t intYear);
    // Always one row: "cost" and an unnamed second column (the 179 sum), both Null when nothing qualifies.
    ado::RecordsetPtr Get179andCostTotal(std::int32_t lngCompanyId, std::int16_t intYear);
    std::int32_t GetTotalAssetCost(std::int32_t lngID, std::int16_t intYear);
    std::int32_t Get4QtrAssetCost(std::int32_t lngID, std::int16_t intYear);
    std::int32_t Get179CarryOver(std::int32_t lngID, std::int16_t intYear);
    std::int32_t Get179IncomeLimit(std::int32_t lngID, std::int16_t intYear);
    // strType is a method name; it is passed to the database as a quoted literal.
    ado::RecordsetPtr GetLives(const std::string& strType);
    // Column 0 (unnamed): description, 50 blanks, life, "-", vehicle type, "\", amortization code (Null when a
    // part is Null); column 1: "Id".
    ado::RecordsetPtr GetTypes(std::int32_t lngType);
    ado::RecordsetPtr GetAsset(std::int32_t lngAssetId, std::int32_t lngCompanyId);
    ado::RecordsetPtr GetDetailDepr(std::int32_t lngCompanyId, std::int16_t intYear);
    // Number of Form 4562 data rows of the year (year first).
    std::int32_t CheckForMisc4562(std::int16_t intYear, std::int32_t lngCompanyId);
    ado::RecordsetPtr GetNewAssets(std::int32_t lngCompanyId, std::int16_t intYear);
    // Number of assets of any company that use the class.
    std::int32_t CheckClassId(std::int32_t lngDepr_Class_Id);
    ado::RecordsetPtr GetDisposedAssets(std::int32_t lngCompanyId, std::int16_t intYear);
    ado::RecordsetPtr GetPropertTax(std::int32_t intCompanyID, std::int16_t intYear);
    ado::RecordsetPtr GetNewAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear);
};

}  // namespace tally::engine
