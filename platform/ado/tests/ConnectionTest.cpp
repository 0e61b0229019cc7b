#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "CommaDecimalLocale.h"
#include "ComError.h"
#include "Connection.h"
#include "Conversions.h"
#include "ErrorNumber.h"
#include "ScratchDatabase.h"

namespace {

using ado::Connection;
using ado::DataType;
using ado::testing::createDatabase;
using ado::testing::kDefaultsTable;
using ado::testing::ScratchFolder;
using tally::testing::errorOf;
using vb::Variant;

namespace adoerr = ado::adoerr;
namespace fs = std::filesystem;

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest() {
        createDatabase(path(), std::string(kDefaultsTable) +
                                   "CREATE TABLE tblItems (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                   " Name VARCHAR(20) COLLATE NOCASE UNIQUE, Life DOUBLE, Code SMALLINT,"
                                   " Qty LONG, Rate SINGLE, Price CURRENCY, Placed DATETIME, Listed YESNO,"
                                   " Notes MEMO TEXT);");
    }
    fs::path path() const { return folder.file("Depr.mdb"); }

    ScratchFolder folder;
};

TEST_F(ConnectionTest, FieldsCarryTheAdoTypeAndSizeOfTheDeclaredColumnType) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Life, Code, Qty, Rate, Price, Placed, Listed, Notes) "
                     "values ('Truck', 5, 3, 70000, 0.5, 12.25, #3/1/2005#, True, 'n')");
    const ado::RecordsetPtr rs = db.Execute("select id, Name, Life, Code, Qty, Rate, Price, Placed, Listed, Notes "
                                            "from tblItems");
    struct Expected {
        const char* name;
        DataType type;
        long size;
        Variant value;
    };
    const Expected expected[] = {
        {"id", DataType::Integer, 4, Variant(std::int32_t{1})},
        {"Name", DataType::VarWChar, 20, Variant("Truck")},
        {"Life", DataType::Double, 8, Variant(5.0)},
        {"Code", DataType::SmallInt, 2, Variant(std::int16_t{3})},
        {"Qty", DataType::Integer, 4, Variant(std::int32_t{70000})},
        {"Rate", DataType::Single, 4, Variant(0.5)},
        {"Price", DataType::Currency, 8, Variant(12.25)},
        {"Placed", DataType::Date, 8, Variant(vb::Date(2005, 3, 1))},
        {"Listed", DataType::Boolean, 2, Variant(true)},
        {"Notes", DataType::LongVarWChar, 536870910, Variant("n")},
    };
    ASSERT_EQ(rs->FieldCount(), static_cast<long>(std::size(expected)));
    for (long i = 0; i < rs->FieldCount(); ++i) {
        SCOPED_TRACE(expected[i].name);
        const ado::Field field = rs->field(i);
        EXPECT_EQ(field.Name(), expected[i].name);
        EXPECT_EQ(field.Type(), expected[i].type);
        EXPECT_EQ(field.DefinedSize(), expected[i].size);
        EXPECT_EQ(field.Value(), expected[i].value);
    }
}

TEST_F(ConnectionTest, ComputedColumnsTakeTheirTypeFromTheirValues) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Life, Qty) values ('a', 2.5, 3)");
    const ado::RecordsetPtr rs =
        db.Execute("select Sum(Qty) as total, Sum(Life), Name + ' x', count(*), Max(Notes) from tblItems");
    EXPECT_EQ(rs->fieldInfo(0).type, DataType::Integer);
    EXPECT_EQ((*rs)["total"], Variant(std::int32_t{3}));
    EXPECT_EQ(rs->fieldInfo(1).type, DataType::Double);
    EXPECT_EQ((*rs)[1], Variant(2.5));
    EXPECT_EQ(rs->fieldInfo(2).type, DataType::VarWChar);
    EXPECT_EQ((*rs)[2], Variant("a x"));
    EXPECT_EQ(rs->fieldInfo(3).type, DataType::Integer);
    EXPECT_TRUE((*rs)[4].isNull());
}

TEST_F(ConnectionTest, YesNoReadsAnyNonZeroNumberAsTrue) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Listed) values ('a', -1), ('b', 2), ('c', 0), ('d', Null)");
    const ado::RecordsetPtr rs = db.Execute("select Listed from tblItems order by Name");
    std::vector<Variant> values;
    for (; !rs->EOF_(); rs->MoveNext()) values.push_back((*rs)["listed"]);
    EXPECT_EQ(values, (std::vector<Variant>{Variant(true), Variant(true), Variant(false), Variant::null()}));
}

