#include "MaintDatabase.h"

#include "ComError.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "Recordset.h"
#include "db.h"

namespace tally::desk {

QString errorWithSource() {
    try {
        throw;
    } catch (const ComError& e) {
        return QString::fromStdString(e.description()) + QStringLiteral("  ") + QString::number(e.number()) +
               QStringLiteral("  ") + QString::fromStdString(e.source());
    } catch (...) {
        const ErrorInfo error = currentError();
        return error.description + QStringLiteral("  ") + QString::number(error.number) + QStringLiteral("  ");
    }
}

void MaintDatabase::showFailure() const {
    const QString text = errorWithSource();
    clearStatus_();
    ui::prompts().msgBox(text);
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
