// The maintenance window's pure parts: the field checks of each table, the statements it writes and the sizes of
// its columns and fields.

#include <gtest/gtest.h>

#include "FieldRules.h"
#include "MaintLayout.h"
#include "MaintNumbers.h"
#include "RecordSql.h"

namespace tally::desk {
namespace {

std::vector<EditField> fieldsOf(std::initializer_list<std::pair<const char*, const char*>> namesAndTexts) {
    std::vector<EditField> fields;
    for (const auto& [name, text] : namesAndTexts) fields.push_back({QString::fromUtf8(name), QString::fromUtf8(text)});
    return fields;
}

std::vector<EditField> limits179(const char* year, const char* maximum = "500000", const char* threshold = "2000000") {
    return fieldsOf({{"Year  ", year}, {"Maximum Amount", maximum}, {"Threshold Cost", threshold}});
}

std::vector<EditField> assetClass(const char* method, const char* life, const char* type = "N/A",
                                  const char* code = "0") {
    return fieldsOf({{"Method", method},
                     {"Description               ", "Office furniture"},
                     {"Life    ", life},
                     {"If Auto - Type", type},
                     {"Amortize #", code}});
}

struct RuleCase {
    const char* what;
    QString table;
    std::vector<EditField> fields;
    bool valid;
    QString status;
    bool statusRed;
    std::set<int> redLabels;
    std::optional<int> focus;
};

TEST(FieldRules, EachTableReportsEveryFaultInOrderWithItsColourLabelsAndCursor) {
    const QString c179 = "tblMax179";
    const QString cls = "tblDeprClass";
    const std::vector<RuleCase> cases = {
        {"empty year: required, then the range", c179, limits179(""), false,
         "Year is required.  Year must be between 1975 - 2050.  ", true, {0}, 0},
        {"year above the range: green, label red", c179, limits179("2051"), false, "Year be < 2051.  ", false, {0}, 0},
        {"year below the range", c179, limits179("1974"), false, "Year be > 1974.  ", false, {0}, 0},
        {"lowest year", c179, limits179("1975"), true, "", false, {}, std::nullopt},
        {"highest year", c179, limits179("2050"), true, "", false, {}, std::nullopt},
        {"one blank: required, numeric, and the range", c179, limits179(" "), false,
         "Year is required.  Year must be numeric.  Year must be between 1975 - 2050.  ", true, {0}, 0},
        {"text year: numeric, then the range", c179, limits179("20x9"), false,
         "Year must be numeric.  Year must be between 1975 - 2050.  ", true, {0}, 0},
        {"thousands separators are no number", c179, limits179("2009", "1,000"), false,
         "Maximum Amount must be numeric.  ", true, {1}, 1},
        {"dollar sign, brackets and hex are no number", c179, limits179("2009", "$5", "(5)"), false,
         "Maximum Amount must be numeric.  Threshold Cost must be numeric.  ", true, {1, 2}, 1},
        {"MACRS life off the list", cls, assetClass("MACRS", "6"), false,
         "Life must be equal to 3,5,7,10,15,20,27.5,31.5,39,50. ", true, {2}, 2},
        {"a method without a life rule of its own", cls, assetClass("S/L", "10"), true, "", false, {}, std::nullopt},
        {"MACRS 27.5", cls, assetClass("MACRS", "27.5"), true, "", false, {}, std::nullopt},
        {"MACRS life 0: the list, then the range", cls, assetClass("MACRS", "0"), false,
         "Life must be equal to 3,5,7,10,15,20,27.5,31.5,39,50. Life be > 0.  ", true, {2}, 2},
        {"Listed must be 5", cls, assetClass("Listed", "7", "Gas"), false, "Life must be equal to 5. ", true, {2}, 2},
        {"a vehicle class must be Listed; the cursor stays put", cls, assetClass("MACRS", "5", "Gas"), false,
         " Method must be Listed if it's an Auto. ", true, {3}, std::nullopt},
        {"after the vehicle rule no later check takes the cursor", cls, assetClass("Amortize", "15", "Gas", "0"), false,
         " Method must be Listed if it's an Auto. Amortize # is missing. ", true, {3, 4}, std::nullopt},
        {"Amortize needs a code", cls, assetClass("Amortize", "15", "N/A", "0"), false, "Amortize # is missing. ",
         true, {4}, 4},
        {"company without owner and tax id", "tblCompany",
         fieldsOf({{"Company Name", "Acme"}, {"Owner", ""}, {"Address         ", ""}, {"Address 2", ""},
                   {"City", ""}, {"State  ", ""}, {"Zip Code ", ""}, {"Tax Id", ""}}),
         false, "Owner is required.  Tax Id is required.  ", true, {1, 7}, 1},
        {"auto limits: the two allowance columns are numbers too", "tblMaxAuto",
         fieldsOf({{"Year  ", "2009"}, {"Type", "Gas"}, {"Yr 1 + 30%", "1,000"}, {"Yr 1 + 50%", "abc"},
                   {"Max Year 1", "2960"}, {"Max Year 2", "4800"}, {"Max Year 3", "2850"}, {"Max Year 4", "1775"}}),
         false, "Yr 1 + 30% must be numeric.  Yr 1 + 50% must be numeric.  ", true, {2, 3}, 2},
        {"4562 data: a single Y is no answer, shown green", "tblMisc4562Data",
         fieldsOf({{"Year  ", "2009"}, {"179 Carryover", ""}, {"179 Income Limit", "50000"}, {"Listed Claim", "Y"},
                   {"Listed Evidence", ""}, {"Group Assets", "no"}, {"168 Property", ""}, {"Other Depr", ""},
                   {"263A Cost", ""}, {"Exclude 179", "No"}}),
         false, "Listed Claim Value must be 'Yes' or 'No'.  ", false, {3}, 3},
        {"4562 data: the 263A cost is a number too", "tblMisc4562Data",
         fieldsOf({{"Year  ", "2009"}, {"179 Carryover", ""}, {"179 Income Limit", ""}, {"Listed Claim", "Yes"},
                   {"Listed Evidence", "No"}, {"Group Assets", "No"}, {"168 Property", ""}, {"Other Depr", ""},
                   {"263A Cost", "12 000"}, {"Exclude 179", "No"}}),
         false, "263A Cost must be numeric.  ", true, {8}, 8},
    };
    for (RuleCase c : cases) {
        FieldRules rules(c.fields);
        const ValidationRun run = rules.bValid(c.table);
        EXPECT_EQ(run.valid, c.valid) << c.what;
        EXPECT_EQ(run.status, c.status) << c.what;
        EXPECT_EQ(run.statusRed, c.statusRed) << c.what;
        EXPECT_EQ(run.redLabels, c.redLabels) << c.what;
        EXPECT_EQ(run.focusField, c.focus) << c.what;
    }
}

TEST(FieldRules, AClassThatIsNotAmortizedSavesCodeZeroAndATableWithoutChecksPasses) {
    auto fields = assetClass("ADS", "9", "N/A", "12");
    EXPECT_TRUE(FieldRules(fields).bValid("tblDeprClass").valid);
    EXPECT_EQ(fields[4].text, "0");
    // The code is forced even when another check fails.
    fields = assetClass("Listed", "7", "N/A", "12");
    EXPECT_FALSE(FieldRules(fields).bValid("tblDeprClass").valid);
    EXPECT_EQ(fields[4].text, "0");

    auto other = fieldsOf({{"Anything", ""}});
    EXPECT_TRUE(FieldRules(other).bValid("tblOther").valid);
}

TEST(MaintNumbers, OnlyPlainNumbersPassAndReachSqlInCanonicalForm) {
    for (const char* number : {"5", "-5", "+2.50", "007", ".5", "5.", " 27.5 "})
        EXPECT_TRUE(isPlainNumber(number)) << number;
    for (const char* text : {"", " ", "1,000", "$5", "(5)", "&H10", "1e3", "1.2.3", "--5", "5-", "1 000", "."})
        EXPECT_FALSE(isPlainNumber(text)) << text;
    EXPECT_EQ(canonicalNumber("+2.50"), "2.5");
    EXPECT_EQ(canonicalNumber("007"), "7");
    EXPECT_EQ(canonicalNumber(".5"), "0.5");
    EXPECT_EQ(canonicalNumber("-1000000"), "-1000000");
}

TEST(RecordSql, ValuesAreWrittenByTypeAndNothingTypedIsPastedAsItStands) {
    struct Case {
        int type;
        const char* text;
        const char* update;
        const char* insert;
    } cases[] = {
        {202, "O'Hara", " = 'O`Hara'", "'O`Hara'"},
        {200, "", " = ''", "''"},
        {203, "memo 'x'", " = 'memo `x`'", "'memo `x`'"},
        {2, "", " = 0", "0"},
        {2, "02009", " = 2009", "2009"},
        {3, "50000", " = 50000", "50000"},
        // Doubles, currency, single and decimal numbers are numbers, not broken statements or quoted text.
        {5, "27.50", " = 27.5", "27.5"},
        {6, "", " = 0", "0"},
        {4, "1.5", " = 1.5", "1.5"},
        {131, "-3", " = -3", "-3"},
        // A number field holding no number goes in as text, which the database refuses; a comma never splits
        // a value list.
        {5, "1,000", " = '1,000'", "'1,000'"},
        {3, "1; drop table x", " = '1; drop table x'", "'1; drop table x'"},
        {7, "", " = Null", "Null"},
        {7, "3/5/2009", " = #03/05/2009#", " #03/05/2009#"},
        {11, "true", " = Yes", "Yes"},
        {11, "YES", " = Yes", "Yes"},
        {11, "Y", " = No", "No"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(updateValue(c.type, c.text), c.update) << c.type << " " << c.text;
        EXPECT_EQ(insertValue(c.type, c.text), c.insert) << c.type << " " << c.text;
    }
    EXPECT_EQ(keyText("17"), "17");
    EXPECT_EQ(keyText("1 or 1=1"), "'1 or 1=1'");
}

TEST(RecordSql, StatementsKeepBracketedNamesAndAddTheMethodIdAndTheCompany) {
    RecordSqlInput company;
    company.table = "tblCompany";
    company.caption = "Companies/Clients";
    company.fields = {
        {"Company Name", 202, "O'Hara Farms"}, {"Owner", 202, "Pat"}, {"Address         ", 202, "1 Main"}};
    company.keyField = "id";
    company.keyValue = "3";
    EXPECT_EQ(CreateUpdateSQL(company),
              "Update tblCompany Set [Company Name] = 'O`Hara Farms' , [Owner] = 'Pat' , [Address         ] = "
              "'1 Main' WHERE id = 3");
    EXPECT_EQ(CreateDeleteSQL("tblCompany", "id", "3"), "Delete from tblCompany WHERE id  = 3");
    EXPECT_EQ(RetrieveKeySQL("tblMax179", "ID"), "Select MAX(ID) from tblMax179");

    RecordSqlInput cls;
    cls.table = "tblDeprClass";
    cls.caption = "Asset Classes";
    cls.fields = {{"Method", 202, "Listed"}, {"Description               ", 202, "Cars"}, {"Life    ", 5, "5"}};
    cls.methodId = 9;
    cls.keyField = "ID";
    cls.keyValue = "4";
    EXPECT_EQ(CreateUpdateSQL(cls),
              "Update tblDeprClass Set  Method_Id  = 9 , [Description               ] = 'Cars' , [Life    ] = 5 WHERE "
              "ID = 4");
    EXPECT_EQ(CreateInsertSQL(cls),
              "INSERT INTO tblDeprClass ( Method_Id , [Description               ], [Life    ]) Values( 9, 'Cars', 5)");

    RecordSqlInput misc;
    misc.table = "tblMisc4562Data";
    misc.caption = "Miscellanous 4562 Data";
    misc.fields = {{"Year  ", 2, "2009"}, {"179 Carryover", 3, ""}, {"Listed Claim", 11, "Yes"}};
    misc.companyId = 4;
    EXPECT_EQ(CreateInsertSQL(misc),
              "INSERT INTO tblMisc4562Data ([Year  ], [179 Carryover], [Listed Claim], company_id) Values( 2009, 0, "
              "Yes, 4)");
}

TEST(MaintLayout, ColumnsAndFieldsTakeTheirSizesFromNameTypeAndLength) {
    const ColumnLayout owner = columnLayout(1, "Owner", 202, 50);
    EXPECT_EQ(owner.width, 3400);
    EXPECT_EQ(editWidth(owner.width), 2800);
    EXPECT_EQ(editMaxLength(owner.size), 50);
    EXPECT_FALSE(owner.rightAligned);

    const ColumnLayout year = columnLayout(0, "Year  ", 2, 2);
    EXPECT_EQ(year.width, 700);
    EXPECT_EQ(year.size, 4);
    EXPECT_EQ(editWidth(year.width), 910);
    EXPECT_FALSE(year.rightAligned);  // the first column stays left
    EXPECT_TRUE(columnLayout(2, "Life    ", 5, 8).rightAligned);
    EXPECT_EQ(columnLayout(3, "Sold", 7, 8).kind, ColumnKind::Date);
    EXPECT_EQ(columnLayout(3, "Listed Claim", 11, 2).kind, ColumnKind::Text);

    EXPECT_EQ(editMaxLength(columnLayout(1, "Notes", 202, 255).size), 64);
    // A memo's huge size neither overflows nor makes a column thousands of twips wide.
    const ColumnLayout memo = columnLayout(1, "Notes", 203, 1073741823);
    EXPECT_EQ(memo.width, 255 * 68);
    EXPECT_EQ(editWidth(memo.width), 2800);

    EXPECT_EQ(editFrameHeight(6), 1710);
    EXPECT_EQ(editFrameHeight(0), 735);
    const FieldPlace right = fieldPlace(3);
    EXPECT_EQ(right.labelLeft, 120 + 3950);
    EXPECT_EQ(right.editLeft, 1480 + 3875);
    EXPECT_EQ(right.editTop, 240 + 325);
    // A wide field on the left stops before the labels on the right.
    EXPECT_LT(fieldPlace(2).editLeft + placedEditWidth(2, 3400), fieldPlace(3).labelLeft);
    // Longer captions move everything right of them over.
    const EditColumns wide = editColumns(1500);
    EXPECT_EQ(fieldPlace(0, wide).editLeft, 1480 + 200);
    EXPECT_EQ(fieldPlace(1, wide).labelLeft - fieldPlace(0, wide).editLeft, 4070 - 1480);
    EXPECT_EQ(wide.frameWidth, 8325 + 400);
}

}  // namespace
}  // namespace tally::desk
