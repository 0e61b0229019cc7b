#include "Auto.h"

#include <algorithm>
#include <string>

#include "ComError.h"
#include "QuerySupport.h"
#include "modDatabase.h"

namespace tally::engine {

using namespace queries;
using std::to_string;

namespace {
constexpr const char* kClass = "Auto";

// Use rows of the year whose vehicle is an asset of the company with a depreciation row in the year.
std::string usedVehiclesFrom(const std::string& year, const std::string& company) {
    return " From tblAutoUse, tblAssets, tblDepr Where tblAutoUse.year = " + year +
           " and tblAutoUse.company_Id = " + company +
           " and  vehicle_num = [Vehicle #] and tblAssets.asset_num = tblDepr.asset_num and tblDepr.year = " + year +
           " and tblAutoUse.company_Id = tblassets.company_ID ";
}

// The company's vehicles placed in service by the year that have a depreciation row in it.
std::string activeVehiclesFrom(const std::string& company, const std::string& year) {
    return " from tblAssets, tblDepr  Where Company_Id = " + company +
           " and datepart('YYYY', In_Service_date) <= " + year +
           " and vehicle_num > 0  and tblAssets.asset_num = tbldepr.asset_num and [year] = " + year;
}
}  // namespace

Auto::Auto() {
    modDatabase::Main();
}

bool Auto::AddAutoUse(const std::string& strValues, std::int32_t lngCompanyId, std::int16_t intYear,
                      std::int16_t intVehicleId) {
    return withTags(kClass, "AddAutoUse", [&] {
        // The old row goes only when the new one is in: a failed insert keeps the vehicle's earlier data.
        return inOneTransaction([&] {
            runAction("Delete * from tblAutoUse where Company_Id = " + to_string(lngCompanyId) +
                      " and [Year] = " + to_string(intYear) + " and [Vehicle #] = " + to_string(intVehicleId));
            runAction(
                "INSERT INTO tblAutoUse (Company_Id, [year], [Vehicle #],  [Business Miles], [Commuting Miles], "
                "[Personal Miles] ,[Available Personal Use off Hours], [Driver 5 percent Owner], [Another Car "
                "Available]) Values(" +
                strValues + ") ");
            return true;
        });
    });
}

ado::RecordsetPtr Auto::GetAutoUse(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetAutoUse", [&] {
        return openQuery(
            "SELECT [Vehicle #], [Business Miles], [Commuting Miles], [Personal Miles], [Available "
            "Personal Use off Hours], [Driver 5 percent Owner], [Another Car Available] " +
            usedVehiclesFrom(to_string(intYear), to_string(lngCompanyId)) +
            "ORDER BY bussiness_percent desc , [Vehicle #]");
    });
}

std::int32_t Auto::GetNextVehicleNum(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetNextVehicleNum", [&] {
        // A deleted vehicle's use rows stay under its number, so a number is new only when it is past those too:
        // a new vehicle must not take over another's miles.
        const std::string company = to_string(lngCompanyId);
        const std::int32_t highest =
            std::max(readNumber("SELECT max(Vehicle_num) From tblAssets Where company_Id = " + company),
                     readNumber("SELECT max([Vehicle #]) From tblAutoUse Where Company_Id = " + company));
        if (highest == INT32_MAX) raiseVbError(vberr::Overflow, kClass);
        return highest + 1;
    });
}

ado::RecordsetPtr Auto::GetVehicleDescription(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetVehicleDescription", [&] {
        return openQuery("Select Asset_name, vehicle_num" +
                         activeVehiclesFrom(to_string(lngCompanyId), to_string(intYear)) +
                         " order by bussiness_percent desc, vehicle_num ");
    });
}

bool Auto::AddAutoQst(const std::string& strValues) {
    return withTags(kClass, "AddAutoQst", [&] {
        runAction(
            "INSERT INTO tblAutoQuestions (Company_Id, [year],  [No Personal Use], [Commuting Allowed], [All "
            "Personal Use] ,[More 5 Cars & keep Track], [Meet Requirements] ) Values(" +
            strValues + ") ");
        return true;
    });
}

