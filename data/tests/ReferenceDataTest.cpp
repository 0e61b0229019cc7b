// The rows the database ships with: the MACRS percentage tables, the limits taken from the reference files, and
// the fixed rows the program's statements and forms rely on.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "CsvFile.h"
#include "SqliteFile.h"

namespace tally::data::testing {
namespace {

const std::vector<std::string> RateTables = {"tblMacrsHalf", "tblMacrsMid1Qtr", "tblMacrsMid2Qtr", "tblMacrsMid3Qtr",
                                             "tblMacrsMid4Qtr"};
const std::vector<int> RatePeriods = {3, 5, 7, 10, 15, 20};

std::string rateColumn(const std::string& table, int period) {
    return table.substr(std::string("tblMacrs").size()) + std::to_string(period);
}

// Each column spreads the whole basis over its period plus one year (the first and the last year are partial),
// with no gap: a rate in the wrong row or a missing row would misstate every asset of that period.
TEST(RateTables, EveryColumnSumsToTheWholeBasisOverPeriodPlusOneYears) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    for (const std::string& table : RateTables) {
        EXPECT_EQ(db.text("SELECT group_concat(RecYear) FROM (SELECT RecYear FROM " + table + " ORDER BY RecYear)"),
                  "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21")
            << table;
        for (int period : RatePeriods) {
            std::string column = rateColumn(table, period);
            SCOPED_TRACE(column);
            EXPECT_NEAR(db.number("SELECT sum(" + column + ") FROM " + table), 1.0, 0.00001);
            EXPECT_EQ(db.number("SELECT count(*) FROM " + table + " WHERE " + column + " <> 0"), period + 1);
            EXPECT_EQ(db.number("SELECT max(RecYear) FROM " + table + " WHERE " + column + " <> 0"), period + 1);
            EXPECT_EQ(db.number("SELECT count(*) FROM " + table + " WHERE " + column + " < 0"), 0);
        }
    }
}

// The stored rate is the printed percentage divided by 100, cell by cell.
TEST(RateTables, HoldThePrintedPercentagesOfTheReferenceFile) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    CsvFile csv(referenceFolder() / "macrs-gds-percentages.csv");
    ASSERT_EQ(csv.rows().size(), 5u * (4 + 6 + 8 + 11 + 16 + 21));
    for (const auto& row : csv.rows()) {
        std::string table = csv.cell(row, "table"), column = csv.cell(row, "column");
        std::string year = csv.cell(row, "recovery_year");
        double stored =
            db.number("SELECT " + column + " FROM " + table + " WHERE RecYear = " + year);
        EXPECT_DOUBLE_EQ(stored, std::stod(csv.cell(row, "percent")) / 100) << column << " year " << year;
    }
}

TEST(Limits, Section179LimitsAreTheReferenceFigures) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    CsvFile csv(referenceFolder() / "section179-limits.csv");
    EXPECT_EQ(db.number("SELECT count(*) FROM tblMax179"), csv.rows().size());
    for (const auto& row : csv.rows()) {
        std::string year = csv.cell(row, "year");
        auto stored = db.rows("SELECT [Maximum Amount], [Threshold Cost], typeof(Year) FROM tblMax179 WHERE Year = " +
                              year);
        ASSERT_EQ(stored.size(), 1u) << year;
        EXPECT_EQ(std::stod(*stored[0][0]), std::stod(csv.cell(row, "maximum_amount"))) << year;
        EXPECT_EQ(std::stod(*stored[0][1]), std::stod(csv.cell(row, "threshold_cost"))) << year;
        EXPECT_EQ(*stored[0][2], "integer") << year;
    }
}

// An asset placed in service in the first-run default year (the current year) finds its section 179 limits.
TEST(Limits, TheShippedDefaultYearHasSection179Limits) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    EXPECT_EQ(db.number("SELECT count(*) FROM tblMax179 WHERE Year = (SELECT DefaultYear FROM tblDefaults)"), 1);
}

TEST(Limits, VehicleLimitsAreTheReferenceFiguresPerYearAndType) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    CsvFile csv(referenceFolder() / "vehicle-limits.csv");
    EXPECT_EQ(db.number("SELECT count(*) FROM tblMaxAuto"), csv.rows().size());
    const std::map<std::string, std::string> columns = {
        {"yr1_plus_30", "[Yr 1 + 30%]"}, {"yr1_plus_50", "[Yr 1 + 50%]"}, {"max_year_1", "[Max Year 1]"},
        {"max_year_2", "[Max Year 2]"},  {"max_year_3", "[Max Year 3]"},  {"max_year_4", "[Max Year 4]"}};
    for (const auto& row : csv.rows()) {
        std::string key = "Year = " + csv.cell(row, "year") + " AND Type = '" + csv.cell(row, "type") + "'";
        for (const auto& [csvColumn, tableColumn] : columns) {
            EXPECT_EQ(db.number("SELECT " + tableColumn + " FROM tblMaxAuto WHERE " + key),
                      std::stod(csv.cell(row, csvColumn)))
                << key << " " << tableColumn;
        }
    }
    EXPECT_EQ(db.number("SELECT count(*) FROM tblMaxAuto WHERE Type NOT IN ('Gas', 'Truck/Van')"), 0);
}

