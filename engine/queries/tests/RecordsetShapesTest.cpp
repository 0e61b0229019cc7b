// Every recordset the query classes hand out: column names exactly as the statements write them (trailing blanks
// and letter case included: they are the report headings, and "Life" picks the report's one-decimal format) and the
// ADO type codes the report and maintenance code switch on.

#include <functional>
#include <optional>

#include "QueryFixture.h"

namespace tally::testing {
namespace {

using ado::DataType;
constexpr DataType Int16 = DataType::SmallInt, Int32 = DataType::Integer, Dbl = DataType::Double, Date = DataType::Date,
                   Bool = DataType::Boolean, Text = DataType::VarWChar, Memo = DataType::LongVarWChar;

struct Column {
    std::optional<std::string> name;  // nullopt: a column the callers read by position only
    DataType type;
    long size = -1;  // -1: not checked
};

struct Shape {
    const char* query;
    std::function<ado::RecordsetPtr()> run;
    std::vector<Column> columns;
};

class RecordsetShapes : public QueryTest {
protected:
    void SetUp() override {
        company = addCompany("Acme Tools");
        const std::int32_t lathe =
            addDepreciated({.company = company, .name = "Lathe", .deduction179 = 200, .type179 = true}, 160);
        addDepr(company, lathe, kYear + 1, 256, 416);
        addDepreciated({.company = company, .name = "Shed", .method = kAds, .life = 50}, 20);
        addDepreciated({.company = company, .name = "Patent", .method = kAmortize, .life = 15, .amortizeCode = 197},
                       50);
        addAsset({.company = company, .name = "Drill", .sold = "06/15/2020", .soldAmount = 300});
        int vehicle = 0;
        for (const char* name : {"Car A", "Car B", "Car C", "Car D"}) {
            addDepreciated({.company = company, .name = name, .method = kListed, .business = 0.8, .vehicle = ++vehicle},
                           100);
        }
        addDepreciated({.company = company, .name = "Car E", .method = kListed, .business = 0.4, .vehicle = 5}, 10);
        for (const char* name : {"Mill A", "Mill B", "Mill C"}) {
            addAsset({.company = company, .name = name, .deduction179 = 100});
        }
        autos.AddAutoUse(std::to_string(company) + ", 2020, 1, '100', '20', '5', True, False, Yes", company, kYear, 1);
        autos.AddAutoQst(std::to_string(company) + ", 2020, True, False, True, False, True");

        // The other variants of the amortized and section 179 sets: three amortized assets, one 179 asset.
        bakery = addCompany("Bay Bakery");
        for (const char* name : {"Patent", "Copyright", "License"}) {
            addDepreciated({.company = bakery, .name = name, .method = kAmortize, .life = 15}, 10);
        }
        addDepreciated({.company = bakery, .name = "Saw", .deduction179 = 100}, 10);
    }

