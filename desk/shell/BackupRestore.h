#pragma once
// Backup and restore of the whole database file, from the File menu. The engine drops its connection for the
// copy and opens it again afterwards, on every path.

#include <functional>

namespace tally::desk {

// Copies the live database to a place the user picks.
void BackupDatabase();

// Puts the content of a database file the user picks in place of the live one's, whose content stays beside it
// as its ".bak"; the picked file is checked and copied aside before anything is touched. `closeChildWindows`
// closes the open windows first (they may still write to the database); when one of them stays open nothing is
// restored.
void RestoreDatabase(const std::function<bool()>& closeChildWindows);

}  // namespace tally::desk
