#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ColumnValues.h"
#include "ComError.h"
#include "Connection.h"
#include "ErrorNumber.h"
#include "PreparedStatements.h"
#include "ScratchDatabase.h"

namespace {

using ado::Connection;
using ado::DataType;
using ado::testing::createDatabase;
using ado::testing::kDefaultsTable;
using ado::testing::ScratchFolder;
using tally::testing::errorNumberOf;

namespace adoerr = ado::adoerr;
namespace fs = std::filesystem;

// A second connection of SQLite's own, as another program (or a restore) would hold the file.
class OtherConnection {
public:
    explicit OtherConnection(const fs::path& path) { sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr); }
    ~OtherConnection() { sqlite3_close_v2(db_); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;
    int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
    // True when nothing else holds any lock on the file.
    bool canLockExclusively() {
        const bool locked = exec("BEGIN EXCLUSIVE") == SQLITE_OK;
        if (locked) exec("ROLLBACK");
        return locked;
    }
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

class PreparedStatementsTest : public ::testing::Test {
protected:
    PreparedStatementsTest() {
        createDatabase(path(), std::string(kDefaultsTable) +
                                   "CREATE TABLE tblItems (id INTEGER PRIMARY KEY, Name VARCHAR(20) COLLATE NOCASE "
                                   "UNIQUE, Qty LONG); INSERT INTO tblItems VALUES (1, 'Desk', 2);");
    }
    fs::path path() const { return folder.file("Depr.mdb"); }
    long rowsOf(Connection& db, const std::string& sql) { return db.Execute(sql)->RecordCount(); }

    ScratchFolder folder;
};

// A statement run again reads the table as it is then, also after its columns changed, and whether it read every
// row, failed part-way or broke a key, it leaves no lock behind that would keep another program from writing.
TEST_F(PreparedStatementsTest, AStatementRunAgainSeesTheTableAsItIsAndHoldsNoLock) {
    Connection db(path());
    OtherConnection other(path());
    const std::string all = "select * from tblItems order by id";
    EXPECT_EQ(rowsOf(db, all), 1);
    EXPECT_TRUE(other.canLockExclusively());

    db.ExecuteAction("insert into tblItems (id, Name, Qty) values (2, 'Chair', 3)");
    ASSERT_EQ(other.exec("INSERT INTO tblItems VALUES (3, 'Lamp', 1)"), SQLITE_OK);
    EXPECT_EQ(rowsOf(db, all), 3);

    ASSERT_EQ(other.exec("ALTER TABLE tblItems ADD COLUMN Notes MEMO"), SQLITE_OK);
    const ado::RecordsetPtr widened = db.Execute(all);
    ASSERT_EQ(widened->FieldCount(), 4);
    EXPECT_EQ(widened->fieldInfo(3).name, "Notes");
    EXPECT_EQ(widened->fieldInfo(3).type, DataType::LongVarWChar);

    const std::string duplicate = "insert into tblItems (id, Name) values (9, 'desk')";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(errorNumberOf([&] { db.ExecuteAction(duplicate); }), adoerr::DuplicateKey);
        EXPECT_TRUE(other.canLockExclusively());
    }

    // DatePart refuses a name that is no date on the second row, after the first row was read.
    const std::string failing = "select DatePart('yyyy', iif(id = 1, #1/2/2003#, Name)) from tblItems";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_NE(errorNumberOf([&] { db.Execute(failing); }), 0);
        EXPECT_TRUE(other.canLockExclusively());
    }
    EXPECT_EQ(db.ExecuteAction("update tblItems set Qty = 5 where id = 1"), 1L);
    EXPECT_EQ(db.ExecuteAction("update tblItems set Qty = 5 where id = 1"), 1L);
}

TEST_F(PreparedStatementsTest, AFullCacheLetsItsLeastRecentlyUsedStatementGo) {
    OtherConnection db(path());
    ado::PreparedStatements statements(2);
    const auto firstValue = [&](const std::string& sql) {
        const ado::PreparedStatements::Lease statement(statements.get(db.get(), sql));
        EXPECT_TRUE(statement->step());
        return sqlite3_column_int(statement->get(), 0);
    };
    ado::Statement* one = &statements.get(db.get(), "select 1");
    EXPECT_EQ(firstValue("select 1"), 1);
    EXPECT_EQ(firstValue("select 2"), 2);
    EXPECT_EQ(firstValue("select 1"), 1);  // now used after "select 2"
    EXPECT_EQ(firstValue("select 3"), 3);  // "select 2" goes
    EXPECT_EQ(statements.size(), 2U);
    EXPECT_EQ(&statements.get(db.get(), "select 1"), one);
    EXPECT_EQ(firstValue("select 2"), 2);
    EXPECT_EQ(firstValue("select True"), 1);  // translated as every statement is
    EXPECT_EQ(errorNumberOf([&] { statements.get(db.get(), "select #13/1/2003#"); }), adoerr::ProviderError);
    EXPECT_EQ(statements.size(), 2U);
}

// The quick way a result cell is read gives exactly what the general conversion gives, type included.
TEST(ColumnValue, ReadsEveryStoredValueAsTheGeneralConversionDoes) {
    OtherConnection db(":memory:");
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.get(),
                                 "SELECT 5, -40000, 70000, 3000000000, -3000000000, 2.5, 2.0, 1e300, 'text', '12', "
                                 "'2005-03-01', '2005-02-30', '3/1/2005', '2005-03-01 10:00:00', '', NULL, x'4142'",
                                 -1, &statement, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    const DataType types[] = {DataType::Empty,    DataType::SmallInt, DataType::Integer, DataType::Single,
                              DataType::Double,   DataType::Currency, DataType::Date,    DataType::Boolean,
                              DataType::VarWChar, DataType::LongVarWChar};
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        for (const DataType type : types) {
            SCOPED_TRACE(std::to_string(c) + " as " + std::to_string(static_cast<int>(type)));
            sqlite3_value* value = sqlite3_column_value(statement, c);
            // A number far outside the dates raises in both.
            const auto readAs = [&](const std::function<vb::Variant()>& read) -> std::optional<vb::Variant> {
                if (errorNumberOf([&] { read(); }) != 0) return std::nullopt;
                return read();
            };
            EXPECT_EQ(readAs([&] { return ado::columnValue(value, type); }),
                      readAs([&] { return ado::asDeclaredType(ado::storedValue(value), type); }));
        }
    }
    sqlite3_finalize(statement);
}

}  // namespace
