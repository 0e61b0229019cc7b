#pragma once
// Reporting's entries in the main window's menus (every Reports item, Tools > Set Default Year and the vehicle-use
// items through the year prompt, Windows > Tile Horizontal and Close All Windows) and its services to the other
// parts (a report window for the asset form's depreciation schedule, the printed asset detail).

#include "DeskCommands.h"

namespace tally::desk {

void installReportsPart(DeskCommands& commands);

}  // namespace tally::desk
