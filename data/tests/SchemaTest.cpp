// The tables and columns the program's statements name, with the declared types that decide the data type a
// recordset field reports. Column order matters where a statement or report relies on it (the INSERT value lists
// and the vehicle-use report, which reads its scratch table by position).

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SqliteFile.h"

namespace tally::data::testing {
namespace {

struct Column {
    std::string name;
    std::string type;
};

struct TableCase {
    std::string table;
    std::vector<Column> columns;
};

const std::string Date = "DATETIME";
const std::string YesNo = "YESNO";
const std::string Key = "INTEGER";

// The rate tables share one shape: a recovery-year key and one column per recovery period.
TableCase rateTable(const std::string& table, const std::string& convention) {
    TableCase result{table, {{"RecYear", Key}}};
    for (int period : {3, 5, 7, 10, 15, 20}) result.columns.push_back({convention + std::to_string(period), "DOUBLE"});
    return result;
}

std::vector<TableCase> expectedTables() {
    return {
        {"tblAssets",
         {{"Asset_num", Key}, {"Company_Id", "LONG"}, {"Asset_name", "VARCHAR(50)"}, {"Cost", "DOUBLE"},
          {"Allowance 30 %", "DOUBLE"}, {"179_deduction", "DOUBLE"}, {"In_Service_date", Date},
          {"depr_method", "LONG"}, {"life", "DOUBLE"}, {"convention", "SMALLINT"}, {"other_deductions", "DOUBLE"},
          {"bussiness_percent", "DOUBLE"}, {"sold_date", Date}, {"sold_amt", "DOUBLE"}, {"notes", "MEMO TEXT"},
          {"depr_class_id", "LONG"}, {"life_id", "LONG"}, {"amortize_code", "SMALLINT"},
          {"vehicle_num", "SMALLINT"}, {"actual_method", "VARCHAR(10)"}, {"Type_179", YesNo},
          {"gain_loss", "DOUBLE"}}},
        {"tblDepr",
         {{"client_num", "LONG"}, {"asset_num", "LONG"}, {"year", "SMALLINT"}, {"depr", "DOUBLE"},
          {"accum_depr", "DOUBLE"}}},
        {"tblCompany",
         {{"id", Key}, {"Company Name", "VARCHAR(50)"}, {"Owner", "VARCHAR(50)"}, {"Address", "VARCHAR(50)"},
          {"Address 2", "VARCHAR(50)"}, {"City", "VARCHAR(50)"}, {"State", "VARCHAR(2)"},
          {"Zip Code", "VARCHAR(10)"}, {"Tax Id", "VARCHAR(11)"}}},
        {"tblDeprMethods", {{"ID", Key}, {"Method", "VARCHAR(8)"}}},
        {"tblConvention", {{"id", "SMALLINT"}, {"Abbreviation", "VARCHAR(2)"}}},
        {"tblLives", {{"Type", "VARCHAR(8)"}, {"Life", "DOUBLE"}, {"Method", "VARCHAR(8)"}}},
        {"tblDeprClass",
         {{"ID", Key}, {"Method_ID", "LONG"}, {"Description", "VARCHAR(50)"}, {"Life", "DOUBLE"},
          {"If Auto - Type", "VARCHAR(9)"}, {"Amortize #", "SMALLINT"}}},
        {"tblMax179",
         {{"ID", Key}, {"Year", "SMALLINT"}, {"Maximum Amount", "DOUBLE"}, {"Threshold Cost", "DOUBLE"}}},
        {"tblMaxAuto",
         {{"ID", Key}, {"Year", "SMALLINT"}, {"Type", "VARCHAR(9)"}, {"Yr 1 + 30%", "DOUBLE"},
          {"Yr 1 + 50%", "DOUBLE"}, {"Max Year 1", "DOUBLE"}, {"Max Year 2", "DOUBLE"}, {"Max Year 3", "DOUBLE"},
          {"Max Year 4", "DOUBLE"}}},
        {"tblMisc4562Data",
         {{"ID", Key}, {"Company_Id", "LONG"}, {"Year", "SMALLINT"}, {"179 Carryover", "LONG"},
          {"179 Income Limit", "LONG"}, {"Listed Claim", YesNo}, {"Listed Evidence", YesNo},
          {"Group Assets", YesNo}, {"168 Property", "DOUBLE"}, {"Other Depr", "DOUBLE"}, {"263A Cost", "DOUBLE"},
          {"Exclude 179", YesNo}}},
        {"tblDefaults", {{"DefaultYear", "SMALLINT"}, {"StartUp_Help", YesNo}, {"ShowCompany", YesNo}}},
        {"tblAutoUse",
         {{"Company_Id", "LONG"}, {"year", "SMALLINT"}, {"Vehicle #", "SMALLINT"},
          {"Business Miles", "VARCHAR(10)"}, {"Commuting Miles", "VARCHAR(10)"}, {"Personal Miles", "VARCHAR(10)"},
          {"Available Personal Use off Hours", YesNo}, {"Driver 5 percent Owner", YesNo},
          {"Another Car Available", YesNo}}},
        {"tblAutoQuestions",
         {{"Company_Id", "LONG"}, {"year", "SMALLINT"}, {"No Personal Use", YesNo}, {"Commuting Allowed", YesNo},
          {"All Personal Use", YesNo}, {"More 5 Cars & keep Track", YesNo}, {"Meet Requirements", YesNo}}},
        {"tblAutoUseReport",
         {{"Description", "VARCHAR(50)"}, {"Vehicle #", "SMALLINT"}, {"Company_Id", "LONG"},
          {"Business Miles", "LONG"}, {"Commuting Miles", "LONG"}, {"Personal Miles", "LONG"},
          {"Available Personal", YesNo}, {"5 % Owner", YesNo}, {"Another Car", YesNo},
          {"Business_Percent", "DOUBLE"}, {"Display_Data", YesNo}}},
        rateTable("tblMacrsHalf", "Half"),
        rateTable("tblMacrsMid1Qtr", "Mid1Qtr"),
        rateTable("tblMacrsMid2Qtr", "Mid2Qtr"),
        rateTable("tblMacrsMid3Qtr", "Mid3Qtr"),
        rateTable("tblMacrsMid4Qtr", "Mid4Qtr"),
    };
}

TEST(Schema, EveryTableHasItsColumnsInOrderWithTheirDeclaredTypes) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    for (const TableCase& expected : expectedTables()) {
        SCOPED_TRACE(expected.table);
        auto info = db.rows("SELECT name, type FROM pragma_table_info('" + expected.table + "') ORDER BY cid");
        ASSERT_EQ(info.size(), expected.columns.size()) << "columns of " << expected.table;
        for (std::size_t i = 0; i < info.size(); ++i) {
            EXPECT_EQ(*info[i][0], expected.columns[i].name) << "column " << i;
            EXPECT_EQ(*info[i][1], expected.columns[i].type) << expected.columns[i].name;
        }
    }
}

TEST(Schema, HasNoTableBeyondTheKnownOnes) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    auto tables = db.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
    EXPECT_EQ(tables.size(), expectedTables().size());
}

