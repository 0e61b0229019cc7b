#pragma once
// The printed "Asset Detail" page: the company and date, the title between underlines, then the asset window's
// fields as label/value pairs in three columns, the notes and the disposition when there are any. Always a
// portrait page in Courier New, whatever the last list printout used.

#include <QDate>
#include <QString>

#include "PartServices.h"
#include "PrintRecorder.h"

namespace tally::desk {

PrintedDocument layoutAssetDetail(const AssetDetailFields& asset, const QString& companyName, const QDate& today);

// An amount as the page shows it: whole dollars with thousands separators, nothing for zero or an empty field.
QString detailAmount(const QString& fieldText);

}  // namespace tally::desk
