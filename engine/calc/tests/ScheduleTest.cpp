// Schedules of assets that are not vehicles, checked row by row against figures worked out by hand from IRS
// Publication 946, Appendix A (Table A-1 half-year, A-2 to A-5 mid-quarter, A-6 residential rental, A-7a
// nonresidential real property, A-8 to A-13 straight line) and chapter 8 (amortization). Each year's amount is
// rounded half to even to the dollar and the accumulated amount is the sum of those dollars, topped up to the
// net cost in the final year.

#include "CalcDeprFixture.h"

namespace tally::engine::testing {
namespace {

using vb::Date;

class ScheduleTest : public CalcDeprTest, public ::testing::WithParamInterface<AssetCase> {};

TEST_P(ScheduleTest, WritesEveryYearAndTheGainOrLoss) { expectCase(GetParam()); }

// MACRS general depreciation system from the rate tables of the shipped database.
INSTANTIATE_TEST_SUITE_P(
    Macrs, ScheduleTest,
    ::testing::Values(
        AssetCase{.name = "FiveYearHalfYear",  // 20, 32, 19.2, 11.52, 11.52, 5.76 %
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({2000, 3200, 1920, 1152, 1152, 576}).rows()},
        AssetCase{.name = "FiveYearHalfYearRoundedAndToppedUp",  // 2469, 3950.40, 2370.24, 1422.14 x 2, 711.07
                  .netCost = 12345, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({2469, 3950, 2370, 1422, 1422, 712}).rows()},
        AssetCase{.name = "SevenYearHalfYear",
                  .netCost = 10000, .life = 7, .inService = Date(2005, 9, 1),
                  .expected = Schedule(2005).years({1429, 2449, 1749, 1249, 893, 892, 893, 446}).rows()},
        AssetCase{.name = "TwentyYearHalfYear",
                  .netCost = 100000, .life = 20, .inService = Date(2003, 3, 1),
                  .expected = Schedule(2003)
                                  .years({3750, 7219, 6677, 6177, 5713, 5285, 4888, 4522, 4462, 4461, 4462, 4461,
                                          4462, 4461, 4462, 4461, 4462, 4461, 4462, 4461, 2231})
                                  .rows()},
        AssetCase{.name = "FinalYearRoundingToNothingGetsNoRow",  // 1.20, 1.92, 1.15, 0.69, 0.69, then 0.35
                  .netCost = 6, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({1, 2, 1, 1, 1}).rows()},
        // 1, 1.60, 0.96, 0.58 reach the net cost of 5 in the fourth year; the fifth (0.58) would pass it and
        // brought back to it rounds to nothing, so the schedule ends with the fourth.
        AssetCase{.name = "SmallCostEndsInTheYearThatReachesIt",
                  .netCost = 5, .life = 5, .inService = Date(2010, 6, 1),
                  .expected = Schedule(2010).years({1, 2, 1, 1}).rows()},
        // A cost below zero, which the asset window refuses, is left as the tables give it.
        AssetCase{.name = "NegativeCostKeepsItsTableRows",
                  .netCost = -100, .life = 5, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({-20, -32, -19, -12, -12, -5}).rows()},
        AssetCase{.name = "MidQuarterFirstQuarterSevenYear",
                  .netCost = 20000, .life = 7, .convention = 2, .inService = Date(2004, 2, 1),
                  .expected = Schedule(2004).years({5000, 4286, 3062, 2186, 1750, 1748, 1750, 218}).rows()},
        AssetCase{.name = "MidQuarterSecondQuarterThreeYear",  // 1250.10, 1166.70, 424.20, 159
                  .netCost = 3000, .life = 3, .convention = 2, .inService = Date(2004, 5, 1),
                  .expected = Schedule(2004).years({1250, 1167, 424, 159}).rows()},
        AssetCase{.name = "MidQuarterThirdQuarterSevenYearMachinery",  // A-4, $4,000 placed in service in August
                  .netCost = 4000, .life = 7, .convention = 2, .inService = Date(2003, 8, 1),
                  .expected = Schedule(2003).years({428, 1020, 729, 521, 372, 354, 354, 222}).rows()},
        AssetCase{.name = "MidQuarterFourthQuarterFiveYear",
                  .netCost = 10000, .life = 5, .convention = 2, .inService = Date(2003, 11, 1),
                  .expected = Schedule(2003).years({500, 3800, 2280, 1368, 1094, 958}).rows()}),
    [](const auto& info) { return info.param.name; });

// Disposals: the year of disposal keeps the convention's share of its amount and the gain or loss is the sale
// price plus the accumulated amount less the net cost.
INSTANTIATE_TEST_SUITE_P(
    Disposals, ScheduleTest,
    ::testing::Values(
        AssetCase{.name = "HalfYearKeepsHalfInTheDisposalYear",
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2005, 3, 1),
                  .salesAmt = 6000, .expected = Schedule(2003).years({2000, 3200, 960}).rows(), .gainLoss = 2160},
        AssetCase{.name = "MidQuarterDisposedInTheThirdQuarter",  // 62.5 % of 1,800
                  .netCost = 10000, .life = 5, .convention = 2, .inService = Date(2003, 5, 1),
                  .sold = Date(2005, 8, 1), .salesAmt = 5000,
                  .expected = Schedule(2003).years({2500, 3000, 1125}).rows(), .gainLoss = 1625},
        AssetCase{.name = "MidQuarterDisposedInTheFirstQuarter",  // 12.5 % of 1,137
                  .netCost = 10000, .life = 5, .convention = 2, .inService = Date(2003, 5, 1),
                  .sold = Date(2006, 2, 1), .salesAmt = 3000,
                  .expected = Schedule(2003).years({2500, 3000, 1800, 142}).rows(), .gainLoss = 442},
        AssetCase{.name = "MidMonthDisposedInJune",  // 2,564 x 5.5 / 12
                  .method = "Macrs39", .netCost = 100000, .life = 39, .convention = 3,
                  .inService = Date(2003, 1, 1), .sold = Date(2005, 6, 1), .salesAmt = 120000,
                  .expected = Schedule(2003).years({2461, 2564, 1175}).rows(), .gainLoss = 26200},
        AssetCase{.name = "NoConventionStraightLineKeepsSixTwelfths",
                  .method = "S/L", .netCost = 1200, .life = 5, .convention = 4, .inService = Date(2003, 4, 1),
                  .sold = Date(2005, 6, 1), .salesAmt = 500,
                  .expected = Schedule(2003).years({180, 240, 120}).rows(), .gainLoss = -160},
        AssetCase{.name = "NoConventionAmortizationKeepsFiveTwelfths",
                  .method = "Amortize", .netCost = 1200, .life = 5, .convention = 4,
                  .inService = Date(2003, 4, 1), .sold = Date(2005, 6, 1),
                  .expected = Schedule(2003).years({180, 240, 100}).rows(), .gainLoss = -680},
        AssetCase{.name = "DisposedInTheInServiceYearGetsNoRows",
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2003, 11, 1),
                  .salesAmt = 9500, .expected = {}, .gainLoss = -500},
        // The final table year is topped up to the net cost, which undoes the disposal share.
        AssetCase{.name = "DisposedInTheFinalTableYearKeepsTheFullAmount",
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2008, 7, 1),
                  .salesAmt = 800, .expected = Schedule(2003).years({2000, 3200, 1920, 1152, 1152, 576}).rows(),
                  .gainLoss = 800},
        AssetCase{.name = "DisposedAfterTheScheduleStillGetsItsGain",
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2010, 7, 1),
                  .salesAmt = 1000, .expected = Schedule(2003).years({2000, 3200, 1920, 1152, 1152, 576}).rows(),
                  .gainLoss = 1000},
        AssetCase{.name = "StraightLineFromJanuaryDisposedAfterItsLastYear",
                  .method = "S/L", .netCost = 1000, .life = 3, .convention = 4, .inService = Date(2003, 1, 1),
                  .sold = Date(2007, 3, 1), .salesAmt = 100,
                  .expected = Schedule(2003).years({333, 333, 334}).rows(), .gainLoss = 100},
        AssetCase{.name = "DisposalBeforeTheInServiceYearNeverMatches",
                  .netCost = 10000, .life = 5, .inService = Date(2003, 6, 1), .sold = Date(2001, 5, 1),
                  .salesAmt = 1000,
                  .expected = Schedule(2003).years({2000, 3200, 1920, 1152, 1152, 576}).rows()}),
    [](const auto& info) { return info.param.name; });

