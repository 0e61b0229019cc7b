#pragma once
// Lets every part of the desktop built into the program fill in its menu commands.

#include "DeskCommands.h"

namespace tally::desk {

void installDeskParts(DeskCommands& commands);

}  // namespace tally::desk
