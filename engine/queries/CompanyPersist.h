#pragma once
// Class CompanyPersist: the company/client lists and the asset list of one company.

#include <cstdint>

#include "Recordset.h"

namespace tally::engine {

class CompanyPersist {
public:
    CompanyPersist();

    // Every company, by name: Company Name, Owner, "Address         ", Address 2, City, "State  ", "Zip Code ",
    // Tax Id, id (the key column last, as table maintenance expects).
    ado::RecordsetPtr GetCompanyMaintData();
    // Company Name, id; by name.
    ado::RecordsetPtr GetCompanyList();
    // Asset_name, Asset_num of one company by name; only the assets placed in service in intYear when it is
    // above 0.
    ado::RecordsetPtr GetAssetList(std::int32_t Company_Id, std::int16_t intYear);
};

}  // namespace tally::engine
