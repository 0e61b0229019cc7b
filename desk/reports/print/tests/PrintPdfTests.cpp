// Printouts as they reach paper, read back from PDF files: the list print through a report list, the asset
// detail page, the offer of a PDF file on a machine without a printer, and a printer that cannot be opened.

#include <gtest/gtest.h>

#include <fstream>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTimer>
#include <QProcess>
#include <QRegularExpression>

#include "DesktopState.h"
#include "FakePrompts.h"
#include "FullDisk.h"
#include "ListPrinting.h"
#include "PrinterOutput.h"
#include "ScopedHome.h"
#include "ScratchFolder.h"

namespace tally::desk {
namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages' texts in their printed layout.
QStringList pdfPages(const QString& path) {
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

// "612 x 792" for a portrait Letter sheet, in points.
QString pageSize(const QString& path) {
    const auto match = QRegularExpression(QStringLiteral("Page size: +([0-9.]+ x [0-9.]+) pts"))
                           .match(run(QStringLiteral("pdfinfo"), {path}));
    return match.captured(1);
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<ui::FakePrompts>();
        prompts_ = fake.get();
        fake->setDefaultTitle(QStringLiteral("Tallyvane "));
        previousPrompts_ = ui::installPrompts(std::move(fake));
        previousTarget_ = installPrinterTarget(std::make_unique<PdfFileTarget>(pdf_));
        previousDate_ = setPrintDateSource([] { return QDate(2011, 3, 4); });
        gstrCompanyName = QStringLiteral("Acme Supply");
    }
    void TearDown() override {
        gstrCompanyName.clear();
        setPrintDateSource(std::move(previousDate_));
        installPrinterTarget(std::move(previousTarget_));
        ui::installPrompts(std::move(previousPrompts_));
    }

    // A report list: description, asset number (narrow, right) and cost (wide, right) columns.
    static void fill(ui::ListView& list, int rows, double descriptionWidth = 3600) {
        list.addColumn(QStringLiteral("Description"), descriptionWidth);
        list.addColumn(QStringLiteral("Asset #  "), 750, Qt::AlignRight);
        list.addColumn(QStringLiteral("Asset Cost "), 1243, Qt::AlignRight);
        for (int r = 1; r <= rows; ++r) {
            auto* row = list.addRow(QStringLiteral("Asset %1").arg(r));
            list.setCell(row, 1, QString::number(r));
            list.setCell(row, 2, QStringLiteral("1,%1").arg(r, 3, 10, QLatin1Char('0')));
        }
    }

    tally::testing::ScratchFolder folder_;
    const QString pdf_ = QString::fromStdString((folder_ / "print.pdf").string());
    ui::FakePrompts* prompts_ = nullptr;

private:
    std::unique_ptr<ui::Prompts> previousPrompts_;
    std::unique_ptr<PrinterTarget> previousTarget_;
    std::function<QDate()> previousDate_;
};

TEST_F(PrintToPdf, ListPagesHoldSixtyFourRowsUnderHeadingsWithPageNumbers) {
    ui::ListView list;
    fill(list, 65);
    PrintListView(list, QStringLiteral("2010 - New Assets for Acme Supply"));
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(prompts_->maxWaitDepth, 1);  // the hourglass showed while the pages were drawn
    EXPECT_EQ(prompts_->waitDepth, 0);

    EXPECT_EQ(pageSize(pdf_), QStringLiteral("612 x 792"));
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 2);
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(pages[p].contains(QStringLiteral("03/04/2011")));
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page   %1").arg(p + 1)));
        EXPECT_TRUE(pages[p].contains(QStringLiteral("2010 - New Assets for Acme Supply")));
        EXPECT_TRUE(pages[p].contains(QRegularExpression(QStringLiteral("Description +Asset # +Asset Cost"))));
    }
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Asset 64 +64 +1,064\\n"))));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Asset 65")));
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("Asset 65 +65 +1,065\\n"))));

    // Exactly 64 rows fill one page and add none of headings alone.
    ui::ListView full;
    fill(full, 64);
    PrintListView(full, QStringLiteral("Full"));
    EXPECT_EQ(pdfPages(pdf_).size(), 1);
}

