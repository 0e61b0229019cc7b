#include "Auto.h"
#include "ComError.h"
#include "modDatabase.h"

namespace tally::engine {

Auto::Auto() { modDatabase::Main(); }

bool Auto::AddAutoUse(const std::string& strValues, std::int32_t lngCompanyId, std::int16_t intYear, std::int16_t intVehicleId) {
    return tally::withTags("Auto", "AddAutoUse", [&]() -> bool { throw ComError(-2147467263, "Auto", "not implemented"); });
}

ado::RecordsetPtr Auto::GetAutoUse(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Auto", "GetAutoUse", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Auto", "not implemented"); });
}

std::int32_t Auto::GetNextVehicleNum(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Auto", "GetNextVehicleNum", [&]() -> std::int32_t { throw ComError(-2147467263, "Auto", "not implemented"); });
}

ado::RecordsetPtr Auto::GetVehicleDescription(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Auto", "GetVehicleDescription", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Auto", "not implemented"); });
}

bool Auto::AddAutoQst(const std::string& strValues) {
    return tally::withTags("Auto", "AddAutoQst", [&]() -> bool { throw ComError(-2147467263, "Auto", "not implemented"); });
}

std::int32_t Auto::CheckAutoUse(std::int32_t lngCompanyId, std::int16_t intYear, std::int16_t intVehicleNum) {
    return tally::withTags("Auto", "CheckAutoUse", [&]() -> std::int32_t { throw ComError(-2147467263, "Auto", "not implemented"); });
}

ado::RecordsetPtr Auto::GetAutoQst(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Auto", "GetAutoQst", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Auto", "not implemented"); });
}

void Auto::DeleteVehicle(std::int16_t intYear, std::int32_t lngCompanyId, std::int32_t lngVehicleID) {
    return tally::withTags("Auto", "DeleteVehicle", [&]() -> void { throw ComError(-2147467263, "Auto", "not implemented"); });
}

void Auto::DeleteAutoQst(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Auto", "DeleteAutoQst", [&]() -> void { throw ComError(-2147467263, "Auto", "not implemented"); });
}

ado::RecordsetPtr Auto::GetAutoUseReport(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Auto", "GetAutoUseReport", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Auto", "not implemented"); });
}

std::int32_t Auto::ActiveAutos(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Auto", "ActiveAutos", [&]() -> std::int32_t { throw ComError(-2147467263, "Auto", "not implemented"); });
}

}  // namespace tally::engine
