#pragma once
// Direct access to the shipped database for the tests of its contents: read-only on the file itself, or a private
// in-memory copy for tests that write.

#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tally::data::testing {

using Cell = std::optional<std::string>;  // std::nullopt for Null
using Row = std::vector<Cell>;

class SqliteFile {
public:
    // The database the build produced, opened read-only.
    static SqliteFile shippedReadOnly();
    static SqliteFile readOnly(const std::filesystem::path& path);
    // A copy of it in memory; writes never reach the file.
    static SqliteFile shippedCopy();

    SqliteFile(SqliteFile&& other) noexcept;
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;
    SqliteFile& operator=(SqliteFile&&) = delete;

    // Every row of a query, each cell as text.
    std::vector<Row> rows(const std::string& sql) const;
    // The first cell of the first row; fails the test when there is none or it is Null.
    std::string text(const std::string& sql) const;
    double number(const std::string& sql) const;
    // Runs a statement and returns SQLite's extended result code (SQLITE_OK when it succeeded).
    int run(const std::string& sql) const;
    // The error text of the last failed statement.
    std::string lastError() const;

    // What the schema declares for one column.
    struct ColumnMeta {
        std::string declaredType;
        std::string collation;
        bool notNull = false;
        bool primaryKey = false;
        bool autoincrement = false;
    };
    ColumnMeta column(const std::string& table, const std::string& column) const;

private:
    explicit SqliteFile(sqlite3* handle) : db_(handle) {}
    sqlite3* db_;
};

std::filesystem::path shippedDatabasePath();
std::filesystem::path referenceFolder();

}  // namespace tally::data::testing
