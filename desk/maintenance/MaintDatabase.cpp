#include "MaintDatabase.h"

#include "ErrorReport.h"
#include "Prompts.h"
#include "Recordset.h"
#include "db.h"

namespace tally::desk {

void MaintDatabase::showFailure() const {
    const ErrorInfo error = currentError();
    clearStatus_();
    showError({}, error, ErrorLayout::Source);
}

std::optional<long> MaintDatabase::ExecuteMaintSql(const QString& sql) const {
    try {
        return engine::db().ExecuteSqlCount(sql.toStdString());
    } catch (...) {
        if (currentError().number == ado::adoerr::DuplicateKey)
            ui::prompts().msgBox(QStringLiteral("Can't add record. Duplicate Key field."));
        else
            showFailure();
        return std::nullopt;
    }
}

std::int32_t MaintDatabase::ReturnMaintValue(const QString& sql) const {
    try {
        return engine::db().ReturnValue(sql.toStdString()).toLong();
    } catch (...) {
        showFailure();
        return 0;
    }
}

}  // namespace tally::desk
