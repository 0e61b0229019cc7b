#include "PreparedStatements.h"

#include <sqlite3.h>

#include <algorithm>

#include "JetTranslator.h"
#include "ProviderError.h"
#include "Recordset.h"

namespace ado {

namespace {

bool onlyBlanksOrSemicolons(const char* text) {
    for (; text && *text; ++text) {
        if (*text != ';' && *text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') return false;
    }
    return true;
}

}  // namespace

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
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

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    raiseSqliteError(db_, rc);
}

void Statement::reset() { sqlite3_reset(stmt_); }

Statement& PreparedStatements::get(sqlite3* db, const std::string& jetSql) {
    ++uses_;
    if (const auto found = statements_.find(jetSql); found != statements_.end()) {
        found->second.lastUse = uses_;
        return *found->second.statement;
    }
    auto statement = std::make_unique<Statement>(db, translateJetSql(jetSql));
    if (statements_.size() >= capacity_) evictLeastRecentlyUsed();
    Entry& entry = statements_[jetSql];
    entry.statement = std::move(statement);
    entry.lastUse = uses_;
    return *entry.statement;
}

void PreparedStatements::evictLeastRecentlyUsed() {
    const auto oldest = std::min_element(statements_.begin(), statements_.end(), [](const auto& a, const auto& b) {
        return a.second.lastUse < b.second.lastUse;
    });
    if (oldest != statements_.end()) statements_.erase(oldest);
}

}  // namespace ado
