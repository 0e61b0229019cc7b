// The per-user Form 4562 folder: made and filled on the first request, the 2010 templates brought back, user
// files kept, and the errors each routine reports; the menu item that makes the folder before the year prompt.

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <QAction>

#include "ReportTestSupport.h"
#include "ReportsPart.h"
#include "TemplateFolder.h"
#include "UserFormsFolder.h"

namespace tally::desk::testing {
namespace {

namespace fs = std::filesystem;

std::size_t fileCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class TemplateFolderTest : public DeskTest {};

TEST_F(TemplateFolderTest, FirstCopyKeepsUserFilesAndBringsBackTheTwentyTenSet) {
    // A fresh account has no documents folder: it is made with the forms folder.
    ASSERT_FALSE(fs::exists(home_.path() / "Documents"));
    EXPECT_FALSE(RetrieveFilesCopied());
    EXPECT_TRUE(MovePdfFiles());
    const fs::path folder = forms::UserFormsFolder();
    EXPECT_EQ(folder, home_.path() / "Documents" / "Qorv-4562");
    EXPECT_TRUE(RetrieveFilesCopied());
    EXPECT_EQ(fileCount(folder), fileCount(InstalledFormsFolder()));

    // A copy again replaces templates and leaves the user's filled forms.
    std::ofstream(folder / "4562_2010_1.pdf") << "filled";
    std::ofstream(folder / "4562_09.pdf") << "changed";
    EXPECT_TRUE(MovePdfFiles());
    EXPECT_TRUE(fs::exists(folder / "4562_2010_1.pdf"));
    EXPECT_EQ(fs::file_size(folder / "4562_09.pdf"), fs::file_size(InstalledFormsFolder() / "4562_09.pdf"));

    EXPECT_EQ(Move2010PdfFiles(), std::optional<bool>(true));
    fs::remove(folder / "4562_10.fdf");
    fs::remove(folder / "4562_10.pdf");
    EXPECT_EQ(Move2010PdfFiles(), std::nullopt);
    EXPECT_TRUE(fs::exists(folder / "4562_10.fdf"));
    EXPECT_TRUE(fs::exists(folder / "4562_10.pdf"));
    EXPECT_TRUE(prompts_->messages.empty());
}

// A template in the forms folder may be a link to a file of the user's elsewhere: copying the set again replaces
// the link with the template and leaves that file as it was.
TEST_F(TemplateFolderTest, ACopyReplacesALinkAndLeavesTheFileItNames) {
    ASSERT_TRUE(MovePdfFiles());
    const fs::path folder = forms::UserFormsFolder();
    const fs::path own = home_.path() / "my-form.pdf";
    std::ofstream(own) << "the user's own form";
    fs::remove(folder / "4562_09.pdf");
    fs::create_symlink(own, folder / "4562_09.pdf");

    EXPECT_TRUE(MovePdfFiles());
    EXPECT_FALSE(fs::is_symlink(folder / "4562_09.pdf"));
    EXPECT_EQ(fs::file_size(folder / "4562_09.pdf"), fs::file_size(InstalledFormsFolder() / "4562_09.pdf"));
    std::ifstream in(own);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == "the user's own form");  // not the template
    EXPECT_EQ(fileCount(folder), fileCount(InstalledFormsFolder()));  // no temporary file left
}

TEST_F(TemplateFolderTest, ErrorsAreShownAndCountAsFalse) {
    ::unsetenv("HOME");
    EXPECT_FALSE(RetrieveFilesCopied());
    EXPECT_FALSE(MovePdfFiles());
    EXPECT_EQ(Move2010PdfFiles(), std::optional<bool>(false));
    EXPECT_FALSE(IsAcrobatInstalled([]() -> bool { throw ComError(5, "x", "Invalid procedure call or argument"); }));
    const QStringList shown = prompts_->messageTexts();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_TRUE(shown[0].startsWith("Error in RetrieveFilesCopied Path not found")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("Error in MovePdfFiles ") && shown[1].endsWith(" 76")) << shown[1].toStdString();
    EXPECT_TRUE(shown[2].startsWith("Error in Move2010PdfFiles "));
    EXPECT_EQ(shown[3], QStringLiteral("Error in IsAcrobatInstalled Invalid procedure call or argument 5"));
    EXPECT_TRUE(IsAcrobatInstalled([] { return true; }));
}

TEST_F(TemplateFolderTest, TheMenuItemMakesTheFolderBeforeTheYearPrompt) {
    installReportsPart(deskCommands());
    auto* main = new mdiMain;
    main->show();
    auto* item = main->findChild<QAction*>("mnuForm4562_2");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();  // the prompt is cancelled
    EXPECT_TRUE(fs::is_directory(forms::UserFormsFolder()));
    ASSERT_EQ(prompts_->inputs.size(), 1u);
    EXPECT_EQ(prompts_->inputs[0].title, QStringLiteral("Form 4562"));
    EXPECT_EQ(prompts_->waitDepth, 0);
    for (const char* name : {"mnuTileHorizontal", "mnuCloseWindows", "mnuDefaultYear", "mnuPropertyTax"})
        EXPECT_TRUE(main->findChild<QAction*>(name)->isEnabled()) << name;
}

// A HOME that names no folder (a removed account, a typing error): the Form 4562 request reports it and makes
// nothing, where the forms folder would otherwise be created with the whole path above it.
TEST_F(TemplateFolderTest, TheMenuItemMakesNothingUnderAHomeThatIsNotThere) {
    installReportsPart(deskCommands());
    auto* main = new mdiMain;
    main->show();
    const fs::path gone = home_.path() / "gone";
    ::setenv("HOME", gone.c_str(), 1);
    main->findChild<QAction*>("mnuForm4562_2")->trigger();
    ::setenv("HOME", home_.path().c_str(), 1);
    EXPECT_FALSE(fs::exists(gone));
    const QStringList shown = prompts_->messageTexts();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown[0].contains(QString::fromStdString("'" + gone.string() + "'"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith(" 76")) << shown[0].toStdString();
}

}  // namespace
}  // namespace tally::desk::testing
