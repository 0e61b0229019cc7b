#pragma once
// The engine's one shared database connection and the routines that run SQL text over it.

#include <string>
#include <type_traits>
#include <vector>

#include "Connection.h"
#include "Recordset.h"
#include "Variant.h"

namespace tally::engine {

// The database file's name, shared with the desktop's backup and restore (compared there without regard to case).
inline constexpr const char* kDatabaseFileName = "Depr.mdb";

// Parameter entries: every caller passes an empty list.
using ParameterList = std::vector<std::vector<vb::Variant>>;

namespace modDatabase {

// Opens the shared connection once per process (on the first use of the engine); errors are swallowed, the
// first query then raises the error (each query tries to open the database again until it succeeds). The
// program calls the engine from one thread only: the connection and its transaction are shared by every caller.
void Main();

// The folder of the engine library (the installation folder, which holds the shipped copy of the database),
// without a trailing separator.
std::string AppPath();
// The database file the engine opens: the user's register (RegisterFile::Path), unless a test pointed the
// engine elsewhere. Raises when the register's folder cannot be named (no HOME).
std::string DatabasePath();
// Points the engine at another database file and drops the open connection (tests work on a copy); that file
// is opened as it is, never made from the shipped copy.
void UseDatabaseFile(const std::string& path);
// Points the engine back at the user's register and drops the open connection; the next use starts afresh, as
// the program does when it starts (making the register on a first start).
void UseRegister();

std::string BuildConnectionString();
std::unique_ptr<ado::Connection> GetADOConnection();

// The shared connection; raises the provider's error when it is not open (after Disconnect, or when opening
// failed).
ado::Connection& SharedConnection();
bool IsConnected();
void SetSharedConnection(std::unique_ptr<ado::Connection> connection);  // nullptr clears it

ado::RecordsetPtr ExecuteQueryReturnRS(const std::string& sql, ado::Connection& connection,
                                       bool storedProcedure = false, const ParameterList& parameters = {});
bool ExecuteQuery(const std::string& sql, ado::Connection& connection, bool storedProcedure = false,
                  const ParameterList& parameters = {});
std::int32_t ReturnDbData(const std::string& sql);

}  // namespace modDatabase

// Runs `body` as one unit of work on the shared connection, so writes that belong together (an asset's yearly
// rows, a vehicle's use row) land together or not at all. Inside a transaction the caller already opened, the
// body joins it and the caller's commit or rollback decides (the connection does not nest transactions).
template <typename Body>
auto inOneTransaction(Body&& body) -> decltype(body()) {
    ado::Connection& connection = modDatabase::SharedConnection();
    if (connection.inTransaction()) return body();
    ado::Transaction transaction(connection);
    if constexpr (std::is_void_v<decltype(body())>) {
        body();
        transaction.commit();
    } else {
        auto result = body();
        transaction.commit();
        return result;
    }
}

}  // namespace tally::engine
