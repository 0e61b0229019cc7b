#include <gtest/gtest.h>

#include "CommaDecimalLocale.h"
#include "ComError.h"
#include "JetTranslator.h"
#include "Recordset.h"

namespace {

using ado::translateJetSql;

struct Case {
    const char* jet;
    const char* sqlite;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.jet; }

class TranslatesJetSql : public ::testing::TestWithParam<Case> {};

TEST_P(TranslatesJetSql, ToSqlite) { EXPECT_EQ(translateJetSql(GetParam().jet), GetParam().sqlite); }

TEST_P(TranslatesJetSql, AndLeavesItsOwnOutputAlone) {
    const std::string once = translateJetSql(GetParam().jet);
    EXPECT_EQ(translateJetSql(once), once);
}

INSTANTIATE_TEST_SUITE_P(
    DateLiterals, TranslatesJetSql,
    ::testing::Values(
        Case{"select * from tblAssets where sold_date = #01/01/1900#",
             "select * from tblAssets where sold_date = '1900-01-01'"},
        Case{"where sold_date = # 01/01/1900# or x", "where sold_date = '1900-01-01' or x"},
        Case{"between #1/1/2005# and #12/31/2005#", "between '2005-01-01' and '2005-12-31'"},
        Case{"Values(1, #03/2005#, #2/29/2008 #)", "Values(1, '2005-03-01', '2008-02-29')"},
        Case{"Values('#03/2005#', [Vehicle #], [Amortize #])", "Values('#03/2005#', [Vehicle #], [Amortize #])"}));

INSTANTIATE_TEST_SUITE_P(
    YesNoWords, TranslatesJetSql,
    ::testing::Values(
        Case{"Update tblDefaults set StartUp_Help = True", "Update tblDefaults set StartUp_Help = 1"},
        Case{"where Type_179 = true and [Group Assets] = no", "where Type_179 = 1 and [Group Assets] = 0"},
        Case{"Values(7, 2008,2, '15000', True, FALSE, Yes)", "Values(7, 2008,2, '15000', 1, 0, 1)"},
        Case{"select 'Yes', [No Personal Use], t.No, x as Yes from t", "select 'Yes', [No Personal Use], t.No, x as Yes from t"}));

INSTANTIATE_TEST_SUITE_P(
    BracketedNamesWithTrailingBlanks, TranslatesJetSql,
    ::testing::Values(
        // A bare select-list item keeps its blanks as the heading; everywhere else the name is the bare column.
        Case{" Select [Year  ], [Maximum Amount], [Threshold Cost] , ID from tblMax179 order by [Year  ]",
             " Select [Year] AS [Year  ], [Maximum Amount], [Threshold Cost] , ID from tblMax179 order by [Year]"},
        Case{"select DISTINCT tblCompany.[State  ], [Zip Code ] from tblCompany",
             "select DISTINCT tblCompany.[State] AS [State  ], [Zip Code] AS [Zip Code ] from tblCompany"},
        Case{"select Year as [Year      ], Sum([Cost  ]) from t", "select Year as [Year      ], Sum([Cost]) from t"},
        Case{"Update tblMax179 Set [Year  ] = 2005 Where ID  = 3", "Update tblMax179 Set [Year] = 2005 Where ID  = 3"},
        Case{"select x from (select [Life    ] from t) where [Life    ] > 0",
             "select x from (select [Life] AS [Life    ] from t) where [Life] > 0"},
        Case{"select 'a [Year  ] b' from t", "select 'a [Year  ] b' from t"}));

INSTANTIATE_TEST_SUITE_P(
    NamesThatBeginWithDigits, TranslatesJetSql,
    ::testing::Values(
        Case{"INSERT INTO tblAssets (Company_Id, 179_deduction, [Allowance 30 %]) Values(1, 2.5, .5)",
             "INSERT INTO tblAssets (Company_Id, [179_deduction], [Allowance 30 %]) Values(1, 2.5, .5)"},
        Case{"select sum(0) as 179_deduction, 1e5, 0x1F, [263A Cost] from t",
             "select sum(0) as [179_deduction], 1e5, 0x1F, [263A Cost] from t"}));

INSTANTIATE_TEST_SUITE_P(
    DeleteStar, TranslatesJetSql,
    ::testing::Values(Case{"Delete * from tblDepr where asset_num = 5", "DELETE FROM tblDepr where asset_num = 5"},
                      Case{"delete  *  FROM tblAutoUseReport ", "DELETE  FROM tblAutoUseReport "},
                      Case{"delete from t where a = 2 * 3", "delete from t where a = 2 * 3"}));

INSTANTIATE_TEST_SUITE_P(
    TextConcatenation, TranslatesJetSql,
    ::testing::Values(
        Case{"SELECT tblDeprClass.Description + '  ' + [Life] + '-' + [If Auto - Type] +'\\' + [Amortize #], "
             "tblDeprClass.Id FROM tblDeprClass",
             "SELECT VbText(tblDeprClass.Description) || '  ' || VbText([Life]) || '-' || VbText([If Auto - Type]) "
             "||'\\' || VbText([Amortize #]), tblDeprClass.Id FROM tblDeprClass"},
        Case{"select Max(x + 'a') as y, Cost + other_deductions, -1 + 2 from t where n = 'b' + c",
             "select Max(VbText(x) || 'a') as y, Cost + other_deductions, -1 + 2 from t where n = 'b' || VbText(c)"},
        Case{"select (a * 2) + ' each', Sum(a + b) from t", "select VbText((a * 2)) || ' each', Sum(a + b) from t"}));

INSTANTIATE_TEST_SUITE_P(
    UpdateWithJoin, TranslatesJetSql,
    ::testing::Values(
        Case{"UPDATE tblAutoUse INNER JOIN tblAutoUseReport ON (tblAutoUse.Company_Id = tblAutoUseReport.Company_Id) "
             "AND (tblAutoUse.[Vehicle #] = tblAutoUseReport.[Vehicle #]) SET tblAutoUseReport.[Business Miles] = "
             "[tblAutoUse].[Business Miles], tblAutoUseReport.[5 % Owner] = [tblAutoUse].[Driver 5 percent Owner], "
             "tblAutoUseReport.Display_Data = Yes WHERE (((tblAutoUse.Year)= 2005))",
             "UPDATE tblAutoUseReport SET [Business Miles] = [tblAutoUse].[Business Miles], [5 % Owner] = "
             "[tblAutoUse].[Driver 5 percent Owner], Display_Data = 1 FROM tblAutoUse WHERE "
             "((tblAutoUse.Company_Id = tblAutoUseReport.Company_Id) AND (tblAutoUse.[Vehicle #] = "
             "tblAutoUseReport.[Vehicle #])) AND ((((tblAutoUse.Year)= 2005)))"},
        Case{"update a inner join b on a.k = b.k set a.x = b.x", "UPDATE a SET x = b.x FROM b WHERE (a.k = b.k)"},
        Case{"Update tblAssets set notes = 'inner join' where Asset_num = 1",
             "Update tblAssets set notes = 'inner join' where Asset_num = 1"}));

INSTANTIATE_TEST_SUITE_P(
    LiteralsAndNativeText, TranslatesJetSql,
    ::testing::Values(
        Case{"select 'it''s #1/1/2005# + Yes', \"True\" from t where n = 'O`Hara'",
             "select 'it''s #1/1/2005# + Yes', \"True\" from t where n = 'O`Hara'"},
        Case{"SELECT a || b, [x y] FROM t -- True\nWHERE d = '2005-01-01'",
             "SELECT a || b, [x y] FROM t -- True\nWHERE d = '2005-01-01'"}));

TEST(JetDateLiterals, DatesAreMonthFirstAndNumbersPassUnchangedInAGermanLocale) {
    const tally::testing::CommaDecimalLocale locale;
    EXPECT_EQ(translateJetSql("Values(2.5, #3/1/2005#, #03/2005#, 1234.5)"),
              "Values(2.5, '2005-03-01', '2005-03-01', 1234.5)");
}

TEST(JetDateLiterals, MalformedDatesRaiseInsteadOfGuessing) {
    for (const char* sql : {"where d = #13/1/2005#", "where d = #2/30/2005#", "where d = #1/1/05#",
                            "where d = #31/12/2005#", "where d = #2005-01-01#", "where d = #abc#", "where d = ##",
                            "where d = #1/1/2005"}) {
        SCOPED_TRACE(sql);
        try {
            translateJetSql(sql);
            ADD_FAILURE() << "no error";
        } catch (const tally::ComError& e) {
            EXPECT_EQ(e.number(), ado::adoerr::ProviderError);
            EXPECT_EQ(e.source(), "Microsoft JET Database Engine");
            EXPECT_NE(e.description().find("date"), std::string::npos);
        }
    }
}

}  // namespace

namespace {

// Statements cut off anywhere (a half-typed maintenance value, a truncated paste) must give text or the provider's
// error, never a crash.
TEST(JetTranslatorRobustness, EveryPrefixOfAStatementTranslatesOrRaises) {
    const std::string statements[] = {
        "UPDATE tblAutoUse INNER JOIN tblAutoUseReport ON (tblAutoUse.Company_Id = tblAutoUseReport.Company_Id) SET "
        "tblAutoUseReport.[Business Miles] = [tblAutoUse].[Business Miles], Display_Data = Yes WHERE "
        "(((tblAutoUse.Year)= 2005));",
        "select [Year  ], Description + ' ' + [Life] as x, 179_deduction from t where d = #1/1/2005# and 'a''b' = [c]",
        "Delete * from tblDepr where asset_num = 5 -- done\n",
    };
    for (const std::string& statement : statements) {
        for (std::size_t length = 0; length <= statement.size(); ++length) {
            const std::string prefix = statement.substr(0, length);
            try {
                translateJetSql(prefix);
            } catch (const tally::ComError&) {
            }
        }
    }
}

}  // namespace
