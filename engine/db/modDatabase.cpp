#include "modDatabase.h"

#include <dlfcn.h>

#include <filesystem>
#include <optional>

#include "ComError.h"
#include "RegisterFile.h"

namespace tally::engine::modDatabase {

namespace {

// The engine's one connection and the file it opens: the module data of the database layer.
struct DatabaseState {
    std::unique_ptr<ado::Connection> shared;
    std::optional<std::string> fileOverride;
    bool started = false;
    // The start could not open the database: each use tries again, so it raises that error (the register's
    // folder, a missing file) until the file is there.
    bool startFailed = false;
};

DatabaseState& state() {
    static DatabaseState instance;
    return instance;
}

// Stored procedures and command parameters serve no caller; refuse them rather than run the text without them.
void requireTextCommand(bool storedProcedure, const ParameterList& parameters) {
    if (storedProcedure || !parameters.empty())
        throw ComError(vberr::InvalidProcedureCall, "Database", "Stored procedures and parameters are not supported.");
}

}  // namespace

void Main() {
    DatabaseState& s = state();
    if (s.started) return;
    s.started = true;
    try {
        SetSharedConnection(GetADOConnection());
    } catch (...) {
        // Swallowed at start: the first query raises the error itself (file missing, folder that cannot be
        // made, not a database) rather than a bare "closed connection".
        s.startFailed = true;
    }
}

std::string AppPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&AppPath), &info) == 0 || !info.dli_fname || !*info.dli_fname)
        throw ComError(kUnexpectedFailure, "Database", "The folder of the engine library cannot be found.");
    std::error_code ignored;
    const std::filesystem::path library = std::filesystem::weakly_canonical(std::filesystem::absolute(info.dli_fname), ignored);
    return library.parent_path().string();
}

std::string DatabasePath() {
    const DatabaseState& s = state();
    return s.fileOverride ? *s.fileOverride : RegisterFile::Path().string();
}

void UseDatabaseFile(const std::string& path) {
    state().fileOverride = path;
    SetSharedConnection(std::make_unique<ado::Connection>(path));
}

void UseRegister() {
    DatabaseState& s = state();
    s.shared.reset();
    s.fileOverride.reset();
    s.started = false;
    s.startFailed = false;
}

std::string BuildConnectionString() { return "Data Source=" + DatabasePath(); }

std::unique_ptr<ado::Connection> GetADOConnection() {
    return withTags("Database", "GetADOConnection", [] {
        // The register is made from the shipped copy on the first start; a file a test named is opened as it is.
        if (!state().fileOverride) RegisterFile::Provide();
        auto connection = std::make_unique<ado::Connection>(DatabasePath());
        connection->Open();
        // Form 4562 and the reports read a large register many times over; SQLite's default cache (2 MiB) holds a
        // quarter of a 10,000-asset register, so each statement would read the rest from the file again.
        connection->ExecuteAction("PRAGMA cache_size = -32768");
        return connection;
    });
}

ado::Connection& SharedConnection() {
    Main();
    DatabaseState& s = state();
    if (s.startFailed) SetSharedConnection(GetADOConnection());
    if (!s.shared) {
        throw ComError(ado::adoerr::ConnectionClosed, "ADODB.Command",
                       "The connection cannot be used to perform this operation. It is either closed or invalid in "
                       "this context.");
    }
    return *s.shared;
}

bool IsConnected() { return state().shared != nullptr; }

void SetSharedConnection(std::unique_ptr<ado::Connection> connection) {
    DatabaseState& s = state();
    s.started = true;
    s.startFailed = false;
    s.shared = std::move(connection);
}

ado::RecordsetPtr ExecuteQueryReturnRS(const std::string& sql, ado::Connection& connection, bool storedProcedure,
                                       const ParameterList& parameters) {
    return withTags("Database", "ExecuteQueryReturnRS(" + sql + ")", [&] {
        requireTextCommand(storedProcedure, parameters);
        return connection.Execute(sql);
    });
}

bool ExecuteQuery(const std::string& sql, ado::Connection& connection, bool storedProcedure,
                  const ParameterList& parameters) {
    return withTags("Database", "ExecuteQuery(" + sql + ")", [&] {
        requireTextCommand(storedProcedure, parameters);
        connection.ExecuteAction(sql);
        return true;
    });
}

std::int32_t ReturnDbData(const std::string& sql) {
    return withTags("Database", "ReturnDbData", [&]() -> std::int32_t {
        const ado::RecordsetPtr rs = ExecuteQueryReturnRS(sql, SharedConnection());
        if (rs->EOF_()) return 0;
        const vb::Variant& value = (*rs)[0];
        if (value.isNull() || value.isEmpty()) return 0;
        return value.toLong();  // half to even; raises overflow above the 32-bit range
    });
}

}  // namespace tally::engine::modDatabase
