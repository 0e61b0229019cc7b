#include "Tallyform.h"

#include <string>

#include "ComError.h"
#include "QuerySupport.h"
#include "modDatabase.h"

namespace tally::engine {

using namespace queries;
using std::to_string;

namespace {
constexpr const char* kClass = "Tallyform";

// The form places this many detail rows; more qualifying assets give total rows instead.
constexpr std::int32_t kListedLines = 3;
constexpr std::int32_t kAmortizedLines = 2;
constexpr std::int32_t k179Lines = 2;

// The first column of a total row, the marker text the writer recognises.
ComputedColumn markerColumn(const char* marker) {
    return textColumn(0, static_cast<long>(std::char_traits<char>::length(marker)));
}

// The comparison of the business share with one half: only the two the form asks for go into a statement.
const std::string& businessUseComparison(const std::string& strUse) {
    if (strUse != ">" && strUse != "<=") {
        throw ComError(vberr::InvalidProcedureCall, kClass,
                       "Invalid procedure call or argument: business use comparison '" + strUse + "'");
    }
    return strUse;
}

// The detail rows of listed property: assets placed in service in the year (with their 179 deduction), then
// earlier ones (179 deduction 0). The asset number, carried in an extra inner column, settles ties of business
// share and vehicle number so the same data always fills the same form lines.
std::string listedDetailsSql(const std::string& company, const std::string& year, const std::string& use) {
    const std::string condition = " and ((tblDeprMethods.Method)='Listed') AND ((tblAssets.Company_Id)= " + company +
                                  ") AND ((tblDepr.year)= " + year + ") AND bussiness_percent " + use +
                                  " .5 and datepart('yyyy', in_Service_date) ";
    return "SELECT Asset_name, In_Service_date, Bpercent, Cost, Basis, life, depr, [179_deduction], Method, "
           "abbreviation, Company_Id, year, vehicle_num, bussiness_percent FROM ("
           " SELECT tblAssets.Asset_name, tblAssets.In_Service_date, (bussiness_percent * 100)as Bpercent  , "
           "tblAssets.Cost, ([cost]*[bussiness_percent]) AS Basis, tblAssets.life, tblDepr.depr, "
           "tblAssets.[179_deduction], '200DB ' as Method, abbreviation , tblAssets.Company_Id, tblDepr.year, "
           "vehicle_num, bussiness_percent, tblAssets.Asset_num as listed_asset_num  FROM tblAssets, tblDeprMethods, "
           "tblDepr, tblConvention WHERE tblDeprMethods.ID = tblAssets.depr_method and (tblAssets.Company_Id = "
           "tblDepr.Client_num) AND (tblAssets.Asset_num = tblDepr.asset_num) and convention = tblConvention.Id " +
           condition + "= " + year +
           " Union all SELECT tblAssets.Asset_name, tblAssets.In_Service_date, (bussiness_percent * 100)as Bpercent  "
           ", tblAssets.Cost, ([cost]*[bussiness_percent]) AS Basis, tblAssets.life, tblDepr.depr, 0 as "
           "[179_deduction], '200DB ' as Method, abbreviation , tblAssets.Company_Id, tblDepr.year, vehicle_num, "
           "bussiness_percent, tblAssets.Asset_num as listed_asset_num  FROM tblAssets, tblDeprMethods, tblDepr, "
           "tblConvention WHERE tblDeprMethods.ID = tblAssets.depr_method   and (tblAssets.Company_Id = "
           "tblDepr.Client_num) AND (tblAssets.Asset_num = tblDepr.asset_num) and convention = tblConvention.Id " +
           condition + "< " + year + ") order by bussiness_percent desc , vehicle_num , listed_asset_num ";
}

std::string listedTotalsSql(const std::string& company, const std::string& year, const std::string& use) {
    const std::string fromAndWhere =
        " FROM (tblDeprMethods INNER JOIN tblAssets ON  tblDeprMethods.ID = tblAssets.depr_method) INNER JOIN "
        "tblDepr  ON (tblAssets.Company_Id = tblDepr.Client_num) AND  (tblAssets.Asset_num = tblDepr.asset_num) "
        "WHERE  (((tblDeprMethods.Method)='Listed') AND ((tblAssets.Company_Id)= " +
        company + ") AND ((tblDepr.year)= " + year + ")) AND bussiness_percent " + use +
        " .5 and datepart('yyyy', in_Service_date) ";
    return "SELECT '" + std::string(kTotalListed) +
           "' as Asset_name, Sum( tblAssets.Cost) as Cost, sum([cost]*[bussiness_percent]) AS "
           "Basis, sum(tblDepr.depr) as Depr, sum(tblAssets.[179_deduction]) as 179_deduction " +
           fromAndWhere + "= " + year + " UNION all SELECT '" + kTotalListed +
           "' as Asset_name, Sum( tblAssets.Cost) as Cost, "
           "sum([cost]*[bussiness_percent]) AS Basis, sum(tblDepr.depr) as Depr, sum(0) as 179_deduction " +
           fromAndWhere + "< " + year;
}

// The depreciation sum over assets joined with their method, up to the conditions each caller adds.
constexpr const char* kDeprOfMethodsWhere =
    "SELECT sum(depr) FROM tblDeprMethods INNER JOIN (tblAssets INNER JOIN tblDepr ON tblAssets.Asset_num =  "
    "tblDepr.asset_num) ON tblDeprMethods.ID = tblAssets.depr_method WHERE ";

// MACRS assets of the company placed in service in the year and not sold by its end.
std::string macrs179Filter(const std::string& company, const std::string& year) {
    return " From tblAssets, tbldeprMethods Where Company_Id = " + company +
           " And DatePart('yyyy', [In_Service_date]) = " + year +
           " And depr_method = ID And Method = 'MACRS' and (sold_date = #1/1/1900# or DatePart('yyyy', [sold_date]) "
           "> " +
           year;
}
}  // namespace

Tallyform::Tallyform() {
    modDatabase::Main();
}

ado::RecordsetPtr Tallyform::GetListedDepr(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strUse) {
    return withTags(kClass, "GetListedDepr", [&] {
        const std::string& use = businessUseComparison(strUse);
        const std::string company = to_string(lngCompanyId), year = to_string(intYear);
        const std::int32_t count = readNumber(
            "SELECT Count(*)From tblAssets, tblDeprMethods, tbldepr Where depr_method = tblDeprMethods.iD And "
            "Company_Id = " +
            company + " AND Method='Listed' AND(cost-[Allowance 30 %] + other_deductions > 0) AND bussiness_percent " +
            use + " 0.5 AND tblAssets.Asset_num  = tbldepr.asset_num AND tbldepr.year= " + year);
        if (count > kListedLines) {
            return withComputedColumns(
                openQuery(listedTotalsSql(company, year, use)),
                {markerColumn(kTotalListed), amountColumn(1), amountColumn(2), amountColumn(3), amountColumn(4)});
        }
        return withComputedColumns(openQuery(listedDetailsSql(company, year, use)),
                                   {amountColumn(2), amountColumn(4), amountColumn(7), textColumn(8, 6)});
    });
}

ado::RecordsetPtr Tallyform::GetAmortized(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetAmortized", [&] {
        const std::string company = to_string(lngCompanyId), year = to_string(intYear);
        const std::int32_t count = readNumber(
            "SELECT count(*) FROM tblAssets, tblDeprMethods where tblAssets.depr_method = tblDeprMethods.ID and  "
            "((tblAssets.Company_Id)= " +
            company +
            ") AND ((tblDeprMethods.Method)='Amortize') and (sold_date = # 01/01/1900# or "
            "DatePart('yyyy',sold_date) = " +
            year +
            ") and cost - ( [Allowance 30 %] + other_deductions ) > 0 AND DatePart('yyyy',in_service_date)= " + year);
        if (count > kAmortizedLines) {
            return withComputedColumns(
                openQuery(
                    "SELECT '" + std::string(kTotalAmortized) +
                    "' as Asset_name, sum (cost * bussiness_percent) AS Basis,  sum( "
                    "tblDepr.depr)as Depr FROM tblAssets, tblDeprMethods, tblDepr WHERE tblDeprMethods.ID =  "
                    "tblAssets.depr_method and tblAssets.Company_Id =  tblDepr.Client_num AND tblAssets.Asset_num "
                    "=  tblDepr.asset_num  and tblDeprMethods.Method='Amortize' AND tblAssets.Company_Id= " +
                    company + " AND tblDepr.year = " + year +
                    " AND datepart('yyyy', tblAssets.in_service_date)= " + year),
                {markerColumn(kTotalAmortized), amountColumn(1), amountColumn(2)});
        }
        return withComputedColumns(
            openQuery(" SELECT Asset_name, In_Service_date,  (cost * bussiness_percent) AS Basis, amortize_code,  "
                      "tblAssets.life * 12 as periods, tblDepr.depr  FROM tblAssets, tblDeprMethods, tblDepr WHERE  "
                      "tblDeprMethods.ID = tblAssets.depr_method and  tblAssets.Company_Id = tblDepr.Client_num AND  "
                      "tblAssets.Asset_num = tblDepr.asset_num  and tblDeprMethods.Method='Amortize'  AND "
                      "tblAssets.Company_Id= " +
                      company + " AND tblDepr.year= " + year +
                      " AND datepart('yyyy', tblAssets.in_service_date)= " + year + " order by tblAssets.Asset_num"),
            {amountColumn(2), amountColumn(4)});
    });
}

