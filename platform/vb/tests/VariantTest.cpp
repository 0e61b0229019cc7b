#include <gtest/gtest.h>

#include <functional>

#include "ComError.h"
#include "Variant.h"
#include "ErrorNumber.h"

namespace {

using vb::Date;
using vb::Variant;

using tally::testing::errorNumberOf;

TEST(Variant, TypesAreReported) {
    EXPECT_EQ(Variant().type(), vb::VarType::Empty);
    EXPECT_EQ(Variant::null().type(), vb::VarType::Null);
    EXPECT_EQ(Variant(true).type(), vb::VarType::Boolean);
    EXPECT_EQ(Variant(std::int16_t{1}).type(), vb::VarType::Integer);
    EXPECT_EQ(Variant(std::int32_t{1}).type(), vb::VarType::Long);
    EXPECT_EQ(Variant(1.5).type(), vb::VarType::Double);
    EXPECT_EQ(Variant("x").type(), vb::VarType::String);
    EXPECT_EQ(Variant(Date(2005, 3, 1)).type(), vb::VarType::Date);
}

struct ConversionCase {
    Variant value;
    double asDouble;
    const char* asString;
    bool asBool;
};

TEST(Variant, ConversionsFollowTheRuntime) {
    const ConversionCase cases[] = {
        {Variant(), 0, "", false},
        {Variant(true), -1, "True", true},
        {Variant(false), 0, "False", false},
        {Variant(std::int16_t{-7}), -7, "-7", true},
        {Variant(std::int32_t{123456}), 123456, "123456", true},
        {Variant(0.03636 * 275000), 9999.000000000002, "9999", true},
        {Variant(2.5), 2.5, "2.5", true},
        {Variant("  1,250.5 "), 1250.5, "  1,250.5 ", true},
        {Variant("0"), 0, "0", false},
        {Variant(Date(2005, 3, 1)), 38412, "3/1/2005", true},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_EQ(c.value.toDouble(), c.asDouble) << c.asString;
        EXPECT_EQ(c.value.toString(), c.asString);
        EXPECT_EQ(c.value.toBool(), c.asBool) << c.asString;
    }
}

TEST(Variant, WholeNumbersRoundHalfEvenAndCheckRange) {
    EXPECT_EQ(Variant(true).toInt(), -1);
    EXPECT_EQ(Variant(2.5).toInt(), 2);
    EXPECT_EQ(Variant(-2.5).toInt(), -2);
    EXPECT_EQ(Variant("3.5").toInt(), 4);
    EXPECT_EQ(Variant(std::int32_t{40000}).toLong(), 40000);
    EXPECT_EQ(Variant().toLong(), 0);
    EXPECT_EQ(errorNumberOf([] { Variant(std::int32_t{40000}).toInt(); }), tally::vberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { Variant(3e9).toLong(); }), tally::vberr::Overflow);
}

TEST(Variant, TextThatIsNotANumberIsATypeMismatch) {
    EXPECT_EQ(errorNumberOf([] { Variant("12abc").toDouble(); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { Variant("").toInt(); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { Variant("maybe").toBool(); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { Variant("3/1/2005").toDouble(); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { Variant("not a date").toDate(); }), tally::vberr::TypeMismatch);
    EXPECT_TRUE(Variant(" true ").toBool());
    EXPECT_FALSE(Variant("FALSE").toBool());
}

TEST(Variant, NullIsAnInvalidUseInEveryConversion) {
    const Variant null = Variant::null();
    const std::function<void()> conversions[] = {
        [&] { null.toBool(); },   [&] { null.toInt(); },    [&] { null.toLong(); },
        [&] { null.toDouble(); }, [&] { null.toString(); }, [&] { null.toDate(); },
    };
    for (const auto& convert : conversions) EXPECT_EQ(errorNumberOf(convert), vb::InvalidUseOfNull);
    EXPECT_FALSE(null.isNumeric());
}

TEST(Variant, Dates) {
    EXPECT_EQ(Variant("03/2005").toDate(), Date(2005, 3, 1));
    EXPECT_EQ(Variant(38412.75).toDate(), Date(2005, 3, 1));
    EXPECT_EQ(Variant(std::int32_t{2}).toDate(), Date(1900, 1, 1));
    EXPECT_EQ(Variant().toDate(), Date(1899, 12, 30));
    EXPECT_EQ(Variant(true).toDate(), Date(1899, 12, 29));
    EXPECT_EQ(errorNumberOf([] { Variant(1e12).toDate(); }), tally::vberr::Overflow);
}

TEST(Variant, IsNumeric) {
    EXPECT_TRUE(Variant(1.5).isNumeric());
    EXPECT_TRUE(Variant(false).isNumeric());
    EXPECT_TRUE(Variant(" 1,000 ").isNumeric());
    EXPECT_FALSE(Variant("12abc").isNumeric());
    EXPECT_FALSE(Variant().isNumeric());
    EXPECT_FALSE(Variant(Date(2005, 1, 1)).isNumeric());
}

}  // namespace
