#include <gtest/gtest.h>

#include <cmath>

#include "ComError.h"
#include "CommaDecimalLocale.h"
#include "ErrorNumber.h"
#include "Format.h"
#include "Variant.h"

namespace {

using tally::testing::errorNumberOf;
using vb::Date;
using vb::Variant;

struct NumberCase {
    const char* pattern;
    double value;
    const char* expected;
};

TEST(FormatNumber, PatternsRoundHalvesAwayFromZero) {
    const NumberCase cases[] = {
        {"#,##0", 1234.5, "1,235"},       {"#,##0", -1234.5, "-1,235"},       {"#,##0", 0, "0"},
        {"#,##0", 2.5, "3"},              {"#,##0", 999.5, "1,000"},          {"#,##0", 1234567, "1,234,567"},
        {"#,##0", 1e15, "1,000,000,000,000,000"},
        {"#,###", 0, ""},                 {"#,###", 0.4, ""},                 {"#,###", -0.4, ""},
        {"#,###", 1234, "1,234"},         {"#,###", -999, "-999"},
        {"###,##0", 12345, "12,345"},     {"###,##0", 0, "0"},
        {"###,##0.0", 27.5, "27.5"},      {"###,##0.0", 5, "5.0"},
        {"###,##0.00", 1234.567, "1,234.57"}, {"###,##0.00", 0.125, "0.13"}, {"###,##0.00", 2.675, "2.68"},
        {"###,##0.00", 0.03636 * 275000, "9,999.00"},
        {"$###,##0", 1000, "$1,000"},     {"$###,##0", -1000, "-$1,000"},     {"$###,##0", 0, "$0"},
        {"$###,##0", 1234.5, "$1,235"},   {"$#,##0", 25000, "$25,000"},
        {"##0", -1500.5, "-1501"},        {"##0", 5500, "5500"},              {"##0", 0.4, "0"},
        {"##0", -0.4, "0"},               {"##0", 501, "501"},
        {"###,###,###,###", 1234567, "1,234,567"}, {"###,###,###,###", 0, ""},
        {"0", 7.5, "8"},                  {"0.00", 3, "3.00"},                {"0.00", -0.005, "-0.01"},
        {"0%", 0.125, "13%"},             {"##0.00%", 0.07, "7.00%"},         {"#0.0 %", 0.755, "75.5 %"},
        {"#,##0;(#,##0);\"zero\"", -5, "(5)"}, {"#,##0;(#,##0);\"zero\"", 0, "zero"},
        {"#,##0;(#,##0);\"zero\"", 5, "5"},    {"#,##0;;\"none\"", -5, "-5"},
        {"", 1234.5, "1234.5"},
    };
    for (const NumberCase& c : cases) EXPECT_EQ(vb::Format(c.value, c.pattern), c.expected) << c.pattern << " of " << c.value;
}

// A real zero still shows as the patterns above say; only a value VB could never hold raises.
TEST(FormatNumber, InfinityAndNaNRaiseOverflowWhereAZeroIsShown) {
    for (const char* pattern : {"#,##0", "$###,##0", "#,###", "0.00", "##0.00%", "#,##0;(#,##0);\"zero\"", ""}) {
        for (const double bad : {HUGE_VAL, -HUGE_VAL, static_cast<double>(NAN)})
            EXPECT_EQ(errorNumberOf([=] { vb::Format(bad, pattern); }), tally::vberr::Overflow) << pattern << " of " << bad;
    }
}

struct DateCase {
    const char* pattern;
    const char* expected;
};

TEST(FormatDate, Letters) {
    const Date date(2005, 3, 1);
    const DateCase cases[] = {
        {"mm/yyyy", "03/2005"},       {"MM/YYYY", "03/2005"},         {"yyyy", "2005"},
        {"YYYY", "2005"},             {"MM", "03"},                   {"mm-yyyy", "03-2005"},
        {"mm/dd/yyyy", "03/01/2005"}, {"m/d/yyyy", "3/1/2005"},       {"mmm d, yyyy", "Mar 1, 2005"},
        {"mmmm yyyy", "March 2005"},  {"dd-mmm-yy", "01-Mar-05"},     {"mm/", "03/"},
        {"q", "1"},                   {"y", "60"},                    {"d \"of\" mmmm", "1 of March"},
        {"", "3/1/2005"},
    };
    for (const DateCase& c : cases) EXPECT_EQ(vb::Format(date, c.pattern), c.expected) << c.pattern;
}

TEST(FormatVariant, ValuesAreFormattedByWhatTheyHold) {
    EXPECT_EQ(vb::Format(Variant::null(), "#,##0"), "");
    EXPECT_EQ(vb::Format(Variant(), "mm/yyyy"), "");
    EXPECT_EQ(vb::Format(Variant(std::int32_t{12345}), "###,##0"), "12,345");
    EXPECT_EQ(vb::Format(Variant("1234.5"), "#,##0"), "1,235");
    EXPECT_EQ(vb::Format(Variant("Missing"), "#,###"), "Missing");
    EXPECT_EQ(vb::Format(Variant(""), "#,###"), "");
    EXPECT_EQ(vb::Format(Variant("3/1/2005"), "mm/dd/yyyy"), "03/01/2005");
    EXPECT_EQ(vb::Format(Variant("03/2005"), "YYYY"), "2005");
    EXPECT_EQ(vb::Format(Variant(Date(2005, 3, 1)), "mm/yyyy"), "03/2005");
    EXPECT_EQ(vb::Format(Variant(true), ""), "True");
    EXPECT_EQ(vb::Format(Variant(true), "0"), "-1");
    EXPECT_EQ(vb::Format(38412.0, "mm/yyyy"), "03/2005");  // a number given a date pattern is a serial day
}

// Report and window figures keep the US separators and names whatever the user's locale.
TEST(FormatVariant, PatternsKeepUsSeparatorsInACommaDecimalLocale) {
    const tally::testing::CommaDecimalLocale locale;
    EXPECT_EQ(vb::Format(1234.5, "#,##0.00"), "1,234.50");
    EXPECT_EQ(vb::Format(-1234.5, "$###,##0"), "-$1,235");
    EXPECT_EQ(vb::Format(0.07, "##0.00%"), "7.00%");
    EXPECT_EQ(vb::Format(Variant("1,234.5"), "#,##0"), "1,235");
    EXPECT_EQ(vb::Format(Date(2005, 3, 1), "mm/dd/yyyy"), "03/01/2005");
    EXPECT_EQ(vb::Format(Date(2005, 3, 1), "mmm d, yyyy"), "Mar 1, 2005");
}

}  // namespace
