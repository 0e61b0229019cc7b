#pragma once
// Class Auto: yearly vehicle-use data, the employer questionnaire, the year's vehicles and the vehicle-use
// report's scratch table. Argument order differs between methods (year first or company first) and is part of
// the interface. Every method raises its errors tagged "Auto" and its own name.

#include <cstdint>
#include <string>

#include "Recordset.h"

namespace tally::engine {

class Auto {
public:
    Auto();

    // Replaces one vehicle's use row of a year with the nine-value SQL list strValues, in one transaction.
    bool AddAutoUse(const std::string& strValues, std::int32_t lngCompanyId, std::int16_t intYear,
                    std::int16_t intVehicleId);
    ado::RecordsetPtr GetAutoUse(std::int16_t intYear, std::int32_t lngCompanyId);
    // One past the highest vehicle number the company has among its assets and its use rows (the year is not
    // used).
    std::int32_t GetNextVehicleNum(std::int16_t intYear, std::int32_t lngCompanyId);
    ado::RecordsetPtr GetVehicleDescription(std::int32_t lngCompanyId, std::int16_t intYear);
    // Inserts a questionnaire row from the seven-value SQL list strValues.
    bool AddAutoQst(const std::string& strValues);
    // intVehicleNum above 0: that vehicle's use rows of the year; otherwise the rows GetAutoUse would return.
    std::int32_t CheckAutoUse(std::int32_t lngCompanyId, std::int16_t intYear, std::int16_t intVehicleNum);
    ado::RecordsetPtr GetAutoQst(std::int16_t intYear, std::int32_t lngCompanyId);
    void DeleteVehicle(std::int16_t intYear, std::int32_t lngCompanyId, std::int32_t lngVehicleID);
    void DeleteAutoQst(std::int16_t intYear, std::int32_t lngCompanyId);
    // Rebuilds the scratch table tblAutoUseReport for the company and year (emptying every company's rows) and
    // returns all its rows.
    ado::RecordsetPtr GetAutoUseReport(std::int16_t intYear, std::int32_t lngCompanyId);
    std::int32_t ActiveAutos(std::int32_t lngCompanyId, std::int16_t intYear);
};

}  // namespace tally::engine
