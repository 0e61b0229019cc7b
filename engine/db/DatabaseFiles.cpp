#include "DatabaseFiles.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ComError.h"
#include "Connection.h"
#include "ProviderError.h"

namespace tally::engine::DatabaseFiles {

namespace fs = std::filesystem;

namespace {

constexpr const char* kErrorSource = "Database";
// The schema name under which the candidate is attached to the register's connection.
constexpr const char* kCandidate = "candidate";

[[noreturn]] void raiseError(long number, const std::string& description) {
    throw ComError(number, kErrorSource, description);
}

// Error 75, worded as the file writers word theirs.
[[noreturn]] void raiseAccessError(const std::string& text) {
    raiseError(vberr::PathFileAccessError, "Path/File access error: " + text);
}

[[noreturn]] void raiseSavedByAnotherCopy(const fs::path& file) {
    raiseAccessError("another copy of the program is saving to '" + file.string() + "': close it and try again.");
}

[[noreturn]] void raiseNotOurs(const fs::path& file, const std::string& reason) {
    raiseError(ado::adoerr::CannotOpenDatabase, "'" + file.string() + "' is not a database of this program: " + reason);
}

std::string quoted(const std::string& name) {
    std::string text = "\"";
    for (const char c : name) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

// Waiting for another copy of the program that is saving: as long as the program waits for the register, trying
// again often. SQLite's own wait sleeps ever longer between tries, and a copy that saves one asset after another
// takes the file back in the moment between two saves, so that a backup or a restore would never get its turn.
class ShortStepWait {
public:
    // Sleeps a short step and returns true while the time is not up; the first call starts the clock.
    bool again() {
        const auto now = std::chrono::steady_clock::now();
        if (!started_) {
            started_ = true;
            since_ = now;
        }
        if (now - since_ > std::chrono::milliseconds(ado::kBusyWaitMilliseconds)) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        return true;
    }
    void restart() { started_ = false; }

private:
    bool started_ = false;
    std::chrono::steady_clock::time_point since_;
};

// One SQLite connection to a whole database file, closed with the object. A failure is raised with the system's
// reason where there is one, else with SQLite's.
class SqliteFile {
public:
    SqliteFile(fs::path path, int flags) : path_(std::move(path)) {
        const int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            // SQLite hands out a connection even when opening failed; its reason is read before it is closed.
            const bool missing = sqlite3_system_errno(db_) == ENOENT;
            const std::string reason = reasonFor(rc);
            sqlite3_close_v2(db_);
            if (missing) raiseError(vberr::FileNotFound, "File not found: '" + path_.string() + "'");
            raiseFailure("cannot open", rc, reason);
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_handler(db_, &SqliteFile::waitWhileBusy, &busyWait_);
    }
    ~SqliteFile() { sqlite3_close_v2(db_); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    sqlite3* get() const { return db_; }
    const fs::path& path() const { return path_; }

    void exec(const std::string& sql) const {
        const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) fail("cannot work on", rc);
    }

    // Every row of `sql`, each as its columns' texts (a null as an empty text). `text` is bound to ?1 when given.
    std::vector<std::vector<std::string>> rows(const std::string& sql, const std::string* text = nullptr) const {
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr);
        if (rc != SQLITE_OK) fail("cannot read", rc);
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
        if (text) sqlite3_bind_text(raw, 1, text->c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::vector<std::string>> result;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            std::vector<std::string>& row = result.emplace_back();
            for (int c = 0; c < sqlite3_column_count(raw); ++c) {
                const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(raw, c));
                row.emplace_back(value ? value : "");
            }
        }
        if (rc != SQLITE_DONE) fail("cannot read", rc);
        return result;
    }

    [[noreturn]] void fail(const std::string& what, int rc) const { raiseFailure(what, rc, reasonFor(rc)); }

    // SQLite's own handle of the main database file, with the locks SQLite holds on it.
    sqlite3_file* handle() const {
        sqlite3_file* handle = nullptr;
        const int found = sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &handle);
        if (found != SQLITE_OK || !handle || !handle->pMethods) fail("cannot read", SQLITE_CANTOPEN);
        return handle;
    }

private:
    // The system's reason where there is one (a full disk, a file that cannot be read), else SQLite's.
    std::string reasonFor(int rc) const {
        const int code = rc & 0xff;
        // SQLite keeps no system error for a full disk; the reason is the system's all the same.
        if (code == SQLITE_FULL) return std::strerror(ENOSPC);
        if (code == SQLITE_IOERR || code == SQLITE_CANTOPEN) {
            if (const int error = systemError(); error != 0) return std::strerror(error);
        }
        // A call that gives its failure only as its result (the cache flush) leaves the connection's message as it
        // was.
        return db_ && (sqlite3_errcode(db_) & 0xff) == code ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    }

