// Files written whole: what a reader of the target can ever see, what a failure leaves, who may read the file,
// and which leftovers a later start clears.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "AtomicFile.h"
#include "ComError.h"
#include "FileContents.h"
#include "FullDisk.h"
#include "ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using tally::files::AtomicFile;
using tally::files::FileAccess;
using tally::testing::ScratchFolder;
using tally::testing::bytesOf;
using tally::testing::namesIn;

void put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }


mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The umask the user has, set for the scope of a test.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

TEST(AtomicFile, ALinkAtTheTargetIsReplacedAndWhatItPointsToIsNeverWritten) {
    const ScratchFolder folder;
    put(folder / "other.txt", "someone else's");
    fs::create_symlink(folder / "other.txt", folder / "out.txt");
    tally::files::writeFileWhole(folder / "out.txt", "new", FileAccess::Shared, "Test");
    EXPECT_FALSE(fs::is_symlink(folder / "out.txt"));
    EXPECT_EQ(bytesOf(folder / "out.txt"), "new");
    EXPECT_EQ(bytesOf(folder / "other.txt"), "someone else's");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"other.txt", "out.txt"}));
}

TEST(AtomicFile, AFullDiskLeavesTheOldFileAndNoTemporaryFileAndGivesTheSystemsReason) {
    tally::testing::FullDisk disk(64 * 1024);
    put(disk / "out.txt", "old");
    disk.fill();
    try {
        tally::files::writeFileWhole(disk / "out.txt", std::string(200 * 1024, 'x'), FileAccess::OwnerOnly, "Test");
        FAIL() << "a write beyond the disk was reported as done";
    } catch (const tally::ComError& e) {
        EXPECT_EQ(e.number(), tally::vberr::PathFileAccessError);
        EXPECT_NE(e.description().find(disk.reason()), std::string::npos) << e.description();
        EXPECT_NE(e.description().find((disk / "out.txt").string()), std::string::npos) << e.description();
    }
    disk.empty();
    EXPECT_EQ(bytesOf(disk / "out.txt"), "old");
    EXPECT_EQ(namesIn(disk.path()), std::vector<std::string>{"out.txt"});
}

TEST(AtomicFile, ModesFollowWhoMayReadTheFileWhateverTheUmask) {
    const ScratchFolder folder;
    const Umask usual(022);
    tally::files::writeFileWhole(folder / "private", "a", FileAccess::OwnerOnly, "Test");
    tally::files::writeFileWhole(folder / "shared", "b", FileAccess::Shared, "Test");
    put(folder / "source", "c");
    tally::files::copyFileWhole(folder / "source", folder / "copy", FileAccess::OwnerOnly, "Test");
    EXPECT_EQ(modeOf(folder / "private"), 0600u);
    EXPECT_EQ(modeOf(folder / "shared"), 0644u);
    EXPECT_EQ(modeOf(folder / "copy"), 0600u);
    EXPECT_EQ(bytesOf(folder / "copy"), "c");
}

TEST(AtomicFile, KeepingAnExistingTargetLeavesItAndRemovesTheNewCopy) {
    const ScratchFolder folder;
    put(folder / "out.txt", "first");
    AtomicFile file(folder / "out.txt", FileAccess::OwnerOnly, "Test");
    file.write("second");
    EXPECT_FALSE(file.commit(tally::files::ExistingTarget::Keep));
    EXPECT_EQ(bytesOf(folder / "out.txt"), "first");
}

// Ages a file so that it no longer counts as just made.
void age(const fs::path& path) { fs::last_write_time(path, fs::last_write_time(path) - std::chrono::minutes(5)); }

// The temporary files of "Depr.mdb" in the folder.
std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const std::string& name : namesIn(folder))
        if (name.rfind(".Depr.mdb", 0) == 0) names.push_back(name);
    return names;
}

// A second process that is writing the file: it makes its temporary file and waits there until it is killed.
pid_t startWriter(const fs::path& target) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        AtomicFile file(target, FileAccess::OwnerOnly, "Writer");
        const char made = 'x';
        (void)!::write(ready[1], &made, 1);
        for (;;) ::pause();
    }
    char made = 0;
    (void)!::read(ready[0], &made, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return child;
}

TEST(AtomicFile, AStartClearsWhatAnInterruptedWriterLeftButNotWhatAnotherWriterStillWrites) {
    const ScratchFolder folder;
    const pid_t writer = startWriter(folder / "Depr.mdb");
    ASSERT_GT(writer, 0);
    ASSERT_EQ(temporariesIn(folder.path()).size(), 1u);
    const fs::path pending = folder / temporariesIn(folder.path()).front();
    age(pending);
    put(folder / "Depr.mdb.keep", "not a temporary file");

    tally::files::removeAbandonedTemporaries(folder.path(), "Depr.mdb");
    EXPECT_EQ(temporariesIn(folder.path()).size(), 1u) << "the running writer's file was removed";

    // Killed in the middle of its write, as by a crash: its file stays behind, and only the next start clears it.
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    ASSERT_TRUE(fs::exists(pending));
    tally::files::removeAbandonedTemporaries(folder.path(), "Depr.mdb");
    EXPECT_TRUE(temporariesIn(folder.path()).empty());
    EXPECT_TRUE(fs::exists(folder / "Depr.mdb.keep"));
}

}  // namespace
