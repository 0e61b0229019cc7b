#include "SqliteFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tally::data::testing {

namespace fs = std::filesystem;

fs::path shippedDatabasePath() { return fs::path(TALLY_BIN_DIR) / "Depr.mdb"; }
fs::path referenceFolder() { return fs::path(TALLY_SOURCE_DIR) / "data" / "reference"; }

namespace {

sqlite3* open(const std::string& name, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(name.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + name + ": " + message);
    }
    sqlite3_extended_result_codes(db, 1);
    return db;
}

}  // namespace

SqliteFile SqliteFile::shippedReadOnly() { return readOnly(shippedDatabasePath()); }

SqliteFile SqliteFile::readOnly(const fs::path& path) {
    if (!fs::exists(path)) throw std::runtime_error("missing " + path.string());
    return SqliteFile(open(path.string(), SQLITE_OPEN_READONLY));
}

SqliteFile SqliteFile::shippedCopy() {
    SqliteFile source = shippedReadOnly();
    SqliteFile copy(open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    sqlite3_backup* backup = sqlite3_backup_init(copy.db_, "main", source.db_, "main");
    if (!backup) throw std::runtime_error(sqlite3_errmsg(copy.db_));
    int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) throw std::runtime_error("cannot copy the shipped database");
    return copy;
}

SqliteFile::SqliteFile(SqliteFile&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }

SqliteFile::~SqliteFile() { sqlite3_close(db_); }

std::vector<Row> SqliteFile::rows(const std::string& sql) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    std::vector<Row> result;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            row.push_back(text ? Cell(reinterpret_cast<const char*>(text)) : std::nullopt);
        }
        result.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    return result;
}

std::string SqliteFile::text(const std::string& sql) const {
    auto result = rows(sql);
    if (result.empty() || result.front().empty() || !result.front().front()) {
        ADD_FAILURE() << "no value from: " << sql;
        return {};
    }
    return *result.front().front();
}

double SqliteFile::number(const std::string& sql) const { return std::stod(text(sql)); }

int SqliteFile::run(const std::string& sql) const { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

std::string SqliteFile::lastError() const { return sqlite3_errmsg(db_); }

SqliteFile::ColumnMeta SqliteFile::column(const std::string& table, const std::string& column) const {
    const char* type = nullptr;
    const char* collation = nullptr;
    int notNull = 0, primaryKey = 0, autoincrement = 0;
    if (sqlite3_table_column_metadata(db_, "main", table.c_str(), column.c_str(), &type, &collation, &notNull,
                                      &primaryKey, &autoincrement) != SQLITE_OK)
        throw std::runtime_error("no column " + table + "." + column + ": " + sqlite3_errmsg(db_));
    return {type ? type : "", collation ? collation : "", notNull != 0, primaryKey != 0, autoincrement != 0};
}

}  // namespace tally::data::testing
