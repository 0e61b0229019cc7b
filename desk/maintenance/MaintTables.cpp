#include "MaintTables.h"

#include "CompanyPersist.h"
#include "DeprSupport.h"
#include "DesktopState.h"

namespace tally::desk {

namespace {

std::vector<FixedEntry> yesNo() { return {{QStringLiteral("No"), {}}, {QStringLiteral("Yes"), {}}}; }

const std::vector<MaintTable>& tables() {
    static const std::vector<MaintTable> all = {
        {QStringLiteral("Companies"), kCompanyTable, QStringLiteral("Companies/Clients"), kMaintHelpId,
         QStringLiteral("DoCompanyMaint"), [] { return engine::CompanyPersist().GetCompanyMaintData(); }, {}},
        {QStringLiteral("AssetClasses"), kClassTable, kClassCaption, kMaintHelpId, QStringLiteral("DoClassMaint"),
         [] { return engine::DeprSupport().GetClassMaint(); },
         {{0,
           {{QStringLiteral("ADS"), 2}, {QStringLiteral("Amortize"), 3}, {QStringLiteral("Listed"), 9},
            {QStringLiteral("MACRS"), 1}}},
          {3,
           {{QStringLiteral("N/A"), 1}, {QStringLiteral("Gas"), 2}, {QStringLiteral("Electric"), 3},
            {QStringLiteral("Truck/Van"), 4}}}}},
        {QStringLiteral("AutoRates"), QStringLiteral("tblMaxAuto"), QStringLiteral("Automobile Maximum Limits"),
         kMaintHelpId, QStringLiteral("DoMaxAutoMaint"), [] { return engine::DeprSupport().MaxAutoMaint(); },
         {{1, {{QStringLiteral("Electric"), {}}, {QStringLiteral("Gas"), {}}, {QStringLiteral("Truck/Van"), {}}}}}},
        {QStringLiteral("179Rates"), QStringLiteral("tblMax179"), QStringLiteral("179 Limits"), kMaintHelpId,
         QStringLiteral("Do179Maint"), [] { return engine::DeprSupport().Get179forMaint(); }, {}},
        {QStringLiteral("Misc4562Data"), QStringLiteral("tblMisc4562Data"), kMisc4562Caption, 590,
         QStringLiteral("Misc4562DataForMaint"),
         [] { return engine::DeprSupport().GetMisc4562DataForMaint(glngCompanyId, 0); },
         {{3, yesNo()}, {4, yesNo()}, {5, yesNo()}, {9, yesNo()}}},
    };
    return all;
}

}  // namespace

const MaintTable* findMaintTable(const QString& key) {
    for (const MaintTable& table : tables())
        if (table.key == key) return &table;
    return nullptr;
}

}  // namespace tally::desk
