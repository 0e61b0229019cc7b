// Which assets the report and Form 4562 queries take, by disposal date: unsold (1/1/1900), sold in the year, sold
// in a later year.

#include <algorithm>
#include <functional>

#include "QueryFixture.h"

namespace tally::testing {
namespace {

class SaleDateRules : public QueryTest {
protected:
    void SetUp() override {
        company = addCompany("Acme Tools");
        for (const auto& [name, sold] : {std::pair{"Unsold", "01/01/1900"}, std::pair{"SoldInYear", "09/01/2020"},
                                         std::pair{"SoldLater", "06/01/2021"}}) {
            addDepreciated({.company = company,
                            .name = name,
                            .allowance = 100,
                            .deduction179 = 400,
                            .other = 50,
                            .sold = sold,
                            .type179 = true},
                           90);
        }
    }

    std::vector<std::string> sortedNames(const ado::RecordsetPtr& rs, const std::string& column) {
        std::vector<std::string> names = columnText(rs, column);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::int32_t company = 0;
};

TEST_F(SaleDateRules, AssetListsByQuery) {
    const std::int32_t c = company;
    const std::string propertyTaxName = "Description" + std::string(26, ' ');
    const std::vector<std::string> notSoldByYearEnd = {"SoldLater", "Unsold"};
    const struct {
        const char* query;
        std::function<ado::RecordsetPtr()> run;
        std::string nameColumn;
        std::vector<std::string> expected;
    } cases[] = {
        {"Get179WrkSheet", [&] { return deprSupport.Get179WrkSheet(c, kYear); }, "Description", notSoldByYearEnd},
        {"Get179MacrsDeduction", [&] { return tallyform.Get179MacrsDeduction(c, kYear); }, "Asset_name",
         notSoldByYearEnd},
        {"GetNewAssets", [&] { return deprSupport.GetNewAssets(c, kYear); }, "Description", notSoldByYearEnd},
        {"GetPropertTax", [&] { return deprSupport.GetPropertTax(c, kYear); }, propertyTaxName, notSoldByYearEnd},
        {"GetPropertTax before", [&] { return deprSupport.GetPropertTax(c, kYear - 1); }, propertyTaxName, {}},
        {"GetDisposedAssets", [&] { return deprSupport.GetDisposedAssets(c, kYear); }, "Description", {"SoldInYear"}},
        {"GetDisposedAssets next year",
         [&] { return deprSupport.GetDisposedAssets(c, kYear + 1); },
         "Description",
         {"SoldLater"}},
        {"GetAssetWrkSheet",
         [&] { return deprSupport.GetAssetWrkSheet(c, kYear); },
         "Description",
         {"SoldInYear", "SoldLater", "Unsold"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.query);
        EXPECT_EQ(sortedNames(test.run(), test.nameColumn), test.expected);
    }
}

TEST_F(SaleDateRules, TotalsCountOnlyAssetsNotSoldByYearEnd) {
    const ado::RecordsetPtr totals = deprSupport.Get179andCostTotal(company, kYear);
    EXPECT_DOUBLE_EQ(totals->field("cost").Value().toDouble(), 2000);
    EXPECT_DOUBLE_EQ((*totals)[1].toDouble(), 800);
    // Allowance and other deductions of the two assets not sold by year end.
    EXPECT_EQ(tallyform.GetAllowances(company, kYear, "MACRS"), 300);
    // Sold in another year counts, sold in the year does not: 2 x (1000 - 400 - 50).
    EXPECT_EQ(deprSupport.GetTotalAssetCost(company, kYear), 1100);
    EXPECT_EQ(deprSupport.GetTotalAssetCost(company, kYear + 1), 0);
}

TEST_F(SaleDateRules, NothingQualifiesGivesNullTotalsAndEmptyLists) {
    const std::int32_t empty = addCompany("Empty Co");
    const ado::RecordsetPtr totals = deprSupport.Get179andCostTotal(empty, kYear);
    ASSERT_EQ(totals->RecordCount(), 1);
    EXPECT_TRUE((*totals)[0].isNull());
    EXPECT_TRUE((*totals)[1].isNull());
    EXPECT_EQ(tallyform.GetAllowances(empty, kYear, "MACRS"), 0);
    EXPECT_EQ(deprSupport.GetNewAssets(empty, kYear)->RecordCount(), 0);
    EXPECT_EQ(tallyform.Get179MacrsDeduction(empty, kYear)->RecordCount(), 0);
}

}  // namespace
}  // namespace tally::testing
