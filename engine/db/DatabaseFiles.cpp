#include "DatabaseFiles.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
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

[[noreturn]] void raiseNotOurs(const fs::path& file, const std::string& reason) {
    raiseError(ado::adoerr::CannotOpenDatabase, "'" + file.string() + "' is not a database of this program: " + reason);
}

std::string quoted(const std::string& name) {
    std::string text = "\"";
    for (const char c : name) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

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
        sqlite3_busy_handler(db_, &SqliteFile::waitWhileBusy, &busySince_);
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

private:
    // The system's reason where there is one (a full disk, a file that cannot be read), else SQLite's.
    std::string reasonFor(int rc) const {
        const int code = rc & 0xff;
        // SQLite keeps no system error for a full disk; the reason is the system's all the same.
        if (code == SQLITE_FULL) return std::strerror(ENOSPC);
        if ((code == SQLITE_IOERR || code == SQLITE_CANTOPEN) && sqlite3_system_errno(db_) != 0)
            return std::strerror(sqlite3_system_errno(db_));
        return db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    }

    [[noreturn]] void raiseFailure(const std::string& what, int rc, const std::string& reason) const {
        if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT) throw DamagedFile(path_, reason);
        raiseError(vberr::PathFileAccessError,
                   "Path/File access error: " + what + " '" + path_.string() + "': " + reason);
    }

    // Another copy of the program saving holds the file for a moment: wait for it as long as the program does,
    // trying again often. SQLite's own wait sleeps ever longer between tries, and a copy that saves one asset after
    // another takes the file back in the moment between two saves, so that a backup or a restore would never get
    // its turn.
    static int waitWhileBusy(void* busySince, int tries) {
        auto& since = *static_cast<std::chrono::steady_clock::time_point*>(busySince);
        const auto now = std::chrono::steady_clock::now();
        if (tries == 0) since = now;
        if (now - since > std::chrono::milliseconds(ado::kBusyWaitMilliseconds)) return 0;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        return 1;
    }

    fs::path path_;
    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::time_point busySince_;
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

// Writes what `from` holds as `target`, whole, for the user alone.
void writeSnapshot(const SqliteFile& from, const fs::path& target) {
    files::AtomicFile out(target, files::FileAccess::OwnerOnly, kErrorSource);
    copyPagesInto(from, out.temporaryPath());
    out.commit();
}

// Appends the main database file of `file` as it lies on the disk, whether SQLite can read it as a database or
// not, read through SQLite's own handle of it: a handle of ours, closed again, would drop the locks SQLite holds
// on the file. The bytes are what was committed only while a lock keeps every other writer out and this
// connection has changed nothing yet.
void appendFileBytes(const SqliteFile& file, files::AtomicFile& out) {
    sqlite3_file* handle = nullptr;
    const int found = sqlite3_file_control(file.get(), "main", SQLITE_FCNTL_FILE_POINTER, &handle);
    if (found != SQLITE_OK || !handle || !handle->pMethods) file.fail("cannot read", SQLITE_CANTOPEN);
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

// Raises unless the database at `copy` has every table of `reference` with every one of its columns.
void requireTablesOf(const fs::path& reference, const fs::path& copy, const fs::path& shown) {
    const SqliteFile expected(reference, SQLITE_OPEN_READONLY);
    const SqliteFile candidate(copy, SQLITE_OPEN_READONLY);
    // Column names are compared as SQLite compares them, without regard to case.
    const std::string columns = "SELECT name, lower(name) FROM pragma_table_info(?1)";
    for (const std::string& table : tablesOf(expected, "main")) {
        std::set<std::string> present;
        for (const auto& column : candidate.rows(columns, &table)) present.insert(column[1]);
        if (present.empty()) raiseNotOurs(shown, "it has no table " + table);
        for (const auto& column : expected.rows(columns, &table))
            if (!present.count(column[1])) raiseNotOurs(shown, "its table " + table + " has no column " + column[0]);
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

void Copy(const fs::path& source, const fs::path& target) {
    if (isTheFileItself(source, target)) {
        raiseError(vberr::PathFileAccessError, "Path/File access error: '" + target.string() +
                                                   "' is the database being backed up; a backup must be a file of its "
                                                   "own: choose another folder or name.");
    }
    // Read-write, never created: SQLite can then roll back what a writer that died in the middle of a save left.
    const SqliteFile from(source, SQLITE_OPEN_READWRITE);
    const Transaction snapshot(from, Transaction::Read);
    writeSnapshot(from, target);
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
    requireTablesOf(reference, copy_.temporaryPath(), file);
}

void RestoreCandidate::RestoreInto(const fs::path& registerPath) const {
    std::error_code error;
    if (!fs::exists(registerPath, error)) {
        writeCandidateAs(registerPath);
        return;
    }
    const SqliteFile live(registerPath, SQLITE_OPEN_READWRITE);
    // Taken when SQLite can read the register as a database. One that it cannot read, no other copy of the program
    // can write to either.
    std::optional<Transaction> restore;
    try {
        const std::string copy = copy_.temporaryPath().string();
        live.rows("ATTACH ?1 AS " + std::string(kCandidate), &copy);
        restore.emplace(live, Transaction::Write);
    } catch (const DamagedFile&) {
    }
    // The ".bak" is the register's file byte for byte: a damaged register is kept as it is, for whatever can still
    // be read from it, since SQLite can take no copy of its content.
    files::AtomicFile bak(bakOf(registerPath), files::FileAccess::OwnerOnly, kErrorSource);
    appendFileBytes(live, bak);
    const bool whole = restore && passesIntegrityCheck(bak.temporaryPath());
    bak.commit();
    if (!whole) {
        // Its damaged pages can be neither read nor dropped in place: the candidate takes the register's name
        // instead. SQLite refuses the saves of another copy that still has the old file open ("attempt to write
        // a readonly database") once that file has lost its name, so none is confirmed into it. A register
        // reached through a link is replaced where it lies, and the link stays.
        const fs::path file = fs::canonical(registerPath, error);
        writeCandidateAs(error ? registerPath : file);
        return;
    }
    replaceContent(live);
    requireIntact(live, "main", registerPath);
    restore->commit();
}

void RestoreCandidate::writeCandidateAs(const fs::path& target) const {
    const SqliteFile from(copy_.temporaryPath(), SQLITE_OPEN_READONLY);
    writeSnapshot(from, target);
}

}  // namespace tally::engine::DatabaseFiles
