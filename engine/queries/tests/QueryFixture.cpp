#include "QueryFixture.h"

#include "Conversions.h"
#include "modDatabase.h"

namespace tally::testing {

using vb::NumberText;

std::int32_t QueryTest::addCompany(const std::string& name) {
    database.exec("INSERT INTO tblCompany ([Company Name], Owner, [Tax Id]) Values('" + name + "', 'Owner of " + name +
                  "', '12-3456789')");
    return engine::modDatabase::ReturnDbData("Select max(id) from tblCompany");
}

std::int32_t QueryTest::addAsset(const AssetSpec& a) {
    const std::string values = std::to_string(a.company) + ", '" + a.name + "', " + NumberText(a.cost) + ", " +
                               NumberText(a.allowance) + ", " + NumberText(a.deduction179) + ", #" + a.inService +
                               "#, " + std::to_string(a.method) + ", " + NumberText(a.life) + ", " +
                               std::to_string(a.convention) + ", " + NumberText(a.other) + ", " +
                               NumberText(a.business) + ", #" + a.sold + "#, " + NumberText(a.soldAmount) +
                               ", 'note', " + std::to_string(a.classId) + ", 1, " + std::to_string(a.amortizeCode) +
                               ", " + std::to_string(a.vehicle) + ", '200DB', " + (a.type179 ? "True" : "False");
    return deprSupport.AddAsset(values);
}

void QueryTest::addDepr(std::int32_t company, std::int32_t assetNum, std::int16_t year, double depr, double accum) {
    database.exec("Insert into tblDepr (client_num, asset_num, [year], depr, accum_depr) Values(" +
                  std::to_string(company) + "," + std::to_string(assetNum) + "," + std::to_string(year) + "," +
                  NumberText(depr) + "," + NumberText(accum) + ")");
}

std::int32_t QueryTest::addDepreciated(const AssetSpec& asset, double depr) {
    const std::int32_t number = addAsset(asset);
    addDepr(asset.company, number, kYear, depr, depr);
    return number;
}

std::vector<std::string> columnText(const ado::RecordsetPtr& rs, const std::string& column) {
    std::vector<std::string> texts;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        const vb::Variant& value = (*rs)[column];
        texts.push_back(value.isNull() ? "<Null>" : value.toString());
    }
    return texts;
}

std::vector<double> columnNumbers(const ado::RecordsetPtr& rs, const std::string& column) {
    std::vector<double> numbers;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        const vb::Variant& value = (*rs)[column];
        numbers.push_back(value.isNull() ? -1 : value.toDouble());
    }
    return numbers;
}

}  // namespace tally::testing
