#include <gtest/gtest.h>

#include "ComError.h"
#include "Strings.h"

namespace {

TEST(Strings, PiecesAreOneBasedAndClamped) {
    EXPECT_EQ(vb::Left("Truck/Van", 1), "T");
    EXPECT_EQ(vb::Left("ab", 5), "ab");
    EXPECT_EQ(vb::Right("Description", 4), "tion");
    EXPECT_EQ(vb::Right("ab", 5), "ab");
    EXPECT_EQ(vb::Mid("03/2005", 4), "2005");
    EXPECT_EQ(vb::Mid("03/2005", 1, 2), "03");
    EXPECT_EQ(vb::Mid("abc", 5, 2), "");
    EXPECT_EQ(vb::InStr("5-G\\3", "-"), 2);
    EXPECT_EQ(vb::InStr("a-b-c", "-", 3), 4);
    EXPECT_EQ(vb::InStr("abc", "x"), 0);
    EXPECT_EQ(vb::InStr("abc", "", 2), 2);
    EXPECT_EQ(vb::InStr("abc", "c", 9), 0);
    EXPECT_THROW(vb::Mid("abc", 0), tally::ComError);
    EXPECT_THROW(vb::Left("abc", -1), tally::ComError);
}

TEST(Strings, TrimRemovesBlanksOnly) {
    EXPECT_EQ(vb::Trim("  Asset #  "), "Asset #");
    EXPECT_EQ(vb::LTrim("  x "), "x ");
    EXPECT_EQ(vb::RTrim("  x "), "  x");
    EXPECT_EQ(vb::Trim("\tx\t"), "\tx\t");
}

TEST(Strings, ReplaceSplitAndCompare) {
    EXPECT_EQ(vb::Replace("O'Brien's", "'", "`"), "O`Brien`s");
    EXPECT_EQ(vb::Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(vb::Split("a,,b", ","), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(vb::Split("", ",").empty());
    EXPECT_EQ(vb::StrCompText("MACRS", "Macrs"), 0);
    EXPECT_EQ(vb::StrCompText("abc", "ABD"), -1);
    EXPECT_EQ(vb::StrCompText("abc", "ab"), 1);
    EXPECT_TRUE(vb::EqualsNoCase("Depreciation Schedule", "depreciation schedule"));
    EXPECT_EQ(vb::UCase("s/l"), "S/L");
}

}  // namespace
