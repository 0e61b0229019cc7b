#pragma once
// Module Reports, list side: one list column per recordset field, then the report's rows by the filler its name
// selects. Every routine returns the number of rows it put into the list; 0 is an empty report. Errors follow the
// list routines' rule: a new error number is shown and the failed step skipped, the same number again shows
// "Can not complete operation. Exiting operation." and the routine returns 0.

#include <cstdint>

#include <QString>

#include "Recordset.h"

namespace tally::desk {

class ListModel;

// The width of a field's column in twips: the larger of the heading (113 a character, trailing blanks counted)
// and the data (the defined size, doubled below 8, at 60 a unit for doubles and 72 for the rest), at most 7500.
int fieldColumnWidth(const ado::FieldInfo& field);
// A column is right-aligned (a number column) when it is not the first and its type is a number or date type.
bool fieldRightAligned(const ado::FieldInfo& field, long position);

// Builds the columns and fills the rows of `reportName`'s filler ("Property Tax", "ADS 50Year Assets",
// "179 WorkSheet", "New Assets", "Depreciation WorkSheet", "New Assets WorkSheet", "Depreciation Schedule",
// "Disposed Assets", "Auto Use"; compared exactly). An empty recordset gives no columns; another name gives
// columns and no rows.
long CreateListview(ListModel& list, ado::Recordset& rs, const QString& reportName);

// Plain rows ("Depreciation Schedule").
long PopulateLV(ListModel& list, ado::Recordset& rs);
// The vehicle-use report: the second column numbers the vehicles, nothing shows for zero miles, yes/no answers
// only for vehicles with use data of the year.
long PopulateLVAutoUseRpt(ListModel& list, ado::Recordset& rs);
// The two depreciation worksheets: a bold subtotal per method and a grand total over cost, cost basis,
// accumulated and the year's depreciation.
long PopulateDeprWrkSheet(ListModel& list, ado::Recordset& rs);
// The detail rows and, from two rows on, one bold total row over the last `summedColumns` columns.
long PopLVTotalLastField(ListModel& list, ado::Recordset& rs, std::int16_t summedColumns);
// Property tax: totals per year placed in service, per category and over all.
long PopLVPropertyTax(ListModel& list, ado::Recordset& rs, std::int16_t summedColumns);

}  // namespace tally::desk
