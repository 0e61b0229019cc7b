#include "CompanyPersist.h"
#include "ComError.h"
#include "modDatabase.h"

namespace tally::engine {

CompanyPersist::CompanyPersist() { modDatabase::Main(); }

ado::RecordsetPtr CompanyPersist::GetCompanyMaintData() {
    return tally::withTags("CompanyPersist", "GetCompanyMaintData", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "CompanyPersist", "not implemented"); });
}

ado::RecordsetPtr CompanyPersist::GetCompanyList() {
    return tally::withTags("CompanyPersist", "GetCompanyList", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "CompanyPersist", "not implemented"); });
}

ado::RecordsetPtr CompanyPersist::GetAssetList(std::int32_t Company_Id, std::int16_t intYear) {
    return tally::withTags("CompanyPersist", "GetAssetList", [&]() -> ado::RecordsetPtr { throw ComError(-2147467263, "CompanyPersist", "not implemented"); });
}

}  // namespace tally::engine