std::int32_t Auto::CheckAutoUse(std::int32_t lngCompanyId, std::int16_t intYear, std::int16_t intVehicleNum) {
    return withTags(kClass, "CheckAutoUse", [&] {
        if (intVehicleNum > 0) {
            return readNumber("SELECT count(*) from tblAutoUse  Where Company_Id = " + to_string(lngCompanyId) +
                              " and [Year] = " + to_string(intYear) + " and [vehicle #] = " + to_string(intVehicleNum));
        }
        return readNumber("SELECT count(* )" + usedVehiclesFrom(to_string(intYear), to_string(lngCompanyId)));
    });
}

ado::RecordsetPtr Auto::GetAutoQst(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetAutoQst", [&] {
        return openQuery(
            "SELECT  [No Personal Use], [Commuting Allowed], [All Personal Use] ,[More 5 Cars & keep "
            "Track], [Meet Requirements] From tblAutoQuestions Where year = " +
            to_string(intYear) + " and company_Id = " + to_string(lngCompanyId));
    });
}

void Auto::DeleteVehicle(std::int16_t intYear, std::int32_t lngCompanyId, std::int32_t lngVehicleID) {
    withTags(kClass, "DeleteVehicle", [&] {
        runAction("Delete * from tblAutoUse Where year = " + to_string(intYear) +
                  " and company_Id = " + to_string(lngCompanyId) + " And [Vehicle #] = " + to_string(lngVehicleID));
    });
}

void Auto::DeleteAutoQst(std::int16_t intYear, std::int32_t lngCompanyId) {
    withTags(kClass, "DeleteAutoQst", [&] {
        runAction("Delete * from tblAutoQuestions Where year = " + to_string(intYear) +
                  " and company_Id = " + to_string(lngCompanyId));
    });
}

ado::RecordsetPtr Auto::GetAutoUseReport(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetAutoUseReport", [&] {
        const std::string year = to_string(intYear);
        inOneTransaction([&] {
            runAction("Delete * from tblAutoUseReport ");
            runAction(
                "INSERT INTO tblAutoUseReport ( Description, [Vehicle #], Company_Id, Business_Percent )SELECT "
                "tblAssets.Asset_name, tblAssets.vehicle_num, tblAssets.Company_Id, tblAssets.bussiness_percent "
                "FROM tblAssets INNER JOIN tblDepr ON tblAssets.Asset_num = tblDepr.asset_num Where "
                "(((tblAssets.vehicle_num) > 0) And ((tblAssets.Company_Id) = " +
                to_string(lngCompanyId) + ") And ((tblDepr.Year) = " + year + "))");
            runAction(
                "UPDATE tblAutoUse INNER JOIN tblAutoUseReport ON (tblAutoUse.Company_Id = "
                "tblAutoUseReport.Company_Id) AND (tblAutoUse.[Vehicle #] = tblAutoUseReport.[Vehicle #]) SET "
                "tblAutoUseReport.[Business Miles] = [tblAutoUse].[Business Miles], "
                "tblAutoUseReport.[Commuting Miles] = [tblAutoUse].[Commuting Miles], "
                "tblAutoUseReport.[Personal Miles] = [tblAutoUse].[Personal Miles], "
                "tblAutoUseReport.[Available Personal] = [tblAutoUse].[Available Personal Use off Hours], "
                "tblAutoUseReport.[5 % Owner] = [tblAutoUse].[Driver 5 percent Owner], "
                "tblAutoUseReport.[Another Car] = [tblAutoUse].[Another Car Available], "
                "tblAutoUseReport.Display_Data = Yes WHERE (((tblAutoUse.Year)= " +
                year + "))");
        });
        return openQuery("Select * from tblAutoUseReport ORDER BY business_percent desc , [Vehicle #] ");
    });
}

std::int32_t Auto::ActiveAutos(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "ActiveAutos", [&] {
        return readNumber("SELECT count(* )" + activeVehiclesFrom(to_string(lngCompanyId), to_string(intYear)));
    });
}

}  // namespace tally::engine