// Jet compared text without regard to letter case, and statements rely on it ("Method = 'Macrs'").
TEST(Schema, EveryTextColumnComparesWithoutCase) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    for (const TableCase& table : expectedTables()) {
        for (const Column& column : table.columns) {
            if (column.type.rfind("VARCHAR", 0) != 0 && column.type.rfind("MEMO", 0) != 0) continue;
            EXPECT_EQ(db.column(table.table, column.name).collation, "NOCASE") << table.table << "." << column.name;
        }
    }
}

// Keys are never handed out twice, also after the row with the highest key was deleted.
TEST(Schema, KeysAreAutoincrement) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    for (auto [table, key] : std::vector<std::pair<std::string, std::string>>{
             {"tblAssets", "Asset_num"}, {"tblCompany", "id"}, {"tblDeprMethods", "ID"}, {"tblDeprClass", "ID"},
             {"tblMax179", "ID"}, {"tblMaxAuto", "ID"}, {"tblMisc4562Data", "ID"}}) {
        auto meta = db.column(table, key);
        EXPECT_TRUE(meta.primaryKey && meta.autoincrement) << table << "." << key;
    }
}

// Backup and restore copy the one file, so the database must not keep committed data in a write-ahead log.
TEST(Schema, FileUsesARollbackJournal) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    EXPECT_EQ(db.text("PRAGMA journal_mode"), "delete");
}

}  // namespace
}  // namespace tally::data::testing
