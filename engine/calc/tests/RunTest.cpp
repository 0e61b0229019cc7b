// What every run shares: the asset's rows are replaced as a whole, a failed run leaves the rows it found and
// raises the error tagged with the operation, amounts are stored as their 15-digit text, and the gain or loss.

#include <functional>

#include "CalcDeprFixture.h"
#include "ComError.h"
#include "Connection.h"
#include "modDatabase.h"

namespace tally::engine::testing {
namespace {

using vb::Date;

const AssetCase kFiveYear{.name = "FiveYear",
                          .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1),
                          .expected = Schedule(2003).years({2000, 3200, 1920, 1152, 1152, 576}).rows()};

class RunTest : public CalcDeprTest {};

TEST_F(RunTest, DoZeroListedLeavesOneEmptyRowInTheInServiceYear) {
    const std::int32_t asset = addAsset();
    ASSERT_TRUE(run(kFiveYear, asset));
    EXPECT_TRUE(calc_.DoZeroListed(kCompany, asset, Date(2004, 3, 1)));
    EXPECT_EQ(rowsOf(asset), (std::vector<DeprRow>{{2004, 0, 0}}));
}

TEST_F(RunTest, ARunReplacesTheAssetsRowsOnly) {
    const std::int32_t asset = addAsset();
    const std::int32_t other = addAsset();
    ASSERT_TRUE(run(kFiveYear, other));
    ASSERT_TRUE(run(kFiveYear, asset));
    ASSERT_TRUE(run(kFiveYear, asset));
    EXPECT_EQ(rowsOf(asset), kFiveYear.expected);
    EXPECT_EQ(rowsOf(other), kFiveYear.expected);
}

TEST_F(RunTest, InsideTheCallersTransactionTheCallerDecides) {
    const std::int32_t asset = addAsset();
    ASSERT_TRUE(run(kFiveYear, asset));
    {
        ado::Transaction outer(modDatabase::SharedConnection());
        EXPECT_TRUE(calc_.DoZeroListed(kCompany, asset, Date(2004, 3, 1)));
    }  // rolled back
    EXPECT_EQ(rowsOf(asset), kFiveYear.expected);
}

TEST_F(RunTest, AmountsAreStoredAsTheirFifteenDigitText) {
    const std::int32_t asset = addAsset();
    // 0.03636 x 275,000 is 9999.000000000002 as a double; 0.01667 x 275,000 is 4584.25.
    ASSERT_TRUE(calc_.DoDepr(275000, 28, 3, kCompany, asset, Date(2003, 7, 1), vb::notSoldDate(), "Macrs27", 0,
                             "N", 1));
    const auto depr = [&](int year) {
        return modDatabase::ExecuteQueryReturnRS("Select depr from tblDepr where asset_num = " +
                                                     std::to_string(asset) + " and [year] = " +
                                                     std::to_string(year),
                                                 modDatabase::SharedConnection())
            ->field(0L)
            .Value()
            .toDouble();
    };
    EXPECT_EQ(depr(2003), 4584.25);
    EXPECT_EQ(depr(2004), 9999.0);
}

struct FailingRun {
    const char* name;
    const char* operation;
    long number;
    std::function<bool(CalcDepr&, std::int32_t)> call;
};
void PrintTo(const FailingRun& run, std::ostream* out) { *out << run.name; }

class FailedRunTest : public CalcDeprTest, public ::testing::WithParamInterface<FailingRun> {};

TEST_P(FailedRunTest, KeepsThePreviousRowsAndRaisesTheErrorTagged) {
    const std::int32_t asset = addAsset();
    ASSERT_TRUE(run(kFiveYear, asset));
    try {
        GetParam().call(calc_, asset);
        FAIL() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.tagClass(), "CalcDepr");
        EXPECT_EQ(error.tagOperation(), GetParam().operation);
        if (GetParam().number != 0) {
            EXPECT_EQ(error.number(), GetParam().number);
        }
    }
    EXPECT_EQ(rowsOf(asset), kFiveYear.expected);
    EXPECT_EQ(gainLossOf(asset), kUntouchedGain);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailedRunTest,
    ::testing::Values(
        // Mid-month and no convention have no rate table.
        FailingRun{"MacrsMidMonthHasNoRateTable", "DoMacrsDepr", 0,
                   [](CalcDepr& calc, std::int32_t asset) {
                       return calc.DoMacrsDepr(10000, 5, 0, 1, asset, 3, Date(2003, 6, 1), Date(2005, 6, 1), "N", 0,
                                               500, 1);
                   }},
        FailingRun{"MacrsLifeWithoutRateColumn", "DoMacrsDepr", 0,
                   [](CalcDepr& calc, std::int32_t asset) {
                       return calc.DoMacrsDepr(10000, 27.5, 0, 1, asset, 1, Date(2003, 6, 1), vb::notSoldDate(),
                                               "N", 0, 0, 1);
                   }},
        FailingRun{"StraightLineWithoutLifeDividesByZero", "DoDepr", 11,
                   [](CalcDepr& calc, std::int32_t asset) {
                       return calc.DoDepr(10000, 0, 4, 1, asset, Date(2003, 6, 1), vb::notSoldDate(), "S/L", 0, "N",
                                          1);
                   }},
        // A gain beyond 32 bits overflows after the new rows were written; they are rolled back too.
        FailingRun{"GainOverflowAfterTheRows", "DoDepr", vberr::Overflow,
                   [](CalcDepr& calc, std::int32_t asset) {
                       return calc.DoDepr(1200, 5, 4, 1, asset, Date(2003, 4, 1), Date(2005, 6, 1), "S/L",
                                          2147483600, "N", 1);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunTest, DoGainLossTakesTheLargestAccumulatedAmount) {
    const std::int32_t asset = addAsset();
    const std::int32_t withoutRows = addAsset();
    ASSERT_TRUE(run(kFiveYear, asset));
    EXPECT_TRUE(calc_.DoGainLoss(asset, 10000, 2500));
    EXPECT_TRUE(calc_.DoGainLoss(withoutRows, 10000, 2500));
    EXPECT_EQ(gainLossOf(asset), 2500);
    EXPECT_EQ(gainLossOf(withoutRows), -7500);
}

TEST_F(RunTest, DoGainLossRaisesOverflowTagged) {
    const std::int32_t asset = addAsset();
    try {
        calc_.DoGainLoss(asset, -2147483000, 2147483000);
        FAIL() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), vberr::Overflow);
        EXPECT_EQ(error.tagOperation(), "DoGainLoss");
    }
    EXPECT_EQ(gainLossOf(asset), kUntouchedGain);
}

}  // namespace
}  // namespace tally::engine::testing