    // The system's error behind SQLite's last failure: the connection's, else the one its file last met.
    int systemError() const {
        if (const int error = sqlite3_system_errno(db_); error != 0) return error;
        int last = 0;
        return sqlite3_file_control(db_, "main", SQLITE_FCNTL_LAST_ERRNO, &last) == SQLITE_OK ? last : 0;
    }

    [[noreturn]] void raiseFailure(const std::string& what, int rc, const std::string& reason) const {
        if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT) throw DamagedFile(path_, reason);
        if ((rc & 0xff) == SQLITE_BUSY) raiseSavedByAnotherCopy(path_);
        raiseAccessError(what + " '" + path_.string() + "': " + reason);
    }

    // Another copy of the program saving holds the file for a moment: wait for it.
    static int waitWhileBusy(void* wait, int tries) {
        auto& busyWait = *static_cast<ShortStepWait*>(wait);
        if (tries == 0) busyWait.restart();
        return busyWait.again() ? 1 : 0;
    }

    fs::path path_;
    sqlite3* db_ = nullptr;
    ShortStepWait busyWait_;
};

// SQLite's write lock on a database file that SQLite cannot read as a database, taken by hand through SQLite's own
// handle of the file, so that every other copy's engine sees it: other copies may go on reading, none can begin a
// save. Released when the object goes. The connection that holds the handle runs no statement meanwhile.
class WriteLock {
public:
    explicit WriteLock(const SqliteFile& file) : handle_(file.handle()) {
        ShortStepWait wait;
        for (;;) {
            const int shared = lock(SQLITE_LOCK_SHARED);
            if (shared == SQLITE_OK && lock(SQLITE_LOCK_RESERVED) == SQLITE_OK) return;
            // A shared lock kept while waiting would keep the saving copy from finishing its save.
            release();
            if (shared != SQLITE_OK && shared != SQLITE_BUSY) file.fail("cannot lock", shared);
            if (!wait.again()) raiseSavedByAnotherCopy(file.path());
        }
    }
    ~WriteLock() { release(); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int lock(int level) const { return handle_->pMethods->xLock(handle_, level); }
    void release() const noexcept { handle_->pMethods->xUnlock(handle_, SQLITE_LOCK_NONE); }

    sqlite3_file* handle_;
};

// A transaction on a connection, rolled back when the scope ends without commit(). A read transaction holds
// what was committed when it began for as long as it lasts; a write transaction also keeps every other writer
// waiting.
class Transaction {
public:
    enum Kind { Read, Write };
    Transaction(const SqliteFile& file, Kind kind) : file_(file) {
        file_.exec(kind == Write ? "BEGIN IMMEDIATE" : "BEGIN");
        // A deferred transaction takes its lock at its first read; the read also rolls back what a writer that
        // died in the middle of a save left in the file.
        try {
            file_.rows("SELECT count(*) FROM main.sqlite_master");
        } catch (...) {
            rollback();
            throw;
        }
    }
    ~Transaction() { rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() { file_.exec("COMMIT"); }

private:
    void rollback() noexcept {
        if (!sqlite3_get_autocommit(file_.get())) sqlite3_exec(file_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }

    const SqliteFile& file_;
};

// Raises DamagedFile, naming `shown`, unless SQLite's full check of `schema` finds nothing wrong.
void requireIntact(const SqliteFile& file, const std::string& schema, const fs::path& shown) {
    const auto found = file.rows("PRAGMA " + schema + ".integrity_check(1)");
    if (found.empty() || found.front().front() != "ok")
        throw DamagedFile(shown, "it failed the integrity check: " + (found.empty() ? "" : found.front().front()));
}

bool passesIntegrityCheck(const fs::path& file) {
    try {
        const SqliteFile database(file, SQLITE_OPEN_READONLY);
        requireIntact(database, "main", file);
        return true;
    } catch (const DamagedFile&) {
        return false;
    }
}

// Copies what `from` holds (within the transaction it has open) page by page into the empty file `empty`, and
// checks the copy. The copy is a rollback-journal file that is whole on its own, also when the source keeps part
// of its content in a write-ahead log.
void copyPagesInto(const SqliteFile& from, const fs::path& empty) {
    const SqliteFile to(empty, SQLITE_OPEN_READWRITE);
    // The file is renamed into place only once it is whole and synced, so it needs no journal of its own.
    to.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) to.fail("cannot write", sqlite3_errcode(to.get()));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    // A busy or unreadable source shows in step only; the copy's own error in finish and on its connection.
    if (stepped != SQLITE_DONE) {
        if (sqlite3_errcode(to.get()) != SQLITE_OK) to.fail("cannot write", sqlite3_errcode(to.get()));
        from.fail("cannot read", stepped);
    }
    if (finished != SQLITE_OK) to.fail("cannot write", finished);
    // The copied header still marks a source in write-ahead-log mode; switching back rewrites it.
    to.exec("PRAGMA journal_mode=DELETE");
    requireIntact(to, "main", from.path());
}

// Writes what `from` holds as `target`, whole, for the user alone; `check` may refuse the copy before it takes the
// target's place.
void writeSnapshot(const SqliteFile& from, const fs::path& target,
                   const std::function<void(const fs::path& copy)>& check = {}) {
    files::AtomicFile out(target, files::FileAccess::OwnerOnly, kErrorSource);
    copyPagesInto(from, out.temporaryPath());
    if (check) check(out.temporaryPath());
    out.commit();
}

// Appends the main database file of `file` as it lies on the disk, whether SQLite can read it as a database or
// not, read through SQLite's own handle of it: a handle of ours, closed again, would drop the locks SQLite holds
// on the file. The bytes are what was committed only while a lock keeps every other writer out and this
// connection has changed nothing yet.
void appendFileBytes(const SqliteFile& file, files::AtomicFile& out) {
    sqlite3_file* handle = file.handle();
    sqlite3_int64 size = 0;
    if (const int rc = handle->pMethods->xFileSize(handle, &size); rc != SQLITE_OK) file.fail("cannot read", rc);
    std::vector<char> buffer(1 << 16);
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int amount = static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(buffer.size()),
                                                                     size - offset));
        if (const int rc = handle->pMethods->xRead(handle, buffer.data(), amount, offset); rc != SQLITE_OK)
            file.fail("cannot read", rc);
        out.write(std::string_view(buffer.data(), static_cast<std::size_t>(amount)));
        offset += amount;
    }
}

