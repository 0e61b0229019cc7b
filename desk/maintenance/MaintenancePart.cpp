#include "MaintenancePart.h"

#include "frmMaint.h"

namespace tally::desk {

void installMaintenancePart(DeskCommands& commands) {
    commands.showMaintenance = [](const QString& tableKey) { showMaintenanceWindow(tableKey); };
}

}  // namespace tally::desk
