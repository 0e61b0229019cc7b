// Copies of the register taken while another copy of the program writes to it, and restores into it: another
// process (register_writer) saves assets through the engine the whole time, or dies in the middle of a save.

#include <gtest/gtest.h>

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
#include "OtherCopies.h"
#include "RegisterDamage.h"
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

using Reader = tally::testing::RegisterReader;
using Writer = tally::testing::RegisterWriterProcess;

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
    static fs::path shipped() { return tally::testing::shippedDatabasePath(); }
    // A candidate of the shipped database, checked and copied aside.
    std::unique_ptr<DatabaseFiles::RestoreCandidate> shippedCandidate() const {
        return std::make_unique<DatabaseFiles::RestoreCandidate>(shipped(), shipped(), registerFile());
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
        DatabaseFiles::Copy(registerFile(), backup, shipped());
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
    DatabaseFiles::Copy(registerFile(), backup, shipped());
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
        DatabaseFiles::Copy(registerFile(), disk / "Depr.mdb", shipped());
        ADD_FAILURE() << "a backup larger than the disk was reported as done";
    } catch (const tally::ComError& e) {
        EXPECT_NE(e.description().find(disk.reason()), std::string::npos) << e.description();
    }
    disk.empty();
    EXPECT_TRUE(namesIn(disk.path()).empty());
    EXPECT_TRUE(bytesOf(registerFile()) == registerBytes);
}

// The register is damaged where no save of an asset looks, so another copy of the program goes on saving into it.
// The restore gives the register's name to a new file: that copy's saves up to then are in the ".bak", and its next
// one fails rather than be confirmed into the file that lost its name, which no one would open again.
TEST_F(RegisterCopies, AnotherCopyThatHadTheDamagedRegisterOpenFailsAfterTheRestoreAndLosesNoConfirmedSave) {
    tally::testing::damageRegister(registerFile(), tally::testing::Damage::ZeroedTablePages);
    ASSERT_NE(Reader(registerFile()).integrity(), "ok");
    Writer writer(registerFile(), "saves");
    ASSERT_TRUE(writer.waitForSaves(20)) << (writer.errors().empty() ? "" : writer.errors().front());
    shippedCandidate()->RestoreInto(registerFile());
    EXPECT_EQ(writer.waitForExit(), 1) << "the other copy went on saving into the replaced file";
    EXPECT_FALSE(writer.errors().empty());
    const std::set<std::string> inBak = Reader(bak()).writerAssets();
    for (const std::string& save : writer.saved()) EXPECT_EQ(inBak.count(save), 1u) << save << " is lost";
    const Reader restored(registerFile());
    EXPECT_EQ(restored.integrity(), "ok");
    EXPECT_TRUE(restored.writerAssets().empty());
}

// The other copy opened the register before a page of SQLite's table list was lost: it knows its tables and saves
// on, while a copy started now could not read the register. Each restore over it waits for the save under way and
// keeps that copy from saving until the backup has the register's name, so every save it was told of is in the
// ".bak" (or, where the restore was refused, still in the register), none lands in the file that lost its name, and
// no journal of the damaged file is left to be played into the restored one.
TEST_F(RegisterCopies, ARestoreOverADamagedRegisterWhileAnotherCopySavesLosesNoConfirmedSave) {
    const auto candidate = shippedCandidate();
    for (int attempt = 0; attempt < 5; ++attempt) {
        SCOPED_TRACE(attempt);
        fs::remove(bak());
        Writer writer(registerFile(), "saves");
        ASSERT_TRUE(writer.waitForSaves(10));
        const tally::testing::ZeroedTableListPage damage(registerFile());
        ASSERT_TRUE(writer.waitForSaves(30)) << "the other copy stopped saving on the damaged register";
        ASSERT_EQ(Reader(registerFile()).column("SELECT count(*) FROM tblAssets").at(0).rfind("error", 0), 0u);
        fs::path holder = bak();
        try {
            candidate->RestoreInto(registerFile());
            EXPECT_EQ(writer.waitForExit(), 1) << "the other copy went on saving into the replaced file";
        } catch (const tally::ComError& e) {
            EXPECT_NE(e.description().find("another copy of the program is saving"), std::string::npos)
                << e.description();
            EXPECT_EQ(writer.stop(), 0);
            holder = registerFile();
        }
        damage.undoIn(holder);
        const Reader kept(holder);
        EXPECT_EQ(kept.integrity(), "ok");
        const std::set<std::string> saves = kept.writerAssets();
        for (const std::string& save : writer.saved()) EXPECT_EQ(saves.count(save), 1u) << save << " is lost";
        EXPECT_FALSE(fs::exists(registerFile().string() + "-journal"));

        Writer nextCopy(registerFile(), "saves");
        EXPECT_TRUE(nextCopy.waitForSaves(3));
        EXPECT_EQ(nextCopy.stop(), 0);
        EXPECT_TRUE(nextCopy.errors().empty()) << nextCopy.errors().front();
        EXPECT_EQ(Reader(registerFile()).integrity(), "ok");
    }
}

