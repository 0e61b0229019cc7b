// A file another connection holds (a second copy of the program saving, a backup tool reading): a save waits for
// it, and a save that still finds it held after the wait is refused whole.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <future>
#include <thread>

#include "ComError.h"
#include "Connection.h"
#include "ScratchDatabase.h"

namespace {

using ado::testing::createDatabase;
using ado::testing::kDefaultsTable;
using ado::testing::ScratchFolder;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace fs = std::filesystem;

enum class Hold { Write, Read };

struct BusyCase {
    const char* name;
    Hold hold;
    seconds heldFor;
    bool saved;
    milliseconds waitedAtLeast;
    milliseconds waitedAtMost;
};

// A second connection on its own thread that takes its lock, says so, and holds it until `heldFor` passed or it
// is told to let go.
class LockHolder {
public:
    LockHolder(const fs::path& path, Hold hold, seconds heldFor) {
        std::promise<void> locked;
        std::future<void> lockedFuture = locked.get_future();
        std::future<void> release = release_.get_future();
        thread_ = std::thread([path, hold, heldFor, locked = std::move(locked),
                               release = std::move(release)]() mutable {
            sqlite3* db = nullptr;
            sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
            if (hold == Hold::Write) {
                sqlite3_exec(db, "BEGIN IMMEDIATE; UPDATE tblDefaults SET DefaultYear = 1999", nullptr, nullptr,
                             nullptr);
            } else {
                // A reading transaction keeps its shared lock until it ends.
                sqlite3_exec(db, "BEGIN; SELECT count(*) FROM tblItems", nullptr, nullptr, nullptr);
            }
            locked.set_value();
            release.wait_for(heldFor);
            sqlite3_exec(db, hold == Hold::Write ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        lockedFuture.wait();
    }
    ~LockHolder() {
        release_.set_value();
        thread_.join();
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    std::promise<void> release_;
    std::thread thread_;
};

class BusyFile : public ::testing::TestWithParam<BusyCase> {
protected:
    BusyFile() {
        createDatabase(path(),
                       std::string(kDefaultsTable) + "CREATE TABLE tblItems (id INTEGER PRIMARY KEY, Name TEXT);");
    }
    fs::path path() const { return folder.file("Depr.mdb"); }
    long items() const {
        return ado::Connection(path()).Execute("select count(*) from tblItems")->field(0L).Value().toLong();
    }

    ScratchFolder folder;
};

TEST_P(BusyFile, ASaveWaitsForTheOtherConnectionAndIsRefusedWholeWhenItWaitedInVain) {
    const BusyCase& c = GetParam();
    ado::Connection program(path());
    program.Open();
    std::string refusal;
    Clock::duration waited{};
    {
        LockHolder other(path(), c.hold, c.heldFor);
        const Clock::time_point start = Clock::now();
        try {
            // A save of two rows that belong together; like the program's saves it reads before it writes.
            ado::Transaction save(program);
            program.Execute("select count(*) from tblItems");
            program.ExecuteAction("insert into tblItems (Name) values ('first')");
            program.ExecuteAction("insert into tblItems (Name) values ('second')");
            save.commit();
        } catch (const tally::ComError& e) {
            refusal = e.description();
        }
        waited = Clock::now() - start;
    }
    EXPECT_GE(waited, c.waitedAtLeast);
    EXPECT_LE(waited, c.waitedAtMost);
    if (c.saved) {
        EXPECT_EQ(refusal, "");
        EXPECT_EQ(items(), 2);
    } else {
        EXPECT_NE(refusal.find("database is locked"), std::string::npos) << refusal;
        EXPECT_EQ(items(), 0);  // neither row: nothing half-written
        EXPECT_FALSE(program.inTransaction());
    }
}

// Held longer than the wait, the holder lets go as soon as the save was refused, so those cases last about as
// long as the wait itself.
INSTANTIATE_TEST_SUITE_P(
    OtherConnection, BusyFile,
    ::testing::Values(
        BusyCase{"WriteLockForTwoSeconds", Hold::Write, seconds(2), true, milliseconds(1800), milliseconds(4000)},
        BusyCase{"WriteLockForTenSeconds", Hold::Write, seconds(10), false, milliseconds(4500), milliseconds(7000)},
        BusyCase{"ReadLockForTenSeconds", Hold::Read, seconds(10), false, milliseconds(4500), milliseconds(7000)}),
    [](const ::testing::TestParamInfo<BusyCase>& info) { return std::string(info.param.name); });

}  // namespace
