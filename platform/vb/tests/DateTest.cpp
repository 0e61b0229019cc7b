#include <gtest/gtest.h>

#include "ComError.h"
#include "CommaDecimalLocale.h"
#include "Conversions.h"
#include "DateParts.h"
#include "VbDate.h"
#include "ErrorNumber.h"

namespace {

using vb::Date;

using tally::testing::errorNumberOf;

TEST(Date, SerialNumbersCountFromDecember30Of1899) {
    const std::pair<Date, long> cases[] = {
        {Date(1899, 12, 30), 0},     {Date(1899, 12, 31), 1},   {Date(1900, 1, 1), 2},
        {Date(1900, 3, 1), 61},      {Date(2005, 3, 1), 38412}, {Date(1899, 12, 29), -1},
        {Date(100, 1, 1), -657434},  {Date(9999, 12, 31), 2958465},
    };
    for (const auto& [date, serial] : cases) {
        EXPECT_EQ(date.serial(), serial) << date.toIso();
        EXPECT_EQ(Date::fromSerial(serial), date) << serial;
    }
    EXPECT_EQ(Date(), Date(1899, 12, 30));
    EXPECT_EQ(errorNumberOf([] { Date::fromSerial(2958466); }), tally::vberr::Overflow);
}

TEST(Date, InvalidCalendarDatesAreRefused) {
    EXPECT_TRUE(vb::isValidDate(2004, 2, 29));
    EXPECT_FALSE(vb::isValidDate(2005, 2, 29));
    EXPECT_FALSE(vb::isValidDate(1900, 2, 29));
    EXPECT_TRUE(vb::isValidDate(2000, 2, 29));
    EXPECT_FALSE(vb::isValidDate(2005, 13, 1));
    EXPECT_FALSE(vb::isValidDate(2005, 4, 31));
    EXPECT_FALSE(vb::isValidDate(99, 1, 1));
    EXPECT_EQ(errorNumberOf([] { Date(2005, 2, 30); }), tally::vberr::InvalidProcedureCall);
}

TEST(Date, TextForms) {
    EXPECT_EQ(Date(2005, 3, 1).toIso(), "2005-03-01");
    EXPECT_EQ(Date(2005, 3, 1).toShortDate(), "3/1/2005");
    EXPECT_EQ(Date(2005, 12, 31).toShortDate(), "12/31/2005");
    EXPECT_EQ(vb::notSoldDate().toShortDate(), "1/1/1900");
}

TEST(DateSerial, MonthsAndDaysRollOver) {
    const std::tuple<int, int, int, Date> cases[] = {
        {2005, 13, 1, Date(2006, 1, 1)},  {2005, 0, 1, Date(2004, 12, 1)},  {2005, -11, 1, Date(2004, 1, 1)},
        {2005, 3, 0, Date(2005, 2, 28)},  {2004, 3, 0, Date(2004, 2, 29)},  {2005, 1, 32, Date(2005, 2, 1)},
        {2005, 2, 29, Date(2005, 3, 1)},  {2005, 1, -1, Date(2004, 12, 30)}, {2005, 25, 400, Date(2008, 2, 4)},
        {5, 1, 1, Date(2005, 1, 1)},      {30, 1, 1, Date(1930, 1, 1)},    {2008, 12, 31, Date(2008, 12, 31)},
    };
    for (const auto& [y, m, d, expected] : cases) EXPECT_EQ(vb::DateSerial(y, m, d), expected) << y << "/" << m << "/" << d;
    EXPECT_EQ(errorNumberOf([] { vb::DateSerial(9999, 13, 1); }), tally::vberr::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { vb::DateSerial(-5, 1, 1); }), tally::vberr::InvalidProcedureCall);
}

TEST(CDate, UsFormsAreRead) {
    const int thisYear = vb::Today().year();
    const std::pair<const char*, Date> cases[] = {
        {"3/1/2005", Date(2005, 3, 1)},       {"03/01/2005", Date(2005, 3, 1)},   {"12/31/05", Date(2005, 12, 31)},
        {"1/1/30", Date(1930, 1, 1)},         {"1/1/29", Date(2029, 1, 1)},       {"03/2005", Date(2005, 3, 1)},
        {"3/2005", Date(2005, 3, 1)},         {"2005-03-01", Date(2005, 3, 1)},   {"3-1-2005", Date(2005, 3, 1)},
        {"Mar 1, 2005", Date(2005, 3, 1)},    {"march 1 2005", Date(2005, 3, 1)}, {"1-Mar-2005", Date(2005, 3, 1)},
        {"March 2005", Date(2005, 3, 1)},     {" 3/1/2005 ", Date(2005, 3, 1)},   {"1/1/1900", Date(1900, 1, 1)},
        {"3/5", Date(thisYear, 3, 5)},        {"2/29/2004", Date(2004, 2, 29)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(vb::parseDate(text), expected) << text;
        EXPECT_EQ(vb::CDate(text), expected) << text;
    }
}

TEST(CDate, UsFormsHoldInAGermanLocale) {
    const tally::testing::CommaDecimalLocale locale;
    EXPECT_EQ(vb::CDate("3/1/2005"), Date(2005, 3, 1));  // 1 March, not 3 January
    EXPECT_EQ(vb::CDate("03/2005"), Date(2005, 3, 1));
    EXPECT_EQ(vb::CDate("Mar 1, 2005"), Date(2005, 3, 1));
    EXPECT_EQ(Date(2005, 3, 1).toShortDate(), "3/1/2005");
}

TEST(CDate, BadTextIsATypeMismatch) {
    const char* bad[] = {"",         "__/____",    "13/2005",    "00/2005", "2/30/2005", "2/29/2005", "3/1/2005x",
                         "abc",      "Mrz 1 2005", "3/1/2005/4", "2005",    "1/1/12345", "3.1.2005",  "Mar Apr 2005",
                         "12:00 AM", "3/1/0099", "3/1/02005"};
    for (const char* text : bad) {
        EXPECT_FALSE(vb::IsDate(text)) << text;
        EXPECT_FALSE(vb::parseDate(text).has_value()) << text;
    }
    EXPECT_EQ(errorNumberOf([] { vb::CDate("13/2005"); }), tally::vberr::TypeMismatch);
}

TEST(DateParts, PartsAndArithmetic) {
    const Date d(2005, 8, 31);
    EXPECT_EQ(vb::DatePart("yyyy", d), 2005);
    EXPECT_EQ(vb::DatePart("YYYY", d), 2005);
    EXPECT_EQ(vb::DatePart("q", d), 3);
    EXPECT_EQ(vb::DatePart("m", d), 8);
    EXPECT_EQ(vb::DatePart("d", d), 31);
    EXPECT_EQ(vb::DatePart("y", Date(2004, 12, 31)), 366);
    EXPECT_EQ(errorNumberOf([] { vb::DatePart("ww", Date(2005, 1, 1)); }), tally::vberr::InvalidProcedureCall);
}

}  // namespace