TEST_F(ConnectionTest, RecordsetStaysReadableAfterTheConnectionIsGone) {
    ado::RecordsetPtr rs;
    {
        Connection db(path());
        rs = db.Execute("select [DefaultYear], StartUp_Help from tblDefaults");
    }
    EXPECT_EQ((*rs)["defaultyear"], Variant(std::int16_t{2005}));
    EXPECT_EQ((*rs)[1], Variant(true));
}

TEST_F(ConnectionTest, StatementsAreTranslatedBeforeTheyRun) {
    Connection db(path());
    EXPECT_EQ(db.ExecuteAction("insert into tblItems (Name, Life, Placed, Listed) values "
                               "('a', 5, #03/2005#, Yes), ('b', 27.5, # 12/31/2005#, No), ('c', Null, #1/1/1900#, No)"),
              3);
    const ado::RecordsetPtr rs = db.Execute("select Name, Life + ' years' as [Years  ], [Name  ] from tblItems "
                                            "where DatePart('YYYY', Placed) = 2005 and Listed = True");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ((*rs)["Years  "], Variant("5 years"));
    EXPECT_EQ((*rs)["Name  "], Variant("a"));
    EXPECT_EQ(db.Execute("select Life + '-' from tblItems order by Name")->rows(),
              (std::vector<std::vector<Variant>>{{Variant("5-")}, {Variant("27.5-")}, {Variant::null()}}));
    EXPECT_EQ(db.Execute("select Placed from tblItems where Name = 'B'")->field(0L).Value(),
              Variant(vb::Date(2005, 12, 31)));
    EXPECT_EQ(db.ExecuteAction("Delete * from tblItems where Placed < #1/1/2000#"), 1);
}

// A user with German regional settings: amounts pasted into statements and dates in either stored form keep their
// value, and amounts come back into text with a period.
TEST_F(ConnectionTest, PastedNumbersAndDatesKeepTheirValueInAGermanLocale) {
    const tally::testing::CommaDecimalLocale locale;
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Life, Price, Placed) values ('a', " + vb::NumberText(2.5) + ", " +
                     Variant(1234.5).toString() + ", #3/1/2005#), ('b', 0.1, 0, '3/1/2005')");
    const ado::RecordsetPtr rs =
        db.Execute("select Life, typeof(Life), Price, Placed, Life + ' years' from tblItems order by Name");
    EXPECT_EQ(rs->rows(), (std::vector<std::vector<Variant>>{
                              {Variant(2.5), Variant("real"), Variant(1234.5), Variant(vb::Date(2005, 3, 1)),
                               Variant("2.5 years")},
                              {Variant(0.1), Variant("real"), Variant(0.0), Variant(vb::Date(2005, 3, 1)),
                               Variant("0.1 years")}}));
    EXPECT_EQ(db.Execute("select Sum(Life) from tblItems where Life > 0.5")->field(0L).Value(), Variant(2.5));
}

TEST_F(ConnectionTest, DatePartHandlesTheCommonIntervalsAndNull) {
    Connection db(path());
    const ado::RecordsetPtr rs = db.Execute("select DatePart('yyyy', '2005-08-14'), datepart('q', '2005-08-14'), "
                                            "DatePart('m', '2005-08-14'), DatePart('d', '2005-08-14'), "
                                            "DatePart('yyyy', Null)");
    EXPECT_EQ(rs->rows().front(), (std::vector<Variant>{Variant(std::int32_t{2005}), Variant(std::int32_t{3}),
                                                         Variant(std::int32_t{8}), Variant(std::int32_t{14}),
                                                         Variant::null()}));
    EXPECT_EQ(errorOf([&] { db.Execute("select DatePart('yyyy', 'not a date')"); }).number(), adoerr::ProviderError);
}

