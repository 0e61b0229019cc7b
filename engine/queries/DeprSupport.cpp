#include "DeprSupport.h"

#include <string>

#include "ComError.h"
#include "QuerySupport.h"
#include "modDatabase.h"

namespace tally::engine {

using namespace queries;
using std::to_string;

namespace {
constexpr const char* kClass = "DeprSupport";

// The columns and joins the two depreciation worksheets share, up to the year filter.
std::string workSheetUpToYear(std::int16_t intYear) {
    return "SELECT Method, Asset_name as Description, tblAssets.Asset_num as [Asset #  ], In_Service_date as "
           "[In Service], tblAssets.Cost as [Asset Cost ], bussiness_percent * 100 as [Percent], (Cost * "
           "bussiness_percent)- (tblAssets.[179_deduction]+ [Allowance 30 %] + other_deductions) as [Cost Basis],  "
           "tblConvention.Abbreviation as Conv, tblAssets.life as [Life], tblDepr.accum_depr as [Accum Depr], "
           "tblDepr.depr as [Depreciation]  FROM ((tblAssets INNER JOIN tblDeprMethods ON tblAssets.depr_method = "
           "tblDeprMethods.ID) INNER JOIN tblDepr ON tblAssets.Asset_num = tblDepr.asset_num) INNER JOIN "
           "tblConvention ON tblAssets.convention =  tblConvention.id WHERE tblDepr.year = " +
           to_string(intYear);
}

ado::RecordsetPtr workSheet(const std::string& sql) {
    return withComputedColumns(openQuery(sql), {amountColumn(5), amountColumn(6)});
}

// The sum of depreciable basis of MACRS and listed assets of a life below 26 placed in service between two days
// of the year (month/day texts) and not sold in it.
std::string assetCostSql(std::int32_t lngID, std::int16_t intYear, const char* fromDay, const char* mainSelect,
                         const char* methodTest) {
    const std::string year = to_string(intYear);
    return std::string(mainSelect) + to_string(lngID) + " And In_Service_date >= #" + fromDay + year +
           "# And In_Service_date <= #12/31/" + year + "# AND depr_method = ID AND " + methodTest +
           " and [life] < 26 and datepart('YYYY', sold_date) <> " + year;
}
}  // namespace

DeprSupport::DeprSupport() {
    modDatabase::Main();
}

std::int32_t DeprSupport::AddAsset(const std::string& strValues) {
    return withTags(kClass, "AddAsset", [&] {
        runAction(
            "INSERT INTO tblAssets (Company_Id, Asset_name, Cost,  [Allowance 30 %], 179_deduction, "
            "In_Service_date, depr_method  , life, convention, other_deductions, bussiness_percent, sold_date, "
            "sold_amt, notes, depr_class_id, life_id, amortize_code, vehicle_num, actual_method, Type_179 ) "
            "Values(" +
            strValues + ") ");
        return readNumber("Select MAX(asset_num) from tblassets ");
    });
}

bool DeprSupport::Save179(std::int32_t lng179Amt, std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "Save179", [&] {
        const std::string company = to_string(lngCompanyId), year = to_string(intYear), amount = to_string(lng179Amt);
        return inOneTransaction([&] {
            const std::int32_t rows = readNumber("SELECT count(*) from tblMisc4562Data where company_Id = " + company +
                                                 " and [Year] = " + year);
            if (rows < 1) {
                runAction("INSERT INTO tblMisc4562Data (Company_Id, [Year], [179 Carryover])  Values(" + company +
                          ", " + year + ", " + amount + ") ");
            } else {
                runAction("UPDATE tblMisc4562Data SET [179 Carryover] = " + amount + " where Company_Id = " + company +
                          " and [Year]= " + year);
            }
            return true;
        });
    });
}

ado::RecordsetPtr DeprSupport::GetDeprSchedule(std::int32_t lngAsset_Num) {
    return withTags(kClass, "GetDeprSchedule", [&] {
        return openQuery(
            "SELECT  Year as [Year      ], depr as Depreciation, accum_depr as [Accum Depr    ] from "
            "tblDepr where asset_num = " +
            to_string(lngAsset_Num) + " order by Year");
    });
}

