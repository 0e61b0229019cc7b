// The user's register: made from the shipped copy on the first start, kept by every later start, backup and
// restore, in the user's data folder; the copy the installation ships is never written.

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "BackupRestore.h"
#include "DeskTestSupport.h"
#include "FileContents.h"
#include "FileSizeLimit.h"
#include "Startup.h"
#include "db.h"
#include "modDatabase.h"

namespace tally::desk::testing {
namespace {

namespace fs = std::filesystem;
using tally::testing::bytesOf;


QStringList entriesOf(const fs::path& folder) {
    const QDir dir(QString::fromStdString(folder.string()));
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class Register : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        shippedBytes_ = bytesOf(shipped());
        ASSERT_FALSE(shippedBytes_.empty());
    }
    void TearDown() override {
        DeskTest::TearDown();
        EXPECT_TRUE(bytesOf(shipped()) == shippedBytes_) << "the shipped copy was written";
        EXPECT_FALSE(fs::exists(shipped().string() + ".bak"));
    }

    static fs::path shipped() { return fs::path(TALLY_BIN_DIR) / "Depr.mdb"; }
    fs::path registerFolder() const { return home_.dataHome() / "tallyvane"; }
    fs::path registerFile() const { return registerFolder() / "Depr.mdb"; }

    // Starts the program as it starts from the desktop: on the user's register, not on a test's copy. The company
    // picker, which the shipped copy's settings open, is cancelled; returns whether it opened.
    bool start() {
        resetState();
        engine::modDatabase::UseRegister();
        bool pickerOpened = false;
        QTimer cancelPicker;
        QObject::connect(&cancelPicker, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
                pickerOpened = cancel != nullptr;
                if (cancel) QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        cancelPicker.start(5);
        EXPECT_TRUE(Main());
        return pickerOpened;
    }
    static void quit() {
        ASSERT_TRUE(mainWindow()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static std::int32_t number(const std::string& sql) { return engine::db().ReturnValue(sql).toLong(); }

    std::string shippedBytes_;
};

TEST_F(Register, TheFirstStartMakesTheRegisterFromTheShippedCopyInOneStep) {
    {
        // A disk that fills half-way through the copy: the start reports it, naming the file, and leaves no half
        // register (nor the temporary file) behind.
        tally::testing::FileSizeLimit limit(static_cast<rlim_t>(shippedBytes_.size() / 2));
        start();
    }
    const QStringList shown = prompts_->messageTexts();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown[0].startsWith("Error in RetrieveDbDefaultYear ")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QString::fromStdString(registerFolder().string()))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("File too large")) << shown[0].toStdString();
    EXPECT_EQ(entriesOf(registerFolder()), QStringList{});
    quit();

    prompts_->messages.clear();
    EXPECT_TRUE(start());
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
    EXPECT_EQ(mainWindow()->windowTitle(), "Tallyvane  for - Sample Company");
    EXPECT_EQ(engine::modDatabase::DatabasePath(), registerFile().string());
    EXPECT_EQ(entriesOf(registerFolder()), QStringList{"Depr.mdb"});
    EXPECT_TRUE(bytesOf(registerFile()) == shippedBytes_);
}

TEST_F(Register, ALaterStartReusesTheRegisterWithTheUsersRowsAndClearsWhatAnInterruptedStartLeft) {
    EXPECT_TRUE(start());
    engine::db().ExecuteSql("Insert into tblCompany ([Company Name]) values ('Smith Hardware')");
    engine::db().ExecuteSql("Update tblDefaults set DefaultYear = 2031, StartUp_Help = False, ShowCompany = False");
    quit();
    // What a first start killed half-way through its copy left, some time ago: the next start clears it.
    const fs::path leftover = registerFolder() / ".Depr.mdb.new-Xy12Ab";
    std::ofstream(leftover) << "half a register";
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::minutes(5));

