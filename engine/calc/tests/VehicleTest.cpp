// Passenger automobiles under the yearly limits of IRS Publication 946 chapter 5 (2003 passenger automobile:
// 3,060 / 4,900 / 2,950 / 1,775, with a 30 % allowance 7,660, with a 50 % allowance 10,710), business use below
// 100 %, section 179 and special allowances, and the years after the recovery period in which the unrecovered
// basis is deducted at the later-year limit.

#include <thread>

#include "AutoMaxRates.h"
#include "CalcDeprFixture.h"
#include "ComError.h"

namespace tally::engine::testing {
namespace {

using vb::Date;

class VehicleTest : public CalcDeprTest {
protected:
    void SetUp() override {
        // Limits of our own for the cases the published years do not reach.
        exec("Insert into tblMaxAuto ([Year], Type, [Yr 1 + 30%], [Yr 1 + 50%], [Max Year 1], [Max Year 2], "
             "[Max Year 3], [Max Year 4]) Values(2090, 'Gas', 0, 0, 1996, 9000, 9000, 9000)");
        exec("Insert into tblMaxAuto ([Year], Type, [Yr 1 + 30%], [Yr 1 + 50%], [Max Year 1], [Max Year 2], "
             "[Max Year 3], [Max Year 4]) Values(2091, 'Gas', 0, 0, 1995, 9000, 9000, 9000)");
        exec("Insert into tblMaxAuto ([Year], Type, [Yr 1 + 30%], [Yr 1 + 50%], [Max Year 1], [Max Year 2], "
             "[Max Year 3], [Max Year 4]) Values(2092, 'Truck/Van', 0, 0, 40000, 40000, 40000, 40000)");
    }
};

class VehicleScheduleTest : public VehicleTest, public ::testing::WithParamInterface<AssetCase> {};

TEST_P(VehicleScheduleTest, WritesEveryYearAndTheGainOrLoss) { expectCase(GetParam()); }

const AssetCase kCar{.name = "Car",
                     .netCost = 30000, .life = 5, .inService = Date(2003, 6, 1),
                     .expected = Schedule(2003)
                                     .years({3060, 4900, 2950, 1775, 1775, 1728})
                                     .repeat(1775, 7)
                                     .years({1387})
                                     .rows(),
                     .vehicle = "G"};

AssetCase variant(AssetCase asset, std::string name) {
    asset.name = std::move(name);
    return asset;
}

INSTANTIATE_TEST_SUITE_P(
    PassengerAutomobiles, VehicleScheduleTest,
    ::testing::Values(
        // MACRS 5.76 % in year 6 is below the limit; the rest follows at 1,775 a year.
        variant(kCar, "FullBusinessUseFinishedAfterTheRecoveryPeriod"),
        AssetCase{.name = "BusinessUse75PercentScalesTheLimits",  // basis 22,500; limits x 0.75
                  .netCost = 22500, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003)
                                  .years({2295, 3675, 2212, 1331, 1331, 1296})
                                  .repeat(1331, 7)
                                  .years({1043})
                                  .rows(),
                  .vehicle = "G", .businessShare = 0.75},
        AssetCase{.name = "Section179CountsAgainstTheFirstYearLimit",  // 2,000 + 1,060 = 3,060
                  .netCost = 28000, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003)
                                  .years({1060, 4900, 2950, 1775, 1775, 1613})
                                  .repeat(1775, 7)
                                  .years({1502})
                                  .rows(),
                  .vehicle = "G", .section179 = 2000},
        AssetCase{.name = "BusinessUse80PercentWithSection179",  // 1,000 + 1,448 = 80 % of 3,060
                  .netCost = 19000, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003)
                                  .years({1448, 3920, 2360, 1420, 1420, 1094})
                                  .repeat(1420, 5)
                                  .years({238})
                                  .rows(),
                  .vehicle = "G", .businessShare = 0.8, .section179 = 1000},
        AssetCase{.name = "FiftyPercentAllowanceWithinItsLimit",  // 10,000 + 710 = 10,710
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({710, 3200, 1920, 1152, 1152, 576, 1290}).rows(),
                  .vehicle = "G", .bonusCode = 5, .bonus = 10000},
        AssetCase{.name = "ThirtyPercentAllowanceWithinItsLimit",  // 6,000 + 1,660 = 7,660
                  .netCost = 14000, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({1660, 4480, 2688, 1613, 1613, 806, 1140}).rows(),
                  .vehicle = "G", .bonusCode = 3, .bonus = 6000},
        // The desktop cut a 15,000 allowance to the 10,710 limit: year 1 has no room left, and the rest of the
        // cost is depreciated on the larger remaining basis.
        AssetCase{.name = "CappedAllowanceLeavesNoFirstYearAmount",
                  .netCost = 19290, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003)
                                  .years({0, 4900, 2950, 1775, 1775, 1111})
                                  .repeat(1775, 3)
                                  .years({1454})
                                  .rows(),
                  .vehicle = "G", .bonusCode = 5, .bonus = 10710},
        // The year is held under its limit first, then the disposal share is taken: half of 2,950.
        AssetCase{.name = "DisposedWithinTheRecoveryPeriod",
                  .netCost = 30000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2005, 3, 1),
                  .salesAmt = 20000, .expected = Schedule(2003).years({3060, 4900, 1475}).rows(),
                  .gainLoss = -565, .vehicle = "G"},
        // Completed at 1,775 a year up to 2011, which keeps half of it (887.50).
        AssetCase{.name = "DisposedAfterTheRecoveryPeriod",
                  .netCost = 30000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2011, 6, 1),
                  .salesAmt = 5000,
                  .expected = Schedule(2003).years({3060, 4900, 2950, 1775, 1775, 1728, 1775, 1775, 888}).rows(),
                  .gainLoss = -4374, .vehicle = "G"},
        // ADS at 40 % business use: 1,200, then 40 % of the limits; year 5 (2,400) is above 40 % of
        // 1,775, so the rest follows at 710 a year.
        AssetCase{.name = "AdsCarFinishedAtTheLaterYearLimit",
                  .method = "ADS", .netCost = 12000, .life = 5, .convention = 1, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({1200, 1960, 1180}).repeat(710, 10).years({560}).rows(),
                  .vehicle = "G", .businessShare = 0.4},
        AssetCase{.name = "AdsCarDisposedWhileBeingFinished",
                  .method = "ADS", .netCost = 12000, .life = 5, .convention = 1, .inService = Date(2003, 6, 1),
                  .sold = Date(2010, 3, 1), .salesAmt = 2000,
                  .expected = Schedule(2003).years({1200, 1960, 1180}).repeat(710, 4).years({355}).rows(),
                  .gainLoss = -2465, .vehicle = "G", .businessShare = 0.4},
        // A shortfall below 5 in the final table year is topped up; one of 5 goes on year by year.
        AssetCase{.name = "FinalShortfallOfFourIsToppedUp",
                  .netCost = 10000, .life = 5, .inService = Date(2090, 6, 1),
                  .expected = Schedule(2090).years({1996, 3200, 1920, 1152, 1152, 580}).rows(),
                  .vehicle = "G", .limitsYear = 2090},
        AssetCase{.name = "FinalShortfallOfFiveGoesOn",
                  .netCost = 10000, .life = 5, .inService = Date(2090, 6, 1),
                  .expected = Schedule(2090).years({1995, 3200, 1920, 1152, 1152, 576, 5}).rows(),
                  .vehicle = "G", .limitsYear = 2091},
        // Limits above 32,767 are used as they are.
        AssetCase{.name = "LimitsAbove32767",
                  .netCost = 50000, .life = 5, .inService = Date(2092, 6, 1),
                  .expected = Schedule(2092).years({10000, 16000, 9600, 5760, 5760, 2880}).rows(),
                  .vehicle = "T", .limitsYear = 2092, .section179 = 1000}),
    [](const auto& info) { return info.param.name; });

