#pragma once
// Table maintenance: the Maintenance menu's five tables and the company picker's New button open the one
// maintenance window.

#include "DeskCommands.h"

namespace tally::desk {

void installMaintenancePart(DeskCommands& commands);

}  // namespace tally::desk
