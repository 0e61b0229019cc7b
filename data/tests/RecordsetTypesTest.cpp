// The declared column types as the program's recordsets see them: reports size and format their columns, and
// table maintenance writes its values, by a field's data type and defined size.

#include <gtest/gtest.h>

#include <string>

#include "ColumnValues.h"
#include "ShippedCopy.h"
#include "SqliteFile.h"

namespace tally::data::testing {
namespace {

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
