// Report windows: what DoReports opens for a seeded company (caption, columns after the catalogue, rows, size,
// place), the sizes worked out for them, the Windows menu's arrangement, and keeping a report's rows in a file.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "ListView.h"
#include "PartServices.h"
#include "ReportCatalogue.h"
#include "ReportTestSupport.h"
#include "ReportWindowLayout.h"
#include "Reports.h"
#include "ReportsPart.h"
#include "frmDocument.h"

namespace tally::desk::testing {
namespace {

namespace fs = std::filesystem;

TEST(ReportWindowLayout, SizesFollowTheRowsWithinTheMainWindow) {
    const TwipsSize main{20000, 15000};
    EXPECT_EQ(filledReportSize(30, 5000, main).width, 5400);
    EXPECT_EQ(filledReportSize(31, 5000, main).width, 5600);
    EXPECT_EQ(filledReportSize(12, 5000, main).height, 4120);
    EXPECT_EQ(filledReportSize(5, 25000, main).width, 19700);
    EXPECT_EQ(filledReportSize(100, 5000, {20000, 7500}).height, 6200);
    EXPECT_EQ(filledReportSize(200000, 5000, {20000, 1LL << 40}).height, 42001600);  // no 16-bit wrap

    EXPECT_EQ(shortReportHeight(5, 9999), 2600);
    EXPECT_EQ(shortReportHeight(9, 9999), 3400);
    EXPECT_EQ(shortReportHeight(12, 4120), 4120);

    EXPECT_EQ(catalogueWindowWidth(11850, 5000, 12000), 11850);
    EXPECT_EQ(catalogueWindowWidth(11850, 5000, 11000), 10700);
    EXPECT_EQ(catalogueWindowWidth(0, 5000, 12000), 5000);

    const std::vector<TileSlot> places = tileHorizontalSlots({1000, 3000, 6000}, 12000);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ((std::vector<std::int64_t>{places[0].top, places[1].top, places[2].top}),
              (std::vector<std::int64_t>{0, 1375, 4375}));
    EXPECT_EQ((std::vector<std::int64_t>{places[0].height, places[1].height, places[2].height}),
              (std::vector<std::int64_t>{1375, 3000, 4000}));
    EXPECT_EQ(places[0].width, 11570);
}

TEST(ReportCatalogue, CaptionsAndColumns) {
    struct Case {
        const char* name;
        std::int32_t number;
        const char* caption;
    };
    for (const Case& c : {Case{"Depreciation WorkSheet", 2010, "2010 - Depreciation WorkSheet for Acme"},
                          Case{"Disposed Assets", 2010, "2010  - Disposed Assets for Acme"},
                          Case{"Property Tax", 2010, "Property Tax Data for Acme thru 2010"},
                          Case{"Depreciation Schedule", 40000, "Depreciation Schedule - Lathe for Acme"}}) {
        const ReportEntry* report = findReport(QLatin1String(c.name));
        ASSERT_NE(report, nullptr) << c.name;
        EXPECT_EQ(reportCaption(*report, c.number, "Lathe", "Acme"), QLatin1String(c.caption));
    }
    EXPECT_EQ(findReport("property tax"), nullptr);
    EXPECT_EQ(findReport("50 Year Assets")->fillerName, QStringLiteral("ADS 50Year Assets"));
    EXPECT_EQ(findReport("50 Year Assets")->windowWidthTwips, 11850);
}

class ReportWindowTest : public SeededCompanyTest {
protected:
    void SetUp() override {
        SeededCompanyTest::SetUp();
        installReportsPart(deskCommands());
        main_ = new mdiMain;
        main_->resize(ui::toPixels(15000), ui::toPixels(11000));
        main_->show();
        glngCompanyId = addCompany("Acme");
        gstrCompanyName = QStringLiteral("Acme");
    }
    void TearDown() override {
        partServices() = PartServices{};
        SeededCompanyTest::TearDown();
    }

    QList<QMdiSubWindow*> windows() const { return main_->mdiArea().subWindowList(QMdiArea::CreationOrder); }
    frmDocument& document(int index) const { return *qobject_cast<frmDocument*>(windows().at(index)->widget()); }
    static int twips(int pixels) { return static_cast<int>(ui::toTwips(pixels)); }

    void seedWorkSheet() {
        const std::int32_t lathe = addAsset(glngCompanyId, {.name = "Lathe", .cost = 10000, .life = 7});
        addDepr(glngCompanyId, lathe, 2010, 1429, 1429);
        const std::int32_t shed = addAsset(glngCompanyId, {.name = "Shed", .cost = 39000, .method = 4, .life = 39});
        addDepr(glngCompanyId, shed, 2010, 800, 800);
    }

