// The year prompt and what runs after it: the answers it refuses, the year it passes on, the targets it opens,
// and the Form 4562 request with its checks, the template copy and the form writer's errors and notices.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>

#include "Colour.h"
#include "Display4562.h"
#include "FormOpener.h"
#include "PartServices.h"
#include "ReportLauncher.h"
#include "ReportTestSupport.h"
#include "TemplateFolder.h"
#include "UserFormsFolder.h"

namespace tally::desk::testing {
namespace {

namespace fs = std::filesystem;

TEST(YearAnswer, ReadsTheTypedYear) {
    using Kind = YearAnswer::Kind;
    struct Case {
        const char* typed;
        Kind kind;
        int year;
    };
    const std::vector<Case> cases{
        {"", Kind::Empty, 0},          {"abc", Kind::NotNumeric, 0},  {"20x0", Kind::NotNumeric, 0},
        {"1899", Kind::OutOfRange, 0}, {"10000", Kind::OutOfRange, 0}, {"2,010", Kind::OutOfRange, 0},
        {"1900", Kind::Valid, 1900},   {"9999", Kind::Valid, 9999},    {" 2010", Kind::Valid, 2010},
        {"2010.5", Kind::Valid, 2010}, {"2011.5", Kind::Valid, 2012},
    };
    for (const Case& c : cases) {
        const YearAnswer answer = readYearAnswer(QString::fromLatin1(c.typed));
        EXPECT_EQ(answer.kind, c.kind) << c.typed;
        if (c.kind == Kind::Valid) {
            EXPECT_EQ(answer.year, c.year) << c.typed;
        }
    }
    EXPECT_DOUBLE_EQ(readYearAnswer("2010.5").value, 2010.5);
}

class LauncherTest : public SeededCompanyTest {
protected:
    void SetUp() override {
        SeededCompanyTest::SetUp();
        main_ = new mdiMain;
        main_->resize(800, 600);
        main_->show();
        gintDefaultYear = 2009;
    }
    void TearDown() override {
        partServices() = PartServices{};
        SeededCompanyTest::TearDown();
    }

    // The prompt answered with `typed`.
    void run(const QString& reportName, const QString& typed) {
        prompts_->answerInput(typed);
        launcher_.GetReport(reportName);
    }
    QString status() const { return main_->lblStatusBar().text(); }