// Straight line, amortization and the alternative depreciation system.
INSTANTIATE_TEST_SUITE_P(
    Formulas, ScheduleTest,
    ::testing::Values(
        AssetCase{.name = "StraightLineFromApril",
                  .method = "S/L", .netCost = 1200, .life = 5, .convention = 4, .inService = Date(2003, 4, 1),
                  .expected = Schedule(2003).years({180, 240, 240, 240, 240, 60}).rows()},
        AssetCase{.name = "StraightLineFromJanuaryEndsInItsLastFullYear",
                  .method = "S/L", .netCost = 1200, .life = 5, .convention = 4, .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).repeat(240, 5).rows()},
        AssetCase{.name = "StraightLineFromJanuaryIsToppedUpToTheNetCost",  // 333.33 a year
                  .method = "S/L", .netCost = 1000, .life = 3, .convention = 4, .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).years({333, 333, 334}).rows()},
        // 4.375, then 7.50 a year rounded to 8: the 22nd year passes the net cost of 165 and its top-up of 0.50
        // rounds to nothing, so it carries the dollar left instead.
        AssetCase{.name = "StraightLineCarriesWhatIsLeftWhenTheTopUpRoundsAway",
                  .method = "S/L", .netCost = 165, .life = 22, .convention = 4, .inService = Date(2010, 6, 1),
                  .expected = Schedule(2010).years({4}).repeat(8, 20).years({1}).rows()},
        AssetCase{.name = "AmortizationOver180MonthsFromJuly",  // $250 a month
                  .method = "Amortize", .netCost = 45000, .life = 15, .convention = 4,
                  .inService = Date(2003, 7, 1),
                  .expected = Schedule(2003).years({1500}).repeat(3000, 14).years({1500}).rows()},
        // 5,000 / 15 = 333.33 a year, 333 in whole dollars; 15 x 333 = 4,995 falls 5 short, so the 15th and last
        // year takes 338.33 (338) and ends at the net cost.
        AssetCase{.name = "AmortizationFromJanuaryIsToppedUpInItsLastYear",
                  .method = "Amortize", .netCost = 5000, .life = 15, .convention = 4, .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).repeat(333, 14).years({338}).rows()},
        AssetCase{.name = "AdsHalfYear",  // 10, 20, 20, 20, 20, 10 %
                  .method = "ADS", .netCost = 10000, .life = 5, .convention = 1, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2003).years({1000}).repeat(2000, 4).years({1000}).rows()},
        AssetCase{.name = "AdsMidQuarterThirdQuarter",  // 3.75, 10 ... 10, 6.25 %
                  .method = "ADS", .netCost = 20000, .life = 10, .convention = 2, .inService = Date(2003, 8, 1),
                  .expected = Schedule(2003).years({750}).repeat(2000, 9).years({1250}).rows()},
        // A-13 prints 2.396 and 0.104 %; the exact shares are 11.5 and 0.5 twelfths of 2.5 % (9,583.33 and 416.67).
        AssetCase{.name = "AdsMidMonthFortyYearFromJanuary",
                  .method = "ADS", .netCost = 400000, .life = 40, .convention = 3, .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).years({9583}).repeat(10000, 39).years({417}).rows()},
        AssetCase{.name = "AdsWithoutConventionRepeatsTheFullYearAtTheEnd",
                  .method = "ADS", .netCost = 10000, .life = 5, .convention = 4, .inService = Date(2003, 6, 1),
                  .expected = Schedule(2004).repeat(2000, 5).rows()},
        AssetCase{.name = "MethodTextIsComparedWithLetterCase",
                  .method = "s/l", .netCost = 1200, .life = 5, .convention = 4, .inService = Date(2003, 4, 1),
                  .expected = {}}),
    [](const auto& info) { return info.param.name; });