TEST_F(PrintToPdf, AWideListTurnsTheSheetAndATooWideOnePrintsNothing) {
    ui::ListView wide;
    fill(wide, 3, 9000);
    PrintListView(wide, QStringLiteral("Wide"));
    EXPECT_EQ(pageSize(pdf_), QStringLiteral("792 x 612"));
    EXPECT_TRUE(pdfPages(pdf_).join(QString()).contains(QStringLiteral("Asset 3")));
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf_});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationMono-Bold"))) << fonts.toStdString();

    QFile::remove(pdf_);
    ui::ListView tooWide;
    fill(tooWide, 3, 18000);
    PrintListView(tooWide, QStringLiteral("Too wide"));
    EXPECT_EQ(prompts_->messageTexts(), QStringList{QStringLiteral("To Wide to Print")});
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_EQ(prompts_->waitDepth, 0);
}

TEST_F(PrintToPdf, HiddenColumnsAndColumnsMovedOnScreenPrintAsShown) {
    ui::ListView list;
    fill(list, 2);
    list.addColumn(QStringLiteral("Company_Id"), 0);
    list.setCell(list.row(0), 3, QStringLiteral("99"));
    list.header()->moveSection(2, 0);  // the user dragged "Asset Cost" to the front
    PrintListView(list, QStringLiteral("Moved"));
    const QString page = pdfPages(pdf_).value(0);
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Asset Cost +Description +Asset #"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("1,001 +Asset 1 +1\\n"))));
    EXPECT_FALSE(page.contains(QStringLiteral("Company_Id")));
    EXPECT_FALSE(page.contains(QStringLiteral("99")));
}

AssetDetailFields soldTruck() {
    AssetDetailFields a;
    a.description = QStringLiteral("Delivery truck");
    a.assetId = QStringLiteral("17");
    a.method = QStringLiteral("MACRS");
    a.life = QStringLiteral("5");
    a.cost = QStringLiteral("1234567");
    a.actualMethod = QStringLiteral("200DB");
    a.businessPercent = QStringLiteral("100");
    a.costBasis = QStringLiteral("1234567");
    a.convention = 2;
    a.inService = QStringLiteral("03/2010");
    a.assetClass = QStringLiteral("Light general purpose trucks");
    a.notes = QStringLiteral("Bought at auction");
    a.soldDate = QStringLiteral("06/2012");
    a.soldAmount = QStringLiteral("5000");
    a.gainLoss = QStringLiteral("-1250");
    return a;
}

TEST_F(PrintToPdf, AssetDetailPageWithAndWithoutNotesAndDisposition) {
    PrintAssetDetail(soldTruck());
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(pageSize(pdf_), QStringLiteral("612 x 792"));
    QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages[0];
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Acme Supply +03/04/2011"))));
    EXPECT_TRUE(page.contains(QStringLiteral("Asset Detail")));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Description: +Delivery truck +Asset ID: +17"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Cost: +1,234,567 +Actual method: +200DB"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Convention: +MQ +In Service Date: +03/2010"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Notes: +Bought at auction"))));
    EXPECT_TRUE(page.contains(QStringLiteral("Disposition Data:")));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("Date: +06/2012 +Amount: +5,000 +Gain/Loss: +-1,250"))));

    AssetDetailFields plain = soldTruck();
    plain.notes.clear();
    plain.soldDate = QStringLiteral("__/____");
    PrintAssetDetail(plain);
    pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Class: +Light general purpose trucks"))));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Notes:")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Disposition")));
}