fs::path bakOf(const fs::path& registerPath) {
    fs::path bak = registerPath;
    bak += ".bak";
    return bak;
}

// `path` with its folders resolved (links, "." and ".." followed) and its own name as it stands.
fs::path withFoldersResolved(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
    return (error ? absolute.parent_path() : folder) / absolute.filename();
}

// Whether writing `target` would replace the file `source` itself rather than a link to it or another file.
bool isTheFileItself(const fs::path& source, const fs::path& target) {
    const fs::path chosen = withFoldersResolved(target);
    std::error_code error;
    return chosen == withFoldersResolved(source) || chosen == fs::weakly_canonical(source, error);
}

// The names of the tables of schema `schema` that hold the user's data (SQLite's own aside).
std::vector<std::string> tablesOf(const SqliteFile& file, const std::string& schema) {
    std::vector<std::string> names;
    for (const auto& row : file.rows("SELECT name FROM " + schema +
                                     ".sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"))
        names.push_back(row.front());
    return names;
}

bool hasTable(const SqliteFile& file, const std::string& schema, const std::string& table) {
    return !file.rows("SELECT 1 FROM " + schema + ".sqlite_master WHERE type = 'table' AND name = ?1", &table)
                .empty();
}

// What the database at `copy` lacks of the tables of `reference` and their columns, in words; empty when it has
// them all (more tables or columns are fine).
std::string missingOf(const fs::path& reference, const fs::path& copy) {
    const SqliteFile expected(reference, SQLITE_OPEN_READONLY);
    const SqliteFile candidate(copy, SQLITE_OPEN_READONLY);
    // Column names are compared as SQLite compares them, without regard to case.
    const std::string columns = "SELECT name, lower(name) FROM pragma_table_info(?1)";
    for (const std::string& table : tablesOf(expected, "main")) {
        std::set<std::string> present;
        for (const auto& column : candidate.rows(columns, &table)) present.insert(column[1]);
        if (present.empty()) return "it has no table " + table;
        for (const auto& column : expected.rows(columns, &table))
            if (!present.count(column[1])) return "its table " + table + " has no column " + column[0];
    }
    return {};
}

