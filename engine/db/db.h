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
    // Runs an action statement as ExecuteSql does and returns the number of rows it changed, so a caller can
    // tell an UPDATE that matched nothing from one that did.
    std::int32_t ExecuteSqlCount(const std::string& strSql);
};

}  // namespace tally::engine
