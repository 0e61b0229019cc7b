// The declared column types as the program's recordsets report them: reports size and format their columns, and
// table maintenance writes its values, by a field's data type and defined size.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ColumnValues.h"
#include "Connection.h"
#include "SqliteFile.h"

namespace tally::data::testing {
namespace {

namespace fs = std::filesystem;
using ado::DataType;

TEST(RecordsetTypes, EveryDeclaredColumnTypeIsOneTheRecordsetKnows) {
    SqliteFile db = SqliteFile::shippedReadOnly();
    auto columns = db.rows(
        "SELECT m.name, p.name, p.type FROM sqlite_master m, pragma_table_info(m.name) p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%'");
    ASSERT_GT(columns.size(), 100u);
    for (const Row& c : columns)
        EXPECT_TRUE(ado::declaredFieldType(*c[2]).has_value()) << *c[0] << "." << *c[1] << " " << *c[2];
}

// A copy of the shipped file in a scratch folder, opened through the program's own connection.
class ShippedCopy : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tally-data-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        fs::copy_file(shippedDatabasePath(), folder_ / "Depr.mdb");
        connection_ = std::make_unique<ado::Connection>((folder_ / "Depr.mdb").string());
    }
    void TearDown() override {
        connection_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    struct Expected {
        std::string name;
        DataType type;
        long size;
    };
    void expectFields(const std::string& sql, const std::vector<Expected>& expected) {
        ado::RecordsetPtr rs = connection_->Execute(sql);
        ASSERT_EQ(rs->FieldCount(), static_cast<long>(expected.size())) << sql;
        for (long i = 0; i < rs->FieldCount(); ++i) {
            const ado::FieldInfo& field = rs->fieldInfo(i);
            EXPECT_EQ(field.name, expected[i].name) << sql;
            EXPECT_EQ(field.type, expected[i].type) << field.name;
            if (expected[i].size != 0) {
                EXPECT_EQ(field.definedSize, expected[i].size) << field.name;
            }
        }
    }

    fs::path folder_;
    std::unique_ptr<ado::Connection> connection_;
};

// The vehicle-use report reads its scratch table by position: wide description, vehicle number, hidden company,
// number columns for the miles, yes/no answers, then the hidden share and has-data flag.
TEST_F(ShippedCopy, VehicleUseReportColumnsComeInTheReportsOrderAndTypes) {
    expectFields("Select * from tblAutoUseReport ORDER BY business_percent desc , [Vehicle #] ",
                 {{"Description", DataType::VarWChar, 50},
                  {"Vehicle #", DataType::SmallInt, 2},
                  {"Company_Id", DataType::Integer, 4},
                  {"Business Miles", DataType::Integer, 4},
                  {"Commuting Miles", DataType::Integer, 4},
                  {"Personal Miles", DataType::Integer, 4},
                  {"Available Personal", DataType::Boolean, 0},
                  {"5 % Owner", DataType::Boolean, 0},
                  {"Another Car", DataType::Boolean, 0},
                  {"Business_Percent", DataType::Double, 8},
                  {"Display_Data", DataType::Boolean, 0}});
}

// Table maintenance sizes its edit fields from these (a year takes four digits, a state two letters).
TEST_F(ShippedCopy, MaintainedTablesReportTheirFieldTypesAndLengths) {
    expectFields("SELECT [Company Name], Owner, State, [Zip Code], [Tax Id], id FROM tblCompany",
                 {{"Company Name", DataType::VarWChar, 50},
                  {"Owner", DataType::VarWChar, 50},
                  {"State", DataType::VarWChar, 2},
                  {"Zip Code", DataType::VarWChar, 10},
                  {"Tax Id", DataType::VarWChar, 11},
                  {"id", DataType::Integer, 4}});
    expectFields("SELECT Year, [Maximum Amount], ID FROM tblMax179",
                 {{"Year", DataType::SmallInt, 2},
                  {"Maximum Amount", DataType::Double, 8},
                  {"ID", DataType::Integer, 4}});
    expectFields("SELECT [If Auto - Type], [Amortize #], Life FROM tblDeprClass",
                 {{"If Auto - Type", DataType::VarWChar, 9},
                  {"Amortize #", DataType::SmallInt, 2},
                  {"Life", DataType::Double, 8}});
    expectFields("SELECT [179 Carryover], [Listed Claim], [263A Cost] FROM tblMisc4562Data",
                 {{"179 Carryover", DataType::Integer, 4},
                  {"Listed Claim", DataType::Boolean, 0},
                  {"263A Cost", DataType::Double, 8}});
}

// An asset written the way the asset form writes it reads back as dates, a yes/no and the notes as typed.
TEST_F(ShippedCopy, AnAssetRowReadsBackInItsDeclaredTypes) {
    connection_->ExecuteAction(
        "INSERT INTO tblAssets (Company_Id, Asset_name, Cost,  [Allowance 30 %], 179_deduction, In_Service_date, "
        "depr_method  , life, convention, other_deductions, bussiness_percent, sold_date, sold_amt, notes, "
        "depr_class_id, life_id, amortize_code, vehicle_num, actual_method, Type_179 ) Values(1, 'Truck' ,25000,0,0, "
        "#03/2005#, 1, 5,1, 0,1, #1/1/1900#, 0, '0042 ', 1, 1, 0, 0,'200 DB',1) ");
    ado::RecordsetPtr rs = connection_->Execute(
        "SELECT In_Service_date, sold_date, Type_179, notes, life, convention FROM tblAssets "
        "WHERE Asset_name = 'truck'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->fieldInfo(0).type, DataType::Date);
    EXPECT_EQ(rs->fieldInfo(1).type, DataType::Date);
    EXPECT_EQ(rs->fieldInfo(2).type, DataType::Boolean);
    EXPECT_EQ(rs->fieldInfo(3).type, DataType::LongVarWChar);
    EXPECT_EQ(rs->fieldInfo(4).type, DataType::Double);
    EXPECT_EQ(rs->fieldInfo(5).type, DataType::SmallInt);
    EXPECT_EQ((*rs)["notes"].type(), vb::VarType::String);
    EXPECT_EQ((*rs)["notes"].toString(), "0042 ");
    EXPECT_EQ((*rs)["Type_179"].type(), vb::VarType::Boolean);
    EXPECT_EQ((*rs)["In_Service_date"].type(), vb::VarType::Date);
}

}  // namespace
}  // namespace tally::data::testing
