#include "ReportCatalogue.h"

#include <array>

#include "Auto.h"
#include "DeprSupport.h"
#include "ListModel.h"

namespace tally::desk {

namespace {

const QString kWorkSheet = QStringLiteral("Depreciation WorkSheet");
const QString kNewWorkSheet = QStringLiteral("New Assets WorkSheet");
const QString kSchedule = QStringLiteral("Depreciation Schedule");
const QString kPropertyTax = QStringLiteral("Property Tax");
const QString kDisposed = QStringLiteral("Disposed Assets");

std::vector<ColumnOverride> workSheetColumns() {
    return {{1, 800, {}}, {3, 900, {}}, {6, 750, {}}, {7, 1200, {}},
            {8, 550, {}}, {9, 500, {}}, {10, 1100, {}}, {11, 1200, {}}};
}

const std::vector<ReportEntry>& catalogue() {
    static const std::vector<ReportEntry> entries{
        {kWorkSheet, kWorkSheet, workSheetColumns(), 0, {}},
        {kNewWorkSheet, kNewWorkSheet, workSheetColumns(), 0, {}},
        {QStringLiteral("New Assets"), QStringLiteral("New Assets"),
         {{2, 900, {}}, {3, 1100, {}}, {4, 1100, {}}, {5, 600, {}}, {6, 750, {}}}, 0, {}},
        {QStringLiteral("179 WorkSheet"), QStringLiteral("179 WorkSheet"), {}, 0, {}},
        // The method's field is sized for eight characters, too narrow on screen for "MACRS" in capitals.
        {QStringLiteral("50 Year Assets"), QStringLiteral("ADS 50Year Assets"), {{4, 750, {}}}, 11850, {2}},
        {kDisposed, kDisposed, {}, 0, {}},
        {kPropertyTax, kPropertyTax, {{1, 2550, {}}, {2, 990, {}}, {3, 950, {}}, {4, 4000, {}}, {5, 1540, {}}}, 10700,
         {}},
        {QStringLiteral("Auto Use"), QStringLiteral("Auto Use"),
         {{1, 3300, {}},
          {2, 1200, QStringLiteral("Vehicle Order")},
          {3, 0, {}},
          {4, 1400, {}},
          {5, 1400, {}},
          {6, 1400, {}},
          {7, 1400, QStringLiteral("Personal Use")},
          {10, 0, {}},
          {11, 0, {}}},
         0,
         {}},
        {kSchedule, kSchedule, {}, 0, {}},
    };
    return entries;
}

}  // namespace

const ReportEntry* findReport(const QString& name) {
    for (const ReportEntry& entry : catalogue())
        if (entry.name == name) return &entry;
    return nullptr;
}

ado::RecordsetPtr runReportQuery(const ReportEntry& report, std::int32_t number, std::int32_t companyId) {
    const QString& name = report.name;
    if (name == QLatin1String("Auto Use"))
        return engine::Auto().GetAutoUseReport(static_cast<std::int16_t>(number), companyId);
    if (name == kSchedule) return engine::DeprSupport().GetDeprSchedule(number);

    const auto year = static_cast<std::int16_t>(number);
    engine::DeprSupport support;
    if (name == kPropertyTax) return support.GetPropertTax(companyId, year);
    if (name == QLatin1String("50 Year Assets")) return support.GetDetailDepr(companyId, year);
    if (name == kWorkSheet) return support.GetAssetWrkSheet(companyId, year);
    if (name == kNewWorkSheet) return support.GetNewAssetWrkSheet(companyId, year);
    if (name == QLatin1String("179 WorkSheet")) return support.Get179WrkSheet(companyId, year);
    if (name == QLatin1String("New Assets")) return support.GetNewAssets(companyId, year);
    if (name == kDisposed) return support.GetDisposedAssets(companyId, year);
    return nullptr;
}

QString reportCaption(const ReportEntry& report, std::int32_t number, const QString& description,
                      const QString& companyName) {
    const QString year = QString::number(number);
    if (report.name == kPropertyTax) return report.name + QStringLiteral(" Data for ") + companyName + " thru " + year;
    if (report.name == kSchedule) return report.name + " - " + description + " for " + companyName;
    // The disposed-assets caption has always had two blanks before its hyphen.
    const QString dash = report.name == kDisposed ? QStringLiteral("  - ") : QStringLiteral(" - ");
    return year + dash + report.name + " for " + companyName;
}

void applyColumnOverrides(const ReportEntry& report, ListModel& list) {
    for (const ColumnOverride& column : report.columns) {
        const int index = column.position - 1;
        if (index >= list.columnCount()) continue;
        list.column(index).widthTwips = column.widthTwips;
        if (!column.heading.isEmpty()) list.column(index).heading = column.heading;
    }
    for (const int position : report.wholeColumns)
        if (position - 1 < list.columnCount()) list.column(position - 1).shownWhole = true;
}

}  // namespace tally::desk
