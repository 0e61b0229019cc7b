// Copies of the register taken while another copy of the program writes to it, and restores into it: another
// process (register_writer) saves assets through the engine the whole time, or dies in the middle of a save.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "ComError.h"
#include "DatabaseFiles.h"
#include "FileContents.h"
#include "FileSizeLimit.h"
#include "FullDisk.h"
#include "ScratchFolder.h"
#include "SmallDisk.h"
#include "TestDatabase.h"
#include "modDatabase.h"

namespace {

namespace fs = std::filesystem;
namespace DatabaseFiles = tally::engine::DatabaseFiles;
using tally::testing::ScratchFolder;
using tally::testing::bytesOf;
using tally::testing::namesIn;

// Rows of depreciation the writer's five-year asset gets.
constexpr int kRowsPerAsset = 6;

// A database file read with SQLite alone, as a user's tool would.
class Reader {
public:
    explicit Reader(const fs::path& file) {
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Reader() { sqlite3_close_v2(db_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    std::vector<std::string> column(const std::string& sql) const {
        std::vector<std::string> values;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            return {std::string("error: ") + sqlite3_errmsg(db_)};
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            values.emplace_back(text ? text : "");
        }
        if (rc != SQLITE_DONE) values.push_back(std::string("error: ") + sqlite3_errmsg(db_));
        sqlite3_finalize(statement);
        return values;
    }
    std::string integrity() const { return column("PRAGMA integrity_check").at(0); }
    long number(const std::string& sql) const { return std::stol(column(sql).at(0)); }
    std::set<std::string> writerAssets() const {
        const auto names = column("SELECT Asset_name FROM tblAssets WHERE Asset_name LIKE 'Writer %'");
        return {names.begin(), names.end()};
    }
    // Writer assets whose schedule is not whole: a save seen in part.
    long incompleteSaves() const {
        return number("SELECT count(*) FROM tblAssets a WHERE Asset_name LIKE 'Writer %' AND (SELECT count(*) FROM "
                      "tblDepr d WHERE d.asset_num = a.Asset_num) <> " + std::to_string(kRowsPerAsset));
    }

private:
    sqlite3* db_ = nullptr;
};

// The other copy of the program: register_writer, its standard output read line by line.
class Writer {
public:
    Writer(const fs::path& file, const char* mode) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        const std::string path = file.string();
        char* argv[] = {const_cast<char*>(TALLY_REGISTER_WRITER), const_cast<char*>(path.c_str()),
                        const_cast<char*>(mode), nullptr};
        const int spawned = posix_spawn(&pid_, TALLY_REGISTER_WRITER, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        output_ = out[0];
        if (spawned != 0) throw std::runtime_error("cannot start the writer");
    }
    ~Writer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(output_);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Reads what the writer told until it has confirmed `count` saves in all, or said `line`; false on timeout.
    bool waitForSaves(std::size_t count) {
        return readUntil([&] { return saved_.size() >= count; });
    }
    bool waitForLine(const std::string& line) {
        return readUntil([&] { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); });
    }
    // Reads what the writer told so far, without waiting.
    void readWhatIsThere() {
        readUntil([this] {
            pollfd ready{output_, POLLIN, 0};
            return ::poll(&ready, 1, 0) <= 0;
        });
    }
    // Asks the writer to stop after its current save and reads the rest; its exit status.
    int stop() {
        ::kill(pid_, SIGTERM);
        readUntil([] { return false; });
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void killNow() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    const std::vector<std::string>& saved() const { return saved_; }
    std::vector<std::string> errors() const {
        std::vector<std::string> found;
        for (const std::string& line : lines_)
            if (line.rfind("error", 0) == 0) found.push_back(line);
        return found;
    }

private:
    // Reads lines until `done` or the end of the output; false when 60 seconds pass first.
    template <typename Done>
    bool readUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            pollfd ready{output_, POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0) continue;
            char buffer[4096];
            const ssize_t got = ::read(output_, buffer, sizeof buffer);
            if (got <= 0) return done();
            pending_.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; (end = pending_.find('\n')) != std::string::npos; pending_.erase(0, end + 1)) {
                lines_.push_back(pending_.substr(0, end));
                if (lines_.back().rfind("saved ", 0) == 0) saved_.push_back(lines_.back().substr(6));
            }
        }
        return true;
    }

    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    std::vector<std::string> lines_;
    std::vector<std::string> saved_;
};

