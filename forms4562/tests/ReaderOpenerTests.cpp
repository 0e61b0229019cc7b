// The reader stand-in: an FDF is merged into the form it names before the filled form goes to the viewer; the
// viewer is whatever "xdg-open" is on PATH (here a script that records its argument), and its absence is error 53.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include "ComError.h"
#include "FdfText.h"
#include "FormErrors.h"
#include "FormOpener.h"
#include "PdfForm.h"
#include "ErrorNumber.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;
using namespace tally::forms;

namespace {

class ReaderOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = scratch_.path();
        fs::create_directory(folder_ / "bin");
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        ::setenv("PATH", (folder_ / "bin").c_str(), 1);
        fs::copy_file(fs::path(TALLY_BIN_DIR) / "Files" / "4562_04.pdf", folder_ / "4562_04.pdf");
        std::ofstream(folder_ / "4562_04_9.fdf", std::ios::binary)
            << fdfFileBytes("1 0 obj<</FDF<</F(4562_04.pdf)/Fields[<</T(c1-1)/V/On>><</T(f1-1)/V(J. Doe \\(Owner\\))>>"
                            "<</T(c2-1)/V/No>>]>>>>");
    }
    void TearDown() override {
        ::setenv("PATH", savedPath_.c_str(), 1);
    }

    // A viewer that records `what` (by default the file it is given) in opened.txt.
    void installViewer(const std::string& what = "\"$1\"") {
        const fs::path script = folder_ / "bin" / "xdg-open";
        const std::string record = (folder_ / "opened.txt").string();
        std::ofstream(script) << "#!/bin/sh\necho " << what << " > \"" << record << ".tmp\"\n/bin/mv \"" << record
                              << ".tmp\" \"" << record << "\"\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    std::string openedPath() {
        const fs::path record = folder_ / "opened.txt";
        for (int i = 0; i < 100 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(record);
        std::string line;
        std::getline(in, line);
        return line;
    }

    tally::testing::ScratchFolder scratch_;
    fs::path folder_;

private:
    std::string savedPath_;
};

using tally::testing::errorNumberOf;

}  // namespace

TEST_F(ReaderOpenerTest, AnFdfIsMergedIntoItsFormAndTheFilledFormIsShown) {
    installViewer();
    ReaderOpener opener;
    opener.open(folder_ / "4562_04_9.fdf");
    EXPECT_EQ(openedPath(), (folder_ / "4562_04_9.pdf").string());
    pdf::PdfForm filled;
    filled.LoadFromFile(folder_ / "4562_04_9.pdf");
    EXPECT_EQ(filled.FieldValue(filled.FindField("c1-1")), "Yes");
    EXPECT_EQ(filled.FieldValue(filled.FindField("f1-1")), "J. Doe (Owner)");
    EXPECT_EQ(filled.FieldValue(filled.FindField("c2-1")), "No");
}

TEST_F(ReaderOpenerTest, APdfGoesToTheViewerAsItIs) {
    installViewer();
    ReaderOpener().open(folder_ / "4562_04.pdf");
    EXPECT_EQ(openedPath(), (folder_ / "4562_04.pdf").string());
}

TEST_F(ReaderOpenerTest, WithoutAViewerTheOpenerRaisesFileNotFound) {
    ReaderOpener opener;
    EXPECT_EQ(errorNumberOf([&] { opener.open(folder_ / "4562_04.pdf"); }), tally::vberr::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { opener.open(folder_ / "4562_04_9.fdf"); }), tally::vberr::FileNotFound);
    EXPECT_TRUE(fs::exists(folder_ / "4562_04_9.pdf"));

    // there, but it cannot be executed: no failure reported as success
    const fs::path broken = folder_ / "bin" / "xdg-open";
    std::ofstream(broken) << "#!/no/such/interpreter\n";
    fs::permissions(broken, fs::perms::owner_all);
    EXPECT_EQ(errorNumberOf([&] { opener.open(folder_ / "4562_04.pdf"); }), tally::vberr::FileNotFound);
}

// The form an FDF names is missing: that is no missing viewer, so not 53, and nothing is shown.
TEST_F(ReaderOpenerTest, AMissingFormNamedByTheFdfIsTheTemplateMissing) {
    fs::remove(folder_ / "4562_04.pdf");
    ReaderOpener opener;
    std::string description;
    EXPECT_EQ(errorNumberOf([&] { opener.open(folder_ / "4562_04_9.fdf"); }, &description), ErrTemplateMissing);
    EXPECT_NE(description.find("4562_04.pdf"), std::string::npos) << description;
    installViewer();
    EXPECT_EQ(errorNumberOf([&] { opener.open(folder_ / "4562_04_9.fdf"); }), ErrTemplateMissing);
    EXPECT_FALSE(fs::exists(folder_ / "opened.txt"));
    EXPECT_FALSE(fs::exists(folder_ / "4562_04_9.pdf"));
}

// The viewer may outlive the form by hours: it gets none of the program's open files.
TEST_F(ReaderOpenerTest, TheViewerInheritsNoOpenFiles) {
#ifndef CLOSE_RANGE_CLOEXEC
    GTEST_SKIP() << "this C library has no close_range";
#else
    // A kernel before 5.11 refuses the flag (EINVAL) or lacks the call (ENOSYS): the viewer then keeps the
    // descriptors, as the opener accepts. An empty range touches no descriptor.
    if (::close_range(~0U, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        GTEST_SKIP() << "this kernel cannot mark descriptors close-on-exec by range: " << std::strerror(errno);
    }
#endif
    if (!fs::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc to look into";
    const int low = ::open("/dev/null", O_RDONLY);  // not close-on-exec, as a library's fopen leaves its files
    ASSERT_GE(low, 0);
    const int inherited = ::fcntl(low, F_DUPFD, 200);  // above any descriptor the shell opens for itself
    ::close(low);
    ASSERT_GE(inherited, 0);
    installViewer("$(test -e /proc/$$/fd/" + std::to_string(inherited) + " && echo open || echo closed)");
    ReaderOpener().open(folder_ / "4562_04.pdf");
    EXPECT_EQ(openedPath(), "closed");
    ::close(inherited);
}