// The files SQLite keeps beside a database under its name: a rollback journal, a write-ahead log and its index.
constexpr const char* kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

fs::path withSuffix(const fs::path& file, const char* suffix) {
    fs::path companion = file;
    companion += suffix;
    return companion;
}

// Before `from`'s bytes are given the name `to`: what lies beside `from` under its name goes with them to `to`'s
// name, so that the copy reads as the original did and no journal of it is ever played into the file that takes
// `from`'s name; what lay beside `to` belongs to the file that loses that name, and goes. With no `from`, only the
// latter.
void handOverCompanions(const std::optional<fs::path>& from, const fs::path& to) {
    for (const char* suffix : kCompanionSuffixes) {
        const fs::path target = withSuffix(to, suffix);
        std::error_code error;
        if (from && fs::exists(withSuffix(*from, suffix), error))
            fs::rename(withSuffix(*from, suffix), target, error);
        else
            fs::remove(target, error);  // none there is no error
        if (error) raiseAccessError("cannot move '" + target.string() + "': " + error.message());
    }
}

// Replaces every table, index, view and trigger of the register's connection's main schema with those of the
// attached candidate, rows and all, within the transaction the caller holds.
void replaceContent(const SqliteFile& live) {
    const std::string candidate = kCandidate;
    const std::string userObjects = " WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'";
    // Dropping a table drops its indexes and triggers with it.
    for (const auto& row : live.rows("SELECT type, name FROM main.sqlite_master" + userObjects +
                                     " AND type IN ('view', 'table') ORDER BY type = 'table'"))
        live.exec("DROP " + std::string(row[0] == "view" ? "VIEW" : "TABLE") + " main." + quoted(row[1]));

    const auto objects = live.rows("SELECT type, name, sql FROM " + candidate + ".sqlite_master" + userObjects +
                                   " AND sql IS NOT NULL ORDER BY type <> 'table'");
    // A statement without a schema name makes its object in the main schema, the register's.
    for (const auto& object : objects) {
        if (object[0] != "table") continue;
        live.exec(object[2]);
        live.exec("INSERT INTO main." + quoted(object[1]) + " SELECT * FROM " + candidate + "." + quoted(object[1]));
    }
    // The numbers AUTOINCREMENT keys have handed out, so that none is handed out again.
    if (hasTable(live, candidate, "sqlite_sequence") && hasTable(live, "main", "sqlite_sequence")) {
        live.exec("DELETE FROM main.sqlite_sequence");
        live.exec("INSERT INTO main.sqlite_sequence SELECT * FROM " + candidate + ".sqlite_sequence");
    }
    // Indexes are built once their table holds its rows, which is quicker than keeping them up to date row by row.
    for (const auto& object : objects)
        if (object[0] != "table") live.exec(object[2]);
    const auto version = live.rows("PRAGMA " + candidate + ".user_version");
    live.exec("PRAGMA main.user_version = " + std::to_string(std::stoll(version.front().front())));
}

}  // namespace

DamagedFile::DamagedFile(const fs::path& file, const std::string& reason)
    : ComError(ado::adoerr::CannotOpenDatabase, kErrorSource, "'" + file.string() + "' is damaged: " + reason),
      reason_(reason) {}

void Copy(const fs::path& source, const fs::path& target, const fs::path& reference) {
    if (isTheFileItself(source, target)) {
        raiseAccessError("'" + target.string() +
                         "' is the database being backed up; a backup must be a file of its own: choose another "
                         "folder or name.");
    }
    // Read-write, never created: SQLite can then roll back what a writer that died in the middle of a save left.
    const SqliteFile from(source, SQLITE_OPEN_READWRITE);
    const Transaction snapshot(from, Transaction::Read);
    // An empty file or another program's database reads as a database all the same: a backup of it would take
    // the place of a good one and could never be restored.
    writeSnapshot(from, target, [&](const fs::path& copy) {
        if (const std::string missing = missingOf(reference, copy); !missing.empty())
            throw DamagedFile(source, missing);
    });
}