    mdiMain* main_ = nullptr;
    ReportLauncher launcher_{[] { return std::make_unique<forms::Display4562>(); }, [] { return true; }};
};

TEST_F(LauncherTest, AnswersAndDispatch) {
    std::vector<int> questionnaireYears;
    std::vector<std::pair<int, int>> usePages;
    partServices().doAutoQstForm = [&](std::int16_t year) { questionnaireYears.push_back(year); };
    partServices().doAutoUseForm = [&](std::int16_t year, std::int16_t vehicle) { usePages.emplace_back(year, vehicle); };

    run("Auto Question Form", "");
    ASSERT_EQ(prompts_->inputs.size(), 1u);
    EXPECT_EQ(prompts_->inputs[0].prompt, QStringLiteral("Enter Year"));
    EXPECT_EQ(prompts_->inputs[0].title, QStringLiteral("Auto Question Form"));
    EXPECT_EQ(prompts_->inputs[0].defaultText, QStringLiteral("2009"));
    const QPoint corner = main_->frameGeometry().topLeft();
    EXPECT_EQ(prompts_->inputs[0].topLeft, QPoint(corner.x() + ui::toPixels(800), corner.y() + ui::toPixels(1000)));
    EXPECT_EQ(status(), QString());

    struct Refused {
        const char* typed;
        const char* message;
    };
    for (const Refused& r : {Refused{"abc", "Year must be numeric!"}, Refused{"1899", "Year must be between 1900 and 9999!"},
                             Refused{"10000", "Year must be between 1900 and 9999!"},
                             Refused{"2,010", "Year must be between 1900 and 9999!"}}) {
        run("Auto Question Form", r.typed);
        EXPECT_EQ(status(), QLatin1String(r.message)) << r.typed;
        EXPECT_EQ(ui::textColour(main_->lblStatusBar()), 255);
    }
    EXPECT_TRUE(questionnaireYears.empty());

    run("Auto Question Form", "2010.5");
    run("Auto Question Form", "2011.5");
    run("Auto Use Form", " 1900");
    EXPECT_EQ(questionnaireYears, (std::vector<int>{2010, 2012}));
    EXPECT_EQ(usePages, (std::vector<std::pair<int, int>>{{1900, 0}}));

    // The schedule opens from the asset window only; an unknown name asks and does nothing.
    run("Depreciation Schedule", "2010");
    EXPECT_TRUE(main_->mdiArea().subWindowList().isEmpty());
    EXPECT_TRUE(prompts_->messages.empty());

    // A list report with no rows for the company leaves no window.
    run("Property Tax", "2010");
    EXPECT_TRUE(main_->mdiArea().subWindowList().isEmpty());
    EXPECT_EQ(status(), QStringLiteral(" No data found. "));

    // The default year is stored as the whole year, halves to even, in the database and in memory alike.
    run("Default Year", "2010.5");
    EXPECT_EQ(GetDefaultYear(), 2010);
    EXPECT_EQ(engine::modDatabase::ReturnDbData("Select defaultyear from tblDefaults"), 2010);
}

TEST_F(LauncherTest, VehicleWindowsMissingAreTold) {
    run("Auto Question Form", "2010");
    run("Auto Use Form", "2010");
    EXPECT_EQ(prompts_->messageTexts(), (QStringList{"The vehicle-use windows are not available.",
                                                     "The vehicle-use windows are not available."}));
}

class RecordingOpener final : public forms::FormOpener {
public:
    void open(const fs::path& file) override { opened.push_back(file); }
    std::vector<fs::path> opened;
};

class Form4562RequestTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        glngCompanyId = addCompany("Acme");
        const std::int32_t lathe = addAsset(glngCompanyId, {.name = "Lathe", .cost = 10000, .life = 7});
        addDepr(glngCompanyId, lathe, 2010, 1429, 1429);
        partServices().misc4562Ok = [this](std::int16_t year, std::int32_t company) {
            checks.push_back("misc " + std::to_string(year) + " " + std::to_string(company));
            return miscOk;
        };
        partServices().vehicleUseOk = [this](std::int16_t year) {
            checks.push_back("vehicles " + std::to_string(year));
            return vehiclesOk;
        };
    }

    ReportLauncher launcherWith(bool viewer) {
        return ReportLauncher([this] { return std::make_unique<forms::Display4562>(opener); },
                              [viewer] { return viewer; });
    }
    void request(bool viewer, const QString& typed) {
        prompts_->answerInput(typed);
        launcherWith(viewer).GetReport(QStringLiteral("Form 4562"));
    }

    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    std::vector<std::string> checks;
    bool miscOk = true;
    bool vehiclesOk = true;
};

TEST_F(Form4562RequestTest, WritesTheFormWhenEveryCheckPasses) {
    ASSERT_TRUE(MovePdfFiles());
    request(true, "2010");
    EXPECT_EQ(checks, (std::vector<std::string>{"misc 2010 " + std::to_string(glngCompanyId), "vehicles 2010"}));
    ASSERT_EQ(opener->opened.size(), 1u);
    EXPECT_EQ(opener->opened[0].parent_path(), forms::UserFormsFolder());
    EXPECT_TRUE(fs::exists(opener->opened[0]));
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join("|").toStdString();
}

TEST_F(Form4562RequestTest, EachNoStopsTheRequest) {
    ASSERT_TRUE(MovePdfFiles());
    const QString viewerQuestion = pdfViewerQuestion();
    const QString miscQuestion = QStringLiteral(
        "Miscellaneous 4562 data is missing. (Use Menu\\Maintenance\\Miscellaneous 4562 Data, to enter the data.) Do "
        "you want to continue?");
    const QString vehicleQuestion = QStringLiteral("Vehicle data is incomplete. Do you want to continue?");
    EXPECT_EQ(viewerQuestion, "A PDF viewer such as xpdf is required to Display Form 4562.  It is a free download "
                              "from https://packages.debian.org/bookworm/xpdf. Do you want to continue?");

    // No to the viewer question: no other check runs.
    request(false, "2010");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{viewerQuestion});
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::YesNo);
    EXPECT_TRUE(checks.empty());

    prompts_->clearRecords();
    miscOk = false;
    request(true, "2010");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{miscQuestion});
    EXPECT_EQ(checks.size(), 1u);

    prompts_->clearRecords();
    checks.clear();
    miscOk = true;
    vehiclesOk = false;
    request(true, "2010");
    EXPECT_EQ(prompts_->messageTexts(), QStringList{vehicleQuestion});
    EXPECT_TRUE(opener->opened.empty());

    // Yes to all three still writes the form.
    prompts_->clearRecords();
    miscOk = false;
    for (int i = 0; i < 3; ++i) prompts_->answerMessage(ui::mb::Yes);
    request(false, "2010");
    EXPECT_EQ(prompts_->messageTexts(), (QStringList{viewerQuestion, miscQuestion, vehicleQuestion}));
    EXPECT_EQ(opener->opened.size(), 1u);
}

