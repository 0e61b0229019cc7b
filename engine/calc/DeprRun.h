#pragma once
// The working values of one depreciation run and the row statements every run writes.

#include <cstdint>
#include <string>

#include "VbDate.h"

namespace tally::engine {

struct DeprRun {
    // The asset as the caller describes it.
    double netCost = 0;
    std::int32_t companyId = 0;
    std::int32_t assetId = 0;
    std::int16_t convention = 0;
    std::int32_t salesAmt = 0;
    bool vehicle = false;
    double businessShare = 0;

    std::int16_t inServiceMonth = 0;
    std::int16_t inServiceYear = 0;
    std::int16_t soldMonth = 0;  // both 0 when the asset is not disposed of
    std::int16_t soldYear = 0;
    // The month the disposal-year share is taken by; amortization counts the disposal month as no longer held.
    std::int16_t disposalShareMonth = 0;

    // The sum of each year's amount after the disposal share, rounded to whole dollars (a year whose amount is not
    // above 0 writes no row but still counts), except after a top-up to the net cost.
    double accum = 0;
    std::int16_t vehicleYearIndex = 0;
    bool gainStored = false;

    DeprRun(double netCost, std::int32_t companyId, std::int32_t assetId, std::int16_t convention,
            vb::Date inService, vb::Date sold, std::int32_t salesAmt, const std::string& strAuto,
            double businessShare);
    // A vehicle that is only being finished: kept, no dates.
    DeprRun(double netCost, std::int32_t companyId, std::int32_t assetId, double accum);

    bool disposed() const { return soldYear != 0; }
    bool isDisposalYear(std::int16_t year) const { return disposed() && year == soldYear; }
    void accumulate(double depr);

    // "Delete * from tblDepr ..." for this asset.
    void deleteRows() const;
    void writeRow(std::int16_t year, double depr) const;
};

// The year after `year`; raises the overflow error past the last 16-bit year.
std::int16_t followingYear(std::int16_t year);

}  // namespace tally::engine
