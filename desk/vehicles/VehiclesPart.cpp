#include "VehiclesPart.h"

#include "PartServices.h"
#include "modAutoUse.h"

namespace tally::desk {

void installVehiclesPart([[maybe_unused]] DeskCommands& commands) {
    // The menu items Tools > Auto Use and Auto Qst for Employer go through the report launcher's year prompt,
    // which opens the windows through these entries.
    PartServices& services = partServices();
    services.vehicleDocsOk = &modAutoUse::VehicleDocsOk;
    services.vehicleUseOk = &modAutoUse::VehicleUseOk;
    services.doAutoUseForm = &modAutoUse::DoAutoUseForm;
    services.doAutoQstForm = &modAutoUse::DoAutoQstForm;
}

}  // namespace tally::desk