    EXPECT_FALSE(start());  // the picker is switched off now
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
    EXPECT_EQ(GetDefaultYear(), 2031);
    EXPECT_EQ(number("Select count(*) from tblCompany where [Company Name] = 'Smith Hardware'"), 1);
    EXPECT_EQ(entriesOf(registerFolder()), QStringList{"Depr.mdb"});
}

TEST_F(Register, XdgDataHomeIsHonouredWhenItIsAnAbsolutePath) {
    struct Case {
        const char* name;
        std::optional<std::string> dataHome;  // XDG_DATA_HOME; none: unset
        fs::path expectedFolder;              // below the scratch home
    };
    const fs::path home = home_.path();
    for (const Case& c : {Case{"absolute", (home / "elsewhere").string(), home / "elsewhere" / "tallyvane"},
                          Case{"relative", std::string("relative/data"), home / ".local/share/tallyvane"},
                          Case{"unset", std::nullopt, home / ".local/share/tallyvane"}}) {
        SCOPED_TRACE(c.name);
        if (c.dataHome)
            ::setenv("XDG_DATA_HOME", c.dataHome->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        engine::modDatabase::UseRegister();
        EXPECT_EQ(number("Select count(*) from tblDefaults"), 1);
        EXPECT_EQ(engine::modDatabase::DatabasePath(), (c.expectedFolder / "Depr.mdb").string());
        EXPECT_TRUE(fs::is_regular_file(c.expectedFolder / "Depr.mdb"));
        EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
        fs::remove_all(c.expectedFolder);
    }
}

TEST_F(Register, AFolderThatCannotBeMadeOrAMissingHomeIsAnErrorNamingThePath) {
    struct Case {
        const char* name;
        std::optional<std::string> home;      // HOME; none: unset
        std::optional<std::string> dataHome;  // XDG_DATA_HOME; none: unset
        const char* madeFile;                 // a file the case puts below the scratch home first
        std::string named;                    // what the error names
    };
    const std::string scratch = home_.path().string();
    const std::vector<Case> cases = {
        {"a file where the folder should be", scratch, scratch + "/data", "data/tallyvane",
         scratch + "/data/tallyvane"},
        {"a file above the folder", scratch, scratch + "/file/data", "file", scratch + "/file/data/tallyvane"},
        // Nothing can be made there, not even by root.
        {"a read-only home", std::string("/proc"), std::nullopt, nullptr, "/proc/.local/share/tallyvane"},
        {"no home", std::nullopt, std::nullopt, nullptr, "(HOME) is not set"},
        {"a home that is not there", scratch + "/gone", std::nullopt, nullptr, "'" + scratch + "/gone'"},
        {"a relative home", std::string("relative/home"), std::nullopt, nullptr, "'relative/home'"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(home_.path() / "data");
        fs::remove_all(home_.path() / "file");
        if (c.madeFile) {
            fs::create_directories((home_.path() / c.madeFile).parent_path());
            std::ofstream(home_.path() / c.madeFile) << "not a folder";
        }
        const QStringList before = entriesOf(home_.path());
        c.home ? ::setenv("HOME", c.home->c_str(), 1) : ::unsetenv("HOME");
        c.dataHome ? ::setenv("XDG_DATA_HOME", c.dataHome->c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
        prompts_->messages.clear();
        start();
        ::setenv("HOME", scratch.c_str(), 1);
        const QStringList shown = prompts_->messageTexts();
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_TRUE(shown[0].startsWith("Error in RetrieveDbDefaultYear ")) << shown[0].toStdString();
        EXPECT_TRUE(shown[0].contains(QString::fromStdString(c.named))) << shown[0].toStdString();
        EXPECT_EQ(entriesOf(home_.path()), before);  // nothing made anywhere
        EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
        quit();
    }
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Backup and restore with the user's usual umask: the register's folder and every database file in and out of it
// are the user's alone, since they hold clients' tax ids and figures.
TEST_F(Register, BackupAndRestoreWorkOnTheRegisterWithTheBakBesideIt) {
    struct UserMask {
        mode_t previous = ::umask(022);
        ~UserMask() { ::umask(previous); }
    } mask;
    EXPECT_TRUE(start());
    ASSERT_EQ(engine::modDatabase::DatabasePath(), registerFile().string());
    const fs::path backup = home_.path() / "Depr.mdb";
    prompts_->answerFile(QString::fromStdString(backup.string()));
    BackupDatabase();
    EXPECT_EQ(mainWindow()->lblStatusBar().text(), "Database was successfully backup.");
    // Page for page the register; SQLite's copy renews only the header's counters.
    constexpr std::size_t kHeader = 100;
    EXPECT_TRUE(bytesOf(backup).substr(kHeader) == bytesOf(registerFile()).substr(kHeader));

    engine::db().ExecuteSql("Insert into tblCompany ([Company Name]) values ('After The Backup')");
    prompts_->answerFile(QString::fromStdString(backup.string()));
    RestoreDatabase([] { return mainWindow()->closeChildWindows(); });
    EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
    EXPECT_EQ(mainWindow()->lblStatusBar().text(), "Database was successfully restored.");
    EXPECT_EQ(number("Select count(*) from tblCompany"), 1);
    EXPECT_EQ(entriesOf(registerFolder()), (QStringList{"Depr.mdb", "Depr.mdb.bak"}));
    engine::modDatabase::UseDatabaseFile(registerFile().string() + ".bak");
    EXPECT_EQ(number("Select count(*) from tblCompany"), 2);
    EXPECT_EQ(modeOf(registerFolder()), 0700u);
    for (const fs::path& file : {registerFile(), fs::path(registerFile().string() + ".bak"), backup})
        EXPECT_EQ(modeOf(file), 0600u) << file;
}

}  // namespace
}  // namespace tally::desk::testing
