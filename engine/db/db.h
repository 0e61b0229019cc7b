#pragma once
// Class db: lets the desktop run its own SQL text on the engine's shared connection, drop the connection before
// it copies the database file, and open it again afterwards.

#include <cstdint>
#include <string>

#include "Variant.h"

namespace tally::engine {

class db {
public:
    db();  // runs modDatabase::Main on first use

    std::int16_t Disconnect();
    void dbConnection();
    std::int32_t CmdExe(const std::string& strSql);
    vb::Variant ReturnValue(const std::string& strSql);
    bool ExecuteSql(const std::string& strSql);
    // The number of rows the last ExecuteSql of this object inserted, updated or deleted (0 before any), so that
    // a caller can tell an update or delete that found no row from one that did its work.
    std::int32_t RowsChanged() const { return rowsChanged_; }

private:
    std::int32_t rowsChanged_ = 0;
};

}  // namespace tally::engine
