#pragma once
// Module Reports, window side: opening a report in a window of its own, and the Windows menu's arrangement of
// the child windows.

#include <cstdint>

#include <QString>

namespace tally::desk {

// Opens `reportName` in a new report window (`number`: the tax year, or the asset number of "Depreciation
// Schedule"; `description`: the asset's description for the schedule's caption). A report without rows leaves
// no window and shows " No data found. " on the status line.
void DoReports(const QString& reportName, std::int32_t number, const QString& description);

// Every child window at the left edge, one under the other, in the order they were opened.
void TileHorizontal();
// Closes every child window in the order they were opened (each may ask to save first), then Getting Started.
void CloseAllReports();
// The number of report windows open and not minimized.
std::int16_t CheckForReports();

}  // namespace tally::desk
