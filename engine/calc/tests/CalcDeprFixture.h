#pragma once
// A test's own copy of the shipped database, an asset row to calculate, and the rows the calculation wrote.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "CalcDepr.h"
#include "TestDatabase.h"
#include "VbDate.h"

namespace tally::engine::testing {

// One tblDepr row: the year's amount compared to the dollar, the accumulated amount exactly.
struct DeprRow {
    int year = 0;
    long depr = 0;
    double accum = 0;
    bool operator==(const DeprRow&) const = default;
};
void PrintTo(const DeprRow& row, std::ostream* out);

// Expected rows from a first year on: each year's whole-dollar amount, worked out from the published tables;
// the accumulated amount is their running sum.
class Schedule {
public:
    explicit Schedule(int firstYear) : nextYear_(firstYear) {}
    Schedule& years(std::initializer_list<long> amounts);
    Schedule& repeat(long amount, int count);
    const std::vector<DeprRow>& rows() const { return rows_; }

private:
    int nextYear_;
    double accum_ = 0;
    std::vector<DeprRow> rows_;
};

// An asset as the desktop hands it to the calculation: "MACRS" runs DoMacrsDepr, any other method DoDepr.
struct AssetCase {
    std::string name;
    std::string method = "MACRS";
    double netCost = 0;
    double life = 0;
    std::int16_t convention = 1;
    vb::Date inService;
    vb::Date sold = vb::notSoldDate();
    std::int32_t salesAmt = 0;
    std::vector<DeprRow> expected;
    // The gain or loss stored; nothing when the run must leave gain_loss alone.
    std::optional<double> gainLoss = std::nullopt;
    // Vehicles: the type code, the limits loaded beforehand (year and allowance code) and the vehicle arguments.
    std::string vehicle = "N";
    int limitsYear = 2003;
    std::int16_t bonusCode = 0;
    double businessShare = 1;
    double bonus = 0;
    std::int32_t section179 = 0;
};
void PrintTo(const AssetCase& asset, std::ostream* out);

class CalcDeprTest : public ::testing::Test {
protected:
    static constexpr std::int32_t kCompany = 1;
    // gain_loss of a new test asset, so that a run that stores none shows.
    static constexpr double kUntouchedGain = 424242;

    bool run(const AssetCase& asset, std::int32_t assetNumber);
    // Runs the case on a new asset and checks every row and the gain or loss.
    void expectCase(const AssetCase& asset);

    // Inserts an asset of the sample company and returns its number; gain_loss starts at `gainLoss`.
    std::int32_t addAsset(double gainLoss = kUntouchedGain);
    std::vector<DeprRow> rowsOf(std::int32_t asset) const;
    double gainLossOf(std::int32_t asset) const;
    void exec(const std::string& sql) const { database_.exec(sql); }

    static vb::Date month(int monthNumber, int year) { return vb::Date(year, monthNumber, 1); }
    static vb::Date notSold() { return vb::notSoldDate(); }

    tally::testing::TestDatabase database_;
    CalcDepr calc_;
};

}  // namespace tally::engine::testing
