#include "Tallyform.h"
#include "ComError.h"
#include "modDatabase.h"

namespace tally::engine {

Tallyform::Tallyform() { modDatabase::Main(); }

ado::RecordsetPtr Tallyform::GetListedDepr(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strUse) {
    return tally::withTags("Tallyform", "GetListedDepr", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

ado::RecordsetPtr Tallyform::GetAmortized(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Tallyform", "GetAmortized", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

std::int32_t Tallyform::GetPriorYearAmortization(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Tallyform", "GetPriorYearAmortization", [&]() -> std::int32_t { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

ado::RecordsetPtr Tallyform::Get179MacrsDeduction(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Tallyform", "Get179MacrsDeduction", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

std::int32_t Tallyform::GetAllowances(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strType) {
    return tally::withTags("Tallyform", "GetAllowances", [&]() -> std::int32_t { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

std::int32_t Tallyform::GetOtherDepr(std::int16_t intYear, std::int32_t lngCompanyId) {
    return tally::withTags("Tallyform", "GetOtherDepr", [&]() -> std::int32_t { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

std::int32_t Tallyform::GetMacrsPriorYears(std::int32_t lngCompanyId, std::int16_t intYear) {
    return tally::withTags("Tallyform", "GetMacrsPriorYears", [&]() -> std::int32_t { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

ado::RecordsetPtr Tallyform::GetDeprSummary(std::int32_t lngCompanyId, std::int16_t intYear, const std::string& strType) {
    return tally::withTags("Tallyform", "GetDeprSummary", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

ado::RecordsetPtr Tallyform::GetCompanyData(std::int32_t lngCompanyId) {
    return tally::withTags("Tallyform", "GetCompanyData", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "Tallyform", "not implemented"); });
}

}  // namespace tally::engine
