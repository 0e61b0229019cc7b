#pragma once
// A test's own copy of the shipped database, with helpers that seed companies, assets, depreciation rows and
// vehicle use in the Jet dialect the program itself writes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Auto.h"
#include "CompanyPersist.h"
#include "DeprSupport.h"
#include "Tallyform.h"
#include "TestDatabase.h"

namespace tally::testing {

// Method ids of the shipped database.
inline constexpr int kMacrs = 1, kAds = 2, kAmortize = 3, kStraightLine = 4, kListed = 9;
inline constexpr std::int16_t kYear = 2020;

struct AssetSpec {
    std::int32_t company = 2;
    std::string name = "Asset";
    double cost = 1000;
    double allowance = 0;
    double deduction179 = 0;
    std::string inService = "03/01/2020";  // m/d/yyyy
    int method = kMacrs;
    double life = 5;
    int convention = 1;
    double other = 0;
    double business = 1;
    std::string sold = "01/01/1900";
    double soldAmount = 0;
    int classId = 1;
    int vehicle = 0;
    int amortizeCode = 0;
    bool type179 = false;
};

class QueryTest : public ::testing::Test {
protected:
    // Adds a company and returns its id.
    std::int32_t addCompany(const std::string& name);
    // Adds an asset through DeprSupport.AddAsset and returns its number.
    std::int32_t addAsset(const AssetSpec& asset);
    // Adds the asset's depreciation row of a year.
    void addDepr(std::int32_t company, std::int32_t assetNum, std::int16_t year, double depr, double accum = 0);
    // Adds an asset with a depreciation row in kYear.
    std::int32_t addDepreciated(const AssetSpec& asset, double depr);

    TestDatabase database;
    engine::CompanyPersist companies;
    engine::DeprSupport deprSupport;
    engine::Tallyform tallyform;
    engine::Auto autos;
};

// The text of one column over all rows (Null as "<Null>").
std::vector<std::string> columnText(const ado::RecordsetPtr& rs, const std::string& column);
// The values of one numeric column over all rows (Null as -1).
std::vector<double> columnNumbers(const ado::RecordsetPtr& rs, const std::string& column);

}  // namespace tally::testing
