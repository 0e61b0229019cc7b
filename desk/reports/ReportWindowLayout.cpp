#include "ReportWindowLayout.h"

#include <algorithm>

namespace tally::desk {

TwipsSize filledReportSize(long rows, std::int64_t listWidth, TwipsSize mainWindow) {
    TwipsSize size;
    size.width = listWidth + 400;
    if (rows > 30) size.width += 200;
    if (size.width > mainWindow.width) size.width = mainWindow.width - 300;
    size.height = static_cast<std::int64_t>(rows) * 210 + 1600;
    if (size.height > mainWindow.height - 1300) size.height = mainWindow.height - 1300;
    return size;
}

std::int64_t shortReportHeight(long rows, std::int64_t height) {
    return rows < 10 ? static_cast<std::int64_t>(rows) * 200 + 1600 : height;
}

std::int64_t catalogueWindowWidth(std::int64_t catalogueWidth, std::int64_t width, std::int64_t mainWidth) {
    const std::int64_t wanted = catalogueWidth > 0 ? catalogueWidth : width;
    return wanted > mainWidth ? mainWidth - 300 : wanted;
}

std::vector<TileSlot> tileHorizontalSlots(const std::vector<std::int64_t>& heights, std::int64_t mainWidth) {
    std::vector<TileSlot> slots;
    std::int64_t top = 0;
    for (const std::int64_t height : heights) {
        const std::int64_t kept = std::clamp<std::int64_t>(height, 1375, 4000);
        slots.push_back({top, mainWidth - 430, kept});
        top += kept;
    }
    return slots;
}

}  // namespace tally::desk
