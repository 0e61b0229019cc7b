// The texts the vehicle windows hand to the engine and show: value lists, the questionnaire update, totals,
// miles as stored and the numbers read from the boxes.

#include <gtest/gtest.h>

#include "AutoUseText.h"
#include "QStringPrinter.h"

namespace tally::desk {
namespace {

TEST(AutoUseText, ValueListsAndTheUpdateKeepTheirExactSpacing) {
    EXPECT_EQ(AutoUseValueList(7, 2008, "2", {"15000", "2500", "1200", true, false, true}),
              "7, 2008,2, '15000', '2500', '1200', True, False, True");
    EXPECT_EQ(AutoQstValueList(7, 2008, {true, false, false, true, false}), "7, 2008, True, False, False, True, False");
    EXPECT_EQ(AutoQstUpdateSql(7, 2008, {true, false, false, true, false}),
              " Update tblAutoQuestions set [No Personal Use] = True, [Commuting Allowed] = False,  [All Personal Use] "
              "= False, [More 5 Cars & keep Track] = True, [Meet Requirements] = False where company_id = 7 and "
              "[year] = 2008");
}

TEST(AutoUseText, MilesAreStoredAsPlainDigitsWhateverWasPasted) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"17,000", "17000"}, {"12,500.5", "12500.5"}, {"O'Hara 42 mi", "42"}, {" 1 200 ", "1200"}, {"", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(plainMiles(c.typed), c.stored) << c.typed;
        EXPECT_EQ(AutoUseValueList(1, 2009, "3", {c.typed, "0", "0", false, false, false}),
                  QString("1, 2009,3, '%1', '0', '0', False, False, False").arg(c.stored))
            << c.typed;
    }
}

TEST(AutoUseText, TotalsRoundHalvesToEvenReachBeyond32BitsAndBlankAtZero) {
    struct Case {
        const char* business;
        const char* commuting;
        const char* personal;
        const char* total;
    } cases[] = {
        {"100", "20.5", "", "120"},  {"0.5", "", "", ""},          {"1.5", "", "", "2"},
        {"", "", "", ""},            {"0", "0", "0", ""},          {"15000", "2500", "1200", "18700"},
        {"9999999999", "9999999999", "9999999999", "29999999997"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(totalMilesText(c.business, c.commuting, c.personal), c.total)
            << c.business << " + " << c.commuting << " + " << c.personal;
}

TEST(AutoUseText, StatusFormAndTypedColumnNumbers) {
    EXPECT_EQ(milesStatusText("1234567"), "1,234,567");
    EXPECT_EQ(milesStatusText("0"), "");
    EXPECT_EQ(milesStatusText(""), "");
    EXPECT_EQ(milesStatusText("12.6"), "13");
    struct Case {
        const char* typed;
        std::int64_t column;
    } cases[] = {{"2", 2}, {"2.5", 2}, {"3.5", 4}, {"", 0}, {" 7", 7}, {"99999999999", 99999999999}};
    for (const Case& c : cases) EXPECT_EQ(typedColumnNumber(c.typed), c.column) << c.typed;
}

}  // namespace
}  // namespace tally::desk
