#pragma once
// The printed page of a report list: the columns' screen widths pick one of five size tiers (portrait or
// landscape, body size, rows to a page), every page starts with the heading block (date, page number, title,
// captions between two underlines) and each list row prints as one line of fixed-pitch text, right-aligned
// columns padded to 9 or 14 characters so their figures line up from row to row.

#include <cstdint>
#include <optional>
#include <vector>

#include <QDate>
#include <QString>
#include <QStringList>

#include "PrintRecorder.h"

namespace tally::desk {

struct PrintColumn {
    QString caption;
    double widthTwips = 0;  // 0: a hidden column
    bool rightAligned = false;
};

// A list as the report window shows it: its columns in display order and each row's cells, one per column.
struct PrintList {
    std::vector<PrintColumn> columns;
    std::vector<QStringList> rows;
};

struct SizeTier {
    int number = 1;
    PageOrientation orientation = PageOrientation::Portrait;
    float widthFactor = 1.1f;  // printed width = screen width x factor + gap
    int columnGap = 75;
    int rowsPerPage = 64;
    int bodySize = 9;  // points
    bool rowsBold = false;
    int underlineLength = 112;  // underscores
    int pageNumberX = 10140;
    // Of the list being printed:
    std::int32_t tableWidth = 0;
    int tableLeft = 0;
};

// The tier that fits the list. A list too wide even for the smallest tier has none.
std::optional<SizeTier> chooseSizeTier(const std::vector<PrintColumn>& columns);

// The whole printout of the list, or nothing when it is too wide to print.
std::optional<PrintedDocument> layoutListPrint(const PrintList& list, const QString& title, const QDate& today);

// A figure right-justified in a field of `width` characters; a longer text keeps its first `width` characters.
QString rightJustified(const QString& text, int width);

}  // namespace tally::desk