ado::RecordsetPtr DeprSupport::GetAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetAssetWrkSheet", [&] {
        return workSheet(workSheetUpToYear(intYear) + " AND tblAssets.Company_Id= " + to_string(lngCompanyId) +
                         " order by Method, life, in_service_date");
    });
}

ado::RecordsetPtr DeprSupport::Get179WrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "Get179WrkSheet", [&] {
        const std::string year = to_string(intYear);
        return withComputedColumns(
            openQuery("SELECT  Asset_name as Description, Asset_num as [Asset #], Cost * bussiness_percent as "
                      "[Basis      ], [179_deduction] as [179 Deduction] From tblAssets Where Company_Id = " +
                      to_string(lngCompanyId) + " And DatePart('yyyy', [In_Service_date]) = " + year +
                      " And Type_179 = true and (DatePart('yyyy', sold_date) > " + year +
                      " or sold_date = #01/01/1900#) Order by Asset_name"),
            {amountColumn(2)});
    });
}

ado::RecordsetPtr DeprSupport::GetClassMaint() {
    return withTags(kClass, "GetClassMaint", [&] {
        return openQuery(
            " SELECT Method, [Description               ], [Life    ], [If Auto - Type], [Amortize #],  "
            "tblDeprClass.ID FROM tblDeprClass INNER JOIN tblDeprMethods ON  tblDeprClass.Method_ID = "
            "tblDeprMethods.ID  ORDER BY Method, Description ");
    });
}

ado::RecordsetPtr DeprSupport::GetMethods() {
    return withTags(kClass, "GetMethods", [&] {
        return withWrittenNames(openQuery("Select Method, id from tblDeprMethods  order by Method "), {{1, "id"}});
    });
}

ado::RecordsetPtr DeprSupport::Get179forMaint() {
    return withTags(kClass, "Get179forMaint", [&] {
        return openQuery(" Select [Year  ], [Maximum Amount], [Threshold Cost] , ID from tblMax179 order by year");
    });
}

ado::RecordsetPtr DeprSupport::GetMisc4562DataForMaint(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetMisc4562DataForMaint", [&] {
        std::string sql =
            " Select [Year  ], [179 Carryover], [179 Income Limit] , [Listed Claim], [Listed Evidence], "
            "[Group Assets], [168 Property], [Other Depr],  [263A Cost], [Exclude 179], ID from "
            "tblMisc4562Data where company_Id = " +
            to_string(lngCompanyId);
        sql += intYear < 1 ? std::string(" Order by [Year]") : " and [year] = " + to_string(intYear);
        return openQuery(sql);
    });
}

ado::RecordsetPtr DeprSupport::MaxAutoMaint() {
    return withTags(kClass, "MaxAutoMaint", [&] {
        return openQuery(
            " Select [Year  ], Type, [Yr 1 + 30%], [Yr 1 + 50%],[Max Year 1], [Max Year 2],[Max Year 3], "
            "[Max Year 4], ID from tblMaxAuto ORDER BY year ");
    });
}

ado::RecordsetPtr DeprSupport::Get179Limits(std::int16_t intYear) {
    return withTags(kClass, "Get179Limits", [&] {
        return openQuery(" Select [Maximum Amount], [Threshold Cost] from tblMax179  where year = " +
                         to_string(intYear));
    });
}

ado::RecordsetPtr DeprSupport::Get179andCostTotal(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "Get179andCostTotal", [&] {
        const std::string year = to_string(intYear);
        return withComputedColumns(
            openQuery(" SELECT Sum(Cost * bussiness_percent)as cost, Sum([179_deduction]) From tblAssets Where "
                      "Company_Id = " +
                      to_string(lngCompanyId) + " And DatePart('yyyy', [In_Service_date]) = " + year +
                      " And Type_179 = true and (DatePart('yyyy', sold_date) > " + year +
                      " or sold_date = #01/01/1900#) "),
            {amountColumn(0), amountColumn(1)});
    });
}