RestoreCandidate::RestoreCandidate(const fs::path& file, const fs::path& reference, const fs::path& registerPath)
    : copy_(registerPath, files::FileAccess::OwnerOnly, kErrorSource) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT) raiseError(vberr::FileNotFound, "File not found: '" + file.string() + "'");
        copy_.fail("cannot read", file, error);
    }
    // A pipe or a device would never end, a folder is nothing SQLite can read.
    if (!S_ISREG(info.st_mode)) raiseNotOurs(file, "it is not a regular file");
    try {
        const SqliteFile from(file, SQLITE_OPEN_READONLY);
        const Transaction snapshot(from, Transaction::Read);
        copyPagesInto(from, copy_.temporaryPath());
    } catch (const DamagedFile& damage) {
        raiseNotOurs(file, damage.reason());
    }
    if (const std::string missing = missingOf(reference, copy_.temporaryPath()); !missing.empty())
        raiseNotOurs(file, missing);
}

void RestoreCandidate::RestoreInto(const fs::path& registerPath) const {
    std::error_code error;
    if (!fs::exists(registerPath, error)) {
        writeCandidateAs(registerPath);
        return;
    }
    const SqliteFile live(registerPath, SQLITE_OPEN_READWRITE);
    // Every other copy of the program is kept from saving from before the first byte of the ".bak" is read until
    // the register holds the candidate, so that each save another copy was told of is in one of the two: through
    // SQLite's write transaction where SQLite can read the register, else through its locks taken by hand.
    std::optional<Transaction> restore;
    std::optional<WriteLock> lock;
    try {
        const std::string copy = copy_.temporaryPath().string();
        live.rows("ATTACH ?1 AS " + std::string(kCandidate), &copy);
        restore.emplace(live, Transaction::Write);
    } catch (const DamagedFile&) {
        lock.emplace(live);
    }
    // The ".bak" is the register's file byte for byte: a damaged register is kept as it is, for whatever can still
    // be read from it, since SQLite can take no copy of its content. It takes its name only once the register's
    // new content is whole, so that a failure on the way leaves an earlier ".bak" as it was.
    files::AtomicFile bak(bakOf(registerPath), files::FileAccess::OwnerOnly, kErrorSource);
    appendFileBytes(live, bak);
    if (restore && passesIntegrityCheck(bak.temporaryPath())) {
        try {
            replaceContent(live);
            requireIntact(live, "main", registerPath);
            // Writes the new content into the register's file now, so that a full disk shows before the ".bak" is
            // replaced; the commit then has no more to write.
            if (const int rc = sqlite3_db_cacheflush(live.get()); rc != SQLITE_OK) live.fail("cannot write", rc);
            handOverCompanions(std::nullopt, bak.target());
            bak.commit();
            restore->commit();
        } catch (const ComError&) {
            // A write that failed half way leaves what it replaced in SQLite's journal beside the register; the
            // next read plays it back, so that the file is as it was before anyone else opens it. Where that
            // fails too, the journal stays for SQLite to play back at the next start.
            restore.reset();
            try {
                live.rows("SELECT count(*) FROM main.sqlite_master");
            } catch (const ComError&) {
            }
            throw;
        }
        return;
    }
    // Its damaged pages can be neither read nor dropped in place: the candidate takes the register's name
    // instead. SQLite refuses the saves of another copy that still has the old file open ("attempt to write a
    // readonly database") once that file has lost its name, so none is confirmed into it. A register reached
    // through a link is replaced where it lies, and the link stays.
    const fs::path file = fs::canonical(registerPath, error);
    files::AtomicFile restored(error ? registerPath : file, files::FileAccess::OwnerOnly, kErrorSource);
    writeCandidateInto(restored.temporaryPath());
    handOverCompanions(restored.target(), bak.target());
    bak.commit();
    restored.commit();
}

void RestoreCandidate::writeCandidateInto(const fs::path& empty) const {
    const SqliteFile from(copy_.temporaryPath(), SQLITE_OPEN_READONLY);
    copyPagesInto(from, empty);
}

void RestoreCandidate::writeCandidateAs(const fs::path& target) const {
    const SqliteFile from(copy_.temporaryPath(), SQLITE_OPEN_READONLY);
    writeSnapshot(from, target);
}

}  // namespace tally::engine::DatabaseFiles