    mdiMain* main_ = nullptr;
};

TEST_F(ReportWindowTest, WorkSheetWindowForASeededCompany) {
    seedWorkSheet();
    DoReports(QStringLiteral("Depreciation WorkSheet"), 2010, QString());
    ASSERT_EQ(windows().size(), 1);
    QMdiSubWindow* window = windows().front();
    frmDocument& doc = document(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("2010 - Depreciation WorkSheet for Acme"));
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_EQ(prompts_->maxWaitDepth, 1);  // the hourglass while it was made, and not after
    EXPECT_EQ(prompts_->waitDepth, 0);

    const ListModel& list = doc.listModel();
    ASSERT_EQ(list.rowCount(), 9);
    EXPECT_EQ(list.column(2).heading, QStringLiteral("Asset #  "));
    const std::vector<int> widths{800, 3600, 900, 1130, 1243, 750, 1200, 550, 500, 1100, 1200};
    for (int c = 0; c < 11; ++c) EXPECT_EQ(list.column(c).widthTwips, widths[static_cast<std::size_t>(c)]) << c;
    EXPECT_EQ(list.cell(0, 0).text, QStringLiteral("MACRS"));
    EXPECT_EQ(list.cell(0, 8).text, QStringLiteral("7.0"));
    EXPECT_EQ(list.cell(8, 4).text, QStringLiteral("49,000"));
    EXPECT_EQ(list.cell(8, 10).text, QStringLiteral("2,229"));

    // The widget shows the same, bold cells and right alignment included.
    ui::ListView& view = doc.lvListView();
    EXPECT_EQ(view.rowCount(), 9);
    EXPECT_EQ(view.headerItem()->text(2), QStringLiteral("Asset #  "));
    EXPECT_EQ(view.columnWidth(0), ui::toPixels(800));
    EXPECT_EQ(ui::ListView::cellText(view.row(2), 1), QString(29, u' ') + "Subtotal");
    EXPECT_TRUE(ui::ListView::cellBold(view.row(2), 4));
    EXPECT_EQ(view.columnAlignment(4), Qt::AlignRight);

    // Nine rows: 200 a row + 1600 high; as wide as the list as it was made + 400.
    EXPECT_NEAR(doc.outerSize().height, 9 * 200 + 1600, 15);
    EXPECT_NEAR(doc.outerSize().width, list.listWidthTwips() + 400, 15);

    // Buttons right-aligned under the list, Cancel, Print, Gridlines from the right.
    auto* cancel = doc.findChild<QPushButton*>("cmdCancel");
    auto* print = doc.findChild<QPushButton*>("cmdPrint");
    auto* grid = doc.findChild<QPushButton*>("cmdGridLines");
    EXPECT_EQ(cancel->y(), print->y());
    EXPECT_GT(cancel->x(), print->x());
    EXPECT_GT(print->x(), grid->x());
    EXPECT_NEAR(twips(cancel->x() + cancel->width()), twips(view.x() + view.width()) - 100, 30);
    EXPECT_TRUE(print->isEnabled());

    EXPECT_FALSE(view.gridLines());
    grid->click();
    EXPECT_TRUE(view.gridLines());
    grid->click();
    EXPECT_FALSE(view.gridLines());

    cancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(windows().isEmpty());
}

TEST_F(ReportWindowTest, FirstOpenReportWindowGoesToTheCorner) {
    seedWorkSheet();
    DoReports(QStringLiteral("Depreciation WorkSheet"), 2010, QString());
    DoReports(QStringLiteral("New Assets WorkSheet"), 2010, QString());
    ASSERT_EQ(windows().size(), 2);
    EXPECT_EQ(windows()[0]->pos(), QPoint(0, 0));
    EXPECT_NE(windows()[1]->pos(), QPoint(0, 0));
    const QRect client = main_->mdiArea().viewport()->rect();
    EXPECT_TRUE(client.contains(windows()[1]->geometry()) || windows()[1]->x() == 0 || windows()[1]->y() == 0);
    EXPECT_EQ(CheckForReports(), 2);

    windows()[0]->showMinimized();
    windows()[1]->showMinimized();
    EXPECT_EQ(CheckForReports(), 0);
    DoReports(QStringLiteral("Depreciation WorkSheet"), 2010, QString());
    ASSERT_EQ(windows().size(), 3);
    EXPECT_EQ(windows()[2]->pos(), QPoint(0, 0));
}

TEST_F(ReportWindowTest, VehicleUseReportAndScheduleOfALargeAssetNumber) {
    const std::int32_t van = addAsset(glngCompanyId, {.name = "Van", .cost = 30000, .classId = 3, .vehicle = 1});
    addDepr(glngCompanyId, van, 2010, 3000, 3000);
    exec("INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles], [Commuting Miles], [Personal Miles], "
         "[Available Personal Use off Hours], [Driver 5 percent Owner], [Another Car Available]) Values(" +
         std::to_string(glngCompanyId) + ", 2010, 1, '12000', '0', '1500', True, False, True)");
    partServices().doReports(QStringLiteral("Auto Use"), 2010, QString());
    ASSERT_EQ(windows().size(), 1);
    const ListModel& use = document(0).listModel();
    EXPECT_EQ(windows()[0]->windowTitle(), QStringLiteral("2010 - Auto Use for Acme"));
    EXPECT_EQ(use.column(1).heading, QStringLiteral("Vehicle Order"));
    EXPECT_EQ(use.column(6).heading, QStringLiteral("Personal Use"));
    for (int hidden : {2, 9, 10}) EXPECT_EQ(use.column(hidden).widthTwips, 0) << hidden;
    EXPECT_EQ(rowTexts(use, 0).mid(0, 9),
              (QStringList{"Van", "1", QString::number(glngCompanyId), "12,000", " ", "1,500", "Yes", "No", "Yes"}));

    // Each heading can be read in the width the catalogue gives its column.
    ui::ListView& view = document(0).lvListView();
    const QFontMetrics metrics(view.header()->font());
    const int margins = 2 * view.header()->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view.header());
    for (int c = 0; c < view.columnCount(); ++c) {
        if (view.columnWidth(c) == 0) continue;
        const QString heading = view.headerItem()->text(c).trimmed();
        EXPECT_LE(metrics.horizontalAdvance(heading) + margins, view.columnWidth(c)) << heading.toStdString();
    }