std::int32_t DeprSupport::GetTotalAssetCost(std::int32_t lngID, std::int16_t intYear) {
    return withTags(kClass, "GetTotalAssetCost", [&] {
        return readNumber(assetCostSql(lngID, intYear, "1/1/",
                                       "Select sum((cost * bussiness_percent)-([179_deduction] +  other_deductions)) "
                                       "FROM tblAssets,  tblDeprMethods where company_Id = ",
                                       "(Method = 'MACRS' OR Method = 'Listed')"));
    });
}

std::int32_t DeprSupport::Get4QtrAssetCost(std::int32_t lngID, std::int16_t intYear) {
    return withTags(kClass, "Get4QtrAssetCost", [&] {
        return readNumber(assetCostSql(lngID, intYear, "10/1/",
                                       "Select sum((cost * bussiness_percent)-([179_deduction] + other_deductions)) "
                                       "from tblAssets,  tblDeprMethods where company_Id = ",
                                       "(Method = 'MACRS'  OR Method = 'Listed')"));
    });
}

std::int32_t DeprSupport::Get179CarryOver(std::int32_t lngID, std::int16_t intYear) {
    return withTags(kClass, "Get179CarryOver", [&] {
        return readNumber("Select [179 CarryOver] from tblmisc4562Data where company_Id = " + to_string(lngID) +
                          " And Year = " + to_string(intYear));
    });
}

std::int32_t DeprSupport::Get179IncomeLimit(std::int32_t lngID, std::int16_t intYear) {
    return withTags(kClass, "Get179IncomeLimit", [&] {
        return readNumber("Select [179 Income Limit] from tblMisc4562Data where Company_Id = " + to_string(lngID) +
                          " And Year = " + to_string(intYear));
    });
}

ado::RecordsetPtr DeprSupport::GetLives(const std::string& strType) {
    return withTags(kClass, "GetLives", [&] {
        return withWrittenNames(openQuery("select life from tbllives  where type = " + textLiteral(strType) + " order by life"),
                                {{0, "life"}});
    });
}

ado::RecordsetPtr DeprSupport::GetTypes(std::int32_t lngType) {
    return withTags(kClass, "GetTypes", [&] {
        return withWrittenNames(
            withComputedColumns(
                openQuery("SELECT tblDeprClass.Description + '" + std::string(50, ' ') +
                          "' + [Life] + '-' + [If Auto - Type] +'\\' + [Amortize #], tblDeprClass.Id FROM "
                          "tblDeprClass INNER JOIN tblDeprMethods ON tblDeprClass.Method_ID  = tblDeprMethods.ID "
                          "Where tblDeprClass.Method_ID = " +
                          to_string(lngType) + " ORDER BY tblDeprClass.Description"),
                {textColumn(0, 255)}),
            {{1, "Id"}});
    });
}

ado::RecordsetPtr DeprSupport::GetAsset(std::int32_t lngAssetId, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetAsset", [&] {
        return withWrittenNames(
            openQuery("SELECT Asset_num, Asset_name, Cost, [Allowance 30 %], In_Service_date, bussiness_percent, "
                      "[179_deduction],  convention, life_id, depr_class_id, method, sold_date, sold_amt, gain_loss, "
                      "other_deductions, notes, Type_179,  depr_class_ID, life, vehicle_num, amortize_code, "
                      "actual_method  From tblAssets, tbldeprmethods Where Asset_num = " +
                      to_string(lngAssetId) + " and company_Id = " + to_string(lngCompanyId) +
                      " And tblAssets.depr_method = tbldeprmethods.ID"),
            {{10, "method"}});
    });
}

ado::RecordsetPtr DeprSupport::GetDetailDepr(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetDetailDepr", [&] {
        const std::string year = to_string(intYear);
        return withComputedColumns(
            openQuery(" SELECT Asset_name as Description, tblDeprmethods.method as Type, In_Service_date as  [In "
                      "Service],    tblAssets.Life as [Life], Abbreviation as Convention,  tblLives.Method, (cost * "
                      "bussiness_percent) AS [Basis      ], tblDepr.depr as Depreciation FROM tblAssets, "
                      "tblDeprMethods, tblDepr, tblconvention, tblLives WHERE  tblDeprMethods.ID = "
                      "tblAssets.depr_method and  tblAssets.Company_Id = tblDepr.Client_num AND  tblAssets.Asset_num = "
                      "tblDepr.asset_num  and (tblDeprMethods.Method ='ADS'or tblDeprMethods.Method ='MACRS')  AND "
                      "tblAssets.Company_Id= " +
                      to_string(lngCompanyId) + " AND tblDepr.year= " + year +
                      " AND datepart('yyyy', in_service_date)= " + year +
                      " and tblAssets.life = 50 and convention = tblconvention.id  and tblLives.Type = "
                      "tblDeprMethods.Method  AND tblAssets.life = tblLives.Life order by tblDeprmethods.method"),
            {amountColumn(6)});
    });
}

