#pragma once
// The errors the database provider raises: ComError with the provider's source text and an ADO error number.

#include <string>

struct sqlite3;

namespace ado {

inline constexpr const char* kProviderSource = "Microsoft JET Database Engine";

[[noreturn]] void raiseProviderError(long number, const std::string& description);

// Raises the error SQLite reported for `resultCode` on `db`: a unique-key violation as adoerr::DuplicateKey, a
// file that cannot be opened or is no database as adoerr::CannotOpenDatabase, anything else as
// adoerr::ProviderError with SQLite's message.
[[noreturn]] void raiseSqliteError(sqlite3* db, int resultCode);

}  // namespace ado
