#pragma once
// Printing from the desktop: a report window's list (its Print button) and the asset window's "Asset Detail"
// page. Both go to the installed printer target (PrinterOutput.h) and report their failures in message boxes;
// neither raises.

#include <QString>

#include "ListView.h"
#include "PartServices.h"

namespace tally::desk {

// Prints the whole list, `title` as the second heading line of every page.
void PrintListView(ui::ListView& list, const QString& title);

// Prints the asset window's fields as they stand on screen, with the current company's name.
void PrintAssetDetail(const AssetDetailFields& asset);

}  // namespace tally::desk