std::int32_t Tallyform::GetPriorYearAmortization(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetPriorYearAmortization", [&] {
        return readNumber(
            "SELECT sum(depr) From tblDeprMethods, tblAssets, tblDepr where tblAssets.Asset_num = "
            "tblDepr.asset_num AND  tblAssets.Company_Id = tblDepr.Client_num  and  tblDeprMethods.ID = "
            "tblAssets.depr_method and  tblDeprMethods.Method = 'amortize' And  "
            "tblAssets.In_Service_date < #1/1/" +
            to_string(intYear) + "#  And tblDepr.Year = " + to_string(intYear) +
            " and Company_Id = " + to_string(lngCompanyId));
    });
}

ado::RecordsetPtr Tallyform::Get179MacrsDeduction(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "Get179MacrsDeduction", [&] {
        const std::string filter = macrs179Filter(to_string(lngCompanyId), to_string(intYear));
        const std::int32_t count = readNumber(" SELECT Count(*)" + filter + ") and [179_deduction] > 0");
        if (count > k179Lines) {
            return withComputedColumns(
                openQuery(" SELECT '" + std::string(kTotal179Assets) +
                          "' as Asset_name, Sum([179_deduction]) as [179_deduction]" + filter + ")"),
                {markerColumn(kTotal179Assets), amountColumn(1)});
        }
        // Form 4562 line 6(b) asks for the business-use cost, the amount line 2 already counts.
        return withComputedColumns(openQuery(" SELECT Asset_name, Cost * bussiness_percent as Cost, [179_deduction]" +
                                             filter + " ) and [179_deduction] > 0 order by Asset_num"),
                                   {amountColumn(1)});
    });
}

