#pragma once
// A scratch folder for one test, removed with everything in it when the test ends, and a way to make a small
// database file in it with SQLite directly (the program itself never creates one).

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "ScratchFolder.h"

namespace ado::testing {

using tally::testing::ScratchFolder;

// The table every database of the program carries.
inline constexpr const char* kDefaultsTable =
    "CREATE TABLE tblDefaults (DefaultYear SMALLINT, StartUp_Help YESNO, ShowCompany YESNO);"
    "INSERT INTO tblDefaults VALUES (2005, 1, 0);";

// Creates the database file `path` and runs `script` (SQLite's own dialect) in it.
inline void createDatabase(const std::filesystem::path& path, const std::string& script) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + path.string());
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot set up " + path.string() + ": " + message);
}

}  // namespace ado::testing
