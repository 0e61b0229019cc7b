// The statements the program sends, written as the program writes them (Jet dialect, value lists pasted in,
// trailing-blank names, # dates, True/Yes words), run through the program's connection against the shipped
// schema. A statement the program will send must run on this database and store what it means.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShippedCopy.h"

namespace tally::data::testing {
namespace {

struct StatementCase {
    std::string name;
    std::vector<std::string> actions;  // run in order, as action statements
    std::string query;                 // then this query; its first row, fields joined by "|", is expected
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const StatementCase& c) { return out << c.name; }

// An asset of company 1 with two years of depreciation, a vehicle with use data, a questionnaire and the year's
// Form 4562 inputs: the rows the update and delete statements act on.
constexpr const char* kSeedRows[] = {
    "INSERT INTO tblAssets (Asset_num, Company_Id, Asset_name, Cost, In_Service_date, depr_method, life, convention, "
    "bussiness_percent, vehicle_num) VALUES (5, 1, 'Truck', 25000, '2005-03-01', 9, 5, 1, 1, 2)",
    "INSERT INTO tblDepr VALUES (1, 5, 2005, 5000, 5000), (1, 5, 2006, 8000, 13000)",
    "INSERT INTO tblAutoUse VALUES (1, 2005, 2, '15000', '2500', '1200', 1, 0, 1)",
    "INSERT INTO tblAutoQuestions VALUES (1, 2005, 1, 0, 0, 1, 0)",
    "INSERT INTO tblMisc4562Data (ID, Company_Id, Year, [179 Carryover]) VALUES (1, 1, 2005, 300)",
};

const std::string kAssetInsert =
    "INSERT INTO tblAssets (Company_Id, Asset_name, Cost,  [Allowance 30 %], 179_deduction, In_Service_date, "
    "depr_method  , life, convention, other_deductions, bussiness_percent, sold_date, sold_amt, notes, depr_class_id, "
    "life_id, amortize_code, vehicle_num, actual_method, Type_179 ) Values(";
const std::string kNewestAsset = " FROM tblAssets WHERE Asset_num = (Select MAX(asset_num) from tblassets )";
const std::string kUseInsert =
    "INSERT INTO tblAutoUse (Company_Id, [year], [Vehicle #],  [Business Miles], [Commuting Miles], [Personal Miles] "
    ",[Available Personal Use off Hours], [Driver 5 percent Owner], [Another Car Available]) Values(";
const std::string kQuestionsInsert =
    "INSERT INTO tblAutoQuestions (Company_Id, [year],  [No Personal Use], [Commuting Allowed], [All Personal Use] "
    ",[More 5 Cars & keep Track], [Meet Requirements] ) Values(";

class ProgramStatements : public ShippedCopy, public ::testing::WithParamInterface<StatementCase> {
protected:
    void SetUp() override {
        ShippedCopy::SetUp();
        for (const char* row : kSeedRows) connection_->ExecuteAction(row);
    }

