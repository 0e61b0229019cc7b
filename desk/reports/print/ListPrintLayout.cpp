#include "ListPrintLayout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tally::desk {
namespace {

constexpr int kLeftMargin = 360;
constexpr int kNarrowColumn = 800;  // right-aligned columns below this get the 9-character field

// Whole twips, halves to the even neighbour.
double nearest(double value) { return std::nearbyint(value); }

struct TierRule {
    int pageWidth;    // the tier holds tables narrower than pageWidth - 2 x margin
    int centreShift;  // added to the centred table left
    SizeTier look;
};

constexpr std::array<TierRule, 5> kTiers{{
    {12200, 0, {1, PageOrientation::Portrait, 1.1f, 75, 64, 9, false, 112, 10140}},
    {12800, -300, {2, PageOrientation::Portrait, 0.99f, 67, 66, 8, true, 118, 10440}},
    {16000, 300, {3, PageOrientation::Landscape, 1.1f, 75, 51, 8, true, 173, 13940}},
    {16700, 0, {4, PageOrientation::Landscape, 1.1f, 75, 61, 7, true, 220, 14190}},
    {17000, 0, {5, PageOrientation::Landscape, 0.8f, 50, 69, 6, true, 320, 14190}},
}};
// The smallest tier still needs this much room left of the table.
constexpr int kMinimumTableLeft = 300;

double printedWidth(double screenWidth, float factor, int gap) {
    return static_cast<double>(static_cast<float>(screenWidth)) * static_cast<double>(factor) + gap;
}

std::int32_t tableWidth(const std::vector<PrintColumn>& columns, float factor, int gap) {
    double width = 0;
    for (const PrintColumn& column : columns) width = nearest(width + printedWidth(column.widthTwips, factor, gap));
    return static_cast<std::int32_t>(width);
}

bool isNarrow(const PrintColumn& column) { return nearest(column.widthTwips) < kNarrowColumn; }

QString captionCell(const PrintColumn& column) {
    if (!column.rightAligned) return QStringLiteral("  ") + column.caption;
    return isNarrow(column) ? rightJustified(column.caption + QStringLiteral("   "), 9)
                            : rightJustified(column.caption + QStringLiteral("  "), 14);
}

QString valueCell(const PrintColumn& column, const QString& value) {
    if (!column.rightAligned) return QStringLiteral("   ") + value;
    return isNarrow(column) ? rightJustified(value + QStringLiteral("     "), 9)
                            : rightJustified(value + QStringLiteral("    "), 14);
}

// Lays out the pages of one list on the recorder, tier already chosen.
class ListPageWriter {
public:
    ListPageWriter(const PrintList& list, const QString& title, const QDate& today, const SizeTier& tier)
        : list_(list), title_(title), date_(today.toString(QStringLiteral("MM/dd/yyyy"))), tier_(tier) {}

    PrintedDocument write() {
        out_.setOrientation(tier_.orientation);
        startPage();
        int rowsOnPage = 0;
        for (const QStringList& row : list_.rows) {
            // A full page breaks before the next row, so a list that just fills its last page adds no page of
            // headings alone.
            if (rowsOnPage == tier_.rowsPerPage) {
                out_.newPage();
                ++pageNumber_;
                startPage();
                rowsOnPage = 0;
            }
            out_.endLine();
            printRow(row);
            ++rowsOnPage;
        }
        return out_.take();
    }

private:
    void startPage() {
        out_.setBold(true);
        printHeadings();
        out_.setBold(tier_.rowsBold);
    }

    double advance(double x, const PrintColumn& column) const {
        return nearest(x + printedWidth(column.widthTwips, tier_.widthFactor, tier_.columnGap));
    }

    void printHeadings() {
        const bool portrait = tier_.orientation == PageOrientation::Portrait;
        const int underlineX = portrait ? kLeftMargin - 200 : kLeftMargin;
        out_.setY(portrait ? 500 : 300);

        out_.setFontSize(8);
        out_.setX(kLeftMargin);
        out_.print(date_);
        out_.setX(tier_.pageNumberX);
        out_.printLine(QStringLiteral("Page   ") + QString::number(pageNumber_));

        out_.setFontSize(10);
        const double titleX = portrait ? (12200.0 - 145.0 * title_.size()) / 2 : (16000.0 - 135.0 * title_.size()) / 2;
        out_.setX(std::max(0.0, titleX));  // a long title starts at the left edge instead of off the page
        out_.printLine(title_);

        out_.setFontSize(tier_.bodySize);
        const QString underline(tier_.underlineLength, QLatin1Char('_'));
        out_.endLine();
        out_.setX(underlineX);
        out_.printLine(underline);
        out_.endLine();
        double x = tier_.tableLeft;
        for (const PrintColumn& column : list_.columns) {
            out_.setX(x);
            if (column.widthTwips <= 0) continue;
            out_.print(captionCell(column));
            x = advance(x, column);
        }
        out_.endLine();
        out_.setX(underlineX);
        out_.printLine(underline);
    }

    void printRow(const QStringList& cells) {
        double x = tier_.tableLeft;
        out_.setX(x);
        for (std::size_t c = 0; c < list_.columns.size(); ++c) {
            const PrintColumn& column = list_.columns[c];
            if (column.widthTwips <= 0) continue;
            const QString value = cells.value(static_cast<qsizetype>(c));
            out_.print(c == 0 ? value : valueCell(column, value));
            x = advance(x, column);
            out_.setX(x);
        }
    }

    const PrintList& list_;
    const QString title_;
    const QString date_;
    const SizeTier tier_;
    PrintRecorder out_;
    int pageNumber_ = 1;
};

}  // namespace

QString rightJustified(const QString& text, int width) {
    return text.size() >= width ? text.left(width) : QString(width - text.size(), QLatin1Char(' ')) + text;
}

std::optional<SizeTier> chooseSizeTier(const std::vector<PrintColumn>& columns) {
    const SizeTier& widest = kTiers.front().look;
    const std::int32_t width = tableWidth(columns, widest.widthFactor, widest.columnGap);
    for (const TierRule& rule : kTiers) {
        const bool last = &rule == &kTiers.back();
        if (!last && width >= rule.pageWidth - 2 * kLeftMargin) continue;
        SizeTier tier = rule.look;
        // Tiers that shrink the columns sum them again with their own factor.
        tier.tableWidth = tableWidth(columns, tier.widthFactor, tier.columnGap);
        tier.tableLeft = static_cast<int>(
            nearest((rule.pageWidth - (static_cast<double>(tier.tableWidth) + 2 * kLeftMargin)) / 2 + rule.centreShift));
        if (last && tier.tableLeft < kMinimumTableLeft) return std::nullopt;
        return tier;
    }
    return std::nullopt;
}

std::optional<PrintedDocument> layoutListPrint(const PrintList& list, const QString& title, const QDate& today) {
    const std::optional<SizeTier> tier = chooseSizeTier(list.columns);
    if (!tier) return std::nullopt;
    return ListPageWriter(list, title, today, *tier).write();
}

}  // namespace tally::desk