std::int32_t DeprSupport::CheckForMisc4562(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "CheckForMisc4562", [&] {
        return readNumber("SELECT count(*) FROM tblMisc4562Data WHERE year = " + to_string(intYear) +
                          " and Company_Id = " + to_string(lngCompanyId));
    });
}

ado::RecordsetPtr DeprSupport::GetNewAssets(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetNewAssets", [&] {
        const std::string year = to_string(intYear);
        return withWrittenNames(
            withComputedColumns(
                openQuery(
                    "SELECT Asset_name as Description, Asset_num as [Asset #   ], In_Service_date as [In Service  ], "
                    "  Method, [Life], bussiness_percent * 100 as [Percent], Cost as [Asset Cost ], [Allowance 30 "
                    "%]as Allowances ,[179_deduction] as [179 Ded ],other_deductions as [Other Ded] FROM tblAssets, "
                    "tblDeprMethods WHERE depr_method = tblDeprMethods.id  and Company_Id = " +
                    to_string(lngCompanyId) + " and datepart('yyyy', in_service_date) = " + year +
                    " and datepart('yyyy', sold_date) <> " + year + " Order By method, life"),
                {amountColumn(5)}),
            {{4, "Life"}});
    });
}

std::int32_t DeprSupport::CheckClassId(std::int32_t lngDepr_Class_Id) {
    return withTags(kClass, "CheckClassId", [&] {
        return readNumber("SELECT count(*) FROM tblAssets WHERE DEPR_class_id = " + to_string(lngDepr_Class_Id));
    });
}

ado::RecordsetPtr DeprSupport::GetDisposedAssets(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetDisposedAssets", [&] {
        return withComputedColumns(
            openQuery(" SELECT Asset_name as Description, Asset_num as [Asset #   ], In_Service_date as [In Service  "
                      "], sold_date as [Sold Date],  Cost* bussiness_percent as [Basis    ], sold_amt as [Sold Amt] ,  "
                      "gain_Loss as [Gain/Loss] From tblAssets WHERE datepart('yyyy',sold_date) = " +
                      to_string(intYear) + " And Company_Id = " + to_string(lngCompanyId) + " order by sold_date"),
            {amountColumn(4)});
    });
}

ado::RecordsetPtr DeprSupport::GetPropertTax(std::int32_t intCompanyID, std::int16_t intYear) {
    return withTags(kClass, "GetPropertTax", [&] {
        const std::string year = to_string(intYear);
        return openQuery(
            " SELECT tblDeprClass.Description as Category, tblAssets.In_Service_date as [In Service  ], "
            "tblAssets.Asset_num as [Asset ID  ], tblAssets.Asset_name as [Description" +
            std::string(26, ' ') +
            "], tblAssets.Cost as [Asset Cost] FROM tblAssets LEFT JOIN tblDeprClass ON "
            "tblAssets.depr_class_Id = tblDeprClass.ID  Where tblAssets.In_Service_date <= #12/31/" +
            year + "# And tblAssets.Company_Id = " + to_string(intCompanyID) +
            " and (datepart('yyyy',sold_date) = 1900 or datepart('yyyy',sold_date) > " + year +
            ") ORDER BY tblDeprClass.Description, tblAssets.In_Service_date");
    });
}

ado::RecordsetPtr DeprSupport::GetNewAssetWrkSheet(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetNewAssetWrkSheet", [&] {
        return workSheet(workSheetUpToYear(intYear) + " And DatePart('YYYY', in_service_date) = " + to_string(intYear) +
                         " AND tblAssets.Company_Id= " + to_string(lngCompanyId) + " order by Method, life");
    });
}

}  // namespace tally::engine