TEST(FixedRows, MethodsConventionsCompanyAndDefaults) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    EXPECT_EQ(db.text("SELECT group_concat(ID || '=' || Method, ' ') FROM (SELECT * FROM tblDeprMethods ORDER BY ID)"),
              "1=MACRS 2=ADS 3=Amortize 4=S/L 9=Listed");
    EXPECT_EQ(db.text("SELECT group_concat(id || '=' || Abbreviation, ',') FROM "
                      "(SELECT * FROM tblConvention ORDER BY id)"),
              "1=HY,2=MQ,3=MM,4= ");
    EXPECT_EQ(db.text("SELECT [Company Name] FROM tblCompany WHERE id = 1"), "Sample Company");
    auto defaults = db.rows("SELECT DefaultYear, StartUp_Help, ShowCompany FROM tblDefaults");
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0], (Row{"2026", "1", "1"}));
}

// The asset form offers these lives; the calculation can only handle what its tables and year loops support.
TEST(Lives, EachMethodOffersOnlyLivesTheCalculationSupports) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    auto lives = [&](const std::string& type) {
        return db.text("SELECT group_concat(Life, ',') FROM tblLives WHERE Type = '" + type + "'");
    };
    // Read without ORDER BY, as the asset form does: the stored position is the form's item number.
    EXPECT_EQ(lives("MACRS"), "3.0,5.0,7.0,10.0,15.0,20.0,27.5,31.5,39.0,50.0");
    EXPECT_EQ(lives("Listed"), "3.0,5.0,7.0,10.0,15.0,20.0");
    // Straight-line methods run over whole years.
    EXPECT_EQ(db.number("SELECT count(*) FROM tblLives WHERE Type IN ('ADS', 'S/L', 'Amortize') "
                        "AND Life <> CAST(Life AS INTEGER)"),
              0);
    // The 50-year report joins its assets to these rows.
    EXPECT_EQ(db.number("SELECT count(*) FROM tblLives WHERE Life = 50 AND Type IN ('MACRS', 'ADS')"), 2);
    for (const char* type : {"ADS", "S/L", "Amortize"}) {
        auto rows = db.rows(std::string("SELECT Life FROM tblLives WHERE Type = '") + type + "'");
        EXPECT_FALSE(rows.empty()) << type;
        for (std::size_t i = 1; i < rows.size(); ++i)
            EXPECT_LT(std::stod(*rows[i - 1][0]), std::stod(*rows[i][0])) << type << " in ascending order";
    }
    EXPECT_EQ(db.text("SELECT group_concat(Method, ',') FROM tblLives WHERE Type = 'MACRS'"),
              "200DB,200DB,200DB,200DB,150DB,150DB,S/L,S/L,S/L,S/L");
}

TEST(Lives, ListedLivesAllHaveRateColumns) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    for (const auto& row : db.rows("SELECT CAST(Life AS INTEGER) FROM tblLives WHERE Type = 'Listed'"))
        for (const std::string& table : RateTables)
            EXPECT_NO_THROW(db.column(table, rateColumn(table, std::stoi(*row[0])))) << *row[0];
}

// Every starter class passes the rules table maintenance applies to classes.
TEST(AssetClasses, StarterClassesFollowTheClassRules) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    auto classes = db.rows(
        "SELECT Method, Description, tblDeprClass.Life, [If Auto - Type], [Amortize #], "
        "(SELECT count(*) FROM tblLives WHERE tblLives.Type = tblDeprMethods.Method "
        "AND tblLives.Life = tblDeprClass.Life) "
        "FROM tblDeprClass LEFT JOIN tblDeprMethods ON Method_ID = tblDeprMethods.ID");
    ASSERT_GE(classes.size(), 8u);
    for (const Row& c : classes) {
        ASSERT_TRUE(c[0].has_value()) << "class without a method: " << c[1].value_or("?");
        const std::string &method = *c[0], &description = *c[1], &autoType = *c[3];
        SCOPED_TRACE(description);
        if (method == "MACRS" || method == "Listed") {
            EXPECT_EQ(*c[5], "1") << "life not offered for " << method;
        }
        if (autoType != "N/A") {
            EXPECT_EQ(method, "Listed") << "a vehicle class";
        }
        if (method == "Amortize") {
            EXPECT_NE(*c[4], "0") << "amortization code";
        } else {
            EXPECT_EQ(*c[4], "0") << "amortization code";
        }
    }
    EXPECT_EQ(db.text("SELECT [If Auto - Type] FROM tblDeprClass WHERE Description = 'Automobiles'"), "Gas");
    EXPECT_EQ(db.text("SELECT [If Auto - Type] FROM tblDeprClass WHERE Description LIKE '%truck%'"), "Truck/Van");
    EXPECT_EQ(db.text("SELECT [Amortize #] FROM tblDeprClass WHERE Description LIKE 'Section 197%'"), "197");
}

}  // namespace
}  // namespace tally::data::testing
