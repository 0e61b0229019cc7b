#pragma once
// The statements a connection has prepared, kept for the next time the same text comes: the program sends the
// same statement texts again and again (every report, every Form 4562 figure, the same asset saved twice), and
// translating and preparing a statement costs more than running most of them. A statement is handed out reset,
// with nothing bound; the least recently used one is finalized once the cache is full.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// One prepared statement of SQLite's dialect, finalized when it goes out of scope. Refuses text after the
// statement and parameters that nothing binds.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while there is a row to read; raises the provider's error when the statement fails.
    bool step();
    // Ready to run again from the start.
    void reset();
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class PreparedStatements {
public:
    explicit PreparedStatements(std::size_t capacity = 64) : capacity_(capacity) {}

    // The statement for a text in the Jet dialect, translated and prepared the first time it is asked for. It
    // stays valid until the next call or clear(); the caller resets it when done (Lease does).
    Statement& get(sqlite3* db, const std::string& jetSql);
    // Finalizes every statement; the connection calls it before it closes the file.
    void clear() { statements_.clear(); }
    std::size_t size() const { return statements_.size(); }

    // Resets a statement when its user is done with it, also when a step raised: a statement left part-way
    // would hold its read lock on the file.
    class Lease {
    public:
        explicit Lease(Statement& statement) : statement_(statement) {}
        ~Lease() { statement_.reset(); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Statement& operator*() const { return statement_; }
        Statement* operator->() const { return &statement_; }

    private:
        Statement& statement_;
    };

private:
    struct Entry {
        std::unique_ptr<Statement> statement;
        std::uint64_t lastUse = 0;
    };
    void evictLeastRecentlyUsed();

    std::size_t capacity_;
    std::uint64_t uses_ = 0;
    std::unordered_map<std::string, Entry> statements_;
};

}  // namespace ado
