#pragma once
// The list reports the program knows, by exact name: the engine query each window runs, the filler its rows
// come from, its caption, and the column widths and headings that replace the computed ones once the list is
// filled.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "Recordset.h"

namespace tally::desk {

class ListModel;

struct ColumnOverride {
    int position = 0;   // 1 = the first column
    int widthTwips = 0; // 0 hides the column
    QString heading;    // empty: the heading stays
};

struct ReportEntry {
    QString name;
    QString fillerName;  // the name the list routines dispatch on
    std::vector<ColumnOverride> columns;
    int windowWidthTwips = 0;  // 0: the width the rows gave the window
    // Columns (1 = the first) that widen on screen until their values show whole; printed, they keep their width.
    std::vector<int> wholeColumns;
};

// Nothing for a name the catalogue does not hold (letter case counts).
const ReportEntry* findReport(const QString& name);

// Runs the report's query for the current company; `number` is the tax year, or the asset number of
// "Depreciation Schedule". The engine's errors go on to the caller.
ado::RecordsetPtr runReportQuery(const ReportEntry& report, std::int32_t number, std::int32_t companyId);

// The window caption: year, report and company; the schedule names the asset's description instead.
QString reportCaption(const ReportEntry& report, std::int32_t number, const QString& description,
                      const QString& companyName);

// Gives the listed columns their widths and headings and marks the columns shown whole; positions past the last
// column are passed over.
void applyColumnOverrides(const ReportEntry& report, ListModel& list);

}  // namespace tally::desk
