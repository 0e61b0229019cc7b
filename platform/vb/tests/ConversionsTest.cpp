#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "ComError.h"
#include "CommaDecimalLocale.h"
#include "Conversions.h"
#include "ErrorNumber.h"
#include "Variant.h"

namespace {

using tally::testing::CommaDecimalLocale;
using tally::testing::errorNumberOf;

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

TEST(Round, HalvesGoToTheEvenNeighbourOfTheBinaryValue) {
    const RoundCase cases[] = {
        {2.5, 0, 2},       {3.5, 0, 4},       {-2.5, 0, -2},   {-3.5, 0, -4},   {0.5, 0, 0},
        {1.5, 0, 2},       {2.4999, 0, 2},    {2.5001, 0, 3},  {0.125, 2, 0.12}, {0.375, 2, 0.38},
        {2.675, 2, 2.67},  // 2.675 is stored just below the half
        {1234.5678, 2, 1234.57}, {0.12345, 4, 0.1235}, {1e20, 2, 1e20}, {-0.4, 0, 0},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(vb::Round(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
    }
    EXPECT_FALSE(std::signbit(vb::Round(-0.4)));
    EXPECT_EQ(errorNumberOf([] { vb::Round(1.5, -1); }), tally::vberr::InvalidProcedureCall);
}

TEST(WholeNumbers, CIntAndCLngRoundHalfEvenAndRaiseOverflow) {
    EXPECT_EQ(vb::CInt(2.5), 2);
    EXPECT_EQ(vb::CInt(-2.5), -2);
    EXPECT_EQ(vb::CInt(3.5), 4);
    EXPECT_EQ(vb::CInt(-32768.4), -32768);
    EXPECT_EQ(vb::CInt(32767.4), 32767);
    EXPECT_EQ(vb::CInt(-32768.5), -32768);  // the even neighbour is in range
    EXPECT_EQ(errorNumberOf([] { vb::CInt(32767.5); }), tally::vberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { vb::CInt(-32769); }), tally::vberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { vb::CInt(NAN); }), tally::vberr::Overflow);
    EXPECT_EQ(vb::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(vb::CLng(-1234566.5), -1234566);
    EXPECT_EQ(errorNumberOf([] { vb::CLng(2147483647.5); }), tally::vberr::Overflow);
}

// The same texts read two ways: Val takes the leading number and never fails, CDbl takes the whole text.
struct ReadCase {
    const char* text;
    double val;
    std::optional<double> cdbl;
};

TEST(Reading, ValTakesTheLeadingNumberWhereCDblNeedsTheWholeText) {
    const ReadCase cases[] = {
        {"12", 12, 12},
        {"  3.5", 3.5, 3.5},
        {"3.5  ", 3.5, 3.5},
        {"12abc", 12, std::nullopt},
        {"abc", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"1,000", 1, 1000},
        {"1,234,567.5", 1, 1234567.5},
        {"1,5", 1, std::nullopt},  // not a grouping: refused rather than read as 15
        {"12,34", 12, std::nullopt},
        {"1 2", 12, std::nullopt},
        {"-7.25", -7.25, -7.25},
        {"+4", 4, 4},
        {".5", 0.5, 0.5},
        {"5.", 5, 5},
        {".", 0, std::nullopt},
        {"-", 0, std::nullopt},
        {"1e3", 1000, 1000},
        {"1E-2x", 0.01, std::nullopt},
        {"1e", 1, std::nullopt},
        {"2d2", 200, std::nullopt},
        {"$1,250", 0, 1250},
        {"-$5", 0, -5},
        {"(42)", 0, -42},
        {"&HFF", 255, 255},
        {"&HFFFF", -1, -1},
        {"&O17", 15, 15},
        {"&H1G", 1, std::nullopt},
        {"1.2.3", 1.2, std::nullopt},
        {"--5", 0, std::nullopt},
        {"75%", 75, std::nullopt},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(vb::Val(c.text), c.val) << "Val(\"" << c.text << "\")";
        EXPECT_EQ(vb::parseNumber(c.text), c.cdbl) << "CDbl(\"" << c.text << "\")";
        EXPECT_EQ(vb::IsNumeric(c.text), c.cdbl.has_value()) << c.text;
    }
}

// from_chars reports a number too small for a double as out of range, like one too large; VB reads the small one
// as 0 and fails only on the large one.
TEST(Reading, ANumberTooSmallForADoubleIsZeroAndOneTooLargeStillFails) {
    const std::string tiny = "0." + std::string(400, '0') + "1";
    for (const std::string& text : {std::string("1e-400"), std::string("-2.5E-999"), std::string("100000e-400"), tiny,
                                   std::string("1e-99999999999999999999")}) {
        EXPECT_EQ(vb::Val(text), 0.0) << text;
        EXPECT_EQ(vb::CDbl(text), 0.0) << text;
        EXPECT_FALSE(std::signbit(vb::CDbl(text))) << text;
    }
    EXPECT_EQ(vb::Val("1d-400"), 0.0);
    EXPECT_EQ(errorNumberOf([] { vb::Val("1e400"); }), tally::vberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { vb::Val("0.001e312"); }), tally::vberr::Overflow);
    EXPECT_EQ(errorNumberOf([] { vb::CDbl("-1e400"); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { vb::CDbl(std::string(400, '9')); }), tally::vberr::TypeMismatch);
}

TEST(Reading, CDblRaisesTypeMismatchOnBadText) {
    EXPECT_EQ(vb::CDbl(" 27.5 "), 27.5);
    EXPECT_EQ(errorNumberOf([] { vb::CDbl("27.5 years"); }), tally::vberr::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { vb::CDbl(""); }), tally::vberr::TypeMismatch);
}

TEST(NumberText, FifteenSignificantDigitsWithoutExponentForOrdinaryAmounts) {
    const std::pair<double, const char*> cases[] = {
        {0.03636 * 275000, "9999"},  // 9999.000000000002
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {-2.5, "-2.5"},
        {0, "0"},
        {-0.0, "0"},
        {1234500, "1234500"},
        {1234.5, "1234.5"},
        {100, "100"},
        {123456789012345, "123456789012345"},
        {0.00001, "0.00001"},
        {0.000012345, "0.000012345"},
        {1e15, "1E+15"},
        {1.5e15, "1.5E+15"},
        {1e-6, "1E-06"},
        {-1.25e-7, "-1.25E-07"},
        {2.0 / 3.0, "0.666666666666667"},
        {1e300, "1E+300"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(vb::NumberText(value), text) << value;
}

// VB cannot hold infinity or NaN; one reaching the text writer is a fault that must not be stored or shown as 0.
TEST(NumberText, InfinityAndNaNRaiseOverflowWhereAZeroIsWritten) {
    for (const double bad : {HUGE_VAL, -HUGE_VAL, static_cast<double>(NAN)}) {
        EXPECT_EQ(errorNumberOf([=] { vb::NumberText(bad); }), tally::vberr::Overflow) << bad;
        EXPECT_EQ(errorNumberOf([=] { (void)vb::Variant(bad).toString(); }), tally::vberr::Overflow) << bad;
    }
    EXPECT_EQ(vb::NumberText(0.0), "0");
    EXPECT_EQ(vb::NumberText(-0.0), "0");
}

// Amounts go into SQL text and are read back from typed text in the fixed US form, whatever the user's locale.
TEST(NumberText, AndTheUsReadingsIgnoreACommaDecimalLocale) {
    const CommaDecimalLocale locale;
    ASSERT_EQ(CommaDecimalLocale::streamText(1234.5), "1.234,5");  // the locale is in force
    if (locale.germanC()) {
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.1f", 2.5);
        ASSERT_STREQ(printed, "2,5");
    }
    EXPECT_EQ(vb::NumberText(2.5), "2.5");
    EXPECT_EQ(vb::NumberText(-1234567.25), "-1234567.25");
    EXPECT_EQ(vb::NumberText(1.5e15), "1.5E+15");
    EXPECT_EQ(vb::Variant(27.5).toString(), "27.5");
    EXPECT_EQ(vb::CDbl("1,234.5"), 1234.5);
    EXPECT_EQ(vb::Variant("1,234.5").toDouble(), 1234.5);
    EXPECT_EQ(vb::parseNumber("2,5"), std::nullopt);  // the German form is neither 2.5 nor 25
    EXPECT_EQ(vb::parseNumber("1.234,5"), std::nullopt);
    EXPECT_EQ(vb::Val("27.5 years"), 27.5);
    EXPECT_EQ(vb::Val("2,5"), 2);
    EXPECT_EQ(vb::Round(1234.5678, 2), 1234.57);
}

}  // namespace
