#include "ProviderError.h"

#include <sqlite3.h>

#include "ComError.h"
#include "Recordset.h"

namespace ado {

void raiseProviderError(long number, const std::string& description) {
    throw tally::ComError(number, kProviderSource, description);
}

void raiseSqliteError(sqlite3* db, int resultCode) {
    const int extended = db ? sqlite3_extended_errcode(db) : resultCode;
    const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY) {
        raiseProviderError(adoerr::DuplicateKey,
                           "The changes you requested to the table were not successful because they would create "
                           "duplicate values in the index, primary key, or relationship. (" + message + ")");
    }
    const int primary = extended & 0xff;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CANTOPEN) raiseProviderError(adoerr::CannotOpenDatabase, message);
    raiseProviderError(adoerr::ProviderError, message);
}

}  // namespace ado