    std::string firstRow(const std::string& query) {
        const ado::RecordsetPtr rs = connection_->Execute(query);
        if (rs->EOF_()) return "(no row)";
        std::string text;
        for (long i = 0; i < rs->FieldCount(); ++i) {
            const vb::Variant& value = (*rs)[i];
            text += (i ? "|" : "") + (value.isNull() ? std::string("Null") : value.toString());
        }
        return text;
    }
};

TEST_P(ProgramStatements, RunOnTheShippedSchema) {
    for (const std::string& action : GetParam().actions) {
        SCOPED_TRACE(action);
        EXPECT_NO_THROW(connection_->ExecuteAction(action));
    }
    EXPECT_EQ(firstRow(GetParam().query), GetParam().expected);
}

// The one-row settings table, read through ReturnValue and written through ExecuteSql.
INSTANTIATE_TEST_SUITE_P(
    Settings, ProgramStatements,
    ::testing::Values(
        StatementCase{"DefaultYear", {"Update tblDefaults set defaultyear = 2027"}, "Select DefaultYear from tblDefaults",
                      "2027"},
        StatementCase{"StartUpHelp", {"Update tblDefaults set StartUp_Help = False"},
                      "Select StartUp_Help from tblDefaults", "False"},
        StatementCase{"ShowCompany", {"Update tblDefaults set ShowCompany = True"}, "Select ShowCompany from tblDefaults",
                      "True"}),
    [](const auto& info) { return info.param.name; });

// The asset window's writes: the engine's INSERT with the window's value list, the window's own UPDATE (month/year
// in-service text, short-date sold date, backticks for apostrophes) and the two deletes.
INSTANTIATE_TEST_SUITE_P(
    Assets, ProgramStatements,
    ::testing::Values(
        StatementCase{"AddAsset",
                      {kAssetInsert + "1, 'O`Hara desk' ,1250.75,0,0, #03/2005#, 1, 7,1, 0,0.75, #1/1/1900#, 0, "
                                      "'it`s', 2, 2, 0, 0, '200DB',1) "},
                      "SELECT Asset_name, Cost, In_Service_date || '', sold_date || '', bussiness_percent, notes, "
                      "Type_179, gain_loss" + kNewestAsset,
                      "O`Hara desk|1250.75|2005-03-01|1900-01-01|0.75|it`s|True|0"},
        StatementCase{"AddVehicleWithRealPropertyLife",
                      {kAssetInsert + "1, 'Van' ,31000,2060,1000, #12/2008#, 9, 27.5,2, 150.5,0.5, #1/1/1900#, 0, "
                                      "'', 4, 6, 0, 3, 'S/L',0) "},
                      "SELECT life, convention, [Allowance 30 %], other_deductions, vehicle_num, In_Service_date || ''" +
                          kNewestAsset,
                      "27.5|2|2060|150.5|3|2008-12-01"},
        StatementCase{"NewAssetNumber", {}, "Select MAX(asset_num) from tblassets ", "5"},
        StatementCase{"UpdateAsset",
                      {" Update tblAssets Set asset_name = 'Truck', Cost = 25000, [allowance 30 %] = 2060, "
                       "other_deductions = 0, 179_deduction = 1000, In_Service_date = #04/2005#, depr_method = 9, "
                       "life = 5, Convention = 1, bussiness_percent = 1, sold_date = #6/30/2008#, sold_amt = 9000.5 "
                       ", notes = 'sold ', depr_class_id = 3 , life_id = 1, Amortize_code = 0, Vehicle_num = 2 , "
                       "actual_method = '200DB' , Type_179 = 1 Where Asset_num = 5"},
                      "SELECT [Allowance 30 %], [179_deduction], In_Service_date || '', sold_date || '', sold_amt, "
                      "notes, Company_Id FROM tblAssets WHERE Asset_num = 5",
                      "2060|1000|2005-04-01|2008-06-30|9000.5|sold |1"},
        StatementCase{"DeleteAsset",
                      {"Delete * from tblAssets where asset_num = 5 and company_id = 1",
                       "Delete * from tblDepr where asset_num = 5 and client_num = 1"},
                      "SELECT (SELECT count(*) FROM tblAssets WHERE Asset_num = 5), "
                      "(SELECT count(*) FROM tblDepr WHERE asset_num = 5)",
                      "0|0"}),
    [](const auto& info) { return info.param.name; });

// Vehicle use: the engine's replace of a use row with the page's value list, the questionnaire insert and the
// page's own update, the deletes, and the report's rebuild (delete, insert-select, update with a join).
INSTANTIATE_TEST_SUITE_P(
    Vehicles, ProgramStatements,
    ::testing::Values(
        StatementCase{"ReplaceUseRow",
                      {"Delete * from tblAutoUse where Company_Id = 1 and [Year] = 2005 and [Vehicle #] = 2",
                       kUseInsert + "1, 2005,2, '16000', '0', '1,200', False, True, False) "},
                      "SELECT count(*), [Business Miles], [Personal Miles], [Available Personal Use off Hours], "
                      "[Driver 5 percent Owner] FROM tblAutoUse WHERE [Vehicle #] = 2",
                      "1|16000|1,200|False|True"},
        StatementCase{"DeleteUseRow", {"Delete * from tblAutoUse Where year = 2005 and company_Id = 1 And [Vehicle #] = 2"},
                      "SELECT count(*) FROM tblAutoUse", "0"},
        StatementCase{"AddQuestionnaire", {kQuestionsInsert + "7, 2008, True, False, False, True, False) "},
                      "SELECT [No Personal Use], [Commuting Allowed], [All Personal Use], [More 5 Cars & keep Track], "
                      "[Meet Requirements] FROM tblAutoQuestions WHERE Company_Id = 7",
                      "True|False|False|True|False"},
        StatementCase{"UpdateQuestionnaire",
                      {" Update tblAutoQuestions set [No Personal Use] = False, [Commuting Allowed] = True,  "
                       "[All Personal Use] = False, [More 5 Cars & keep Track] = False, [Meet Requirements] = True "
                       "where company_id = 1 and [year] = 2005"},
                      "SELECT [No Personal Use], [Commuting Allowed], [Meet Requirements] FROM tblAutoQuestions",
                      "False|True|True"},
        StatementCase{"DeleteQuestionnaire", {"Delete * from tblAutoQuestions Where year = 2005 and company_Id = 1"},
                      "SELECT count(*) FROM tblAutoQuestions", "0"},
        StatementCase{
            "UseReport",
            {"Delete * from tblAutoUseReport ",
             "INSERT INTO tblAutoUseReport ( Description, [Vehicle #], Company_Id, Business_Percent )SELECT "
             "tblAssets.Asset_name, tblAssets.vehicle_num, tblAssets.Company_Id, tblAssets.bussiness_percent FROM "
             "tblAssets INNER JOIN tblDepr ON tblAssets.Asset_num = tblDepr.asset_num Where (((tblAssets.vehicle_num) "
             "> 0) And ((tblAssets.Company_Id) = 1) And ((tblDepr.Year) = 2005))",
             "UPDATE tblAutoUse INNER JOIN tblAutoUseReport ON (tblAutoUse.Company_Id = tblAutoUseReport.Company_Id) "
             "AND (tblAutoUse.[Vehicle #] = tblAutoUseReport.[Vehicle #]) SET tblAutoUseReport.[Business Miles] = "
             "[tblAutoUse].[Business Miles], tblAutoUseReport.[Commuting Miles] = [tblAutoUse].[Commuting Miles], "
             "tblAutoUseReport.[Personal Miles] = [tblAutoUse].[Personal Miles], tblAutoUseReport.[Available "
             "Personal] = [tblAutoUse].[Available Personal Use off Hours], tblAutoUseReport.[5 % Owner] = "
             "[tblAutoUse].[Driver 5 percent Owner], tblAutoUseReport.[Another Car] = [tblAutoUse].[Another Car "
             "Available], tblAutoUseReport.Display_Data = Yes WHERE (((tblAutoUse.Year)= 2005))"},
            "Select * from tblAutoUseReport ORDER BY business_percent desc , [Vehicle #] ",
            "Truck|2|1|15000|2500|1200|True|False|True|1|True"}),
    [](const auto& info) { return info.param.name; });

// Table maintenance: generic UPDATE, INSERT and DELETE built from the list's field names (trailing blanks kept
// inside the brackets), numbers and text as typed, yes/no as Yes/No, and the key read back as the table's maximum.
// Non-integer numbers are written between apostrophes, as the builders write single-precision fields.
INSTANTIATE_TEST_SUITE_P(
    Maintenance, ProgramStatements,
    ::testing::Values(
        StatementCase{"UpdateCompany",
                      {"Update tblCompany Set [Company Name] = 'O`Hara Supply' , [Owner] = 'Ann' , [Address         ] "
                       "= '1 Main St' , [Address 2] = '' , [City] = 'Albany' , [State  ] = 'NY' , [Zip Code ] = "
                       "'02134' , [Tax Id] = '12-3456789' WHERE id = 1"},
                      "SELECT [Company Name], Address, State, [Zip Code] FROM tblCompany WHERE id = 1",
                      "O`Hara Supply|1 Main St|NY|02134"},
        StatementCase{"AddCompany",
                      {"INSERT INTO tblCompany ([Company Name], [Owner], [Address         ], [Address 2], [City], "
                       "[State  ], [Zip Code ], [Tax Id]) Values( 'North', 'Bo', '', '', '', '', '', '98-7654321')"},
                      "Select MAX(id) from tblCompany", "2"},
        StatementCase{"DeleteCompany", {"Delete from tblCompany WHERE id  = 1"}, "SELECT count(*) FROM tblCompany",
                      "0"},
        StatementCase{"UpdateAssetClass",
                      {"Update tblDeprClass Set  Method_Id  = 9 , [Description               ] = 'Vans' , [Life    ] "
                       "= '5' , [If Auto - Type] = 'Truck/Van' , [Amortize #] = 0 WHERE ID = 4"},
                      "SELECT Method_ID, Description, Life + 0.5, [If Auto - Type] FROM tblDeprClass WHERE ID = 4",
                      "9|Vans|5.5|Truck/Van"},
        StatementCase{"AddAssetClass",
                      {"INSERT INTO tblDeprClass ( Method_Id , [Description               ], [Life    ], "
                       "[If Auto - Type], [Amortize #]) Values( 3, 'Goodwill', '15', 'N/A', 197)"},
                      "SELECT Description, Life + 0, [Amortize #] FROM tblDeprClass WHERE ID = "
                      "(Select MAX(ID) from tblDeprClass)",
                      "Goodwill|15|197"},
        StatementCase{"DeleteAssetClass", {"Delete from tblDeprClass WHERE ID  = 8"},
                      "SELECT count(*) FROM tblDeprClass WHERE ID = 8", "0"},
        StatementCase{"AddVehicleLimits",
                      {"INSERT INTO tblMaxAuto ([Year  ], [Type], [Yr 1 + 30%], [Yr 1 + 50%], [Max Year 1], [Max Year "
                       "2], [Max Year 3], [Max Year 4]) Values( 2040, 'Electric', '0', '0', '9180', '14800', '8850', "
                       "'5325')"},
                      "SELECT [Max Year 1] + [Max Year 4] FROM tblMaxAuto WHERE ID = (Select MAX(ID) from tblMaxAuto)",
                      "14505"},
        StatementCase{"UpdateVehicleLimits",
                      {"Update tblMaxAuto Set [Year  ] = 2040 , [Type] = 'Gas' , [Yr 1 + 30%] = '7660' , [Yr 1 + 50%] "
                       "= '0' , [Max Year 1] = '3060' , [Max Year 2] = '4900' , [Max Year 3] = '2950' , [Max Year "
                       "4] = '1775' WHERE ID = 1"},
                      "SELECT Year, [Yr 1 + 30%] + [Max Year 1] FROM tblMaxAuto WHERE ID = 1", "2040|10720"},
        StatementCase{"AddSection179Limits",
                      {"INSERT INTO tblMax179 ([Year  ], [Maximum Amount], [Threshold Cost]) Values( 2040, "
                       "'1000000.5', '2500000')"},
                      "SELECT [Maximum Amount] FROM tblMax179 WHERE ID = (Select MAX(ID) from tblMax179)",
                      "1000000.5"},
        StatementCase{"UpdateSection179Limits",
                      {"Update tblMax179 Set [Year  ] = 2040 , [Maximum Amount] = '25000' , [Threshold Cost] = "
                       "'200000' WHERE ID = 1"},
                      "SELECT Year, [Maximum Amount] + [Threshold Cost] FROM tblMax179 WHERE ID = 1", "2040|225000"},
        StatementCase{"AddForm4562Data",
                      {"INSERT INTO tblMisc4562Data ([Year  ], [179 Carryover], [179 Income Limit], [Listed Claim], "
                       "[Listed Evidence], [Group Assets], [168 Property], [Other Depr], [263A Cost], [Exclude 179], "
                       "company_id) Values( 2006, 0, 50000, Yes, No, No, '0', '1250.5', '0', No, 1)"},
                      "SELECT [179 Income Limit], [Listed Claim], [Other Depr] + 0, [Exclude 179] FROM tblMisc4562Data "
                      "WHERE Company_Id = 1 AND Year = 2006",
                      "50000|True|1250.5|False"},
        StatementCase{"UpdateForm4562Data",
                      {"Update tblMisc4562Data Set [Year  ] = 2005 , [179 Carryover] = 1200 , [179 Income Limit] = 0 , "
                       "[Listed Claim] = No , [Listed Evidence] = Yes , [Group Assets] = No , [168 Property] = '0' , "
                       "[Other Depr] = '0' , [263A Cost] = '99.5' , [Exclude 179] = Yes WHERE ID = 1"},
                      "SELECT [179 Carryover], [Listed Evidence], [263A Cost] + 0, [Exclude 179] FROM tblMisc4562Data "
                      "WHERE ID = 1",
                      "1200|True|99.5|True"},
        StatementCase{"DeleteForm4562Data", {"Delete from tblMisc4562Data WHERE ID  = 1"},
                      "SELECT count(*) FROM tblMisc4562Data", "0"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tally::data::testing
