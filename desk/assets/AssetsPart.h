#pragma once
// The asset register's part of the desktop: Maintenance > Assets shows the asset window, Tools > Set
// Company/Client closes it first, and the reporting part asks it whether a year's Form 4562 inputs exist.

namespace tally::desk {

struct DeskCommands;
class frmAsset;

void installAssetsPart(DeskCommands& commands);

// The open asset window (nullptr when none is open).
frmAsset* assetWindow();

}  // namespace tally::desk
