// The list fillers on recordsets built in place: column widths and alignment, the cell rules of each filler
// family, the subtotal, total and property-tax rows, and the repeated-error rule.

#include <gtest/gtest.h>

#include "ReportFillers.h"
#include "ReportTestSupport.h"

namespace tally::desk::testing {
namespace {

const QString B = QStringLiteral(" ");
QString pad(int blanks, const char* words) { return QString(blanks, u' ') + QLatin1String(words); }

class FillerTest : public DeskTest {
protected:
    ListModel list;
};

TEST_F(FillerTest, ColumnWidthsAlignmentAndEmptyRecordset) {
    struct Case {
        FieldSpec field;
        int width;
    };
    const std::vector<Case> cases{
        {{"Description" + std::string(26, ' '), 202, 50}, 4181},
        {{"Name", 202, 50}, 3600},
        {{"No", 3, 4}, 576},
        {{"Cost", 5, 8}, 480},
        {{"Asset #  ", 3, 4}, 1017},
        {{"Notes", 203, 1073741823}, 7500},  // a memo: no overflow, the cap
    };
    for (const Case& c : cases) {
        const ado::FieldInfo info{c.field.name, static_cast<ado::DataType>(c.field.type), c.field.size};
        EXPECT_EQ(fieldColumnWidth(info), c.width) << c.field.name;
    }
    EXPECT_FALSE(fieldRightAligned({"Year", ado::DataType::SmallInt, 2}, 0));
    EXPECT_TRUE(fieldRightAligned({"Cost", ado::DataType::Double, 8}, 1));
    EXPECT_TRUE(fieldRightAligned({"Date", ado::DataType::Date, 8}, 2));
    EXPECT_FALSE(fieldRightAligned({"Name", ado::DataType::VarWChar, 50}, 3));

    ado::Recordset empty = recordset({{"Name", 202, 50}}, {});
    EXPECT_EQ(CreateListview(list, empty, QStringLiteral("Depreciation Schedule")), 0);
    EXPECT_EQ(list.columnCount(), 0);

    // A name that differs in letter case only makes the columns and no rows.
    ado::Recordset one = recordset({{"Name", 202, 50}, {"Cost", 5, 8}}, {{"Lathe", 10.0}});
    EXPECT_EQ(CreateListview(list, one, QStringLiteral("depreciation schedule")), 0);
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.listWidthTwips(), 3600 + 480);
}

TEST_F(FillerTest, ScheduleShowsPlainRowsAndLeavesNullEmpty) {
    ado::Recordset rs = recordset({{"Year      ", 2, 2}, {"Depreciation", 5, 8}, {"Accum Depr    ", 5, 8}},
                                  {{std::int16_t(2005), 12345.0, 12345.0}, {std::int16_t(2006), null(), 20000.5}});
    EXPECT_EQ(CreateListview(list, rs, QStringLiteral("Depreciation Schedule")), 2);
    EXPECT_EQ(rowTexts(list, 0), (QStringList{"2005", "12,345", "12,345"}));
    EXPECT_EQ(rowTexts(list, 1), (QStringList{"2006", "", "20,001"}));
    EXPECT_EQ(list.column(0).heading, QStringLiteral("Year      "));
    EXPECT_FALSE(list.column(0).rightAligned);
    EXPECT_TRUE(list.column(2).rightAligned);
}

TEST_F(FillerTest, AutoUseNumbersVehiclesAndHidesAnswersWithoutUseData) {
    const std::vector<FieldSpec> fields{{"Description", 202, 50},   {"Vehicle #", 2, 2},      {"Company_Id", 3, 4},
                                        {"Business Miles", 3, 4},   {"Commuting Miles", 3, 4}, {"Personal Miles", 3, 4},
                                        {"Available Personal", 11, 2}, {"5 % Owner", 11, 2},  {"Another Car", 11, 2},
                                        {"Business_Percent", 5, 8}, {"Display_Data", 11, 2}};
    ado::Recordset rs = recordset(
        fields, {{"Van", std::int16_t(4), 7, 1500, 0, 250, true, false, true, 0.9, true},
                 {"Truck", std::int16_t(2), 7, 0, 0, 0, false, false, false, 0.5, false},
                 {"Car", std::int16_t(9), 7, null(), 12, 0, true, true, true, 0.25, true}});
    EXPECT_EQ(CreateListview(list, rs, QStringLiteral("Auto Use")), 3);
    EXPECT_EQ(rowTexts(list, 0), (QStringList{"Van", "1", "7", "1,500", " ", "250", "Yes", "No", "Yes", "1", "Yes"}));
    EXPECT_EQ(rowTexts(list, 1), (QStringList{"Truck", "2", "7", " ", " ", " ", " ", " ", " ", "1", " "}));
    EXPECT_EQ(list.cell(2, 1).text, QStringLiteral("3"));
    EXPECT_EQ(list.cell(2, 3).text, QString());  // Null stays empty
}

std::vector<FieldSpec> workSheetFields(int costType = 5) {
    return {{"Method", 202, 10},   {"Description", 202, 50}, {"Asset #  ", 3, 4}, {"In Service", 7, 8},
            {"Asset Cost ", costType, 8}, {"Percent", 5, 8}, {"Cost Basis", 5, 8}, {"Conv", 202, 5},
            {"Life", 5, 8},        {"Accum Depr", 5, 8},     {"Depreciation", 5, 8}};
}

std::vector<vb::Variant> workSheetRow(const char* method, const char* name, int number, vb::Variant cost, double life,
                                      double depreciation) {
    return {method, name, number, date(2010, 3, 15), cost, 100.0, cost, "HY", life, depreciation, depreciation};
}

TEST_F(FillerTest, WorksheetSubtotalsPerMethodAndGrandTotal) {
    ado::Recordset rs = recordset(workSheetFields(), {workSheetRow("MACRS", "Lathe", 12345, 1000.4, 7, 142.9),
                                                      workSheetRow("MACRS", "Press", 2, 2000.6, 7, 285.5),
                                                      workSheetRow("S/L", "Shed", 3, 30000.0, 27.5, 1090.9)});
    EXPECT_EQ(CreateListview(list, rs, QStringLiteral("Depreciation WorkSheet")), 10);
    EXPECT_EQ(rowTexts(list, 0),
              (QStringList{"MACRS", "Lathe", "12,345", "03/2010", "1,000", "100", "1,000", "HY", "7.0", "143", "143"}));
    EXPECT_EQ(list.cell(1, 0).text, B);
    const QStringList blank(11, B);
    EXPECT_EQ(rowTexts(list, 2), blank);
    EXPECT_EQ(rowTexts(list, 3), (QStringList{B, pad(29, "Subtotal") + "*", B, B, "3,001*", B, "3,001*", B, B,
                                              "429*", "429*"}));
    EXPECT_EQ(rowTexts(list, 4), blank);
    EXPECT_EQ(list.cell(5, 0).text, QStringLiteral("S/L"));
    EXPECT_EQ(list.cell(5, 8).text, QStringLiteral("27.5"));
    EXPECT_EQ(rowTexts(list, 7).at(4), QStringLiteral("30,000*"));
    EXPECT_EQ(rowTexts(list, 9), (QStringList{B, pad(24, "Grand Total") + "*", B, B, "33,001*", B, "33,001*", B, B,
                                              "1,520*", "1,520*"}));
}

TEST_F(FillerTest, WorksheetGroupEdges) {
    // One record: the record, blank, subtotal, blank, grand total; both totals agree.
    ado::Recordset one = recordset(workSheetFields(), {workSheetRow("ADS", "Barn", 1, 0.0, 40, 0)});
    EXPECT_EQ(CreateListview(list, one, QStringLiteral("New Assets WorkSheet")), 5);
    EXPECT_EQ(list.cell(2, 1).text, pad(29, "Subtotal"));
    EXPECT_EQ(list.cell(4, 4).text, QStringLiteral("0"));

    // Methods differing in letter case are two groups.
    list.clear();
    ado::Recordset cased = recordset(workSheetFields(), {workSheetRow("MACRS", "A", 1, 10.0, 5, 2),
                                                         workSheetRow("Macrs", "B", 2, 10.0, 5, 2)});
    EXPECT_EQ(CreateListview(list, cased, QStringLiteral("Depreciation WorkSheet")), 9);
    EXPECT_EQ(list.cell(4, 0).text, QStringLiteral("Macrs"));

    // Amounts shown with cents add as shown and are rounded half to even after each addition: 100, then 300.
    // A Null amount leaves its cell empty and adds nothing.
    list.clear();
    ado::Recordset cents = recordset(workSheetFields(6), {workSheetRow("MACRS", "A", 1, 100.5, 5, 1),
                                                          workSheetRow("MACRS", "B", 2, 200.5, 5, 1),
                                                          workSheetRow("MACRS", "C", 3, null(), 5, 1)});
    EXPECT_EQ(CreateListview(list, cents, QStringLiteral("Depreciation WorkSheet")), 7);
    EXPECT_EQ(list.cell(0, 4).text, QStringLiteral("100.50"));
    EXPECT_EQ(list.cell(2, 4).text, QString());
    EXPECT_EQ(list.cell(4, 4).text, QStringLiteral("300"));
    EXPECT_TRUE(prompts_->messages.empty());
}

TEST_F(FillerTest, TotalRowOverTheLastColumns) {
    const std::vector<FieldSpec> fields{{"Description", 202, 50}, {"Asset #", 3, 4}, {"Basis      ", 5, 8},
                                        {"179 Deduction", 5, 8}};
    ado::Recordset single = recordset(fields, {{"Saw", 1, 1000.0, 500.0}});
    EXPECT_EQ(CreateListview(list, single, QStringLiteral("179 WorkSheet")), 1);
    EXPECT_EQ(list.rowCount(), 1);

    list.clear();
    ado::Recordset two = recordset(fields, {{"Saw", 1, 1000.0, 500.0}, {"Drill", 2, 2500.0, 0.0}});
    EXPECT_EQ(CreateListview(list, two, QStringLiteral("179 WorkSheet")), 4);
    EXPECT_EQ(rowTexts(list, 2), (QStringList{B, B, B, B}));
    EXPECT_EQ(rowTexts(list, 3), (QStringList{pad(31, "Total") + "*", B, "3,500*", "500*"}));

    // Disposed assets sum three columns; a loss sums with its sign; 10.50 adds 10.5 and rounds to the even 10.
    list.clear();
    ado::Recordset sold = recordset({{"Description", 202, 50}, {"Asset #   ", 3, 4}, {"In Service  ", 7, 8},
                                     {"Sold Date", 7, 8}, {"Basis    ", 6, 8}, {"Sold Amt", 5, 8}, {"Gain/Loss", 5, 8}},
                                    {{"Van", 1, date(2005, 1), date(2010, 6), 10.5, 100.0, -1234.4},
                                     {"Car", 2, date(2006, 2), date(2010, 7), 0.0, 0.0, -100.0}});
    EXPECT_EQ(CreateListview(list, sold, QStringLiteral("Disposed Assets")), 4);
    EXPECT_EQ(rowTexts(list, 0), (QStringList{"Van", "1", "01/2005", "06/2010", "10.50", "100", "-1,234"}));
    EXPECT_EQ(rowTexts(list, 3), (QStringList{pad(31, "Total") + "*", B, B, B, "10*", "100*", "-1,334*"}));
}

std::vector<FieldSpec> propertyTaxFields() {
    return {{"Category", 202, 50}, {"In Service  ", 7, 8}, {"Asset ID  ", 3, 4},
            {"Description" + std::string(26, ' '), 202, 50}, {"Asset Cost", 5, 8}};
}

TEST_F(FillerTest, PropertyTaxGroupsByYearAndCategory) {
    ado::Recordset rs = recordset(propertyTaxFields(), {{"Computers", date(2003, 2), 1, "PC", 1000.0},
                                                        {"Computers", date(2003, 5), 2, "Laptop", 500.0},
                                                        {"Computers", date(2005, 1), 3, "Server", 2000.0},
                                                        {"Furniture", date(2004, 1), 4, "Desk", 700.0}});
    ASSERT_EQ(CreateListview(list, rs, QStringLiteral("Property Tax")), 19);
    const QStringList firstColumn = [&] {
        QStringList texts;
        for (int r = 0; r < list.rowCount(); ++r) texts << list.cell(r, 0).text + (list.cell(r, 0).bold ? "*" : "");
        return texts;
    }();
    EXPECT_EQ(firstColumn.at(0), QStringLiteral("Computers*"));
    EXPECT_EQ(firstColumn.at(12), QStringLiteral("Furniture*"));
    auto label = [&](int row) { return list.cell(row, 3).text + " | " + list.cell(row, 4).text; };
    EXPECT_EQ(label(3), pad(17, "Total for ") + "2003 | 1,500");
    EXPECT_EQ(label(7), pad(17, "Total for ") + "2005 | 2,000");
    EXPECT_EQ(label(9), pad(17, "Category Total") + " | 3,500");
    EXPECT_EQ(label(14), pad(17, "Total for ") + "2004 | 700");
    EXPECT_EQ(label(16), pad(17, "Category Total") + " | 700");
    EXPECT_EQ(label(18), pad(17, "Grand Total") + " | 4,200");
    EXPECT_TRUE(list.cell(18, 3).bold && list.cell(18, 4).bold);
    EXPECT_EQ(rowTexts(list, 10), QStringList(5, B));
    EXPECT_EQ(rowTexts(list, 11), QStringList(5, B));
}

TEST_F(FillerTest, PropertyTaxSmallCases) {
    ado::Recordset one = recordset(propertyTaxFields(), {{"Computers", date(2003, 2), 1, "PC", 1200.0}});
    EXPECT_EQ(CreateListview(list, one, QStringLiteral("Property Tax")), 7);
    EXPECT_EQ(list.cell(2, 4).text, QStringLiteral("1,200"));
    EXPECT_EQ(list.cell(4, 4).text, QStringLiteral("1,200"));
    EXPECT_EQ(list.cell(6, 4).text, QStringLiteral("1,200"));

    list.clear();
    ado::Recordset zero = recordset(propertyTaxFields(), {{"Computers", date(2003, 2), 1, "PC", 0.0}});
    EXPECT_EQ(CreateListview(list, zero, QStringLiteral("Property Tax")), 1);

    // Assets without a class come first without a heading; their category total is written when the first
    // named category starts, and a shared year still closes at the category change.
    list.clear();
    ado::Recordset unclassed = recordset(propertyTaxFields(), {{null(), date(2004, 1), 1, "Tools", 300.0},
                                                               {"Computers", date(2004, 6), 2, "PC", 900.0}});
    EXPECT_EQ(CreateListview(list, unclassed, QStringLiteral("Property Tax")), 14);
    EXPECT_EQ(list.cell(0, 0).text, B);
    EXPECT_FALSE(list.cell(0, 0).bold);
    EXPECT_EQ(list.cell(2, 3).text, pad(17, "Total for ") + "2004");
    EXPECT_EQ(list.cell(4, 3).text, pad(17, "Category Total"));
    EXPECT_EQ(list.cell(4, 4).text, QStringLiteral("300"));
    EXPECT_EQ(list.cell(7, 0).text, QStringLiteral("Computers"));
    EXPECT_EQ(list.cell(13, 4).text, QStringLiteral("1,200"));
}

TEST_F(FillerTest, NegativeGroupSumIsNotCarriedIntoTheNextGroup) {
    ado::Recordset rs = recordset(propertyTaxFields(), {{"Computers", date(2003, 2), 1, "Refund", -500.0},
                                                        {"Computers", date(2004, 2), 2, "PC", 800.0}});
    // The 2003 group (-500) gets no total row and its sum starts the 2004 group from 0; the category keeps both.
    ASSERT_EQ(CreateListview(list, rs, QStringLiteral("Property Tax")), 8);
    EXPECT_EQ(list.cell(3, 3).text, pad(17, "Total for ") + "2004");
    EXPECT_EQ(list.cell(3, 4).text, QStringLiteral("800"));
    EXPECT_EQ(list.cell(5, 4).text, QStringLiteral("300"));
}

TEST_F(FillerTest, TheSameErrorTwiceEndsTheReportEmpty) {
    const std::vector<FieldSpec> fields{{"Description", 202, 50}, {"Vehicle #", 2, 2}, {"Business Miles", 3, 4},
                                        {"Display_Data", 11, 2}};
    ado::Recordset rs = recordset(fields, {{"Van", std::int16_t(1), "many", true}, {"Car", std::int16_t(2), "lots", true}});
    EXPECT_EQ(CreateListview(list, rs, QStringLiteral("Auto Use")), 0);
    const QStringList shown = prompts_->messageTexts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("Error in PopulateLVAutoUseRpt. ")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith(" Error Number: 13")) << shown[0].toStdString();
    EXPECT_EQ(shown[1], QStringLiteral("Can not complete operation. Exiting operation."));
}

}  // namespace
}  // namespace tally::desk::testing
