#pragma once
// Start-up of the program: its icon, help, the main window, the default year, the last company, and the Getting
// Started window and company picker when the database asks for them.

namespace tally::desk {

// Returns false when the program ended during start-up (the main window is gone).
bool Main();

}  // namespace tally::desk
