#include "CalcDeprFixture.h"

#include "Conversions.h"
#include "modDatabase.h"

namespace tally::engine::testing {

void PrintTo(const DeprRow& row, std::ostream* out) {
    *out << "{" << row.year << ": " << row.depr << ", accum " << vb::NumberText(row.accum) << "}";
}

Schedule& Schedule::years(std::initializer_list<long> amounts) {
    for (long amount : amounts) {
        accum_ += amount;
        rows_.push_back({nextYear_++, amount, accum_});
    }
    return *this;
}

Schedule& Schedule::repeat(long amount, int count) {
    for (int i = 0; i < count; ++i) years({amount});
    return *this;
}

std::int32_t CalcDeprTest::addAsset(double gainLoss) {
    exec("Insert into tblAssets (Company_Id, Asset_name, Cost, In_Service_date, sold_date, gain_loss) "
         "Values(1, 'Test asset', 0, #1/1/2003#, #1/1/1900#, " + vb::NumberText(gainLoss) + ")");
    return modDatabase::ReturnDbData("Select max(Asset_num) from tblAssets");
}

std::vector<DeprRow> CalcDeprTest::rowsOf(std::int32_t asset) const {
    const auto rows = modDatabase::ExecuteQueryReturnRS(
        "Select [year], depr, accum_depr, client_num from tblDepr where asset_num = " + std::to_string(asset) +
            " order by [year]",
        modDatabase::SharedConnection());
    std::vector<DeprRow> result;
    for (; !rows->EOF_(); rows->MoveNext()) {
        EXPECT_EQ((*rows)[3].toLong(), kCompany);
        result.push_back({(*rows)[0].toInt(), static_cast<long>(vb::Round((*rows)[1].toDouble())),
                          (*rows)[2].toDouble()});
    }
    return result;
}

double CalcDeprTest::gainLossOf(std::int32_t asset) const {
    const auto rows = modDatabase::ExecuteQueryReturnRS(
        "Select gain_loss from tblAssets where Asset_num = " + std::to_string(asset),
        modDatabase::SharedConnection());
    return (*rows)[0].toDouble();
}

}  // namespace tally::engine::testing

namespace tally::engine::testing {

void PrintTo(const AssetCase& asset, std::ostream* out) { *out << asset.name; }

bool CalcDeprTest::run(const AssetCase& asset, std::int32_t assetNumber) {
    if (asset.vehicle != "N") calc_.GetAutoMaxRates(asset.vehicle, vb::CInt(asset.limitsYear), asset.bonusCode);
    if (asset.method == "MACRS") {
        return calc_.DoMacrsDepr(asset.netCost, asset.life, asset.bonus, kCompany, assetNumber, asset.convention,
                                 asset.inService, asset.sold, asset.vehicle, asset.section179, asset.salesAmt,
                                 asset.businessShare);
    }
    return calc_.DoDepr(asset.netCost, vb::CInt(asset.life), asset.convention, kCompany, assetNumber,
                        asset.inService, asset.sold, asset.method, asset.salesAmt, asset.vehicle,
                        asset.businessShare);
}

void CalcDeprTest::expectCase(const AssetCase& asset) {
    const std::int32_t number = addAsset();
    EXPECT_TRUE(run(asset, number));
    EXPECT_EQ(rowsOf(number), asset.expected);
    EXPECT_EQ(gainLossOf(number), asset.gainLoss.value_or(kUntouchedGain));
}

}  // namespace tally::engine::testing
