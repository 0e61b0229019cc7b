#include "CalcDepr.h"

#include "AutoMaxRates.h"
#include "ComError.h"
#include "Conversions.h"
#include "DeprRun.h"
#include "FormulaSchedules.h"
#include "modDatabase.h"

namespace tally::engine {

namespace {

// The method text of DoDepr's variant argument; Null and Empty name no method.
std::string methodText(const vb::Variant& method) {
    if (method.isNull() || method.isEmpty()) return {};
    return method.toString();
}

// The quarter of the year a month falls in (1 to 4); 0 for a number that names no month.
int quarterOf(std::int16_t month) {
    return month >= 1 && month <= 12 ? (month + 2) / 3 : 0;
}

}  // namespace

CalcDepr::CalcDepr() { modDatabase::Main(); }

bool CalcDepr::DoZeroListed(std::int32_t lngCompanyId, std::int32_t lngAssetId, vb::Date dtInService) {
    return withTags(kTagClass, "DoZeroListed", [&] {
        return inOneTransaction([&] {
            const DeprRun run(0, lngCompanyId, lngAssetId, 0, dtInService, vb::notSoldDate(), 0, "N", 0);
            run.deleteRows();
            run.writeRow(run.inServiceYear, 0);
            return true;
        });
    });
}

bool CalcDepr::DoMacrsDepr(double dblNetCost, double dblLife, double dblBonus, std::int32_t lngCompanyId,
                           std::int32_t lngAssetId, std::int16_t intConvention, vb::Date dtInService,
                           vb::Date dtDateSold, const std::string& strAuto, std::int32_t lng179,
                           std::int32_t lngSalesAmt, double dblBusPercent) {
    return withTags(kTagClass, "DoMacrsDepr", [&] {
        return inOneTransaction([&] {
            DeprRun run(dblNetCost, lngCompanyId, lngAssetId, intConvention, dtInService, dtDateSold, lngSalesAmt,
                        strAuto, dblBusPercent);
            if (!startRun(run)) return true;

            const std::string name = GetConventionName(intConvention, run.inServiceMonth);
            const std::string column = name + vb::NumberText(dblLife);
            // One row per recovery year, read in recovery-year order.
            const auto rates = modDatabase::ExecuteQueryReturnRS(
                "Select " + column + " From tblMacrs" + name + " Where " + column + " > 0 Order By RecYear",
                modDatabase::SharedConnection());

            std::int16_t year = run.inServiceYear;
            std::int32_t rowNumber = 0;
            for (; !rates->EOF_(); rates->MoveNext()) {
                ++rowNumber;
                double depr = (*rates)[0].toDouble() * dblNetCost;
                if (run.vehicle) {
                    depr = LimitAutoDepr(nextVehicleYearIndex(run), depr, dblBusPercent, dblNetCost, run.accum,
                                         dblBonus, lng179);
                }
                if (!closeYear(run, year, depr, rowNumber == dblLife + 1, ScheduleKind::RateTable)) break;
                year = followingYear(year);
            }
            closeRun(run, year);
            return true;
        });
    });
}

bool CalcDepr::DoDepr(double NetCost, std::int16_t Life, std::int16_t intConvention, std::int32_t lngCompanyId,
                      std::int32_t lngAssetId, vb::Date dtInService, vb::Date dtDateSold,
                      const vb::Variant& strMethod, std::int32_t lngSalesAmt, const std::string& strAuto,
                      double dblBusPercent) {
    return withTags(kTagClass, "DoDepr", [&] {
        return inOneTransaction([&] {
            const std::string method = methodText(strMethod);
            DeprRun run(NetCost, lngCompanyId, lngAssetId, intConvention, dtInService, dtDateSold, lngSalesAmt,
                        strAuto, dblBusPercent);
            const std::string convention =
                method == "ADS" ? GetConventionName(intConvention, run.inServiceMonth) : std::string();
            if (method == "Amortize") run.disposalShareMonth = static_cast<std::int16_t>(run.soldMonth - 1);
            if (!startRun(run)) return true;

            double depr = 0;  // a year without an amount of its own repeats the amount the year before ended with
            std::int16_t year = run.inServiceYear;
            for (int i = 1; i <= Life + 1; ++i) {
                const FormulaYear entry = formulaYear(method, NetCost, Life, i, run.inServiceMonth, convention);
                if (entry.endOfSchedule) break;
                if (entry.amount) depr = *entry.amount;
                if (run.vehicle) {
                    const bool laterYear = run.vehicleYearIndex >= 4;
                    const std::int16_t index = nextVehicleYearIndex(run);
                    // Past the fourth year a vehicle above its later-year limit is finished at that limit.
                    if (laterYear && dblBusPercent * AutoMaxRates()[kMaxYear4] < depr) break;
                    depr = LimitAutoDepr(index, depr, dblBusPercent, NetCost, run.accum, 0, 0);
                }
                if (!closeYear(run, year, depr, entry.finalYear, ScheduleKind::Formula)) break;
                year = followingYear(year);
            }
            closeRun(run, year);
            return true;
        });
    });
}

bool CalcDepr::DoGainLoss(std::int32_t lngAssetId, std::int32_t lngBasis, std::int32_t lngsalesPrice) {
    return withTags(kTagClass, "DoGainLoss", [&] {
        const std::string asset = std::to_string(lngAssetId);
        const std::int32_t accumulated = modDatabase::ReturnDbData(std::string("SELECT  max(accum_depr)") +
                                                                   " From  tbldepr Where Asset_num = " + asset);
        // Whole-dollar arithmetic in 32 bits, each step checked for overflow.
        const std::int32_t gain = vb::CLng(static_cast<double>(vb::CLng(static_cast<double>(lngsalesPrice) +
                                                                        accumulated)) -
                                           lngBasis);
        modDatabase::ExecuteQuery("Update tblassets set gain_loss = " + std::to_string(gain) +
                                      " Where Asset_num = " + asset,
                                  modDatabase::SharedConnection());
        return true;
    });
}

double CalcDepr::AdjustLastYearDepr(double depr, std::int16_t convention, std::int16_t month) {
    return withTags(kTagClass, "AdjustLastYearDepr", [&]() -> double {
        switch (convention) {
            case 1:
                return depr / 2;
            case 2: {
                // Mid-quarter: the disposal year counts up to the middle of the quarter of disposal.
                constexpr double kShareByQuarter[] = {0.125, 0.375, 0.625, 0.875};
                const int quarter = quarterOf(month);
                return quarter == 0 ? 0 : depr * kShareByQuarter[quarter - 1];
            }
            case 3:
                return depr * (month - 0.5) / 12;
            case 4:
                return depr * month / 12;
            default:
                return 0;
        }
    });
}

std::string CalcDepr::GetConventionName(std::int16_t convention, std::int16_t month) {
    return withTags(kTagClass, "GetConventionName", [&]() -> std::string {
        switch (convention) {
            case 1:
                return "Half";
            case 2: {
                const int quarter = quarterOf(month);
                return quarter == 0 ? std::string() : "Mid" + std::to_string(quarter) + "Qtr";
            }
            case 3:
                return "MidMth";
            case 4:
                return "None";
            default:
                return "";
        }
    });
}

bool CalcDepr::startRun(DeprRun& run) {
    run.deleteRows();
    if (!run.isDisposalYear(run.inServiceYear)) return true;
    storeGainOrLoss(run);
    return false;
}

bool CalcDepr::closeYear(DeprRun& run, std::int16_t year, double& depr, bool finalYear, ScheduleKind kind) {
    const bool formula = kind == ScheduleKind::Formula;
    if (run.isDisposalYear(year)) depr = AdjustLastYearDepr(depr, run.convention, run.disposalShareMonth);
    const double accumBefore = run.accum;
    run.accumulate(depr);
    // A year that passes the net cost is brought back to it like a final year: the schedule ends there. A negative
    // net cost, which the asset window refuses, keeps the rows a rate table gives.
    const bool passesNetCost = run.accum > run.netCost && (formula || run.netCost >= 0);
    if (finalYear || passesNetCost) {
        if (vb::Round(run.accum) != run.netCost) {
            const double difference = vb::Round(run.netCost - run.accum);
            // From the rate tables, a vehicle short of its net cost by 5 or more goes on year by year instead.
            if (formula || !run.vehicle || difference < 5) {
                depr += difference;
                run.accum = run.netCost;
            }
        }
        if (vb::Round(depr) == 0) {
            // A top-up that rounds to nothing would leave the rows short of the net cost they were brought to:
            // the year then carries what is left.
            if (!endsShortOfNetCost(run, accumBefore)) return false;
            depr = run.netCost - accumBefore;
        }
    }
    // Formula years without a positive amount get no row.
    if (!formula || depr > 0) run.writeRow(year, depr);
    if (run.isDisposalYear(year)) {
        storeGainOrLoss(run);
        return false;
    }
    return true;
}

bool CalcDepr::endsShortOfNetCost(const DeprRun& run, double accumBefore) {
    return run.netCost >= 0 && run.accum == run.netCost && accumBefore < run.netCost;
}

std::int16_t CalcDepr::nextVehicleYearIndex(DeprRun& run) {
    if (run.vehicleYearIndex < 4) ++run.vehicleYearIndex;
    return run.vehicleYearIndex;
}

void CalcDepr::storeGainOrLoss(DeprRun& run) {
    DoGainLoss(run.assetId, vb::CLng(run.netCost), run.salesAmt);
    run.gainStored = true;
}

void CalcDepr::closeRun(DeprRun& run, std::int16_t firstYearNotHandled) {
    if (run.gainStored) return;
    // A disposal year before the in-service year never matches: the schedule stands as written, with neither a
    // vehicle completion nor a gain or loss.
    const bool disposedLater = run.disposed() && run.soldYear >= firstYearNotHandled;
    if (run.vehicle && run.netCost > vb::Round(run.accum) && (!run.disposed() || disposedLater))
        completeVehicle(run, run.businessShare * AutoMaxRates()[kMaxYear4], firstYearNotHandled);
    if (disposedLater) storeGainOrLoss(run);
}

}  // namespace tally::engine
