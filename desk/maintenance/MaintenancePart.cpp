#include "MaintenancePart.h"

#include "frmMaint.h"

namespace tally::desk {

void installMaintenancePart(DeskCommands& commands) {
    commands.showMaintenance = [](const QString& tableKey) { showMaintenanceWindow(tableKey); };
    commands.companyChanged = [] {
        if (frmMaint* form = openMaintenanceWindow()) form->companyChanged();
    };
}

}  // namespace tally::desk
