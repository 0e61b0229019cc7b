#pragma once
// Class Tallyform: the figures and row sets of one company's Form 4562 for one tax year. Every method raises its
// errors tagged "Tallyform" and its own name.

#include <cstdint>
#include <string>

#include "Recordset.h"

namespace tally::engine {

// Asset_name of the total rows that replace the detail rows when more assets qualify than the form has lines.
inline constexpr const char* kTotalListed = "Total Listed";
inline constexpr const char* kTotalAmortized = "Total Amortized";
inline constexpr const char* kTotal179Assets = "Total 179 Assets";

class Tallyform {
public:
    Tallyform();

    // strUse: ">" (business use above one half) or "<=" (one half or less); any other text raises.
    ado::RecordsetPtr GetListedDepr(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strUse);
    ado::RecordsetPtr GetAmortized(std::int32_t lngCompanyId, std::int16_t intYear);
    std::int32_t GetPriorYearAmortization(std::int32_t lngCompanyId, std::int16_t intYear);
    ado::RecordsetPtr Get179MacrsDeduction(std::int32_t lngCompanyId, std::int16_t intYear);
    // strType: a method name ("Listed", "MACRS"), passed as a quoted literal.
    std::int32_t GetAllowances(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strType);
    // Year first.
    std::int32_t GetOtherDepr(std::int16_t intYear, std::int32_t lngCompanyId);
    std::int32_t GetMacrsPriorYears(std::int32_t lngCompanyId, std::int16_t intYear);
    // strType: a method name ("MACRS", "ADS"), passed as a quoted literal.
    ado::RecordsetPtr GetDeprSummary(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strType);
    ado::RecordsetPtr GetCompanyData(std::int32_t lngCompanyId);
};

}  // namespace tally::engine
