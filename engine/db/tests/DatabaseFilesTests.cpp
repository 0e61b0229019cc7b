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

// A disk that fills up under the ".bak", of a whole register and of a damaged one: the system's reason, the
// register as it was and nothing left behind.
TEST(RegisterCopiesOnAFullDisk, ARestoreThatDoesNotFitGivesTheSystemsReasonAndLeavesTheRegisterAsItWas) {
    const fs::path shipped = tally::testing::shippedDatabasePath();
    const auto size = fs::file_size(shipped);
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged register" : "whole register");
        // Room for the register and the candidate's checked copy, not for the ".bak" as well; where no small disk
        // can be mounted, files may not grow beyond half the register once the candidate is there.
        tally::testing::SmallDisk disk(size * 2 + size / 2);
        const ScratchFolder fallback;
        const fs::path folder = disk.mounted() ? disk.path() : fallback.path();
        const fs::path live = folder / "Depr.mdb";
        fs::copy_file(shipped, live);
        if (damaged) tally::testing::damageRegister(live, tally::testing::Damage::ZeroedTablePages);
        const std::string registerBytes = bytesOf(live);
        {
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
        }
        EXPECT_TRUE(bytesOf(live) == registerBytes);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"Depr.mdb"});
    }
}

}  // namespace