TEST_F(Form4562RequestTest, ChecksOfPartsNotInTheProgramAreAskedAbout) {
    ASSERT_TRUE(MovePdfFiles());
    partServices().misc4562Ok = nullptr;
    partServices().vehicleUseOk = nullptr;
    request(true, "2010");
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, QStringLiteral("The Miscellaneous 4562 data could not be checked: that part "
                                                         "is not in this program. Do you want to continue?"));
    EXPECT_TRUE(opener->opened.empty());

    prompts_->clearRecords();
    prompts_->answerMessage(ui::mb::Yes);
    prompts_->answerMessage(ui::mb::Yes);
    request(true, "2010");
    EXPECT_EQ(prompts_->messages.size(), 2u);
    EXPECT_TRUE(prompts_->messages[1].text.startsWith("The vehicle data could not be checked"));
    EXPECT_EQ(opener->opened.size(), 1u);
}

TEST_F(Form4562RequestTest, WriterNoticesAndErrorsAreShown) {
    // A 50-year asset: the form is written and shown, then the notice comes in a plain box.
    const std::int32_t hall = addAsset(glngCompanyId, {.name = "Hall", .cost = 100000, .inService = "01/15/2010", .life = 50});
    addDepr(glngCompanyId, hall, 2010, 2000, 2000);
    ASSERT_TRUE(MovePdfFiles());
    request(true, "2010");
    EXPECT_EQ(opener->opened.size(), 1u);
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::OKOnly);
    EXPECT_FALSE(prompts_->messages[0].text.startsWith("Error in GetReport"));
    EXPECT_FALSE(prompts_->messages[0].text.isEmpty());

    // The year's template missing: the writer's own text, a stop icon and its own title.
    prompts_->clearRecords();
    fs::remove(forms::UserFormsFolder() / "4562_11.pdf");
    fs::remove(forms::UserFormsFolder() / "4562_11.fdf");
    request(true, "2011");
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::OKOnly | ui::mb::Critical);
    EXPECT_EQ(prompts_->messages[0].title, QStringLiteral("4562 Form Error"));

    // Any other error: the launcher's own box.
    prompts_->clearRecords();
    ReportLauncher failing([]() -> std::unique_ptr<forms::Display4562> { throw ComError(429, "x", "ActiveX component can't create object"); },
                           [] { return true; });
    prompts_->answerInput("2010");
    failing.GetReport("Form 4562");
    EXPECT_EQ(prompts_->messageTexts(),
              QStringList{"Error in GetReport. ActiveX component can't create object Error Number: 429"});
}

TEST_F(Form4562RequestTest, TheYearTextTwentyTenBringsTheTemplatesBack) {
    ASSERT_TRUE(MovePdfFiles());
    const fs::path marker = forms::UserFormsFolder() / "4562_10.fdf";
    const fs::path form = forms::UserFormsFolder() / "4562_10.pdf";
    fs::remove(marker);
    fs::remove(form);

    // Typed with a blank the year is 2010 but the templates are not copied: the writer misses its form.
    request(true, " 2010");
    EXPECT_FALSE(fs::exists(marker));
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].title, QStringLiteral("4562 Form Error"));

    prompts_->clearRecords();
    request(true, "2010");
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_EQ(opener->opened.size(), 1u);
    EXPECT_TRUE(prompts_->messages.empty());
}

}  // namespace
}  // namespace tally::desk::testing
