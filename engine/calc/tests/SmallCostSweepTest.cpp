// Small net costs, where each year's rounding to whole dollars weighs most: every method and convention must end
// its schedule exactly at the net cost, never let the accumulated amount pass it and never write a negative year.

#include <sstream>
#include <string>
#include <vector>

#include "CalcDeprFixture.h"
#include "Connection.h"
#include "Conversions.h"
#include "modDatabase.h"

namespace tally::engine::testing {
namespace {

using vb::Date;

// One kind of asset of the sweep; the cost is filled in per run.
struct SweepAsset {
    std::string method;
    double life;
    std::int16_t convention;
    int month;
};

// The kinds of asset of one method, swept as one test so that the methods can run side by side.
struct SweepGroup {
    std::string name;
    std::vector<SweepAsset> assets;
};
void PrintTo(const SweepGroup& group, std::ostream* out) { *out << group.name; }

constexpr int kSweepMonths[] = {1, 4, 7, 12};

std::vector<SweepAsset> rateTableAssets() {
    std::vector<SweepAsset> assets;
    // Half-year, and mid-quarter in each quarter.
    for (double life : {3, 5, 7, 10, 15, 20}) {
        assets.push_back({"MACRS", life, 1, 6});
        for (int month : {2, 5, 8, 11}) assets.push_back({"MACRS", life, 2, month});
    }
    return assets;
}

std::vector<SweepAsset> straightLineAssets() {
    std::vector<SweepAsset> assets;
    for (int month : kSweepMonths) {
        for (double life : {3, 5, 7, 22, 39}) assets.push_back({"S/L", life, 4, month});
        for (double life : {5, 15}) assets.push_back({"Amortize", life, 4, month});
    }
    return assets;
}

std::vector<SweepAsset> adsAssets() {
    std::vector<SweepAsset> assets;
    for (int month : kSweepMonths) {
        for (std::int16_t convention : {1, 2, 3, 4}) {
            for (double life : {5, 12, 40}) assets.push_back({"ADS", life, convention, month});
        }
    }
    return assets;
}

std::vector<SweepAsset> realPropertyAssets() {
    std::vector<SweepAsset> assets;
    // The months whose closing years differ: up to June and from July.
    for (int month : {1, 6, 7, 12}) {
        assets.push_back({"Macrs27", 28, 3, month});
        assets.push_back({"Macrs31", 32, 3, month});
        assets.push_back({"Macrs39", 39, 3, month});
    }
    return assets;
}

// Every dollar up to 250, then every ninth up to 1,500: the 20-year mid-quarter columns passed their cost up to
// about 1,200.
std::vector<double> sweepCosts() {
    std::vector<double> costs;
    for (int cost = 0; cost <= 250; ++cost) costs.push_back(cost);
    for (int cost = 259; cost <= 1500; cost += 9) costs.push_back(cost);
    return costs;
}

struct StoredRow {
    int year;
    double depr;
    double accum;
};

class SmallCostSweepTest : public CalcDeprTest, public ::testing::WithParamInterface<SweepGroup> {
protected:
    std::vector<StoredRow> storedRows(std::int32_t asset) const {
        const auto rs = modDatabase::ExecuteQueryReturnRS(
            "Select [year], depr, accum_depr from tblDepr where asset_num = " + std::to_string(asset) +
                " order by [year]",
            modDatabase::SharedConnection());
        std::vector<StoredRow> rows;
        for (; !rs->EOF_(); rs->MoveNext())
            rows.push_back({(*rs)[0].toInt(), (*rs)[1].toDouble(), (*rs)[2].toDouble()});
        return rows;
    }

    // The faults of one schedule, empty when it is sound.
    static std::string faultsOf(const std::vector<StoredRow>& rows, double netCost) {
        std::ostringstream faults;
        double previous = 0;
        for (const StoredRow& row : rows) {
            if (row.depr < 0) faults << " negative year " << row.year << " (" << row.depr << ");";
            if (row.accum > netCost) faults << " accumulated " << row.accum << " in " << row.year << ";";
            if (row.accum < previous) faults << " accumulated falls in " << row.year << ";";
            previous = row.accum;
        }
        const double last = rows.empty() ? 0 : rows.back().accum;
        if (last != netCost) faults << " ends at " << last << ";";
        return faults.str();
    }
};

TEST_P(SmallCostSweepTest, EveryScheduleEndsAtItsNetCostWithoutANegativeYear) {
    const std::int32_t asset = addAsset();
    const std::vector<double> costs = sweepCosts();
    int runs = 0;
    int faulty = 0;
    // One transaction for the whole sweep, rolled back at its end: the runs then write no file.
    ado::Transaction sweep(modDatabase::SharedConnection());
    for (const SweepAsset& kind : GetParam().assets) {
        for (double cost : costs) {
            const AssetCase sweepCase{.name = kind.method, .method = kind.method, .netCost = cost,
                                      .life = kind.life, .convention = kind.convention,
                                      .inService = Date(2010, kind.month, 1), .expected = {}};
            ASSERT_TRUE(run(sweepCase, asset));
            ++runs;
            const std::string faults = faultsOf(storedRows(asset), cost);
            if (faults.empty()) continue;
            // A handful of examples tell the story; the count tells the size.
            if (++faulty <= 5) {
                ADD_FAILURE() << kind.method << " life " << kind.life << " convention " << kind.convention
                              << " month " << kind.month << " cost " << cost << ":" << faults;
            }
        }
    }
    EXPECT_EQ(faulty, 0) << "of " << runs << " schedules";
}

INSTANTIATE_TEST_SUITE_P(Methods, SmallCostSweepTest,
                         ::testing::Values(SweepGroup{"RateTables", rateTableAssets()},
                                           SweepGroup{"StraightLineAndAmortization", straightLineAssets()},
                                           SweepGroup{"Ads", adsAssets()},
                                           SweepGroup{"RealProperty", realPropertyAssets()}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tally::engine::testing
