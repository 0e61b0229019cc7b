// The "Asset Detail" page as laid out, before any printer.

#include <gtest/gtest.h>

#include "AssetDetailLayout.h"

namespace tally::desk {
namespace {

const QDate kToday(2011, 3, 4);

AssetDetailFields truck() {
    AssetDetailFields a;
    a.description = QStringLiteral("Delivery truck");
    a.assetId = QStringLiteral("17");
    a.method = QStringLiteral("MACRS");
    a.life = QStringLiteral("5");
    a.cost = QStringLiteral("1234567");
    a.actualMethod = QStringLiteral("200DB");
    a.businessPercent = QStringLiteral("80");
    a.amount179 = QStringLiteral("0");
    a.otherDeductions = QString();
    a.allowance = QStringLiteral("2500.5");
    a.costBasis = QStringLiteral("985553.5");
    a.convention = 1;
    a.inService = QStringLiteral("03/2010");
    a.assetClass = QStringLiteral("Cars, taxis, buses and light general purpose trucks");
    a.vehicleNumber = QStringLiteral("2");
    a.soldDate = QStringLiteral("__/____");
    return a;
}

const PrintedText* find(const PrintedDocument& document, const QString& text) {
    for (const PrintedText& t : document.texts)
        if (t.text == text) return &t;
    return nullptr;
}

TEST(AssetDetailLayout, PortraitPageWithHeadingAndLabelledFieldsInThreeColumns) {
    const PrintedDocument page = layoutAssetDetail(truck(), QStringLiteral("Acme Supply"), kToday);
    EXPECT_EQ(page.orientation, PageOrientation::Portrait);
    EXPECT_EQ(page.pageCount, 1);

    // The first line has a size and weight of its own, whatever was printed before.
    const PrintedText* company = find(page, QStringLiteral("Acme Supply"));
    ASSERT_TRUE(company);
    EXPECT_EQ(company->x, 600);
    EXPECT_EQ(company->y, 700);
    EXPECT_EQ(company->size, 9);
    EXPECT_FALSE(company->bold);
    const PrintedText* date = find(page, QStringLiteral("03/04/2011"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->x, 10000);
    EXPECT_EQ(date->y, 700);
    const PrintedText* title = find(page, QStringLiteral("Asset Detail"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 5230);
    EXPECT_EQ(title->size, 12);
    EXPECT_TRUE(title->bold);

    struct Expected {
        QString label;
        double labelX;
        QString value;
        double valueX;
    };
    const Expected pairs[] = {
        {QStringLiteral("Description:"), 400, QStringLiteral("Delivery truck"), 2000},
        {QStringLiteral("Asset ID:"), 7800, QStringLiteral("17"), 10000},
        {QStringLiteral("Life: "), 4300, QStringLiteral("5"), 6100},
        {QStringLiteral("Cost:"), 400, QStringLiteral("1,234,567"), 2000},
        {QStringLiteral("Actual method:"), 4300, QStringLiteral("200DB"), 6100},
        {QStringLiteral("30/50% Deduction:"), 7800, QStringLiteral("2,501"), 10000},
        {QStringLiteral("Cost Basis:"), 400, QStringLiteral("985,554"), 2000},
        {QStringLiteral("Convention:"), 4300, QStringLiteral("HY"), 6100},
        {QStringLiteral("In Service Date:"), 7800, QStringLiteral("03/2010"), 10000},
        {QStringLiteral("Class:"), 400, QStringLiteral("Cars, taxis, buses and light genera"), 2000},
        {QStringLiteral("Vehicle #"), 7800, QStringLiteral("2"), 10000},
    };
    for (const Expected& e : pairs) {
        SCOPED_TRACE(e.label.toStdString());
        const PrintedText* label = find(page, e.label);
        const PrintedText* value = find(page, e.value);
        ASSERT_TRUE(label && value);
        EXPECT_EQ(label->x, e.labelX);
        EXPECT_TRUE(label->bold);
        EXPECT_EQ(value->x, e.valueX);
        EXPECT_FALSE(value->bold);
        EXPECT_EQ(value->y, label->y);
        EXPECT_EQ(value->size, 9);
    }
    // Rows stand two lines apart (a blank line after each).
    EXPECT_NEAR(find(page, QStringLiteral("Tax Method:"))->y - find(page, QStringLiteral("Description:"))->y,
                2 * lineHeightTwips(9), 0.01);
    // An unsold asset without notes ends with its vehicle number.
    EXPECT_EQ(page.texts.back().text, QStringLiteral("2"));
    EXPECT_FALSE(find(page, QStringLiteral("Notes:")));
    EXPECT_FALSE(find(page, QStringLiteral("   Disposition Data:")));
}

TEST(AssetDetailLayout, AmountsAreWholeDollarsAndBlankForZero) {
    const std::pair<QString, QString> cases[] = {
        {QString(), QString()},       {QStringLiteral("0"), QString()},  {QStringLiteral("0.00"), QString()},
        {QStringLiteral("1234567"), QStringLiteral("1,234,567")},        {QStringLiteral("10.5"), QStringLiteral("11")},
        {QStringLiteral("-2500"), QStringLiteral("-2,500")},
    };
    for (const auto& [field, printed] : cases) EXPECT_EQ(detailAmount(field), printed) << field.toStdString();
}

TEST(AssetDetailLayout, ConventionCodesPrintTheirAbbreviations) {
    const std::pair<std::int16_t, QString> cases[] = {{1, QStringLiteral("HY")}, {2, QStringLiteral("MQ")},
                                                      {3, QStringLiteral("MM")}, {4, QStringLiteral(" ")},
                                                      {0, QString()}};
    for (const auto& [code, text] : cases) {
        AssetDetailFields asset = truck();
        asset.convention = code;
        const PrintedDocument page = layoutAssetDetail(asset, QStringLiteral("Acme"), kToday);
        const PrintedText* label = find(page, QStringLiteral("Convention:"));
        ASSERT_TRUE(label);
        const auto at = std::find_if(page.texts.begin(), page.texts.end(),
                                     [&](const PrintedText& t) { return t.y == label->y && t.x == 6100; });
        ASSERT_NE(at, page.texts.end());
        EXPECT_EQ(at->text, text) << code;
    }
}

TEST(AssetDetailLayout, NotesAndDispositionBlocksOnlyWhenThereIsSomethingToShow) {
    AssetDetailFields sold = truck();
    sold.notes = QStringLiteral("Bought at auction\nRepainted");
    sold.soldDate = QStringLiteral("03/____");  // even a partly typed date prints the block
    sold.soldAmount = QStringLiteral("5000");
    sold.gainLoss = QStringLiteral("-1250");
    const PrintedDocument page = layoutAssetDetail(sold, QStringLiteral("Acme"), kToday);

    const PrintedText* notes = find(page, QStringLiteral("Notes:"));
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->x, 400);
    EXPECT_TRUE(notes->bold);
    const PrintedText* first = find(page, QStringLiteral("Bought at auction"));
    const PrintedText* second = find(page, QStringLiteral("Repainted"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->y, notes->y);
    EXPECT_EQ(second->x, 2000);
    EXPECT_NEAR(second->y - first->y, lineHeightTwips(9), 0.01);
    // A blank line stands between the last field row's blank line and the notes.
    EXPECT_NEAR(notes->y - find(page, QStringLiteral("Class:"))->y, 3 * lineHeightTwips(9), 0.01);

    const PrintedText* heading = find(page, QStringLiteral("   Disposition Data:"));
    ASSERT_TRUE(heading);
    EXPECT_TRUE(heading->bold);
    EXPECT_NEAR(heading->y - second->y, 3 * lineHeightTwips(9), 0.01);
    const std::pair<QString, double> values[] = {{QStringLiteral("03/____"), 2000},
                                                 {QStringLiteral("5,000"), 6100},
                                                 {QStringLiteral("-1,250"), 10000}};
    for (const auto& [text, x] : values) {
        const PrintedText* value = find(page, text);
        ASSERT_TRUE(value) << text.toStdString();
        EXPECT_EQ(value->x, x);
        EXPECT_NEAR(value->y - heading->y, lineHeightTwips(9), 0.01);
    }
}

}  // namespace
}  // namespace tally::desk
