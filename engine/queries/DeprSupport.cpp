#include "DeprSupport.h"
#include "ComError.h"
#include "modDatabase.h"

namespace tally::engine {

DeprSupport::DeprSupport() { modDatabase::Main(); }

std::int32_t DeprSupport::AddAsset(const std::string& strValues) {
    return tally::withTags("DeprSupport", "AddAsset", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

bool DeprSupport::Save179(std::int32_t lng179Amt, std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("DeprSupport", "Save179", [&]() -> bool { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetDeprSchedule(std::int32_t lngAsset_Num) {
    return tally::withTags("DeprSupport", "GetDeprSchedule", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetAssetWrkSheet", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::Get179WrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get179WrkSheet", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetClassMaint() {
    return tally::withTags("DeprSupport", "GetClassMaint", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetMethods() {
    return tally::withTags("DeprSupport", "GetMethods", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::Get179forMaint() {
    return tally::withTags("DeprSupport", "Get179forMaint", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetMisc4562DataForMaint(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetMisc4562DataForMaint", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::MaxAutoMaint() {
    return tally::withTags("DeprSupport", "MaxAutoMaint", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::Get179Limits(std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get179Limits", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::Get179andCostTotal(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get179andCostTotal", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::GetTotalAssetCost(std::int32_t lngID, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetTotalAssetCost", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::Get4QtrAssetCost(std::int32_t lngID, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get4QtrAssetCost", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::Get179CarryOver(std::int32_t lngID, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get179CarryOver", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::Get179IncomeLimit(std::int32_t lngID, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "Get179IncomeLimit", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetLives(const std::string& strType) {
    return tally::withTags("DeprSupport", "GetLives", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetTypes(std::int32_t lngType) {
    return tally::withTags("DeprSupport", "GetTypes", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetAsset(std::int32_t lngAssetId, std::int32_t lngCompanyId) {
    return tally::withTags("DeprSupport", "GetAsset", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetDetailDepr(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetDetailDepr", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::CheckForMisc4562(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("DeprSupport", "CheckForMisc4562", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetNewAssets(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetNewAssets", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

std::int32_t DeprSupport::CheckClassId(std::int32_t lngDepr_Class_Id) {
    return tally::withTags("DeprSupport", "CheckClassId", [&]() -> std::int32_t { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetDisposedAssets(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetDisposedAssets", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetPropertTax(std::int32_t intCompanyID, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetPropertTax", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

ado::RecordsetPtr DeprSupport::GetNewAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("DeprSupport", "GetNewAssetWrkSheet", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "DeprSupport", "not implemented"); });
}

}  // namespace tally::engine
