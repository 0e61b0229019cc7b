#include "Connection.h"

#include <sqlite3.h>

#include <filesystem>

#include "ColumnValues.h"
#include "JetTranslator.h"
#include "ProviderError.h"
#include "SqlFunctions.h"

namespace ado {

namespace {

// Every file of this program holds this table; a database without it is someone else's file.
constexpr const char* kProgramTableQuery =
    "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'tblDefaults' COLLATE NOCASE";

bool onlyBlanksOrSemicolons(const char* text) {
    for (; text && *text; ++text) {
        if (*text != ';' && *text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') return false;
    }
    return true;
}

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail);
        if (rc != SQLITE_OK) raiseSqliteError(db, rc);
        if (!stmt_) {
            raiseProviderError(adoerr::ProviderError,
                               "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
        }
        if (!onlyBlanksOrSemicolons(tail)) {
            sqlite3_finalize(stmt_);
            raiseProviderError(adoerr::ProviderError, "Characters found after end of SQL statement.");
        }
        // SQLite reads ?, :name, @name and $name outside quotes as parameters, and nothing here binds them: an
        // amount typed "$50000" would be stored as Null while the statement reports success. Jet refused it.
        if (sqlite3_bind_parameter_count(stmt_) > 0) {
            sqlite3_finalize(stmt_);
            raiseProviderError(adoerr::ProviderError, "No value given for one or more required parameters.");
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while there is a row to read.
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        raiseSqliteError(db_, rc);
    }
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

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
    if (db_) sqlite3_close_v2(db_);
}

sqlite3* Connection::handle() {
    if (db_) return db_;
    sqlite3* db = nullptr;
    // Read-write, never create: a missing file must fail here rather than become an empty database.
    const int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    try {
        if (rc != SQLITE_OK) {
            std::error_code ignored;
            if (!std::filesystem::exists(path_, ignored))
                raiseProviderError(adoerr::CannotOpenDatabase, "Could not find file '" + path_ + "'.");
            raiseSqliteError(db, rc);
        }
        sqlite3_extended_result_codes(db, 1);
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
    const std::string sql = translateJetSql(jetSql);
    Statement statement(handle(), sql);
    sqlite3_stmt* stmt = statement.get();

    const int columnCount = sqlite3_column_count(stmt);
    std::vector<FieldInfo> fields;
    std::vector<bool> declared;
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
    while (statement.step()) {
        std::vector<vb::Variant> row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c)
            row.push_back(asDeclaredType(storedValue(sqlite3_column_value(stmt, c)), fields[c].type));
        rows.push_back(std::move(row));
    }
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (!declared[c]) fields[c] = computedFieldType(std::move(fields[c].name), rows, c);
    }
    return std::make_shared<Recordset>(std::move(fields), std::move(rows));
}

long Connection::ExecuteAction(const std::string& jetSql) {
    const std::string sql = translateJetSql(jetSql);
    sqlite3* db = handle();
    Statement statement(db, sql);
    // sqlite3_changes keeps the count of the last INSERT, UPDATE or DELETE, so after any other statement it
    // would report rows that this statement never touched; the running total shows whether this one changed any.
    const sqlite3_int64 totalBefore = sqlite3_total_changes64(db);
    while (statement.step()) {
    }
    if (sqlite3_total_changes64(db) == totalBefore) return 0L;
    return static_cast<long>(sqlite3_changes64(db));
}

void Connection::BeginTrans() {
    if (inTransaction()) raiseProviderError(adoerr::ProviderError, "Transactions cannot be nested.");
    runToEnd(handle(), "BEGIN");
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
