#pragma once
// A connection to the one SQLite database file. Every statement passes through the Jet-dialect translator
// before it runs; a text seen before runs the statement prepared for it then. The file is opened read-write and
// never created: a missing or foreign file raises the provider's error (ComError) on the first statement, not on
// Open. A connection, with the statements it keeps, serves one thread at a time.

#include <memory>
#include <string>

#include "PreparedStatements.h"
#include "Recordset.h"

struct sqlite3;

namespace ado {

// How long a statement waits for a file another connection holds before "database is locked" is raised.
inline constexpr int kBusyWaitMilliseconds = 5000;

class Connection {
public:
    explicit Connection(std::string path);  // opens lazily: errors surface on the first statement
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& path() const { return path_; }

    // Opens the file now instead of at the first statement; raises what the first statement would raise (a
    // missing or foreign file). Reopening the engine's connection uses it, so that a broken file is reported
    // where it was put in place.
    void Open();

    // Runs a query and reads every row (the statement is translated first). Raises ComError on failure, with
    // source "Microsoft JET Database Engine" and the provider's text.
    RecordsetPtr Execute(const std::string& jetSql);
    // Runs an action statement; returns the number of rows it changed.
    long ExecuteAction(const std::string& jetSql);

    // Transactions, nested calls are not supported (raise ComError). A transaction holds the write lock from
    // its start; a commit that still finds the file busy after the wait raises, and the Transaction guard below
    // then rolls everything back.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const;

private:
    sqlite3* handle();  // opens on first use; raises when the file is missing or is not this program's database
    std::string path_;
    sqlite3* db_ = nullptr;
    PreparedStatements statements_;
};

// Commits on commit(), rolls back when it goes out of scope otherwise. Every group of writes that belongs
// together runs inside one of these.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

}  // namespace ado
