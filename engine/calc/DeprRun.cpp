#include "DeprRun.h"

#include "Conversions.h"
#include "modDatabase.h"

namespace tally::engine {

namespace {

// Amounts go in as their text with up to 15 significant digits: depr unrounded, accum whole or the net cost.
std::string deprRowInsertSql(std::int32_t companyId, std::int32_t assetId, std::int16_t year, double depr,
                             double accum) {
    return std::string("Insert into tblDepr (client_num, asset_num, [year], depr, accum_depr)") + " Values(" +
           std::to_string(companyId) + "," + std::to_string(assetId) + "," + std::to_string(year) + "," +
           vb::NumberText(depr) + "," + vb::NumberText(accum) + ")";
}

}  // namespace

DeprRun::DeprRun(double netCost, std::int32_t companyId, std::int32_t assetId, std::int16_t convention,
                 vb::Date inService, vb::Date sold, std::int32_t salesAmt, const std::string& strAuto,
                 double businessShare)
    : netCost(netCost),
      companyId(companyId),
      assetId(assetId),
      convention(convention),
      salesAmt(salesAmt),
      vehicle(strAuto != "N"),
      businessShare(businessShare),
      inServiceMonth(static_cast<std::int16_t>(inService.month())),
      inServiceYear(static_cast<std::int16_t>(inService.year())) {
    if (sold != vb::notSoldDate()) {
        soldMonth = static_cast<std::int16_t>(sold.month());
        soldYear = static_cast<std::int16_t>(sold.year());
        disposalShareMonth = soldMonth;
    }
}

DeprRun::DeprRun(double netCost, std::int32_t companyId, std::int32_t assetId, double accum)
    : netCost(netCost), companyId(companyId), assetId(assetId), vehicle(true), accum(accum) {}

void DeprRun::accumulate(double depr) { accum += vb::Round(depr); }

void DeprRun::deleteRows() const {
    modDatabase::ExecuteQuery("Delete * from tblDepr where asset_num = " + std::to_string(assetId),
                              modDatabase::SharedConnection());
}

void DeprRun::writeRow(std::int16_t year, double depr) const {
    modDatabase::ExecuteQuery(deprRowInsertSql(companyId, assetId, year, depr, accum),
                              modDatabase::SharedConnection());
}

std::int16_t followingYear(std::int16_t year) { return vb::CInt(static_cast<double>(year) + 1); }

}  // namespace tally::engine
