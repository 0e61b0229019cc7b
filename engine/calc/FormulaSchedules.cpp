#include "FormulaSchedules.h"

#include <array>

#include "ComError.h"
#include "Conversions.h"

namespace tally::engine {

namespace {

double divide(double dividend, double divisor) {
    if (divisor == 0) raiseVbError(vberr::DivisionByZero);
    return dividend / divisor;
}

FormulaYear amountOf(double amount, bool finalYear = false) { return FormulaYear{amount, finalYear, false}; }

// Straight line over whole years, the first and the last year by the months in service. An asset placed in
// service in January fills its life exactly, so its last full year is the final year.
FormulaYear straightLine(double netCost, std::int16_t life, int year, int month) {
    const bool januaryFinal = month == 1 && year == life;
    if (year == 1) return amountOf(divide((13.0 - month) / 12 * netCost, life), januaryFinal);
    if (year <= life) return amountOf(divide(netCost, life), januaryFinal);
    if (month == 1) return FormulaYear{std::nullopt, false, true};
    return amountOf(vb::Round(divide((month - 1.0) / 12 * netCost, life)), true);
}

// First-year and last-year share of a full year for the half-year and mid-quarter conventions.
struct AveragingShares {
    std::string_view name;
    double firstYear;
    double lastYear;
};
constexpr std::array<AveragingShares, 5> kAveragingShares{{
    {"Half", 0.5, 0.5},
    {"Mid1Qtr", 0.875, 0.125},
    {"Mid2Qtr", 0.625, 0.375},
    {"Mid3Qtr", 0.375, 0.625},
    {"Mid4Qtr", 0.125, 0.875},
}};

std::optional<double> adsPartialYear(double netCost, std::int16_t life, int month, std::string_view convention,
                                     bool firstYear) {
    for (const auto& shares : kAveragingShares) {
        if (shares.name == convention)
            return vb::Round(divide(firstYear ? shares.firstYear : shares.lastYear, life), 4) * netCost;
    }
    if (convention == "MidMth") {
        const double months = firstYear ? 12.5 - month : month - 0.5;
        return vb::Round(months / 12, 4) * divide(netCost, life);
    }
    return std::nullopt;
}

FormulaYear ads(double netCost, std::int16_t life, int year, int month, std::string_view convention) {
    if (year == 1) return FormulaYear{adsPartialYear(netCost, life, month, convention, true), false, false};
    if (year <= life) return amountOf(divide(netCost, life));
    return FormulaYear{adsPartialYear(netCost, life, month, convention, false), true, false};
}

// Mid-month real property: rates by recovery year and month placed in service (1 to 12).
using MonthRates = std::array<double, 12>;

struct RealPropertyTable {
    MonthRates firstYear;
    // Recovery years 2 onwards up to the closing years: rate by year.
    double (*middleYear)(int year);
    int firstClosingYear;
    MonthRates closingYear;        // the year firstClosingYear
    std::optional<MonthRates> lastYear;  // firstClosingYear + 1, where the schedule has one
    // Months 1 to 6 end in firstClosingYear; the others in the schedule's last year.
    bool earlyMonthsEndInClosingYear;
};

constexpr double kNone = -1;  // "no amount" in a closing-year table

const RealPropertyTable kResidential{
    {0.03485, 0.03182, 0.02879, 0.02576, 0.02273, 0.0197, 0.01667, 0.01364, 0.01061, 0.00758, 0.00455, 0.00152},
    [](int year) { return year <= 9 ? 0.03636 : 0.036365; },
    28,
    {0.0197, 0.02273, 0.02576, 0.02879, 0.03182, 0.03485, 0.03636, 0.03636, 0.03636, 0.03636, 0.03636, 0.03636},
    MonthRates{kNone, kNone, kNone, kNone, kNone, kNone, 0.00152, 0.00455, 0.00758, 0.01061, 0.01364, 0.01667},
    // Year 29 has no amount for the first six months (0 % in the published table), so year 28 closes them.
    true,
};

const RealPropertyTable kNonresidential31{
    {0.03042, 0.02778, 0.02513, 0.02249, 0.01984, 0.0172, 0.01455, 0.0119, 0.00926, 0.00661, 0.00397, 0.00132},
    [](int year) { return year <= 7 ? 0.03175 : year == 8 ? 0.031745 : 0.0317452149; },
    32,
    {0.0172, 0.01984, 0.02249, 0.02513, 0.02778, 0.03042, 0.031745, 0.031745, 0.031745, 0.031745, 0.031745,
     0.031745},
    MonthRates{kNone, kNone, kNone, kNone, kNone, kNone, 0.00132, 0.00397, 0.00661, 0.00926, 0.0119, 0.01455},
    true,
};

const RealPropertyTable kNonresidential39{
    {0.02461, 0.02247, 0.02033, 0.01819, 0.01605, 0.01391, 0.01177, 0.00963, 0.00749, 0.00535, 0.00321, 0.00107},
    [](int) { return 0.02564; },
    40,
    {0.00107, 0.00321, 0.00535, 0.00749, 0.00963, 0.01177, 0.01391, 0.01605, 0.01819, 0.02033, 0.02247, 0.02461},
    std::nullopt,
    false,
};

std::optional<double> monthRate(const MonthRates& rates, int month) {
    if (month < 1 || month > 12 || rates[month - 1] == kNone) return std::nullopt;
    return rates[month - 1];
}

FormulaYear realProperty(const RealPropertyTable& table, double netCost, int year, int month) {
    const bool earlyMonth = month >= 1 && month <= 6;
    std::optional<double> rate;
    bool finalYear = false;
    if (year == 1) {
        rate = monthRate(table.firstYear, month);
    } else if (year < table.firstClosingYear) {
        rate = table.middleYear(year);
    } else if (year == table.firstClosingYear) {
        rate = monthRate(table.closingYear, month);
        finalYear = !table.lastYear || (table.earlyMonthsEndInClosingYear && earlyMonth);
    } else if (year == table.firstClosingYear + 1 && table.lastYear) {
        rate = monthRate(*table.lastYear, month);
        finalYear = true;
    }
    if (!rate) return FormulaYear{std::nullopt, finalYear, false};
    return amountOf(netCost * *rate, finalYear);
}

}  // namespace

FormulaYear formulaYear(std::string_view method, double netCost, std::int16_t life, int year, int month,
                        std::string_view conventionName) {
    if (method == "S/L" || method == "Amortize") return straightLine(netCost, life, year, month);
    if (method == "ADS") return ads(netCost, life, year, month, conventionName);
    if (method == "Macrs27") return realProperty(kResidential, netCost, year, month);
    if (method == "Macrs31") return realProperty(kNonresidential31, netCost, year, month);
    if (method == "Macrs39") return realProperty(kNonresidential39, netCost, year, month);
    return {};
}

}  // namespace tally::engine