// Real property, mid-month convention. The residential middle years use 3.6365 % where the published table
// alternates 3.636 and 3.637 %, and the 31.5-year years 9 to 31 use 3.17452149 % for 3.174 / 3.175 %.
INSTANTIATE_TEST_SUITE_P(
    RealProperty, ScheduleTest,
    ::testing::Values(
        // A-6, January: 3.485, 3.636 ... , 1.97 % and 0 % in year 29: the schedule ends in year 28.
        AssetCase{.name = "ResidentialFromJanuaryEndsInYear28",
                  .method = "Macrs27", .netCost = 275000, .life = 28, .convention = 3,
                  .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).years({9584}).repeat(9999, 8).repeat(10000, 18).years({5424}).rows()},
        AssetCase{.name = "ResidentialFromJulyEndsInYear29",  // A-6, July: 1.667 ... 3.636, 0.152 %
                  .method = "Macrs27", .netCost = 275000, .life = 28, .convention = 3,
                  .inService = Date(2003, 7, 1),
                  .expected = Schedule(2003)
                                  .years({4584})
                                  .repeat(9999, 8)
                                  .repeat(10000, 18)
                                  .years({9999, 425})
                                  .rows()},
        AssetCase{.name = "Nonresidential31FromJanuary",  // 3.042, 3.175 x 6, 3.1745, 3.1745, ..., 1.72 %
                  .method = "Macrs31", .netCost = 200000, .life = 32, .convention = 3,
                  .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).years({6084}).repeat(6350, 6).repeat(6349, 24).years({3440}).rows()},
        AssetCase{.name = "Nonresidential39FromJanuary",  // A-7a, January: 2.461, 2.564 x 38, 0.107 %
                  .method = "Macrs39", .netCost = 100000, .life = 39, .convention = 3,
                  .inService = Date(2003, 1, 1),
                  .expected = Schedule(2003).years({2461}).repeat(2564, 38).years({107}).rows()}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tally::engine::testing
