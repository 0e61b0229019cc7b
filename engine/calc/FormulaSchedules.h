#pragma once
// The yearly amounts of the formula methods: straight line ("S/L"), amortization ("Amortize"), the alternative
// depreciation system ("ADS") and the mid-month real-property schedules ("Macrs27" residential rental property,
// "Macrs31" and "Macrs39" nonresidential real property).

#include <cstdint>
#include <optional>
#include <string_view>

namespace tally::engine {

struct FormulaYear {
    // Nothing: the year keeps the amount the year before ended with.
    std::optional<double> amount;
    // The year that tops the accumulated amount up to the net cost.
    bool finalYear = false;
    // The schedule has no such year: the run's year loop ends before it.
    bool endOfSchedule = false;
};

// The amount of recovery year `year` (1 = the in-service year) for an asset placed in service in month `month`.
// `conventionName` is the convention's name ("Half", "Mid1Qtr" ... "MidMth", "None"), used by "ADS" only.
// Any other method text gives no amount. A life of 0 raises the division-by-zero error where the formula divides.
FormulaYear formulaYear(std::string_view method, double netCost, std::int16_t life, int year, int month,
                        std::string_view conventionName);

}  // namespace tally::engine
