// Table tests of the asset window's rules that need no window.
#include <gtest/gtest.h>

#include "AssetRecord.h"
#include "AssetRules.h"
#include "ComError.h"

namespace tally::desk::assets {
namespace {

TEST(AssetRules, BusinessShareReadsPercentagesAndFractions) {
    const struct {
        const char* text;
        double fraction;
    } cases[] = {{"75", 0.75},   {".75", 0.75}, {"0.75", 0.75}, {"", 1},      {"100", 1},
                 {"12.5", 0.125}, {"75%", 0.75}, {"7.5", 0.075}, {"0.5", 0.5}, {"abc", 0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(businessFraction(QString::fromLatin1(c.text)), c.fraction) << c.text;
}

TEST(AssetRules, StoredShareShowsAsTextThatReadsBackTheSame) {
    for (double fraction : {1.0, 0.75, 0.5, 0.075, 0.125, 0.7525, 0.005, 0.0001, 0.0, 0.01, 0.07})
        EXPECT_DOUBLE_EQ(businessFraction(businessPercentText(fraction)), fraction) << fraction;
    EXPECT_EQ(businessPercentText(1), "100");
    EXPECT_EQ(businessPercentText(0.75), "75");
    EXPECT_EQ(businessPercentText(0.07), "7");
}

QString classText(const char* description, const char* life, const char* type, const char* code) {
    return QString::fromLatin1(description) + QString(50, QLatin1Char(' ')) + QString::fromLatin1(life) +
           QStringLiteral("-") + QString::fromLatin1(type) + QStringLiteral("\\") + QString::fromLatin1(code);
}

TEST(AssetRules, ClassTextIsReadFromItsEnd) {
    const struct {
        QString text;
        double life;
        const char* type;
        double code;
    } cases[] = {{classText("Office furniture", "7", "N/A", "0"), 7, "N", 0},
                 {classText("Residential rental", "27.5", "N/A", "0"), 27.5, "N", 0},
                 {classText("Automobiles", "5", "Gas", "0"), 5, "G", 0},
                 {classText("Vans", "5", "Truck/Van", "0"), 5, "T", 0},
                 {classText("Goodwill", "15", "N/A", "197"), 15, "N", 197},
                 {classText("Goodwill", "15", "N/A", "1970"), 15, "N", 197}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(classLife(c.text), c.life) << c.text.toStdString();
        EXPECT_EQ(classVehicleType(c.text), QString::fromLatin1(c.type)) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(classAmortizeCode(c.text), c.code) << c.text.toStdString();
    }
    EXPECT_THROW(classLife(QStringLiteral("no life here")), ComError);
}

TEST(AssetRules, CostBasisAndAllowance) {
    const struct {
        double cost, fraction, s179, allowance, other;
        const char* caption;
    } bases[] = {{10000, 0.75, 2000, 0, 0, "5500"}, {10000, 0.75, 9000, 0, 0, "-1500"}, {1001, 0.5, 0, 0, 0, "501"},
                 {-1001, 0.5, 0, 0, 0, "-501"},     {10000, 1, 1000, 2700, 0, "6300"},  {0, 1, 0, 0, 0, "0"}};
    for (const auto& b : bases)
        EXPECT_EQ(costBasisCaption(costBasis(b.cost, b.fraction, b.s179, b.allowance, b.other)),
                  QString::fromLatin1(b.caption));

    EXPECT_EQ(allowanceCaption(10000, 1, 0, 1000, 0.3), "2700");
    EXPECT_EQ(allowanceCaption(10000, 1, 0, 12000, 0.3), "0");
    EXPECT_EQ(allowanceCaption(10000, 1, 0, 1000, 0.5), "4500");
    EXPECT_EQ(allowanceCaption(4115, 1, 0, 0, 0.3), "1234.5");
}

TEST(AssetRules, MethodShownForMethodAndLife) {
    const struct {
        const char* method;
        int life;
        const char* shown;
    } cases[] = {{"MACRS", 7, "200 DB"}, {"Listed", 20, "150 DB"}, {"MACRS", 12, ""},   {"MACRS", 39, "S/L"},
                 {"ADS", 5, "S/L"},      {"S/L", 40, "S/L"},       {"Amortize", 15, "Amortize"},
                 {"macrs", 5, ""},       {"MACRS", 15, "150 DB"},  {"Listed", 3, "200 DB"}};
    for (const auto& c : cases)
        EXPECT_EQ(showMethod(QString::fromLatin1(c.method), c.life), QString::fromLatin1(c.shown))
            << c.method << " " << c.life;
}

TEST(AssetRules, ConventionCodeAndDates) {
    EXPECT_EQ(conventionCode(false, {true, false, false}), 4);
    EXPECT_EQ(conventionCode(true, {false, false, false}), 0);
    EXPECT_EQ(conventionCode(true, {false, true, false}), 2);
    EXPECT_EQ(conventionCode(true, {false, false, true}), 3);

    EXPECT_EQ(soldDate(QStringLiteral("__/____")), vb::notSoldDate());
    EXPECT_EQ(soldDate(QStringLiteral("03/2006")), vb::Date(2006, 3, 1));
    EXPECT_EQ(soldDate(QStringLiteral("13/2006")), vb::notSoldDate());
    EXPECT_FALSE(monthYearDate(QStringLiteral("1_/2006")));
    EXPECT_FALSE(monthYearDate(QStringLiteral("00/2006")));
}

TEST(AssetRules, Section179Test) {
    const struct {
        Section179Figures figures;
        bool computed;
        double adjusted, remaining;
        bool over;
    } cases[] = {
        {{25000, 200000, 210000, 0, 5000, 0}, true, 15000, 15000, false},
        {{25000, 200000, 210000, 0, 5000, 12000}, true, 12000, 12000, false},
        {{25000, 200000, 210000, 0, 5000, 30000}, true, 15000, 15000, false},
        {{25000, 200000, 210000, 16000, 5000, 0}, true, 15000, -1000, true},
        {{25000, 200000, 100000, 0, 5000, 0}, true, 25000, 25000, false},
        {{25000, 200000, 300000, 1000, 5000, 0}, true, 0, -1000, true},
        {{25000, 200000, 210000, 0, 5000, -10}, true, 0, 0, false},
        {{25000, 0, 210000, 99000, 0, 0}, false, 0, 0, false},
    };
    for (const auto& c : cases) {
        const Section179Result r = check179(c.figures);
        EXPECT_EQ(r.computed, c.computed);
        EXPECT_DOUBLE_EQ(r.adjusted, c.adjusted);
        EXPECT_DOUBLE_EQ(r.remaining, c.remaining);
        EXPECT_EQ(r.overLimit, c.over);
    }
}

TEST(AssetRules, CalculationMethodAndLife) {
    const struct {
        const char* method;
        double life, fraction;
        const char* calc;
        double calcLife;
    } cases[] = {{"Listed", 5, 0.5, "ADS", 5},      {"Listed", 5, 0.51, "MACRS", 5},  {"MACRS", 31.5, 1, "Macrs31", 32},
                 {"MACRS", 27.5, 1, "Macrs27", 28}, {"MACRS", 39, 1, "Macrs39", 39}, {"MACRS", 40, 1, "ADS", 40},
                 {"MACRS", 5, 1, "MACRS", 5},       {"S/L", 10, 1, "S/L", 10},       {"Amortize", 15, 1, "Amortize", 15}};
    for (const auto& c : cases) {
        const CalculationPlan plan = calculationPlan(QString::fromLatin1(c.method), c.life, c.fraction);
        EXPECT_EQ(plan.method, QString::fromLatin1(c.calc));
        EXPECT_DOUBLE_EQ(plan.life, c.calcLife);
    }
}

TEST(AssetRules, AllowanceBoxesAndVehicleLimits) {
    EXPECT_EQ(bonusBoxForRatio(0.5), 50);
    EXPECT_EQ(bonusBoxForRatio(1.0), 100);
    EXPECT_EQ(bonusBoxForRatio(0.3), 30);
    EXPECT_EQ(bonusBoxForRatio(0.4), 0);
    EXPECT_EQ(bonusBoxForRatio(0.304), 30);
    EXPECT_EQ(vehicleAllowanceCode(true, true, false, {}), 3);
    EXPECT_EQ(vehicleAllowanceCode(false, false, true, {}), 5);
    EXPECT_EQ(vehicleAllowanceCode(false, false, false, QStringLiteral("10")), 5);
    EXPECT_EQ(vehicleAllowanceCode(false, false, false, {}), 0);

    using Kind = VehicleLimitDecision::Kind;
    EXPECT_EQ(vehicleLimitDecision(0, 1, 0, 0).kind, Kind::MissingLimits);
    EXPECT_EQ(vehicleLimitDecision(-3, 1, 0, 0).kind, Kind::AskZero30);
    EXPECT_EQ(vehicleLimitDecision(-5, 1, 0, 0).kind, Kind::AskZero50);
    const auto adjusted = vehicleLimitDecision(3060, 1, 1000, 5000);
    EXPECT_EQ(adjusted.kind, Kind::AdjustAllowance);
    EXPECT_DOUBLE_EQ(adjusted.allowance, 2060);
    EXPECT_DOUBLE_EQ(adjusted.limit, 3060);
    EXPECT_EQ(vehicleLimitDecision(3060, 1, 4000, 0).kind, Kind::Over179);
    EXPECT_EQ(vehicleLimitDecision(3060, 1, 1000, 2060).kind, Kind::Proceed);
}

TEST(AssetRules, MidQuarterShare) {
    EXPECT_FALSE(midQuarter(100000, 40000).required);
    EXPECT_TRUE(midQuarter(100000, 40001).required);
    EXPECT_DOUBLE_EQ(midQuarter(0, 5000).share, 0);
}

TEST(AssetRecordText, WritesCanonicalValuesNeverTypedText) {
    AssetRecord r;
    r.companyId = 1;
    r.description = QStringLiteral("Bob's truck");
    r.cost = 25000;
    r.inService = vb::Date(2005, 3, 1);
    r.methodId = 1;
    r.life = 5;
    r.convention = 1;
    r.notes = QStringLiteral("it's');DROP TABLE tblAssets;--");
    r.actualMethod = QStringLiteral("200 DB");
    EXPECT_EQ(assetValueList(r),
              "1, 'Bob`s truck' ,25000,0,0, #3/1/2005#, 1, 5,1, 0,1, #1/1/1900#, 0, 'it`s`);DROP TABLE tblAssets;--', "
              "0, 0, 0, 0, '200 DB',0");
    r.businessFraction = 0.075;
    r.life = 27.5;
    EXPECT_EQ(assetUpdateStatement(r, 17),
              " Update tblAssets Set asset_name = 'Bob`s truck', Cost = 25000, [allowance 30 %] = 0, "
              "other_deductions = 0, 179_deduction = 0, In_Service_date = #3/1/2005#, depr_method = 1, life = 27.5, "
              "Convention = 1, bussiness_percent = 0.075, sold_date = #1/1/1900#, sold_amt = 0 , notes = "
              "'it`s`);DROP TABLE tblAssets;-- ', depr_class_id = 0 , life_id = 0, Amortize_code = 0, Vehicle_num "
              "= 0 , actual_method = '200 DB' , Type_179 = 0 Where Asset_num = 17");
}

}  // namespace
}  // namespace tally::desk::assets
