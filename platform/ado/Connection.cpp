#include "Connection.h"

#include <sqlite3.h>

#include <filesystem>

#include "ColumnValues.h"
#include "ProviderError.h"
#include "SqlFunctions.h"

namespace ado {

namespace {

// Every file of this program holds this table; a database without it is someone else's file.
constexpr const char* kProgramTableQuery =
    "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'tblDefaults' COLLATE NOCASE";

void runToEnd(sqlite3* db, const std::string& sql) {
    Statement statement(db, sql);
    while (statement.step()) {
    }
}

// A file that SQLite opened may still be anything. The program's own table is looked for before anything is
// written: switching the journal mode rewrites the header of a WAL-mode file, and someone else's file must be
// left exactly as it was.
void requireProgramDatabase(sqlite3* db, const std::string& path) {
    const std::string unrecognized = "Unrecognized database format '" + path + "'.";
    bool found = false;
    const auto foundRow = [](void* flag, int, char**, char**) {
        *static_cast<bool*>(flag) = true;
        return 0;
    };
    int rc = sqlite3_exec(db, kProgramTableQuery, foundRow, &found, nullptr);
    if ((rc & 0xff) == SQLITE_NOTADB) raiseProviderError(adoerr::CannotOpenDatabase, unrecognized);
    if (rc != SQLITE_OK) raiseSqliteError(db, rc);
    if (!found) raiseProviderError(adoerr::CannotOpenDatabase, unrecognized);
    rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raiseSqliteError(db, rc);
}

}  // namespace

Connection::Connection(std::string path) : path_(std::move(path)) {}

Connection::~Connection() {
    statements_.clear();  // every statement finalized first, so that the file really closes here
    if (db_) sqlite3_close_v2(db_);
}

sqlite3* Connection::handle() {
    if (db_) return db_;
    sqlite3* db = nullptr;
    // Read-write, never create: a missing file must fail here rather than become an empty database. No mutex:
    // a connection serves one thread at a time, and locking on every value read costs a large report dearly.
    const int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
        if (rc != SQLITE_OK) {
            std::error_code ignored;
            if (!std::filesystem::exists(path_, ignored))
                raiseProviderError(adoerr::CannotOpenDatabase, "Could not find file '" + path_ + "'.");
            raiseSqliteError(db, rc);
        }
        sqlite3_extended_result_codes(db, 1);
        // Another copy of the program saving, or a backup tool reading, holds the file for a moment: wait for it
        // rather than refuse the statement at once.
        sqlite3_busy_timeout(db, kBusyWaitMilliseconds);
        requireProgramDatabase(db, path_);
        registerJetFunctions(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    db_ = db;
    return db_;
}

void Connection::Open() { handle(); }

RecordsetPtr Connection::Execute(const std::string& jetSql) {
    sqlite3* db = handle();
    const PreparedStatements::Lease statement(statements_.get(db, jetSql));
    sqlite3_stmt* stmt = statement->get();
    // The columns are read after the first step: a statement kept from before a change of the tables is
    // prepared again by that step, and may then have other columns.
    bool haveRow = statement->step();

    const int columnCount = sqlite3_column_count(stmt);
    std::vector<FieldInfo> fields;
    std::vector<bool> declared;
    fields.reserve(static_cast<std::size_t>(columnCount));
    declared.reserve(static_cast<std::size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c) {
        const char* name = sqlite3_column_name(stmt, c);
        const char* declaredType = sqlite3_column_decltype(stmt, c);
        const std::optional<FieldInfo> type = declaredType ? declaredFieldType(declaredType) : std::nullopt;
        FieldInfo info = type.value_or(FieldInfo{{}, DataType::Empty, 0});
        info.name = name ? name : "";
        fields.push_back(std::move(info));
        declared.push_back(type.has_value());
    }

    std::vector<std::vector<vb::Variant>> rows;
    for (; haveRow; haveRow = statement->step()) {
        std::vector<vb::Variant> row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c) row.push_back(columnValue(sqlite3_column_value(stmt, c), fields[c].type));
        rows.push_back(std::move(row));
    }
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (!declared[c]) fields[c] = computedFieldType(std::move(fields[c].name), rows, c);
    }
    return std::make_shared<Recordset>(std::move(fields), std::move(rows));
}

long Connection::ExecuteAction(const std::string& jetSql) {
    sqlite3* db = handle();
    const PreparedStatements::Lease statement(statements_.get(db, jetSql));
    // sqlite3_changes keeps the count of the last INSERT, UPDATE or DELETE, so after any other statement it
    // would report rows that this statement never touched; the running total shows whether this one changed any.
    const sqlite3_int64 totalBefore = sqlite3_total_changes64(db);
    while (statement->step()) {
    }
    if (sqlite3_total_changes64(db) == totalBefore) return 0L;
    return static_cast<long>(sqlite3_changes64(db));
}

void Connection::BeginTrans() {
    if (inTransaction()) raiseProviderError(adoerr::ProviderError, "Transactions cannot be nested.");
    // The write lock is taken at the start, where a busy file is waited for. A transaction that read first and
    // then met another writer would be refused at once: SQLite does not wait there, as waiting could deadlock.
    runToEnd(handle(), "BEGIN IMMEDIATE");
}

void Connection::CommitTrans() {
    if (!inTransaction()) raiseProviderError(adoerr::ProviderError, "There is no transaction to commit.");
    runToEnd(db_, "COMMIT");
}

void Connection::RollbackTrans() {
    if (!inTransaction()) raiseProviderError(adoerr::ProviderError, "There is no transaction to roll back.");
    runToEnd(db_, "ROLLBACK");
}

bool Connection::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.BeginTrans(); }

Transaction::~Transaction() {
    if (done_) return;
    try {
        if (connection_.inTransaction()) connection_.RollbackTrans();
    } catch (...) {
        // A destructor must not raise; a rollback that fails leaves SQLite to roll back when the file closes.
    }
}

void Transaction::commit() {
    connection_.CommitTrans();
    done_ = true;
}

}  // namespace ado