TEST_F(VehicleTest, GetAutoMaxRatesAnswersTheFirstYearLimitOfTheAllowance) {
    struct Case {
        const char* type;
        std::int16_t year;
        std::int16_t bonus;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"G", 2003, 0, 3060}, {"G", 2003, 3, 7660},  {"G", 2003, 5, 10710}, {"G", 2007, 0, 3060},
        {"G", 2007, 3, -3},   {"G", 2007, 5, -5},    {"T", 2003, 0, 3360},  {"T", 2092, 0, 40000},
        {"G", 1990, 0, 0},    {"X", 2003, 0, 0},     {"N", 2003, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(calc_.GetAutoMaxRates(c.type, c.year, c.bonus), c.expected) << c.type << " " << c.year;
    }
}

TEST_F(VehicleTest, LimitsOutliveTheObjectAndSurviveALoadWithoutRow) {
    CalcDepr().GetAutoMaxRates("G", 2003, 0);
    EXPECT_EQ(CalcDepr().GetAutoMaxRates("G", 1990, 0), 0);
    EXPECT_EQ(CalcDepr().GetAutoMaxRates("E", 2003, 0), 0);

    const std::int32_t asset = addAsset();
    EXPECT_TRUE(CalcDepr().DoMacrsDepr(30000, 5, 0, kCompany, asset, 1, Date(2003, 6, 1), vb::notSoldDate(), "G",
                                       0, 0, 1));
    EXPECT_EQ(rowsOf(asset), kCar.expected);
}