TEST_F(PrintToPdf, WithoutAPrinterTheUserIsOfferedAPdfFileAndMayDecline) {
    installPrinterTarget(std::make_unique<SystemPrinterTarget>([] { return QString(); }));
    ui::ListView list;
    fill(list, 2);

    const QString chosen = QString::fromStdString((folder_ / "chosen.pdf").string());
    prompts_->answerFile(chosen);
    PrintListView(list, QStringLiteral("2010 - 179 WorkSheet for Acme"));
    ASSERT_EQ(prompts_->fileDialogs.size(), 1u);
    const auto& request = prompts_->fileDialogs[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.request.fileName, QStringLiteral("2010 - 179 WorkSheet for Acme.pdf"));
    EXPECT_EQ(request.request.defaultSuffix, QStringLiteral("pdf"));
    EXPECT_TRUE(request.request.overwritePrompt);
    EXPECT_TRUE(pdfPages(chosen).value(0).contains(QStringLiteral("Asset 2")));

    prompts_->answerFile(std::nullopt);
    PrintAssetDetail(soldTruck());
    EXPECT_EQ(prompts_->fileDialogs.size(), 2u);
    EXPECT_EQ(prompts_->fileDialogs[1].request.fileName, QStringLiteral("Asset Detail 17.pdf"));
    EXPECT_TRUE(prompts_->messages.empty());  // declining is no error
    EXPECT_EQ(prompts_->waitDepth, 0);
}

// Without a printer the PDF file dialog opens in the user's documents folder, made when it is missing, not in the
// folder the program runs from.
TEST_F(PrintToPdf, ThePdfFileDialogOpensInTheUsersDocumentsFolder) {
    struct Case {
        const char* userDirs;  // the user's user-dirs.dirs, none when empty
        const char* documents;
    };
    for (const Case& c : {Case{"", "Documents"}, Case{"XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", "Papers"}}) {
        const tally::testing::ScopedHome home;
        if (*c.userDirs) {
            std::filesystem::create_directories(home.path() / ".config");
            std::ofstream(home.path() / ".config" / "user-dirs.dirs") << c.userDirs;
        }
        installPrinterTarget(std::make_unique<SystemPrinterTarget>([] { return QString(); }));
        std::unique_ptr<ui::Prompts> fake = ui::installPrompts(nullptr);  // the dialog the user gets
        QString opened;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                opened = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        ui::ListView list;
        fill(list, 1);
        PrintListView(list, QStringLiteral("Title"));
        ui::installPrompts(std::move(fake));
        EXPECT_EQ(opened, QString::fromStdString((home.path() / c.documents).string())) << c.documents;
    }
}

TEST_F(PrintToPdf, APrinterThatCannotBeOpenedIsReportedOnceAndNothingIsLeftOpen) {
    const QString nowhere = QString::fromStdString((folder_ / "missing" / "x.pdf").string());
    installPrinterTarget(std::make_unique<PdfFileTarget>(nowhere));
    ui::ListView list;
    fill(list, 200);
    PrintListView(list, QStringLiteral("Title"));
    PrintAssetDetail(soldTruck());
    const QStringList boxes = prompts_->messageTexts();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("Error in PrintListView. Printer error: "))) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral(" Error Number: 482")));
    EXPECT_TRUE(boxes[1].startsWith(QStringLiteral("Error in PrintAssetDetail Printer error: ")));
    EXPECT_TRUE(boxes[1].endsWith(QStringLiteral(" 482")));
    EXPECT_EQ(prompts_->waitDepth, 0);
}

// The PDF writer does not see its writes fail: a full disk left a printout cut short, in place of the earlier
// file, and said nothing.
TEST_F(PrintToPdf, AFullDiskKeepsTheEarlierFileAndSaysWhy) {
    tally::testing::FullDisk disk(1024);  // a page of the list is larger, whichever way the disk fills
    const std::filesystem::path target = disk / "print.pdf";
    std::ofstream(target) << "earlier printout";
    installPrinterTarget(std::make_unique<PdfFileTarget>(QString::fromStdString(target.string())));
    ui::ListView list;
    fill(list, 70);
    disk.fill();
    PrintListView(list, QStringLiteral("Title"));
    disk.empty();

    const QStringList boxes = prompts_->messageTexts();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("Error in PrintListView. Printer error: "))) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].contains(QString::fromStdString(disk.reason()))) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral(" Error Number: 482")));
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "earlier printout");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.path()), {}), 1);  // no temporary file left
    EXPECT_EQ(prompts_->waitDepth, 0);
}

}  // namespace
}  // namespace tally::desk
