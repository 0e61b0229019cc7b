// Asset records, section 179 storage, lookups and the engine's error convention.

#include <sqlite3.h>

#include <algorithm>

#include "ComError.h"
#include "QueryFixture.h"

namespace tally::testing {
namespace {

using DeprSupportQueries = QueryTest;

TEST_F(DeprSupportQueries, AddAssetReturnsTheNewNumberAndGetAssetReadsItBack) {
    const std::int32_t acme = addCompany("Acme Tools"), bay = addCompany("Bay Bakery");
    const std::int32_t first = addAsset({.company = acme, .name = "Lathe", .life = 27.5, .vehicle = 0});
    const std::int32_t second =
        addAsset({.company = bay, .name = "Oven", .business = 0.75, .classId = 2, .type179 = true});
    EXPECT_EQ(second, first + 1);

    const ado::RecordsetPtr asset = deprSupport.GetAsset(second, bay);
    ASSERT_EQ(asset->RecordCount(), 1);
    EXPECT_EQ((*asset)["Asset_name"].toString(), "Oven");
    EXPECT_EQ((*asset)["method"].toString(), "MACRS");
    EXPECT_EQ((*asset)["depr_class_id"].toLong(), 2);
    EXPECT_EQ((*asset)[17].toLong(), 2);
    EXPECT_DOUBLE_EQ((*asset)["bussiness_percent"].toDouble(), 0.75);
    EXPECT_EQ((*asset)["In_Service_date"].toDate(), vb::Date(2020, 3, 1));
    EXPECT_EQ((*asset)["sold_date"].toDate(), vb::notSoldDate());
    EXPECT_EQ((*asset)["Type_179"].toBool(), true);
    EXPECT_EQ(deprSupport.GetAsset(second, acme)->RecordCount(), 0) << "another company's asset";
}

TEST_F(DeprSupportQueries, FailuresCarryTheClassAndMethodTags) {
    try {
        deprSupport.AddAsset("1, 'too few values'");
        FAIL() << "a malformed value list must raise";
    } catch (const ComError& e) {
        EXPECT_EQ(e.tagClass(), "DeprSupport");
        EXPECT_EQ(e.tagOperation(), "AddAsset");
    }
    EXPECT_EQ(companies.GetAssetList(1, 0)->RecordCount(), 0) << "nothing inserted";
}

TEST_F(DeprSupportQueries, Save179InsertsThenUpdatesTheYearsRow) {
    const std::int32_t acme = addCompany("Acme Tools");
    EXPECT_EQ(deprSupport.CheckForMisc4562(kYear, acme), 0);
    EXPECT_TRUE(deprSupport.Save179(5000, kYear, acme));
    EXPECT_EQ(deprSupport.CheckForMisc4562(kYear, acme), 1);
    EXPECT_EQ(deprSupport.Get179CarryOver(acme, kYear), 5000);

    // The inserted row's other columns take defaults the form can read.
    ado::RecordsetPtr row = deprSupport.GetMisc4562DataForMaint(acme, kYear);
    ASSERT_EQ(row->RecordCount(), 1);
    EXPECT_EQ(row->field("Other Depr").Value().toDouble(), 0);
    EXPECT_EQ(row->field("Exclude 179").Value().toBool(), false);

    database.exec("UPDATE tblMisc4562Data SET [179 Income Limit] = 70000 where Company_Id = " + std::to_string(acme));
    EXPECT_TRUE(deprSupport.Save179(-300, kYear, acme));
    EXPECT_EQ(deprSupport.CheckForMisc4562(kYear, acme), 1);
    EXPECT_EQ(deprSupport.Get179CarryOver(acme, kYear), -300);
    EXPECT_EQ(deprSupport.Get179IncomeLimit(acme, kYear), 70000) << "the update leaves other columns alone";

    deprSupport.Save179(10, kYear + 1, acme);
    EXPECT_EQ(deprSupport.GetMisc4562DataForMaint(acme, 0)->RecordCount(), 2);
    EXPECT_EQ(columnNumbers(deprSupport.GetMisc4562DataForMaint(acme, 0), "Year  "), (std::vector<double>{2020, 2021}));
    EXPECT_EQ(deprSupport.GetMisc4562DataForMaint(acme, kYear + 5)->RecordCount(), 0);
}

TEST_F(DeprSupportQueries, ClassItemTextWritesWholeLivesWithoutDecimals) {
    const ado::RecordsetPtr types = deprSupport.GetTypes(kMacrs);
    std::vector<std::string> texts;
    for (types->MoveFirst(); !types->EOF_(); types->MoveNext()) texts.push_back((*types)[0].toString());
    const std::string blanks(50, ' ');
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Computers and peripheral equipment" + blanks + "5-N/A\\0"),
              texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Residential rental property" + blanks + "27.5-N/A\\0"),
              texts.end());
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end()));
    EXPECT_EQ(columnText(deprSupport.GetTypes(kAmortize), "Id").size(), 1u);
}

