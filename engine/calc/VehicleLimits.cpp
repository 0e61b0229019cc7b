// The vehicle side of CalcDepr: loading a year's limits, holding a year under them, and finishing a vehicle whose
// schedule ended before it reached its net cost.

#include <algorithm>

#include "AutoMaxRates.h"
#include "CalcDepr.h"
#include "ComError.h"
#include "Conversions.h"
#include "DeprRun.h"
#include "modDatabase.h"

namespace tally::engine {

namespace {

std::string vehicleTypeName(const std::string& strAuto) {
    if (strAuto == "G") return "Gas";
    if (strAuto == "E") return "Electric";
    if (strAuto == "T") return "Truck/Van";
    return "";  // matches no row
}

}  // namespace

std::int32_t CalcDepr::GetAutoMaxRates(const std::string& strAuto, std::int16_t intYear, std::int16_t intBonus) {
    return withTags(kTagClass, "GetAutoMaxRates", [&]() -> std::int32_t {
        const auto limits = modDatabase::ExecuteQueryReturnRS(
            std::string("Select [Yr 1 + 30%],[Yr 1 + 50%], [Max Year 1], [Max Year 2],[Max Year 3],[Max Year 4]") +
                " from tblmaxAuto where year = " + std::to_string(intYear) + " and type = '" +
                vehicleTypeName(strAuto) + "'",
            modDatabase::SharedConnection());
        if (limits->EOF_()) return 0;

        // Read every column before any slot changes, so a bad column leaves the previous limits whole.
        AutoMaxRatesSlots loaded = AutoMaxRates();
        loaded[kMaxYear1Plus30] = (*limits)[0].toDouble();
        loaded[kMaxYear1Plus50] = (*limits)[1].toDouble();
        loaded[kMaxYear1] = (*limits)[2].toDouble();
        loaded[kMaxYear2] = (*limits)[3].toDouble();
        loaded[kMaxYear3] = (*limits)[4].toDouble();
        loaded[kMaxYear4] = (*limits)[5].toDouble();
        AutoMaxRates() = loaded;

        std::int32_t result = vb::CLng(loaded[kMaxYear1]);
        if (intBonus == 3) result = loaded[kMaxYear1Plus30] == 0 ? -3 : vb::CLng(loaded[kMaxYear1Plus30]);
        if (intBonus == 5) result = loaded[kMaxYear1Plus50] == 0 ? -5 : vb::CLng(loaded[kMaxYear1Plus50]);
        return result;
    });
}

double CalcDepr::LimitAutoDepr(std::int16_t yearIndex, double depr, double businessShare, double netCost,
                               double accum, double bonus, std::int32_t amount179) {
    const AutoMaxRatesSlots& rates = AutoMaxRates();
    const double limit = businessShare * rates[yearIndex];
    if (limit >= depr) {
        // The year never takes more than what is left of the net cost.
        if (netCost - accum < depr) depr = netCost - accum;
    } else {
        depr = limit;
    }

    // The special allowance and the section 179 amount count against the first-year limit; what room is left is
    // the year's depreciation.
    if (yearIndex == 1 && amount179 + bonus > 0) {
        const double total = depr + bonus + amount179;
        std::int32_t cap = 0;
        if (bonus > 0) {
            const double ratio = vb::Round(bonus / (bonus + vb::Round(netCost)), 1);
            if (ratio == 0.5 || ratio == 1) {
                cap = vb::CLng(rates[kMaxYear1Plus50]);
            } else if (ratio == 0.3) {
                cap = vb::CLng(rates[kMaxYear1Plus30]);
            }
        } else {
            cap = vb::CLng(rates[kMaxYear1]);
        }
        if (cap * businessShare < total) depr = std::max(0.0, cap * businessShare - (amount179 + bonus));
    }
    return depr;
}

void CalcDepr::FinishAutoDepr(double dblNetCost, double dblAccumDepr, double dblDepr,
                              std::int16_t intInServiceYear, std::int32_t lngCompanyId, std::int32_t lngAssetId) {
    withTags(kTagClass, "FinishAutoDepr", [&] {
        inOneTransaction([&] {
            DeprRun run(dblNetCost, lngCompanyId, lngAssetId, dblAccumDepr);
            completeVehicle(run, dblDepr, intInServiceYear);
        });
    });
}

void CalcDepr::completeVehicle(DeprRun& run, double yearlyAmount, std::int16_t firstYear) {
    double amount = yearlyAmount;
    std::int16_t year = firstYear;
    while (vb::Round(run.accum) < run.netCost) {
        // An amount that rounds to nothing would never reach the net cost.
        if (vb::Round(amount) <= 0) return;
        if (run.isDisposalYear(year)) {
            const double share = AdjustLastYearDepr(std::min(amount, run.netCost - run.accum), run.convention,
                                                    run.disposalShareMonth);
            run.accumulate(share);
            // A car sold before holding any month of the year (an amortized one sold in January) gets no row,
            // as a formula year without an amount gets none.
            if (share > 0) run.writeRow(year, share);
            return;
        }
        run.accumulate(amount);
        if (run.accum > run.netCost) {
            // The last year takes what is left, and the net cost is reached.
            run.accum -= amount;
            amount = run.netCost - run.accum;
            run.accum += amount;
            run.writeRow(year, amount);
            return;
        }
        run.writeRow(year, amount);
        year = followingYear(year);
    }
}

}  // namespace tally::engine
