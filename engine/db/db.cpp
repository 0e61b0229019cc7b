#include "db.h"

#include "ComError.h"
#include "modDatabase.h"

namespace tally::engine {

db::db() { modDatabase::Main(); }

std::int16_t db::Disconnect() {
    modDatabase::SetSharedConnection(nullptr);
    return 1;
}

void db::dbConnection() { modDatabase::SetSharedConnection(modDatabase::GetADOConnection()); }

std::int32_t db::CmdExe(const std::string& strSql) {
    try {
        modDatabase::SharedConnection().ExecuteAction(strSql);
        return 0;
    } catch (const ComError& e) {
        return static_cast<std::int32_t>(e.number());
    } catch (const std::exception&) {
        return static_cast<std::int32_t>(kUnexpectedFailure);
    }
}

// Raises without tags; a query without rows raises the missing-current-record error (3021).
vb::Variant db::ReturnValue(const std::string& strSql) {
    try {
        const ado::RecordsetPtr rs = modDatabase::SharedConnection().Execute(strSql);
        const vb::Variant value = rs->field(0L).Value();
        return value.isNull() ? vb::Variant(std::int16_t{0}) : value;
    } catch (const ComError& e) {
        throw e.retagged({}, {});
    } catch (const std::exception& e) {
        throw ComError(kUnexpectedFailure, "db", e.what());
    }
}

bool db::ExecuteSql(const std::string& strSql) {
    rowsChanged_ = 0;
    return withTags("db", "ExecuteSql", [&] {
        rowsChanged_ = modDatabase::ExecuteAction(strSql, modDatabase::SharedConnection());
        return true;
    });
}

}  // namespace tally::engine