// A copy that stays in the middle of a save holds the register longer than the program waits: the restore is
// refused with what to do, and nothing changes.
TEST_F(RegisterCopies, ARestoreThatCannotHaveTheRegisterIsRefusedAndChangesNothing) {
    Writer busy(registerFile(), "dies");
    ASSERT_TRUE(busy.waitForLine("in the middle"));
    const std::string registerBytes = bytesOf(registerFile());
    try {
        shippedCandidate()->RestoreInto(registerFile());
        ADD_FAILURE() << "a restore went on while another copy was saving";
    } catch (const tally::ComError& e) {
        EXPECT_EQ(e.description(), "Path/File access error: another copy of the program is saving to '" +
                                       registerFile().string() + "': close it and try again.");
    }
    EXPECT_TRUE(bytesOf(registerFile()) == registerBytes);
    EXPECT_FALSE(fs::exists(bak()));
}

// A disk that fills up under the ".bak", under the restored content of a whole register, or under the file that
// takes a damaged register's name: the system's reason, the register and an earlier ".bak" as they were, and no
// file left behind.
TEST(RegisterCopiesOnAFullDisk, ARestoreThatDoesNotFitLeavesTheRegisterAndTheEarlierBakAsTheyWere) {
    const fs::path shipped = tally::testing::shippedDatabasePath();
    // A backup larger than the register, so that a disk can have room for the ".bak" and not for the backup.
    const ScratchFolder source;
    const fs::path backup = source / "Depr.mdb";
    fs::copy_file(shipped, backup);
    execute(backup, "CREATE TABLE filler (bytes BLOB); INSERT INTO filler VALUES (zeroblob(200000))");
    const std::size_t registerSize = fs::file_size(shipped);
    const std::size_t backupSize = fs::file_size(backup);
    // Where no small disk can be mounted, files may not grow beyond a whole number of pages between the two sizes,
    // so that no write is cut short, which SQLite would take for a full disk.
    const auto pagesBetween = [](std::size_t smaller, std::size_t larger) {
        return (smaller + larger) / 2 / 4096 * 4096;
    };
    struct Case {
        const char* what;
        bool damaged;
        std::size_t room;       // on a small disk, beyond the register, an earlier ".bak" and the checked backup
        std::size_t fileLimit;  // where none can be mounted, the largest file
    };
    const Case cases[] = {
        {"whole register, no room for the .bak", false, registerSize / 2, pagesBetween(0, registerSize)},
        {"whole register, no room for its new content", false, registerSize + backupSize / 2,
         pagesBetween(registerSize, backupSize)},
        {"damaged register, no room for the .bak", true, registerSize / 2, pagesBetween(0, registerSize)},
        {"damaged register, no room for the file that takes its name", true, registerSize + backupSize / 2,
         pagesBetween(registerSize, backupSize)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tally::testing::SmallDisk disk(2 * registerSize + backupSize + c.room);
        const ScratchFolder fallback;
        const fs::path folder = disk.mounted() ? disk.path() : fallback.path();
        const fs::path live = folder / "Depr.mdb";
        const fs::path earlierBak = folder / "Depr.mdb.bak";
        fs::copy_file(shipped, live);
        fs::copy_file(shipped, earlierBak);
        if (c.damaged) tally::testing::damageRegister(live, tally::testing::Damage::ZeroedTablePages);
        const std::string registerBytes = bytesOf(live);
        const std::string bakBytes = bytesOf(earlierBak);
        {
            const DatabaseFiles::RestoreCandidate candidate(backup, shipped, live);
            std::optional<tally::testing::FileSizeLimit> limit;
            if (!disk.mounted()) limit.emplace(c.fileLimit);
            try {
                candidate.RestoreInto(live);
                ADD_FAILURE() << "a restore larger than the disk was reported as done";
            } catch (const tally::ComError& e) {
                const std::string reason = disk.mounted() ? "No space left on device" : "File too large";
                EXPECT_NE(e.description().find(reason), std::string::npos) << e.description();
            }
        }
        EXPECT_TRUE(bytesOf(live) == registerBytes);
        EXPECT_TRUE(bytesOf(earlierBak) == bakBytes);
        EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"Depr.mdb", "Depr.mdb.bak"}));
    }
}

}  // namespace