std::int32_t Tallyform::GetAllowances(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strType) {
    return withTags(kClass, "GetAllowances", [&] {
        const std::string year = to_string(intYear);
        return readNumber(
            " SELECT Sum([allowance 30 %]) + sum(other_deductions) From tblAssets, tblDeprMethods Where "
            "Company_Id = " +
            to_string(lngCompanyId) + " And DatePart('yyyy', [In_Service_date]) = " + year +
            " and (sold_date = #1/1/1900# or DatePart('yyyy', [sold_date]) > " + year +
            ")AND depr_method = ID AND  Method = " + textLiteral(strType));
    });
}

std::int32_t Tallyform::GetOtherDepr(std::int16_t intYear, std::int32_t lngCompanyId) {
    return withTags(kClass, "GetOtherDepr", [&] {
        return readNumber(std::string(kDeprOfMethodsWhere) + "tblDepr.year = " + to_string(intYear) +
                          " AND Method = 'S/L' and tblDepr.Client_num = " + to_string(lngCompanyId));
    });
}

std::int32_t Tallyform::GetMacrsPriorYears(std::int32_t lngCompanyId, std::int16_t intYear) {
    return withTags(kClass, "GetMacrsPriorYears", [&] {
        return readNumber(std::string(kDeprOfMethodsWhere) + "in_service_date < #1/1/" + to_string(intYear) +
                          "# AND (Method = 'ADS' or  Method = 'Macrs') and tblDepr.Client_num = " +
                          to_string(lngCompanyId) + " and year = " + to_string(intYear));
    });
}

ado::RecordsetPtr Tallyform::GetDeprSummary(std::int32_t lngCompanyId, std::int16_t intYear,
                                            const std::string& strType) {
    return withTags(kClass, "GetDeprSummary", [&] {
        const std::string year = to_string(intYear);
        return withComputedColumns(
            openQuery(" SELECT Sum((Cost * bussiness_percent)-([allowance 30 %]+[other_deductions] +[179_deduction])) "
                      "AS Basis, tblAssets.life, Sum(tblDepr.depr)  AS Depr, Abbreviation AS Convention, actual_Method "
                      "as method FROM  (((tblDepr INNER JOIN tblAssets ON (tblDepr.asset_num =  tblAssets.Asset_num) "
                      "AND (tblDepr.Client_num = tblAssets.Company_Id)) INNER JOIN tblConvention ON "
                      "tblAssets.convention = tblConvention.id) INNER JOIN tblDeprMethods ON tblAssets.depr_method =  "
                      "tblDeprMethods.ID) Where tblDeprMethods.Method = " +
                      textLiteral(strType) + " and datepart('yyyy', in_service_date)= " + year +
                      " And tblDepr.Client_num = " + to_string(lngCompanyId) + " And tblDepr.Year = " + year +
                      " GROUP BY tblAssets.life, Abbreviation, actual_Method  ORDER BY tblAssets.life, Abbreviation, "
                      "actual_Method"),
            {amountColumn(0), amountColumn(2)});
    });
}

ado::RecordsetPtr Tallyform::GetCompanyData(std::int32_t lngCompanyId) {
    return withTags(kClass, "GetCompanyData", [&] {
        return withWrittenNames(
            openQuery(" SELECT [Company Name], owner, [tax id] from tblcompany where id = " + to_string(lngCompanyId)),
            {{1, "owner"}, {2, "tax id"}});
    });
}

}  // namespace tally::engine
