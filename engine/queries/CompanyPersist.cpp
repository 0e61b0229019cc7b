#include "CompanyPersist.h"

#include <string>

#include "ComError.h"
#include "Conversions.h"
#include "QuerySupport.h"
#include "Variant.h"
#include "modDatabase.h"

namespace tally::engine {

using queries::openQuery;
using std::to_string;

namespace {
constexpr const char* kClass = "CompanyPersist";

// A date text of the year as the user's short-date form writes it ("01/01/2005" -> "1/1/2005").
std::string shortDate(const std::string& monthDay, std::int16_t year) {
    return vb::Variant(vb::CDate(monthDay + to_string(year))).toString();
}
}  // namespace

CompanyPersist::CompanyPersist() {
    modDatabase::Main();
}

ado::RecordsetPtr CompanyPersist::GetCompanyMaintData() {
    return withTags(kClass, "GetCompanyMaintData", [&] {
        return openQuery(
            "select [Company Name], Owner, [Address         ], "
            " [Address 2] , City, [State  ], [Zip Code ], [Tax Id]"
            ", id  from tblcompany order by [Company Name]");
    });
}

ado::RecordsetPtr CompanyPersist::GetCompanyList() {
    return withTags(kClass, "GetCompanyList",
                    [&] { return openQuery("select [Company Name], id from tblcompany order by [Company Name] "); });
}

ado::RecordsetPtr CompanyPersist::GetAssetList(std::int32_t Company_Id, std::int16_t intYear) {
    return withTags(kClass, "GetAssetList", [&] {
        std::string sql = " select Asset_name, Asset_num from tblAssets where Company_Id = " + to_string(Company_Id);
        if (intYear > 0) {
            sql += " and In_Service_date between #" + shortDate("01/01/", intYear) + "# and #" +
                   shortDate("12/31/", intYear) + "#";
        }
        sql += " order by Asset_name";
        return openQuery(sql);
    });
}

}  // namespace tally::engine