void execute(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    ASSERT_EQ(rc, SQLITE_OK) << sql;
}



class RegisterCopies : public ::testing::Test {
protected:
    RegisterCopies() {
        // This process is the copy that backs up and restores; its own connection stays out of the way.
        tally::engine::modDatabase::SetSharedConnection(nullptr);
    }
    fs::path registerFile() const { return database_.path(); }
    fs::path bak() const { return registerFile().string() + ".bak"; }
    // A candidate of the shipped database, checked and copied aside.
    std::unique_ptr<DatabaseFiles::RestoreCandidate> shippedCandidate() const {
        return std::make_unique<DatabaseFiles::RestoreCandidate>(tally::testing::shippedDatabasePath(),
                                                                 tally::testing::shippedDatabasePath(),
                                                                 registerFile());
    }

    tally::testing::TestDatabase database_;
    ScratchFolder elsewhere_;
};

TEST_F(RegisterCopies, BackupsTakenWhileAnotherCopySavesPassTheFullCheckAndHoldWholeSaves) {
    Writer writer(registerFile(), "saves");
    ASSERT_TRUE(writer.waitForSaves(5));
    std::size_t before = 0;
    for (int i = 0; i < 30; ++i) {
        const fs::path backup = elsewhere_ / ("backup" + std::to_string(i) + ".mdb");
        DatabaseFiles::Copy(registerFile(), backup);
        const Reader copy(backup);
        SCOPED_TRACE(i);
        EXPECT_EQ(copy.integrity(), "ok");
        EXPECT_EQ(copy.incompleteSaves(), 0);
        const std::size_t seen = copy.writerAssets().size();
        EXPECT_GE(seen, before);
        before = seen;
        fs::remove(backup);
    }
    EXPECT_EQ(writer.stop(), 0);
    EXPECT_TRUE(writer.errors().empty()) << writer.errors().front();
    EXPECT_GT(writer.saved().size(), 30u) << "the writer hardly saved while the backups ran";
}

// A copy died in the middle of a large save: its journal lies beside the register, and part of the save is in the
// register's file already. The backup, the ".bak" and the register after a restore hold what was committed.
TEST_F(RegisterCopies, WhatACopyThatDiedInTheMiddleOfASaveLeftIsRolledBackNotCopied) {
    const long committed = Reader(registerFile()).number("SELECT count(*) FROM tblAssets");
    {
        Writer dying(registerFile(), "dies");
        ASSERT_TRUE(dying.waitForLine("in the middle"));
        dying.killNow();
    }
    ASSERT_TRUE(fs::exists(registerFile().string() + "-journal"));

    const fs::path backup = elsewhere_ / "Depr.mdb";
    DatabaseFiles::Copy(registerFile(), backup);
    EXPECT_EQ(Reader(backup).integrity(), "ok");
    EXPECT_EQ(Reader(backup).number("SELECT count(*) FROM tblAssets"), committed);
    shippedCandidate()->RestoreInto(registerFile());
    EXPECT_EQ(Reader(bak()).integrity(), "ok");
    EXPECT_EQ(Reader(bak()).number("SELECT count(*) FROM tblAssets"), committed);
    EXPECT_EQ(Reader(registerFile()).integrity(), "ok");
}

