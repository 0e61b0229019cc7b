#pragma once
// The sizes and places of report windows, in twips, worked out apart from the windows themselves.

#include <cstdint>
#include <vector>

namespace tally::desk {

struct TwipsSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// A filled report window: as wide as its list + 400 (+ 200 for a scroll bar past 30 rows), 210 a row + 1600
// high, within the main window (its width - 300, its height - 1300).
TwipsSize filledReportSize(long rows, std::int64_t listWidth, TwipsSize mainWindow);

// A report of fewer than 10 rows is 200 a row + 1600 high, whatever the main window; others keep `height`.
std::int64_t shortReportHeight(long rows, std::int64_t height);

// The catalogue's window width (0: keep `width`), then no wider than the main window - 300.
std::int64_t catalogueWindowWidth(std::int64_t catalogueWidth, std::int64_t width, std::int64_t mainWidth);

struct TileSlot {
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Tile Horizontal: every window at the left edge, one under the other, the main window's width - 430 wide and
// its own height kept within 1375 to 4000.
std::vector<TileSlot> tileHorizontalSlots(const std::vector<std::int64_t>& heights, std::int64_t mainWidth);

}  // namespace tally::desk