// A number beyond the last day makes DatePart fail inside SQLite; the failure must come back as the statement's
// error, and the connection must stay usable.
TEST_F(ConnectionTest, DatePartOfANumberOutOfTheDateRangeFailsTheStatementOnly) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Life) values ('far', 99999999), ('near', 38412)");
    for (const char* sql : {"select DatePart('yyyy', 99999999)", "select DatePart('yyyy', Life) from tblItems",
                            "select DatePart('yyyy', -1e300)"}) {
        SCOPED_TRACE(sql);
        const tally::ComError e = errorOf([&] { db.Execute(sql); });
        EXPECT_EQ(e.number(), adoerr::ProviderError);
        EXPECT_EQ(e.source(), "Microsoft JET Database Engine");
    }
    ado::Transaction transaction(db);
    db.ExecuteAction("delete from tblItems where Name = 'far'");
    transaction.commit();
    EXPECT_FALSE(db.inTransaction());
    // A fraction is a time of day, on either side of day 0: -1.5 is noon on 12/29/1899.
    EXPECT_EQ(db.Execute("select DatePart('yyyy', Life), DatePart('d', -1.5) from tblItems")->rows(),
              (std::vector<std::vector<Variant>>{{Variant(std::int32_t{2005}), Variant(std::int32_t{29})}}));
}

TEST_F(ConnectionTest, ActionCountsOnlyTheRowsThatStatementChanged) {
    Connection db(path());
    EXPECT_EQ(db.ExecuteAction("insert into tblItems (Name) values ('a'), ('b'), ('c')"), 3);
    EXPECT_EQ(db.ExecuteAction("create table tblMore (x LONG)"), 0);
    EXPECT_EQ(db.ExecuteAction("update tblItems set Life = 5 where Name <> 'b'"), 2);
    EXPECT_EQ(db.ExecuteAction("select * from tblItems"), 0);
    EXPECT_EQ(db.ExecuteAction("delete from tblItems where Name = 'none'"), 0);
    EXPECT_EQ(db.ExecuteAction("drop table tblMore"), 0);
}

TEST_F(ConnectionTest, UpdateWithAJoinChangesTheTargetRowsOnly) {
    createDatabase(folder.file("join.mdb"),
                   std::string(kDefaultsTable) +
                       "CREATE TABLE tblUse (Company_Id LONG, [Vehicle #] SMALLINT, Year SMALLINT, Miles LONG);"
                       "CREATE TABLE tblReport (Company_Id LONG, [Vehicle #] SMALLINT, Miles LONG, Shown YESNO);"
                       "INSERT INTO tblUse VALUES (1, 1, 2005, 100), (1, 2, 2005, 200), (1, 1, 2004, 50);"
                       "INSERT INTO tblReport VALUES (1, 1, Null, 0), (1, 2, Null, 0), (2, 1, Null, 0);");
    Connection db(folder.file("join.mdb"));
    db.ExecuteAction("UPDATE tblUse INNER JOIN tblReport ON (tblUse.Company_Id = tblReport.Company_Id) AND "
                     "(tblUse.[Vehicle #] = tblReport.[Vehicle #]) SET tblReport.Miles = [tblUse].Miles, "
                     "tblReport.Shown = Yes WHERE (((tblUse.Year)= 2005))");
    EXPECT_EQ(db.Execute("select Miles, Shown from tblReport order by Company_Id, [Vehicle #]")->rows(),
              (std::vector<std::vector<Variant>>{{Variant(std::int32_t{100}), Variant(true)},
                                                 {Variant(std::int32_t{200}), Variant(true)},
                                                 {Variant::null(), Variant(false)}}));
}

TEST_F(ConnectionTest, FailuresRaiseTheProviderErrorWithTheDuplicateKeyNumberForAUniqueIndex) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name) values ('Truck')");
    const tally::ComError duplicate = errorOf([&] { db.ExecuteAction("insert into tblItems (Name) values ('TRUCK')"); });
    EXPECT_EQ(duplicate.number(), adoerr::DuplicateKey);
    EXPECT_EQ(duplicate.source(), "Microsoft JET Database Engine");

    for (const char* bad : {"select * from tblNothing", "selec 1", "select 1; select 2", "   ", "insert into "
                                                                                               "tblItems (Nope) values (1)"}) {
        SCOPED_TRACE(bad);
        const tally::ComError e = errorOf([&] { db.Execute(bad); });
        EXPECT_EQ(e.number(), adoerr::ProviderError);
        EXPECT_EQ(e.source(), "Microsoft JET Database Engine");
    }
    EXPECT_EQ(db.Execute("select count(*) from tblItems")->field(0L).Value(), Variant(std::int32_t{1}));
}

