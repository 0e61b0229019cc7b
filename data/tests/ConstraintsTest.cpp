// What the database itself guards: one row per natural key, defaults for the columns statements leave out, and
// values stored the way every query expects them (ISO dates, 0/1 yes/no, text kept as typed). Each test writes
// to a private in-memory copy of the shipped file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SqliteFile.h"

namespace tally::data::testing {
namespace {

struct UniqueKeyCase {
    std::string name;
    std::string insert;     // one row
    std::string duplicate;  // another row with the same key
};

class UniqueKeys : public ::testing::TestWithParam<UniqueKeyCase> {};

TEST_P(UniqueKeys, RejectASecondRowWithTheSameKey) {
    SqliteFile db = SqliteFile::shippedCopy();
    ASSERT_EQ(db.run(GetParam().insert), SQLITE_OK) << db.lastError();
    EXPECT_EQ(db.run(GetParam().duplicate), SQLITE_CONSTRAINT_UNIQUE) << db.lastError();
}

INSTANTIATE_TEST_SUITE_P(
    Tables, UniqueKeys,
    ::testing::Values(
        UniqueKeyCase{"Max179Year", "INSERT INTO tblMax179 (Year, [Maximum Amount]) VALUES (2030, 1)",
                      "INSERT INTO tblMax179 (Year, [Maximum Amount]) VALUES (2030, 2)"},
        // Text keys compare without case, as every text comparison of the program does.
        UniqueKeyCase{"MaxAutoYearAndType", "INSERT INTO tblMaxAuto (Year, Type) VALUES (2030, 'Electric')",
                      "INSERT INTO tblMaxAuto (Year, Type) VALUES (2030, 'ELECTRIC')"},
        UniqueKeyCase{"Misc4562CompanyAndYear", "INSERT INTO tblMisc4562Data (Company_Id, Year) VALUES (1, 2030)",
                      "INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover]) VALUES (1, 2030, 5)"},
        UniqueKeyCase{"AutoUseCompanyYearVehicle",
                      "INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles]) "
                      "VALUES (1, 2030, 2, '100')",
                      "INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles]) "
                      "VALUES (1, 2030, 2, '200')"},
        UniqueKeyCase{"AutoQuestionsCompanyYear",
                      "INSERT INTO tblAutoQuestions (Company_Id, year, [No Personal Use]) VALUES (1, 2030, 1)",
                      "INSERT INTO tblAutoQuestions (Company_Id, year, [No Personal Use]) VALUES (1, 2030, 0)"},
        UniqueKeyCase{"MethodName", "SELECT 1", "INSERT INTO tblDeprMethods (Method) VALUES ('macrs')"},
        UniqueKeyCase{"LivesTypeAndLife", "SELECT 1",
                      "INSERT INTO tblLives (Type, Life, Method) VALUES ('MACRS', 5, '200DB')"}),
    [](const auto& info) { return info.param.name; });

// Rows that differ in one part of the key are separate rows.
TEST(UniqueKeysAllow, RowsThatDifferInOnePartOfTheKey) {
    SqliteFile db = SqliteFile::shippedCopy();
    for (const char* sql : {
             "INSERT INTO tblMaxAuto (Year, Type) VALUES (2030, 'Gas'), (2030, 'Truck/Van'), (2031, 'Gas')",
             "INSERT INTO tblMisc4562Data (Company_Id, Year) VALUES (1, 2030), (2, 2030), (1, 2031)",
             "INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #]) VALUES (1, 2030, 1), (1, 2030, 2), (2, 2030, 1)",
             "INSERT INTO tblAutoQuestions (Company_Id, year) VALUES (1, 2030), (1, 2031), (2, 2030)"})
        EXPECT_EQ(db.run(sql), SQLITE_OK) << sql << ": " << db.lastError();
}

// Columns the program's INSERT statements leave out take values every reader can use.
TEST(Defaults, ColumnsLeftOutOfAnInsert) {
    SqliteFile db = SqliteFile::shippedCopy();
    ASSERT_EQ(db.run("INSERT INTO tblDeprClass (Method_ID, Description, Life) VALUES (1, 'Tools', 7)"), SQLITE_OK)
        << db.lastError();
    EXPECT_EQ(db.rows("SELECT [If Auto - Type], [Amortize #] FROM tblDeprClass WHERE Description = 'Tools'"),
              (std::vector<Row>{{"N/A", "0"}}));

    // The section 179 carry-over is stored alone into a new row; the form then reads every other column.
    ASSERT_EQ(db.run("INSERT INTO tblMisc4562Data (Company_Id, [Year], [179 Carryover]) VALUES (1, 2030, -500)"),
              SQLITE_OK);
    EXPECT_EQ(db.rows("SELECT [179 Carryover], [179 Income Limit], [Listed Claim], [Listed Evidence], "
                      "[Group Assets], [168 Property] + 0, [Other Depr] + 0, [263A Cost] + 0, [Exclude 179] "
                      "FROM tblMisc4562Data WHERE Year = 2030"),
              (std::vector<Row>{{"-500", "0", "0", "0", "0", "0.0", "0.0", "0.0", "0"}}));

    // The asset INSERT lists neither the key nor the gain or loss.
    ASSERT_EQ(db.run("INSERT INTO tblAssets (Company_Id, Asset_name, In_Service_date) VALUES (1, 'Desk', "
                     "'2005-03-01')"),
              SQLITE_OK);
    EXPECT_EQ(db.rows("SELECT Asset_num IS NOT NULL, gain_loss + 0, Type_179, sold_date FROM tblAssets "
                      "WHERE Asset_name = 'Desk'"),
              (std::vector<Row>{{"1", "0.0", "0", "1900-01-01"}}));

    // The vehicle-use report shows answers only on rows that received use data.
    ASSERT_EQ(db.run("INSERT INTO tblAutoUseReport (Description, [Vehicle #], Company_Id, Business_Percent) "
                     "VALUES ('Car', 1, 1, 0.8)"),
              SQLITE_OK);
    EXPECT_EQ(db.text("SELECT Display_Data FROM tblAutoUseReport WHERE Description = 'Car'"), "0");
}

TEST(Defaults, TheSettingsTableKeepsExactlyOneRow) {
    SqliteFile db = SqliteFile::shippedCopy();
    EXPECT_NE(db.run("INSERT INTO tblDefaults (DefaultYear) VALUES (2027)"), SQLITE_OK);
    EXPECT_NE(db.run("DELETE FROM tblDefaults"), SQLITE_OK);
    EXPECT_EQ(db.run("UPDATE tblDefaults SET DefaultYear = 2027, StartUp_Help = 0"), SQLITE_OK);
    EXPECT_EQ(db.rows("SELECT DefaultYear, StartUp_Help, ShowCompany FROM tblDefaults"),
              (std::vector<Row>{{"2027", "0", "1"}}));
}

// Dates are compared and ordered as text, so only complete ISO dates of real days may be stored.
TEST(StoredValues, DateColumnsTakeOnlyIsoDatesOfRealDays) {
    SqliteFile db = SqliteFile::shippedCopy();
    auto insertAsset = [&](const std::string& inService, const std::string& sold) {
        return db.run("INSERT INTO tblAssets (Company_Id, In_Service_date, sold_date) VALUES (1, " + inService +
                      ", " + sold + ")");
    };
    EXPECT_EQ(insertAsset("'2005-03-01'", "'1900-01-01'"), SQLITE_OK) << db.lastError();
    EXPECT_EQ(insertAsset("'2004-02-29'", "'2005-12-31'"), SQLITE_OK) << db.lastError();
    for (const char* bad : {"'03/01/2005'", "'2005-3-1'", "'2005-02-30'", "'2005-13-01'", "'2005-03-01 10:00:00'",
                            "20050301", "''", "NULL"}) {
        EXPECT_EQ(insertAsset(bad, "'1900-01-01'") & 0xff, SQLITE_CONSTRAINT) << "in service " << bad;
        EXPECT_EQ(insertAsset("'2005-03-01'", bad) & 0xff, SQLITE_CONSTRAINT) << "sold " << bad;
    }
}

// Queries test yes/no columns with "= 1"; any other true value (Jet's -1) would silently drop rows.
TEST(StoredValues, YesNoColumnsTakeOnlyZeroOrOne) {
    SqliteFile db = SqliteFile::shippedCopy();
    EXPECT_EQ(db.run("INSERT INTO tblMisc4562Data (Company_Id, Year, [Exclude 179]) VALUES (1, 2030, TRUE)"),
              SQLITE_OK);
    EXPECT_EQ(db.run("INSERT INTO tblMisc4562Data (Company_Id, Year, [Exclude 179]) VALUES (1, 2031, -1)"),
              SQLITE_CONSTRAINT_CHECK);
    EXPECT_EQ(db.run("INSERT INTO tblAssets (Company_Id, In_Service_date, Type_179) VALUES (1, '2005-01-01', 2)"),
              SQLITE_CONSTRAINT_CHECK);
    EXPECT_EQ(db.run("UPDATE tblDefaults SET ShowCompany = -1"), SQLITE_CONSTRAINT_CHECK);
}

// Table maintenance writes these numbers between apostrophes as typed; what is no number must not be stored.
TEST(StoredValues, MaintainedNumberColumnsTakeNumbersOnly) {
    struct Column {
        const char* table;
        const char* name;
    };
    SqliteFile db = SqliteFile::shippedCopy();
    for (const Column& column :
         {Column{"tblDeprClass", "Life"}, Column{"tblMax179", "Maximum Amount"}, Column{"tblMax179", "Threshold Cost"},
          Column{"tblMaxAuto", "Yr 1 + 30%"}, Column{"tblMaxAuto", "Yr 1 + 50%"}, Column{"tblMaxAuto", "Max Year 1"},
          Column{"tblMaxAuto", "Max Year 2"}, Column{"tblMaxAuto", "Max Year 3"}, Column{"tblMaxAuto", "Max Year 4"},
          Column{"tblMisc4562Data", "168 Property"}, Column{"tblMisc4562Data", "Other Depr"},
          Column{"tblMisc4562Data", "263A Cost"}}) {
        SCOPED_TRACE(std::string(column.table) + "." + column.name);
        ASSERT_EQ(db.run("INSERT INTO tblMisc4562Data (Company_Id, Year) SELECT 1, 2030 WHERE NOT EXISTS "
                         "(SELECT 1 FROM tblMisc4562Data)"),
                  SQLITE_OK);
        const std::string update = std::string("UPDATE ") + column.table + " SET [" + column.name + "] = ";
        for (const char* text : {"''", "'3,060'", "'12a'", "'abc'"})
            EXPECT_EQ(db.run(update + text), SQLITE_CONSTRAINT_CHECK) << text;
        EXPECT_EQ(db.run(update + "'1250.5'"), SQLITE_OK) << db.lastError();
        EXPECT_EQ(db.number("SELECT sum([" + std::string(column.name) + "]) / count(*) FROM " + column.table), 1250.5);
    }
}

// Lookups find a year with "Year = 2008"; a stored 2008.5 or an out-of-range number would silently drop the year's
// limits from every calculation, so the 16- and 32-bit columns take only whole numbers of their size, as Jet did.
TEST(StoredValues, WholeNumberColumnsRefuseFractionsAndOutOfRangeNumbers) {
    SqliteFile db = SqliteFile::shippedCopy();
    const std::string limitRow = "SELECT Year, typeof(Year), [Maximum Amount] FROM tblMax179 WHERE ID = " +
                                 db.text("SELECT ID FROM tblMax179 WHERE Year = 2008");
    const std::vector<Row> limit2008 = db.rows(limitRow);
    ASSERT_EQ(limit2008.size(), 1u);
    for (const char* year : {"2008.5", "99999", "32768", "'2008.5'", "''", "NULL"}) {
        const std::string update =
            std::string("UPDATE tblMax179 SET Year = ") + year + ", [Maximum Amount] = 1 WHERE Year = 2008";
        EXPECT_EQ(db.run(update) & 0xff, SQLITE_CONSTRAINT) << year;
        EXPECT_EQ(db.rows(limitRow), limit2008) << year;
    }
    EXPECT_EQ(db.run("INSERT INTO tblMax179 (Year, [Maximum Amount]) VALUES (99999, 1)"), SQLITE_CONSTRAINT_CHECK);

    ASSERT_EQ(db.run("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover]) VALUES (1, 2008, 300)"),
              SQLITE_OK);
    const std::string carryover = "SELECT [179 Carryover], typeof([179 Carryover]) FROM tblMisc4562Data";
    for (const char* amount : {"12.5", "'12.5'", "2147483648", "-2147483649"}) {
        EXPECT_EQ(db.run(std::string("UPDATE tblMisc4562Data SET [179 Carryover] = ") + amount),
                  SQLITE_CONSTRAINT_CHECK)
            << amount;
        EXPECT_EQ(db.rows(carryover), (std::vector<Row>{{"300", "integer"}})) << amount;
    }
}

// What the column's affinity turns into a whole number still passes, and so do the ends of the range and Null
// where the column allows it.
TEST(StoredValues, WholeNumberColumnsTakeWholeNumbersWrittenAsDecimalsOrText) {
    SqliteFile db = SqliteFile::shippedCopy();
    for (const char* year : {"2008.0", "'2008'"}) {
        ASSERT_EQ(db.run(std::string("UPDATE tblMax179 SET Year = ") + year + " WHERE Year = 2008"), SQLITE_OK)
            << year << ": " << db.lastError();
        EXPECT_EQ(db.rows("SELECT Year, typeof(Year) FROM tblMax179 WHERE Year = 2008"),
                  (std::vector<Row>{{"2008", "integer"}}))
            << year;
    }
    for (const char* amount : {"-2147483648", "2147483647", "'1200'", "NULL"})
        EXPECT_EQ(db.run(std::string("INSERT OR REPLACE INTO tblMisc4562Data (Company_Id, Year, [179 Carryover]) "
                                     "VALUES (1, 2030, ") +
                         amount + ")"),
                  SQLITE_OK)
            << amount << ": " << db.lastError();
    EXPECT_EQ(db.run("UPDATE tblMaxAuto SET Year = 32767 WHERE ID = (SELECT min(ID) FROM tblMaxAuto)"), SQLITE_OK);
    EXPECT_EQ(db.run("UPDATE tblDefaults SET DefaultYear = NULL"), SQLITE_OK);
}

// Every 16- and 32-bit column of every table is guarded, so a column added later cannot miss the check. The
// vehicle-use report's miles are left out: they are copied from miles typed as free text.
TEST(StoredValues, EveryWholeNumberColumnIsGuarded) {
    SqliteFile db = SqliteFile::shippedCopy();
    for (const char* row :
         {"INSERT INTO tblAssets (Company_Id, In_Service_date, depr_method, convention, depr_class_id, life_id, "
          "amortize_code, vehicle_num) VALUES (1, '2005-01-01', 1, 1, 1, 1, 0, 1)",
          "INSERT INTO tblDepr VALUES (1, 1, 2005, 0, 0)",
          "INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #]) VALUES (1, 2005, 1)",
          "INSERT INTO tblAutoQuestions (Company_Id, year) VALUES (1, 2005)",
          "INSERT INTO tblMisc4562Data (Company_Id, Year) VALUES (1, 2005)",
          "INSERT INTO tblAutoUseReport ([Vehicle #], Company_Id) VALUES (1, 1)"})
        ASSERT_EQ(db.run(row), SQLITE_OK) << row << ": " << db.lastError();

    int guarded = 0;
    for (const Row& column : db.rows("SELECT m.name, c.name, c.type FROM sqlite_master m, pragma_table_info(m.name) c "
                                     "WHERE m.type = 'table' AND c.type IN ('SMALLINT', 'LONG') AND NOT "
                                     "(m.name = 'tblAutoUseReport' AND c.name LIKE '% Miles')")) {
        const std::string table = *column[0], name = *column[1];
        SCOPED_TRACE(table + "." + name);
        ASSERT_GT(db.number("SELECT count(*) FROM " + table), 0) << "no row to update";
        const std::string update = "UPDATE " + table + " SET [" + name + "] = ";
        EXPECT_EQ(db.run(update + "1.5"), SQLITE_CONSTRAINT_CHECK);
        EXPECT_EQ(db.run(update + (*column[2] == "SMALLINT" ? "32768" : "2147483648")), SQLITE_CONSTRAINT_CHECK);
        ++guarded;
    }
    EXPECT_EQ(guarded, 27);
}

// Text is stored as typed: notes and miles that look like numbers keep their leading zeros, decimals and blanks.
TEST(StoredValues, TextColumnsKeepNumericLookingTextAsTyped) {
    SqliteFile db = SqliteFile::shippedCopy();
    ASSERT_EQ(db.run("INSERT INTO tblAssets (Company_Id, In_Service_date, notes, Asset_name) "
                     "VALUES (1, '2005-01-01', '00123 ', '1.50')"),
              SQLITE_OK);
    EXPECT_EQ(db.rows("SELECT notes, typeof(notes), Asset_name, typeof(Asset_name) FROM tblAssets "
                      "WHERE notes = '00123 '"),
              (std::vector<Row>{{"00123 ", "text", "1.50", "text"}}));
    ASSERT_EQ(db.run("INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles]) "
                     "VALUES (1, 2030, 1, '015000')"),
              SQLITE_OK);
    EXPECT_EQ(db.text("SELECT [Business Miles] FROM tblAutoUse WHERE year = 2030"), "015000");
    ASSERT_EQ(db.run("INSERT INTO tblCompany ([Company Name], [Zip Code]) VALUES ('North', '02134')"), SQLITE_OK);
    EXPECT_EQ(db.text("SELECT [Zip Code] FROM tblCompany WHERE [Company Name] = 'NORTH'"), "02134");
}

// The report copies the miles typed as text into its number columns, so it can format and total them.
TEST(StoredValues, ReportMilesBecomeNumbersWhenCopiedFromUseRows) {
    SqliteFile db = SqliteFile::shippedCopy();
    ASSERT_EQ(db.run("INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles], [Commuting Miles]) "
                     "VALUES (1, 2030, 1, '15000', '2500')"),
              SQLITE_OK);
    ASSERT_EQ(db.run("INSERT INTO tblAutoUseReport ([Vehicle #], Company_Id, [Business Miles], [Commuting Miles]) "
                     "SELECT [Vehicle #], Company_Id, [Business Miles], [Commuting Miles] FROM tblAutoUse "
                     "WHERE year = 2030"),
              SQLITE_OK);
    EXPECT_EQ(db.rows("SELECT typeof([Business Miles]), [Business Miles] + [Commuting Miles] FROM tblAutoUseReport "
                      "WHERE Company_Id = 1 AND [Vehicle #] = 1"),
              (std::vector<Row>{{"integer", "17500"}}));
}

// A deleted key is not handed out again: rows of an old asset must never attach to a new one.
TEST(StoredValues, DeletedKeysAreNotReused) {
    SqliteFile db = SqliteFile::shippedCopy();
    ASSERT_EQ(db.run("INSERT INTO tblAssets (Company_Id, In_Service_date) VALUES (1, '2005-01-01')"), SQLITE_OK);
    std::string deleted = db.text("SELECT max(Asset_num) FROM tblAssets");
    ASSERT_EQ(db.run("DELETE FROM tblAssets WHERE Asset_num = " + deleted), SQLITE_OK);
    ASSERT_EQ(db.run("INSERT INTO tblAssets (Company_Id, In_Service_date) VALUES (1, '2006-01-01')"), SQLITE_OK);
    EXPECT_EQ(db.number("SELECT max(Asset_num) FROM tblAssets"), std::stod(deleted) + 1);
}

}  // namespace
}  // namespace tally::data::testing