    // Asset numbers above 32767 open their schedule.
    exec("UPDATE tblDepr SET asset_num = 40000 WHERE asset_num = " + std::to_string(van));
    exec("UPDATE tblAssets SET Asset_num = 40000 WHERE Asset_num = " + std::to_string(van));
    partServices().doReports(QStringLiteral("Depreciation Schedule"), 40000, QStringLiteral("Van"));
    ASSERT_EQ(windows().size(), 2);
    EXPECT_EQ(windows()[1]->windowTitle(), QStringLiteral("Depreciation Schedule - Van for Acme"));
    EXPECT_EQ(rowTexts(document(1).listModel(), 0), (QStringList{"2010", "3,000", "3,000"}));
}

// The printout reads each column's width back from the list: the catalogue's widths come back to the twip, as
// the widths worked out from the field sizes do.
TEST_F(ReportWindowTest, APrintedReportTakesTheCatalogueColumnWidthsToTheTwip) {
    seedWorkSheet();
    const std::int32_t van = addAsset(glngCompanyId, {.name = "Van", .cost = 30000, .classId = 3, .vehicle = 1});
    addDepr(glngCompanyId, van, 2010, 3000, 3000);
    exec("INSERT INTO tblAutoUse (Company_Id, year, [Vehicle #], [Business Miles], [Commuting Miles], [Personal Miles]) "
         "Values(" + std::to_string(glngCompanyId) + ", 2010, 1, '12000', '0', '1500')");
    struct Case {
        const char* report;
        std::vector<std::pair<int, double>> widths;  // column, twips
    };
    const Case cases[] = {
        {"Depreciation WorkSheet", {{0, 800}, {2, 900}, {5, 750}, {7, 550}, {8, 500}, {10, 1200}}},
        {"Auto Use", {{0, 3300}, {1, 1200}, {3, 1400}, {6, 1400}}},
    };
    for (const Case& c : cases) {
        partServices().doReports(QLatin1String(c.report), 2010, QString());
        ui::ListView& view = document(static_cast<int>(windows().size()) - 1).lvListView();
        for (const auto& [column, twips] : c.widths)
            EXPECT_EQ(view.columnWidthTwips(column), twips) << c.report << " column " << column;
    }
}

// The method's field holds eight characters, a column too narrow on screen for "MACRS"; printed, the column keeps
// the width the field's size gives it.
TEST_F(ReportWindowTest, TheFiftyYearWindowShowsItsMethodNamesWhole) {
    for (const int method : {1, 2}) {  // MACRS, ADS
        const std::int32_t asset =
            addAsset(glngCompanyId, {.name = "Warehouse", .cost = 500000, .method = method, .life = 50});
        addDepr(glngCompanyId, asset, 2010, 4500, 4500);
    }
    DoReports(QStringLiteral("50 Year Assets"), 2010, QString());
    ASSERT_EQ(windows().size(), 1);
    ui::ListView& view = document(0).lvListView();
    ASSERT_EQ(view.headerItem()->text(1), QStringLiteral("Type"));
    const QFontMetrics metrics(view.font());
    // An item's text stands inside a margin on each side.
    const int margins = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
    QStringList methods;
    for (int r = 0; r < view.rowCount(); ++r) {
        const QString method = ui::ListView::cellText(view.row(r), 1).trimmed();
        if (method.isEmpty()) continue;
        methods << method;
        EXPECT_GE(view.columnWidth(1), metrics.horizontalAdvance(method) + margins) << method.toStdString();
    }
    EXPECT_EQ(methods, (QStringList{"ADS", "MACRS"}));
    EXPECT_EQ(view.columnWidthTwips(1), 576);
}

TEST_F(ReportWindowTest, AFailedQueryIsReportedOnce) {
    exec("DROP TABLE tblAutoUseReport");
    DoReports(QStringLiteral("Auto Use"), 2010, QString());
    EXPECT_TRUE(windows().isEmpty());
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in CreateReport. "));
}

class Veto final : public QWidget {
public:
    Veto() { setObjectName("Veto"); }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST_F(ReportWindowTest, TileHorizontalAndCloseAll) {
    std::vector<QMdiSubWindow*> made;
    for (int height : {1000, 3000, 6000}) {
        QWidget* content = height == 3000 ? new Veto : new QWidget;
        QMdiSubWindow* window = main_->mdiArea().addSubWindow(content);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        window->resize(ui::toPixels(4000), ui::toPixels(height));
        made.push_back(window);
    }
    made[2]->showMaximized();
    deskCommands().tileHorizontal();
    const int mainWidth = twips(main_->frameGeometry().width());
    const std::vector<int> tops{0, 1375, 4375};
    const std::vector<int> heights{1375, 3000, 4000};
    for (std::size_t i = 0; i < made.size(); ++i) {
        EXPECT_FALSE(made[i]->isMaximized());
        EXPECT_EQ(made[i]->x(), 0);
        EXPECT_NEAR(twips(made[i]->y()), tops[i], 15) << i;
        EXPECT_NEAR(twips(made[i]->height()), heights[i], 15) << i;
        EXPECT_NEAR(twips(made[i]->width()), mainWidth - 430, 15) << i;
    }

    // Every child window closes, not only reports; one that refuses stays.
    deskCommands().closeAllReports();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(windows().front()->widget()->objectName(), QStringLiteral("Veto"));
}

TEST_F(ReportWindowTest, KeptRowsAreReadBack) {
    seedWorkSheet();
    exec("UPDATE tblAssets SET Asset_name = 'Lathe `A`' WHERE Asset_name = 'Lathe'");
    DoReports(QStringLiteral("Depreciation WorkSheet"), 2010, QString());
    frmDocument& doc = document(0);
    const fs::path file = home_.path() / "worksheet.rpt";
    ASSERT_TRUE(doc.ExportFile(QString::fromStdString(file.string())));
    EXPECT_FALSE(doc.ExportFile(QString::fromStdString(file.string())));
    EXPECT_EQ(prompts_->messageTexts(),
              QStringList{"Can not save the file. The file already exist. Please select another file name."});

    frmDocument reader;
    EXPECT_EQ(reader.OpenRecordSet(QString::fromStdString(file.string())), 0);
    const ado::Recordset& kept = *doc.recordset();
    const ado::Recordset& back = *reader.recordset();
    ASSERT_EQ(back.FieldCount(), kept.FieldCount());
    for (long i = 0; i < kept.FieldCount(); ++i) {
        EXPECT_EQ(back.fieldInfo(i).name, kept.fieldInfo(i).name);
        EXPECT_EQ(back.fieldInfo(i).type, kept.fieldInfo(i).type);
        EXPECT_EQ(back.fieldInfo(i).definedSize, kept.fieldInfo(i).definedSize);
    }
    EXPECT_EQ(back.rows(), kept.rows());
    EXPECT_EQ(reader.outerSize().height, 1200);

    // A file that is not a kept report, and one that is not there.
    prompts_->clearRecords();
    std::ofstream(home_.path() / "other.rpt") << "{\"format\": \"something else\"}";
    reader.OpenRecordSet(QString::fromStdString((home_.path() / "other.rpt").string()));
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_TRUE(prompts_->messages[0].text.startsWith("Error in OpenRecordSet. "));
    prompts_->clearRecords();
    reader.setWindowTitle("Report");
    reader.OpenRecordSet(QString::fromStdString((home_.path() / "missing.rpt").string()));
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(reader.windowTitle(), QStringLiteral("Report Can not open file. "));
}

}  // namespace
}  // namespace tally::desk::testing
