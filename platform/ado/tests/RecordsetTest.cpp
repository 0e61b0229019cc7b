#include <gtest/gtest.h>

#include <functional>

#include "ComError.h"
#include "Recordset.h"
#include "ErrorNumber.h"

namespace {

using ado::DataType;
using ado::FieldInfo;
using ado::Recordset;
using vb::Variant;

using tally::testing::errorNumberOf;

Recordset twoRows() {
    return Recordset({{"Year  ", DataType::SmallInt, 2}, {"Cost", DataType::Double, 8}, {"cost", DataType::Double, 8}},
                     {{Variant(std::int16_t{2005}), Variant(10.5), Variant(1.0)},
                      {Variant(std::int16_t{2006}), Variant::null(), Variant(2.0)}});
}

TEST(RecordsetNames, IgnoreCaseButKeepTrailingBlanksAndTheFirstDuplicateWins) {
    const Recordset rs = twoRows();
    EXPECT_EQ(rs["year  "], Variant(std::int16_t{2005}));
    EXPECT_EQ(rs["YEAR  "], Variant(std::int16_t{2005}));
    EXPECT_EQ(rs["COST"], Variant(10.5));
    EXPECT_EQ(rs[2], Variant(1.0));
    EXPECT_EQ(rs.field("cost").Name(), "Cost");
    EXPECT_TRUE(rs.hasField("Year  "));
    EXPECT_FALSE(rs.hasField("Year"));
    EXPECT_FALSE(rs.hasField("Year   "));
    EXPECT_EQ(errorNumberOf([&] { rs["Year"]; }), ado::adoerr::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { rs[3]; }), ado::adoerr::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { rs[-1]; }), ado::adoerr::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { rs.fieldInfo(3); }), ado::adoerr::ItemNotFound);
}

TEST(RecordsetCursor, WalksForwardToEofAndRaisesPastIt) {
    Recordset rs = twoRows();
    EXPECT_FALSE(rs.BOF());
    EXPECT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.RecordCount(), 2);
    rs.MoveNext();
    EXPECT_TRUE(rs["Cost"].isNull());
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF_());
    EXPECT_EQ(errorNumberOf([&] { rs["Cost"]; }), ado::adoerr::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { rs.MoveNext(); }), ado::adoerr::NoCurrentRecord);
    // An unknown name is reported as such even without a current row.
    EXPECT_EQ(errorNumberOf([&] { rs["Nothing"]; }), ado::adoerr::ItemNotFound);
    rs.MoveFirst();
    EXPECT_EQ(rs["Year  "], Variant(std::int16_t{2005}));
}

TEST(RecordsetCursor, EmptyRecordsetIsAtBothBofAndEofButKeepsItsFields) {
    Recordset rs({{"Cost", DataType::Double, 8}}, {});
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.EOF_());
    EXPECT_EQ(rs.FieldCount(), 1);
    EXPECT_EQ(rs.fieldInfo(0).name, "Cost");
    EXPECT_EQ(errorNumberOf([&] { rs[0]; }), ado::adoerr::NoCurrentRecord);
}

TEST(RecordsetFields, QueryCodeMayFixTheTypeOfAComputedColumn) {
    Recordset rs = twoRows();
    rs.setFieldInfo(1, DataType::Currency, 8);
    EXPECT_EQ(rs.field(1).Type(), DataType::Currency);
    EXPECT_EQ(rs.field("cost").DefinedSize(), 8);
    // A sum of whole numbers comes back from the database as a Long; as a Double column it reads as a Double.
    Recordset sums({{"Total", DataType::Integer, 4}}, {{Variant(std::int32_t{0})}, {Variant::null()}});
    sums.setFieldInfo(0, DataType::Double, 8);
    EXPECT_EQ(sums[0].type(), vb::VarType::Double);
    EXPECT_EQ(sums[0], Variant(0.0));
    sums.MoveNext();
    EXPECT_TRUE(sums[0].isNull());
    EXPECT_EQ(errorNumberOf([&] { rs.setFieldInfo(5, DataType::Double, 8); }), ado::adoerr::ItemNotFound);
}

}  // namespace