TEST_F(RegisterCopies, ARestoreWhileAnotherCopySavesLosesNoConfirmedSaveAndTheCopySavesOnAfterIt) {
    Writer writer(registerFile(), "saves");
    ASSERT_TRUE(writer.waitForSaves(20));
    const auto candidate = shippedCandidate();
    candidate->RestoreInto(registerFile());
    writer.readWhatIsThere();
    const std::size_t confirmedByTheEnd = writer.saved().size();
    ASSERT_TRUE(writer.waitForSaves(confirmedByTheEnd + 20)) << "the other copy stopped saving after the restore";
    EXPECT_EQ(writer.stop(), 0);
    EXPECT_TRUE(writer.errors().empty()) << writer.errors().front();

    const Reader before(bak());
    const Reader after(registerFile());
    EXPECT_EQ(before.integrity(), "ok");
    EXPECT_EQ(after.integrity(), "ok");
    EXPECT_EQ(after.incompleteSaves(), 0);
    const std::set<std::string> inBak = before.writerAssets();
    const std::set<std::string> inRegister = after.writerAssets();
    for (const std::string& save : writer.saved())
        EXPECT_TRUE(inBak.count(save) + inRegister.count(save) == 1) << save << " is lost or in both";
    // The ".bak" ends where the restored register begins: the saves before the restore, then those after it.
    EXPECT_EQ(inBak.count(writer.saved().front()), 1u);
    EXPECT_EQ(inRegister.count(writer.saved().back()), 1u);
}

// The ".bak" is a link: the link is replaced by the copy; what it pointed to is never written.
TEST_F(RegisterCopies, ABakThatIsALinkIsReplacedAndItsTargetLeftAlone) {
    const fs::path other = elsewhere_ / "other.txt";
    std::ofstream(other) << "someone else's file";
    for (const fs::path& linkedTo : {other, registerFile()}) {
        SCOPED_TRACE(linkedTo);
        fs::remove(bak());
        fs::create_symlink(linkedTo, bak());
        const long before = Reader(registerFile()).number("SELECT count(*) FROM tblCompany");
        execute(registerFile(), "INSERT INTO tblCompany ([Company Name]) VALUES ('Kept')");
        shippedCandidate()->RestoreInto(registerFile());
        EXPECT_FALSE(fs::is_symlink(bak()));
        EXPECT_EQ(Reader(bak()).number("SELECT count(*) FROM tblCompany"), before + 1);
        EXPECT_EQ(Reader(registerFile()).integrity(), "ok");
    }
    EXPECT_EQ(bytesOf(other), "someone else's file");
}

// A disk that fills up under the backup, and under the ".bak": the system's reason, the register unchanged and
// nothing left behind.
TEST_F(RegisterCopies, ABackupOnAFullDiskGivesTheSystemsReasonAndLeavesNothingBehind) {
    const std::string registerBytes = bytesOf(registerFile());
    tally::testing::FullDisk disk(registerBytes.size() / 2);
    disk.fill();
    try {
        DatabaseFiles::Copy(registerFile(), disk / "Depr.mdb");
        ADD_FAILURE() << "a backup larger than the disk was reported as done";
    } catch (const tally::ComError& e) {
        EXPECT_NE(e.description().find(disk.reason()), std::string::npos) << e.description();
    }
    disk.empty();
    EXPECT_TRUE(namesIn(disk.path()).empty());
    EXPECT_TRUE(bytesOf(registerFile()) == registerBytes);
}

TEST(RegisterCopiesOnAFullDisk, TheBakThatDoesNotFitGivesTheSystemsReasonAndLeavesTheRegister) {
    const fs::path shipped = tally::testing::shippedDatabasePath();
    const auto size = fs::file_size(shipped);
    // Room for the register and the candidate's checked copy, not for the ".bak" as well; where no small disk can
    // be mounted, files may not grow beyond half the register once the candidate is there.
    tally::testing::SmallDisk disk(size * 2 + size / 2);
    const ScratchFolder fallback;
    const fs::path live = (disk.mounted() ? disk.path() : fallback.path()) / "Depr.mdb";
    fs::copy_file(shipped, live);
    const std::string registerBytes = bytesOf(live);
    const DatabaseFiles::RestoreCandidate candidate(shipped, shipped, live);
    std::optional<tally::testing::FileSizeLimit> limit;
    if (!disk.mounted()) limit.emplace(size / 2);
    try {
        candidate.RestoreInto(live);
        ADD_FAILURE() << "a .bak larger than the disk was reported as done";
    } catch (const tally::ComError& e) {
        const std::string reason = disk.mounted() ? "No space left on device" : "File too large";
        EXPECT_NE(e.description().find(reason), std::string::npos) << e.description();
    }
    limit.reset();
    EXPECT_TRUE(bytesOf(live) == registerBytes);
    EXPECT_FALSE(fs::exists(live.string() + ".bak"));
}

}  // namespace
