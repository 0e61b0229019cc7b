#pragma once
// Class CalcDepr: turns one saved asset into its yearly depreciation rows in tblDepr. Everything about the asset
// comes in as arguments; the class reads no asset row and keeps no state of its own. The vehicle limits it uses
// are the engine's module data AutoMaxRates (AutoMaxRates.h), loaded beforehand by GetAutoMaxRates, possibly on
// another CalcDepr object.
//
// Every public operation raises a failure again as ComError tagged "CalcDepr" and the operation's name. A run
// replaces the asset's rows as a whole: when it fails, the rows it found stay as they were.

#include <cstdint>
#include <string>

#include "Variant.h"
#include "VbDate.h"

namespace tally::engine {

struct DeprRun;

class CalcDepr {
public:
    CalcDepr();

    // Listed property that gets no depreciation: one row for the in-service year with 0 and 0.
    bool DoZeroListed(std::int32_t lngCompanyId, std::int32_t lngAssetId, vb::Date dtInService);

    // Assets depreciated from the published MACRS rate tables (tblMacrsHalf, tblMacrsMid1Qtr ...).
    // strAuto "N" marks an asset that is not a vehicle; any other text a vehicle under the loaded limits.
    bool DoMacrsDepr(double dblNetCost, double dblLife, double dblBonus, std::int32_t lngCompanyId,
                     std::int32_t lngAssetId, std::int16_t intConvention, vb::Date dtInService,
                     vb::Date dtDateSold, const std::string& strAuto, std::int32_t lng179,
                     std::int32_t lngSalesAmt, double dblBusPercent);

    // Loads one year's vehicle limits of a type ("G", "E", "T") into AutoMaxRates. Returns 0 when the year has
    // no row for the type (the limits loaded before stay), otherwise the first-year limit, or with intBonus 3 / 5
    // the first-year limit with a 30 % / 50 % allowance (-3 / -5 when that limit is 0). The result is 32-bit so
    // that a limit above 32,767 can be entered and used.
    std::int32_t GetAutoMaxRates(const std::string& strAuto, std::int16_t intYear, std::int16_t intBonus);

    // Formula methods: "S/L", "Amortize", "ADS", "Macrs27", "Macrs31", "Macrs39" (compared exactly); any other
    // method text gives no amount. Life is the recovery period in whole years (28, 32, 39 for real property).
    bool DoDepr(double NetCost, std::int16_t Life, std::int16_t intConvention, std::int32_t lngCompanyId,
                std::int32_t lngAssetId, vb::Date dtInService, vb::Date dtDateSold, const vb::Variant& strMethod,
                std::int32_t lngSalesAmt, const std::string& strAuto, double dblBusPercent);

    // Finishes a vehicle year by year at dblDepr a year from intInServiceYear until the accumulated amount
    // reaches the net cost. Writes nothing when dblDepr rounds to 0 or less.
    void FinishAutoDepr(double dblNetCost, double dblAccumDepr, double dblDepr, std::int16_t intInServiceYear,
                        std::int32_t lngCompanyId, std::int32_t lngAssetId);

    // Stores sale price + the asset's largest accumulated amount - basis as its gain or loss.
    bool DoGainLoss(std::int32_t lngAssetId, std::int32_t lngBasis, std::int32_t lngsalesPrice);

private:
    // The class tag of every error an operation raises again.
    static constexpr const char* kTagClass = "CalcDepr";

    static double AdjustLastYearDepr(double depr, std::int16_t convention, std::int16_t month);
    static std::string GetConventionName(std::int16_t convention, std::int16_t month);
    static double LimitAutoDepr(std::int16_t yearIndex, double depr, double businessShare, double netCost,
                                double accum, double bonus, std::int32_t amount179);

    // Where a run's yearly amounts come from: the MACRS rate tables or a formula. They close a year differently.
    enum class ScheduleKind { RateTable, Formula };

    // Deletes the asset's rows. An asset disposed of in its in-service year only gets its gain or loss: false.
    bool startRun(DeprRun& run);
    // Closes a year of the run in this order: the disposal-year share, the accumulation, the top-up to the net cost
    // in the final year or the year that passes it, the row, and the gain or loss in the disposal year. False when
    // the run ends with it.
    bool closeYear(DeprRun& run, std::int16_t year, double& depr, bool finalYear, ScheduleKind kind);
    // Whether a year just topped up to the net cost found the rows before it short of that cost.
    static bool endsShortOfNetCost(const DeprRun& run, double accumBefore);
    // Vehicle year index 1 to 4 of the next year (held at 4), for LimitAutoDepr.
    static std::int16_t nextVehicleYearIndex(DeprRun& run);
    // The year after the loop of a run: completes a vehicle that is short of its net cost (up to its disposal
    // year when it is disposed of later) and stores the gain or loss of a disposal the loop did not reach.
    void closeRun(DeprRun& run, std::int16_t firstYearNotHandled);
    void storeGainOrLoss(DeprRun& run);
    // Writes the vehicle's later years; see FinishAutoDepr. A disposal in one of them takes its share and ends it.
    static void completeVehicle(DeprRun& run, double yearlyAmount, std::int16_t firstYear);
};

}  // namespace tally::engine