TEST_F(DeprSupportQueries, LifeListsMatchMethodNamesWithoutCaseAndTakeAnyText) {
    EXPECT_EQ(deprSupport.GetLives("macrs")->RecordCount(), deprSupport.GetLives("MACRS")->RecordCount());
    EXPECT_GT(deprSupport.GetLives("MACRS")->RecordCount(), 0);
    EXPECT_EQ(deprSupport.GetLives("O'Brien")->RecordCount(), 0);
    EXPECT_EQ(deprSupport.GetLives("x' or 'a' = 'a")->RecordCount(), 0);
}

TEST_F(DeprSupportQueries, AssetListOfOneYearKeepsItsFirstAndLastDay) {
    const std::int32_t acme = addCompany("Acme Tools");
    for (const auto& [name, date] : {std::pair{"Dec 2019", "12/31/2019"}, std::pair{"Jan 2020", "01/01/2020"},
                                     std::pair{"Dec 2020", "12/31/2020"}, std::pair{"Jan 2021", "01/01/2021"}}) {
        addAsset({.company = acme, .name = name, .inService = date});
    }
    EXPECT_EQ(columnText(companies.GetAssetList(acme, kYear), "Asset_name"),
              (std::vector<std::string>{"Dec 2020", "Jan 2020"}));
    EXPECT_EQ(companies.GetAssetList(acme, 0)->RecordCount(), 4);
}

TEST_F(DeprSupportQueries, MidQuarterCostsCountTheLastQuarterAndLivesBelow26) {
    const std::int32_t acme = addCompany("Acme Tools");
    addAsset({.company = acme, .name = "September", .cost = 1000, .inService = "09/30/2020"});
    addAsset({.company = acme, .name = "October", .cost = 2000, .inService = "10/01/2020", .method = kListed});
    addAsset({.company = acme, .name = "Building", .cost = 5000, .inService = "11/01/2020", .life = 39});
    addAsset({.company = acme, .name = "Half", .cost = 5, .inService = "12/01/2020", .business = 0.5});
    EXPECT_EQ(deprSupport.Get4QtrAssetCost(acme, kYear), 2002) << "2002.5 rounds half to even";
    EXPECT_EQ(deprSupport.GetTotalAssetCost(acme, kYear), 3002);
}

// Table maintenance refuses to delete a class while its count is above 0; a large count must not overflow.
TEST_F(DeprSupportQueries, ClassUseCountIsNotLimitedTo16Bits) {
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(database.path().c_str(), &handle), SQLITE_OK);
    const char* bulk =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
        "INSERT INTO tblAssets (Company_Id, Asset_name, In_Service_date, depr_class_id) "
        "SELECT 1, 'Chair', '2020-01-01', 7 FROM n";
    EXPECT_EQ(sqlite3_exec(handle, bulk, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(handle);
    sqlite3_close(handle);
    EXPECT_EQ(deprSupport.CheckClassId(7), 40000);
    EXPECT_EQ(deprSupport.CheckClassId(8), 0);
}

}  // namespace
}  // namespace tally::testing
