#pragma once
// Vehicle use: fills in the entries the other parts reach it by (the checks before an asset save and before
// Form 4562, and the two windows the report launcher opens for a year).

#include "DeskCommands.h"

namespace tally::desk {

void installVehiclesPart(DeskCommands& commands);

}  // namespace tally::desk