    std::int32_t company = 0;
    std::int32_t bakery = 0;
};

TEST_F(RecordsetShapes, NamesAndTypesOfEveryRecordset) {
    const std::int32_t c = company;
    const std::int16_t y = kYear;
    // clang-format off
    const std::vector<Column> workSheet = {{"Method", Text}, {"Description", Text}, {"Asset #  ", Int32},
        {"In Service", Date}, {"Asset Cost ", Dbl}, {"Percent", Dbl}, {"Cost Basis", Dbl}, {"Conv", Text},
        {"Life", Dbl}, {"Accum Depr", Dbl}, {"Depreciation", Dbl}};
    const std::vector<Shape> shapes = {
        {"GetCompanyMaintData", [&] { return companies.GetCompanyMaintData(); },
         {{"Company Name", Text, 50}, {"Owner", Text}, {"Address         ", Text}, {"Address 2", Text},
          {"City", Text}, {"State  ", Text, 2}, {"Zip Code ", Text, 10}, {"Tax Id", Text, 11}, {"id", Int32}}},
        {"GetCompanyList", [&] { return companies.GetCompanyList(); }, {{"Company Name", Text}, {"id", Int32}}},
        {"GetAssetList", [&] { return companies.GetAssetList(c, y); }, {{"Asset_name", Text}, {"Asset_num", Int32}}},
        {"GetDeprSchedule", [&] { return deprSupport.GetDeprSchedule(1); },
         {{"Year      ", Int16}, {"Depreciation", Dbl}, {"Accum Depr    ", Dbl}}},
        {"GetAssetWrkSheet", [&] { return deprSupport.GetAssetWrkSheet(c, y); }, workSheet},
        {"GetNewAssetWrkSheet", [&] { return deprSupport.GetNewAssetWrkSheet(c, y); }, workSheet},
        {"Get179WrkSheet", [&] { return deprSupport.Get179WrkSheet(c, y); },
         {{"Description", Text}, {"Asset #", Int32}, {"Basis      ", Dbl}, {"179 Deduction", Dbl}}},
        {"GetClassMaint", [&] { return deprSupport.GetClassMaint(); },
         {{"Method", Text}, {"Description               ", Text, 50}, {"Life    ", Dbl}, {"If Auto - Type", Text},
          {"Amortize #", Int16}, {"ID", Int32}}},
        {"GetMethods", [&] { return deprSupport.GetMethods(); }, {{"Method", Text}, {"id", Int32}}},
        {"Get179forMaint", [&] { return deprSupport.Get179forMaint(); },
         {{"Year  ", Int16}, {"Maximum Amount", Dbl}, {"Threshold Cost", Dbl}, {"ID", Int32}}},
        {"GetMisc4562DataForMaint", [&] { return deprSupport.GetMisc4562DataForMaint(c, 0); },
         {{"Year  ", Int16}, {"179 Carryover", Int32}, {"179 Income Limit", Int32}, {"Listed Claim", Bool},
          {"Listed Evidence", Bool}, {"Group Assets", Bool}, {"168 Property", Dbl}, {"Other Depr", Dbl},
          {"263A Cost", Dbl}, {"Exclude 179", Bool}, {"ID", Int32}}},
        {"MaxAutoMaint", [&] { return deprSupport.MaxAutoMaint(); },
         {{"Year  ", Int16}, {"Type", Text}, {"Yr 1 + 30%", Dbl}, {"Yr 1 + 50%", Dbl}, {"Max Year 1", Dbl},
          {"Max Year 2", Dbl}, {"Max Year 3", Dbl}, {"Max Year 4", Dbl}, {"ID", Int32}}},
        {"Get179Limits", [&] { return deprSupport.Get179Limits(y); },
         {{"Maximum Amount", Dbl}, {"Threshold Cost", Dbl}}},
        {"Get179andCostTotal", [&] { return deprSupport.Get179andCostTotal(c, y); },
         {{"cost", Dbl, 8}, {std::nullopt, Dbl, 8}}},
        {"GetLives", [&] { return deprSupport.GetLives("MACRS"); }, {{"life", Dbl}}},
        {"GetTypes", [&] { return deprSupport.GetTypes(kMacrs); }, {{std::nullopt, Text}, {"Id", Int32}}},
        {"GetAsset", [&] { return deprSupport.GetAsset(1, c); },
         {{"Asset_num", Int32}, {"Asset_name", Text}, {"Cost", Dbl}, {"Allowance 30 %", Dbl},
          {"In_Service_date", Date}, {"bussiness_percent", Dbl}, {"179_deduction", Dbl}, {"convention", Int16},
          {"life_id", Int32}, {"depr_class_id", Int32}, {"method", Text}, {"sold_date", Date}, {"sold_amt", Dbl},
          {"gain_loss", Dbl}, {"other_deductions", Dbl}, {"notes", Memo}, {"Type_179", Bool},
          {std::nullopt, Int32}, {"life", Dbl}, {"vehicle_num", Int16}, {"amortize_code", Int16},
          {"actual_method", Text}}},
        {"GetDetailDepr", [&] { return deprSupport.GetDetailDepr(c, y); },
         {{"Description", Text}, {"Type", Text}, {"In Service", Date}, {"Life", Dbl}, {"Convention", Text},
          {std::nullopt, Text}, {"Basis      ", Dbl}, {"Depreciation", Dbl}}},
        {"GetNewAssets", [&] { return deprSupport.GetNewAssets(c, y); },
         {{"Description", Text}, {"Asset #   ", Int32}, {"In Service  ", Date}, {"Method", Text}, {"Life", Dbl},
          {"Percent", Dbl}, {"Asset Cost ", Dbl}, {"Allowances", Dbl}, {"179 Ded ", Dbl}, {"Other Ded", Dbl}}},
        {"GetDisposedAssets", [&] { return deprSupport.GetDisposedAssets(c, y); },
         {{"Description", Text}, {"Asset #   ", Int32}, {"In Service  ", Date}, {"Sold Date", Date},
          {"Basis    ", Dbl}, {"Sold Amt", Dbl}, {"Gain/Loss", Dbl}}},
        {"GetPropertTax", [&] { return deprSupport.GetPropertTax(c, y); },
         {{"Category", Text}, {"In Service  ", Date}, {"Asset ID  ", Int32},
          {"Description" + std::string(26, ' '), Text}, {"Asset Cost", Dbl}}},
        {"GetListedDepr totals", [&] { return tallyform.GetListedDepr(c, y, ">"); },
         {{"Asset_name", Text, 12}, {"Cost", Dbl}, {"Basis", Dbl}, {"Depr", Dbl}, {"179_deduction", Dbl}}},
        {"GetListedDepr details", [&] { return tallyform.GetListedDepr(c, y, "<="); },
         {{"Asset_name", Text}, {"In_Service_date", Date}, {"Bpercent", Dbl}, {"Cost", Dbl}, {"Basis", Dbl},
          {"life", Dbl}, {"depr", Dbl}, {"179_deduction", Dbl}, {"Method", Text, 6}, {"abbreviation", Text},
          {"Company_Id", Int32}, {"year", Int16}, {"vehicle_num", Int16}, {"bussiness_percent", Dbl}}},
        {"GetAmortized details", [&] { return tallyform.GetAmortized(c, y); },
         {{"Asset_name", Text}, {"In_Service_date", Date}, {"Basis", Dbl}, {"amortize_code", Int16},
          {"periods", Dbl}, {"depr", Dbl}}},
        {"GetAmortized totals", [&] { return tallyform.GetAmortized(bakery, y); },
         {{"Asset_name", Text, 15}, {"Basis", Dbl}, {"Depr", Dbl}}},
        {"Get179MacrsDeduction totals", [&] { return tallyform.Get179MacrsDeduction(c, y); },
         {{"Asset_name", Text, 16}, {"179_deduction", Dbl}}},
        {"Get179MacrsDeduction details", [&] { return tallyform.Get179MacrsDeduction(bakery, y); },
         {{"Asset_name", Text}, {"Cost", Dbl}, {"179_deduction", Dbl}}},
        {"GetDeprSummary", [&] { return tallyform.GetDeprSummary(c, y, "MACRS"); },
         {{"Basis", Dbl}, {"life", Dbl}, {"Depr", Dbl}, {"Convention", Text}, {"method", Text}}},
        {"GetCompanyData", [&] { return tallyform.GetCompanyData(c); },
         {{"Company Name", Text}, {"owner", Text}, {"tax id", Text}}},
        {"GetAutoUse", [&] { return autos.GetAutoUse(y, c); },
         {{"Vehicle #", Int16}, {"Business Miles", Text}, {"Commuting Miles", Text}, {"Personal Miles", Text},
          {"Available Personal Use off Hours", Bool}, {"Driver 5 percent Owner", Bool},
          {"Another Car Available", Bool}}},
        {"GetVehicleDescription", [&] { return autos.GetVehicleDescription(c, y); },
         {{"Asset_name", Text}, {"vehicle_num", Int16}}},
        {"GetAutoQst", [&] { return autos.GetAutoQst(y, c); },
         {{"No Personal Use", Bool}, {"Commuting Allowed", Bool}, {"All Personal Use", Bool},
          {"More 5 Cars & keep Track", Bool}, {"Meet Requirements", Bool}}},
        {"GetAutoUseReport", [&] { return autos.GetAutoUseReport(y, c); },
         {{"Description", Text}, {"Vehicle #", Int16}, {"Company_Id", Int32}, {"Business Miles", Int32},
          {"Commuting Miles", Int32}, {"Personal Miles", Int32}, {"Available Personal", Bool},
          {"5 % Owner", Bool}, {"Another Car", Bool}, {"Business_Percent", Dbl}, {"Display_Data", Bool}}},
    };
    // clang-format on

    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.query);
        const ado::RecordsetPtr rs = shape.run();
        ASSERT_EQ(rs->FieldCount(), static_cast<long>(shape.columns.size()));
        for (long i = 0; i < rs->FieldCount(); ++i) {
            const Column& expected = shape.columns[i];
            const ado::FieldInfo& actual = rs->fieldInfo(i);
            SCOPED_TRACE("column " + std::to_string(i) + " '" + actual.name + "'");
            if (expected.name) {
                EXPECT_EQ(actual.name, *expected.name);
            }
            EXPECT_EQ(static_cast<int>(actual.type), static_cast<int>(expected.type));
            if (expected.size >= 0) {
                EXPECT_EQ(actual.definedSize, expected.size);
            }
            // A Double column holds Doubles in every row, also where the database summed whole numbers.
            if (expected.type == Dbl) {
                for (const auto& row : rs->rows()) {
                    if (!row[static_cast<std::size_t>(i)].isNull()) {
                        EXPECT_EQ(row[static_cast<std::size_t>(i)].type(), vb::VarType::Double);
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace tally::testing
