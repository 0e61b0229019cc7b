#pragma once
// What the reporting tests share: recordsets built in place, a company seeded through the engine, and the
// list model read back row by row.

#include <cstdint>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "DeskTestSupport.h"
#include "Conversions.h"
#include "DeprSupport.h"
#include "ListModel.h"
#include "Recordset.h"
#include "modDatabase.h"

namespace tally::desk::testing {

struct FieldSpec {
    std::string name;
    int type;
    long size;
};

inline ado::Recordset recordset(const std::vector<FieldSpec>& fields, std::vector<std::vector<vb::Variant>> rows) {
    std::vector<ado::FieldInfo> infos;
    for (const FieldSpec& f : fields) infos.push_back({f.name, static_cast<ado::DataType>(f.type), f.size});
    return ado::Recordset(std::move(infos), std::move(rows));
}

inline vb::Variant date(int year, int month, int day = 1) { return vb::Variant(vb::Date(year, month, day)); }
inline vb::Variant null() { return vb::Variant::null(); }

// One row of the model as texts, with "*" after a bold cell.
inline QStringList rowTexts(const ListModel& list, int row) {
    QStringList cells;
    for (int c = 0; c < list.columnCount(); ++c) {
        const ListCell& cell = list.cell(row, c);
        cells << cell.text + (cell.bold ? QStringLiteral("*") : QString());
    }
    return cells;
}

struct SeedAsset {
    std::string name = "Asset";
    double cost = 1000;
    std::string inService = "03/01/2010";
    int method = 1;  // MACRS
    double life = 5;
    double business = 1;
    std::string sold = "01/01/1900";
    double soldAmount = 0;
    int classId = 1;
    int vehicle = 0;
    bool type179 = false;
    double deduction179 = 0;
};

// A company with assets in the test's copy of the shipped database.
class SeededCompanyTest : public DeskTest {
protected:
    std::int32_t addCompany(const std::string& name) {
        exec("INSERT INTO tblCompany ([Company Name], Owner, [Tax Id]) Values('" + name + "', 'Owner', '12-3456789')");
        return engine::modDatabase::ReturnDbData("Select max(id) from tblCompany");
    }
    std::int32_t addAsset(std::int32_t company, const SeedAsset& a) {
        const std::string values = std::to_string(company) + ", '" + a.name + "', " + vb::NumberText(a.cost) +
                                   ", 0, " + vb::NumberText(a.deduction179) + ", #" + a.inService + "#, " +
                                   std::to_string(a.method) + ", " + vb::NumberText(a.life) + ", 1, 0, " +
                                   vb::NumberText(a.business) + ", #" + a.sold + "#, " + vb::NumberText(a.soldAmount) +
                                   ", 'note', " + std::to_string(a.classId) + ", 1, 0, " + std::to_string(a.vehicle) +
                                   ", '200DB', " + (a.type179 ? "True" : "False");
        return engine::DeprSupport().AddAsset(values);
    }
    void addDepr(std::int32_t company, std::int32_t asset, int year, double depr, double accum) {
        exec("Insert into tblDepr (client_num, asset_num, [year], depr, accum_depr) Values(" + std::to_string(company) +
             "," + std::to_string(asset) + "," + std::to_string(year) + "," + vb::NumberText(depr) + "," +
             vb::NumberText(accum) + ")");
    }
};

}  // namespace tally::desk::testing
