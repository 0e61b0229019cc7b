// The list printout as laid out, before any printer: tiers, column steps, cell padding, headings, page breaks.

#include <gtest/gtest.h>

#include "ListPrintLayout.h"

namespace tally::desk {
namespace {

const QDate kToday(2011, 3, 4);

PrintList listOf(std::vector<PrintColumn> columns, int rows) {
    PrintList list{std::move(columns), {}};
    for (int r = 1; r <= rows; ++r) {
        QStringList cells{QStringLiteral("Row %1").arg(r)};
        for (std::size_t c = 1; c < list.columns.size(); ++c) cells << QString::number(r * 10);
        list.rows.push_back(cells);
    }
    return list;
}

const PrintedText* find(const std::vector<PrintedText>& texts, const QString& text) {
    for (const PrintedText& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

struct TierCase {
    double width;
    int tier;
    std::int32_t tableWidth;
    int tableLeft;
    PageOrientation orientation;
    int bodySize;
};

TEST(ListPrintTier, WidthAtTheFullFactorPicksTheTierAndNarrowTiersSumAgain) {
    const TierCase cases[] = {
        {10367, 1, 11479, 0, PageOrientation::Portrait, 9},     // 11479: the widest tier-1 table
        {10368, 2, 10331, 574, PageOrientation::Portrait, 8},   // 11480 at 1.1 -> summed again at 0.99 and 67
        {10913, 2, 10871, 304, PageOrientation::Portrait, 8},
        {10914, 3, 12080, 1900, PageOrientation::Landscape, 8},
        {14000, 4, 15475, 252, PageOrientation::Landscape, 7},  // 252.5 goes to the even 252
        {14600, 5, 11730, 2275, PageOrientation::Landscape, 6},
    };
    for (const TierCase& c : cases) {
        SCOPED_TRACE(c.width);
        const auto tier = chooseSizeTier({{QStringLiteral("A"), c.width, false}});
        ASSERT_TRUE(tier);
        EXPECT_EQ(tier->number, c.tier);
        EXPECT_EQ(tier->tableWidth, c.tableWidth);
        EXPECT_EQ(tier->tableLeft, c.tableLeft);
        EXPECT_EQ(tier->orientation, c.orientation);
        EXPECT_EQ(tier->bodySize, c.bodySize);
    }
}

TEST(ListPrintTier, TooWideForTheSmallestTierPrintsNothing) {
    EXPECT_FALSE(chooseSizeTier({{QStringLiteral("A"), 19540, false}}));  // table left 299
    EXPECT_FALSE(layoutListPrint(listOf({{QStringLiteral("A"), 19540, false}}, 3), QStringLiteral("T"), kToday));
    const auto tier = chooseSizeTier({{QStringLiteral("A"), 19539, false}});
    ASSERT_TRUE(tier);
    EXPECT_EQ(tier->tableLeft, 300);
}

TEST(ListPrintColumns, StepsAreRoundedToEvenAndHiddenColumnsOnlyWidenTheTierTest) {
    const std::vector<PrintColumn> columns{{QStringLiteral("Name"), 565, false},
                                           {QStringLiteral("Secret"), 0, false},
                                           {QStringLiteral("Cost"), 1000, true}};
    EXPECT_EQ(chooseSizeTier(columns)->tableWidth, 697 + 75 + 1175);  // 565 x 1.1 + 75 = 696.5... -> 697
    const auto document = layoutListPrint(listOf(columns, 1), QStringLiteral("Title"), kToday);
    ASSERT_TRUE(document);
    const int left = chooseSizeTier(columns)->tableLeft;
    const PrintedText* caption = find(document->texts, QStringLiteral("        Cost  "));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->x, left + 697);  // the hidden column takes no room
    EXPECT_FALSE(find(document->texts, QStringLiteral("  Secret")));
    const PrintedText* cell = find(document->texts, QStringLiteral("        10    "));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->x, left + 697);
    EXPECT_EQ(cell->y, find(document->texts, QStringLiteral("Row 1"))->y);
}

TEST(ListPrintColumns, CellsArePaddedToNineOrFourteenCharactersAndKeepTheirLeftPart) {
    struct Case {
        double width;
        bool right;
        QString value;
        QString cell;
        QString caption;
    };
    const Case cases[] = {
        {750, true, QStringLiteral("12"), QStringLiteral("  12     "), QStringLiteral("  Life   ")},
        {750, true, QStringLiteral("12345"), QStringLiteral("12345    "), QStringLiteral("  Life   ")},
        {799.6, false, QStringLiteral("MACRS"), QStringLiteral("   MACRS"), QStringLiteral("  Life")},
        {799.6, true, QStringLiteral("1,234,567"), QStringLiteral(" 1,234,567    "), QStringLiteral("        Life  ")},
        {1200, true, QStringLiteral("123,456,789,012"), QStringLiteral("123,456,789,01"), QStringLiteral("        Life  ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.toStdString());
        const std::vector<PrintColumn> columns{{QStringLiteral("Description"), 2000, false},
                                               {QStringLiteral("Life"), c.width, c.right}};
        PrintList list{columns, {{QStringLiteral("A very long description that runs on"), c.value}}};
        const auto document = layoutListPrint(list, QStringLiteral("T"), kToday);
        ASSERT_TRUE(document);
        EXPECT_TRUE(find(document->texts, c.cell));
        EXPECT_TRUE(find(document->texts, c.caption));
        // Left-aligned text is not cut: the first cell prints whole and the next one keeps its own place.
        EXPECT_TRUE(find(document->texts, QStringLiteral("A very long description that runs on")));
        EXPECT_TRUE(find(document->texts, QStringLiteral("  Description")));
    }
}

TEST(ListPrintHeadings, PortraitPageCarriesDateNumberTitleAndCaptionsBetweenUnderlines) {
    const std::vector<PrintColumn> columns{{QStringLiteral("Description"), 3000, false},
                                           {QStringLiteral("Cost"), 1200, true}};
    const auto document = layoutListPrint(listOf(columns, 64), QStringLiteral("2010 - New Assets for Acme"), kToday);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->orientation, PageOrientation::Portrait);
    EXPECT_EQ(document->pageCount, 1);  // 64 rows fill page 1 and add no page of headings alone

    const auto page = document->page(1);
    const PrintedText* date = find(page, QStringLiteral("03/04/2011"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->x, 360);
    EXPECT_EQ(date->y, 500);
    EXPECT_EQ(date->size, 8);
    EXPECT_TRUE(date->bold);
    const PrintedText* number = find(page, QStringLiteral("Page   1"));
    ASSERT_TRUE(number);
    EXPECT_EQ(number->x, 10140);
    EXPECT_EQ(number->y, 500);
    const PrintedText* title = find(page, QStringLiteral("2010 - New Assets for Acme"));
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x, (12200 - 145 * 26) / 2.0);
    EXPECT_EQ(title->size, 10);

    std::vector<PrintedText> underlines;
    for (const PrintedText& t : page)
        if (t.text == QString(112, QLatin1Char('_'))) underlines.push_back(t);
    ASSERT_EQ(underlines.size(), 2u);
    EXPECT_EQ(underlines[0].x, 160);
    EXPECT_EQ(underlines[0].size, 9);
    const PrintedText* caption = find(page, QStringLiteral("  Description"));
    ASSERT_TRUE(caption);
    EXPECT_GT(caption->y, underlines[0].y);
    EXPECT_LT(caption->y, underlines[1].y);

    // Rows: regular 9 point, one blank line under the heading block, then line by line down to about 15188
    // twips for the 64th row's bottom.
    const PrintedText* first = find(page, QStringLiteral("Row 1"));
    const PrintedText* second = find(page, QStringLiteral("Row 2"));
    const PrintedText* last = find(page, QStringLiteral("Row 64"));
    ASSERT_TRUE(first && second && last);
    EXPECT_FALSE(first->bold);
    EXPECT_EQ(first->size, 9);
    EXPECT_NEAR(first->y - underlines[1].y, 2 * (second->y - first->y), 0.01);
    EXPECT_EQ(last->y + (second->y - first->y), 15188);
}

TEST(ListPrintPages, AFullPageBreaksBeforeTheNextRowWithFreshHeadings) {
    const std::vector<PrintColumn> columns{{QStringLiteral("Description"), 3000, false}};
    const auto document = layoutListPrint(listOf(columns, 65), QStringLiteral("Title"), kToday);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->pageCount, 2);
    const auto page2 = document->page(2);
    EXPECT_TRUE(find(page2, QStringLiteral("Page   2")));
    EXPECT_TRUE(find(page2, QStringLiteral("Title")));
    const PrintedText* row65 = find(page2, QStringLiteral("Row 65"));
    ASSERT_TRUE(row65);
    EXPECT_EQ(row65->y, find(document->page(1), QStringLiteral("Row 1"))->y);
    EXPECT_FALSE(find(page2, QStringLiteral("Row 64")));

    const auto empty = layoutListPrint(listOf(columns, 0), QStringLiteral("Title"), kToday);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->pageCount, 1);
    EXPECT_TRUE(find(empty->texts, QStringLiteral("  Description")));
}

TEST(ListPrintPages, LandscapeTiersPrintBoldRowsFromHigherHeadings) {
    const std::vector<PrintColumn> columns{{QStringLiteral("Description"), 10914, false}};  // tier 3: 51 rows a page
    const auto document = layoutListPrint(listOf(columns, 103), QStringLiteral("Wide"), kToday);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->orientation, PageOrientation::Landscape);
    EXPECT_EQ(document->pageCount, 3);
    EXPECT_TRUE(find(document->page(2), QStringLiteral("Row 52")));
    EXPECT_TRUE(find(document->page(3), QStringLiteral("Row 103")));
    EXPECT_EQ(find(document->texts, QStringLiteral("Page   1"))->x, 13940);
    EXPECT_EQ(find(document->texts, QStringLiteral("03/04/2011"))->y, 300);
    EXPECT_EQ(find(document->texts, QString(173, QLatin1Char('_')))->x, 360);
    const PrintedText* row = find(document->texts, QStringLiteral("Row 1"));
    EXPECT_TRUE(row->bold);
    EXPECT_EQ(row->size, 8);
}

TEST(ListPrintHeadings, ALongTitleStartsAtTheLeftEdgeInsteadOfOffThePage) {
    const QString title = QStringLiteral("2010 - Depreciation WorkSheet for ") + QString(70, QLatin1Char('X'));
    const auto document = layoutListPrint(listOf({{QStringLiteral("A"), 1000, false}}, 1), title, kToday);
    ASSERT_TRUE(document);
    EXPECT_EQ(find(document->texts, title)->x, 0);
}

}  // namespace
}  // namespace tally::desk