// SQLite would read these as parameters that nothing binds and store Null; Jet refused them.
TEST_F(ConnectionTest, AStatementWithParametersIsRefusedAndChangesNothing) {
    Connection db(path());
    db.ExecuteAction("insert into tblItems (Name, Qty) values ('Truck', 7)");
    for (const char* sql : {"update tblItems set Qty = $50000 where Name = 'Truck'",
                            "update tblItems set Qty = -$5 where Name = 'Truck'",
                            "update tblItems set Qty = ? where Name = 'Truck'",
                            "update tblItems set Qty = :a where Name = 'Truck'",
                            "update tblItems set Qty = @a where Name = 'Truck'"}) {
        SCOPED_TRACE(sql);
        const tally::ComError e = errorOf([&] { db.ExecuteAction(sql); });
        EXPECT_EQ(e.number(), adoerr::ProviderError);
        EXPECT_EQ(e.description(), "No value given for one or more required parameters.");
    }
    EXPECT_EQ(db.Execute("select Qty from tblItems")->field(0L).Value(), Variant(std::int32_t{7}));
    EXPECT_EQ(db.ExecuteAction("update tblItems set Notes = '$5 ? :a @a' where Name = 'Truck'"), 1);
    EXPECT_EQ(db.Execute("select Notes from tblItems")->field(0L).Value(), Variant("$5 ? :a @a"));
}

TEST_F(ConnectionTest, OpensInRollbackJournalMode) {
    createDatabase(folder.file("wal.mdb"), std::string(kDefaultsTable) + "PRAGMA journal_mode=WAL;");
    Connection db(folder.file("wal.mdb"));
    EXPECT_EQ(db.Execute("PRAGMA journal_mode")->field(0L).Value(), Variant("delete"));
}

TEST(ConnectionOpen, AMissingFileFailsAtTheFirstStatementAndIsNeverCreated) {
    ScratchFolder folder;
    const fs::path missing = folder.file("Depr.mdb");
    Connection db(missing);  // no error yet
    for (int attempt = 0; attempt < 2; ++attempt) {
        const tally::ComError e = errorOf([&] { db.Execute("select * from tblDefaults"); });
        EXPECT_EQ(e.number(), adoerr::CannotOpenDatabase);
        EXPECT_NE(e.description().find("Depr.mdb"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(ConnectionOpen, AFileThatIsNotTheProgramsDatabaseFailsAndStaysAsItWas) {
    ScratchFolder folder;
    {
        std::ofstream(folder.file("text.mdb")) << std::string(4096, 'x');
        std::ofstream(folder.file("empty.mdb"));
    }
    createDatabase(folder.file("other.mdb"), "CREATE TABLE t (a);");
    for (const char* name : {"text.mdb", "empty.mdb", "other.mdb"}) {
        SCOPED_TRACE(name);
        const auto size = fs::file_size(folder.file(name));
        Connection db(folder.file(name));
        const tally::ComError e = errorOf([&] { db.ExecuteAction("insert into t values (1)"); });
        EXPECT_EQ(e.number(), adoerr::CannotOpenDatabase);
        EXPECT_EQ(e.description(), "Unrecognized database format '" + folder.file(name).string() + "'.");
        EXPECT_EQ(fs::file_size(folder.file(name)), size);
    }
}

TEST(ConnectionOpen, AForeignFileInWalModeIsRefusedWithoutBeingWritten) {
    ScratchFolder folder;
    const fs::path foreign = folder.file("other.mdb");
    createDatabase(foreign, "PRAGMA journal_mode=WAL; CREATE TABLE t (a); INSERT INTO t VALUES (1);");
    const auto bytesOf = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string before = bytesOf(foreign);
    ASSERT_EQ(before.substr(18, 2), std::string("\x02\x02"));  // the header's mark of a WAL-mode file
    {
        Connection db(foreign);
        EXPECT_EQ(errorOf([&] { db.Open(); }).number(), adoerr::CannotOpenDatabase);
    }
    EXPECT_EQ(bytesOf(foreign), before);
}

TEST_F(ConnectionTest, TransactionRollsBackUnlessCommitted) {
    Connection db(path());
    {
        ado::Transaction transaction(db);
        db.ExecuteAction("insert into tblItems (Name) values ('kept')");
        EXPECT_EQ(errorOf([&] { ado::Transaction nested(db); }).number(), adoerr::ProviderError);
        transaction.commit();
    }
    try {
        ado::Transaction transaction(db);
        db.ExecuteAction("insert into tblItems (Name) values ('lost')");
        db.ExecuteAction("insert into tblItems (Name) values ('kept')");  // duplicate: raises
        transaction.commit();
    } catch (const tally::ComError&) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(db.Execute("select Name from tblItems")->rows(), (std::vector<std::vector<Variant>>{{Variant("kept")}}));
}

}  // namespace