TEST_F(VehicleTest, LimitsAreZeroUntilTheFirstLoadAndAZeroAmountEndsTheRun) {
    const std::int32_t asset = addAsset();
    bool result = false;
    // A thread of its own has loaded no limits yet: every year is held to 0 and the completion writes nothing.
    std::thread([&] {
        EXPECT_EQ(AutoMaxRates()[kMaxYear1], 0);
        result = CalcDepr().DoMacrsDepr(10000, 5, 0, kCompany, asset, 1, Date(2003, 6, 1), vb::notSoldDate(), "G",
                                        0, 0, 1);
    }).join();
    EXPECT_TRUE(result);
    EXPECT_EQ(rowsOf(asset), Schedule(2003).repeat(0, 5).rows());
}

TEST_F(VehicleTest, FinishAutoDeprWritesYearsUntilTheNetCost) {
    const std::int32_t asset = addAsset();
    calc_.FinishAutoDepr(10000, 8500, 1000, 2010, kCompany, asset);
    EXPECT_EQ(rowsOf(asset), (std::vector<DeprRow>{{2010, 1000, 9500}, {2011, 500, 10000}}));
}

TEST_F(VehicleTest, FinishAutoDeprWithAnAmountRoundingToNothingWritesNothing) {
    const std::int32_t asset = addAsset();
    calc_.FinishAutoDepr(10000, 0, 0.4, 2010, kCompany, asset);
    calc_.FinishAutoDepr(10000, 0, 0, 2010, kCompany, asset);
    calc_.FinishAutoDepr(10000, 0, -100, 2010, kCompany, asset);
    EXPECT_TRUE(rowsOf(asset).empty());
}

TEST_F(VehicleTest, FinishAutoDeprEndsAtANetCostWithCents) {
    const std::int32_t asset = addAsset();
    calc_.FinishAutoDepr(10000.3, 8500, 1000, 2010, kCompany, asset);
    const auto rows = rowsOf(asset);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (DeprRow{2010, 1000, 9500}));
    EXPECT_EQ(rows[1].year, 2011);
    EXPECT_EQ(rows[1].depr, 500);
    EXPECT_DOUBLE_EQ(rows[1].accum, 10000.3);
}

}  // namespace
}  // namespace tally::engine::testing
