#include "BackupRestore.h"

#include <filesystem>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ComError.h"
#include "DatabaseFiles.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "RegisterFile.h"
#include "StatusLine.h"
#include "db.h"
#include "modDatabase.h"

namespace tally::desk {

namespace {

const QString kFilter = QStringLiteral("Database Files (*.mdb *.MDB)");

namespace DatabaseFiles = engine::DatabaseFiles;

std::filesystem::path liveDatabasePath() { return engine::modDatabase::DatabasePath(); }
std::filesystem::path chosenPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Runs `work` on the database file with the engine disconnected; errors show under `prefix`. The connection is
// opened again on every path: on the ordinary one as the last step of the work, after a failure once that
// error is shown. A reconnect that fails there is shown too, as every engine call fails from then on.
bool withEngineOffline(const QString& prefix, const std::function<void()>& work) {
    bool reconnectPending = false;
    const bool done = trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
        engine::db().Disconnect();
        reconnectPending = true;
        work();
        reconnectPending = false;
        engine::db().dbConnection();
    });
    if (reconnectPending)
        trapStep(QStringLiteral("Error in dbConnection "), ErrorLayout::ErrorNumber,
                 [] { engine::db().dbConnection(); });
    return done;
}

}  // namespace

void BackupDatabase() {
    ui::FileDialogRequest request;
    request.title = QStringLiteral("Select where to Save the Database");
    request.filter = kFilter;
    request.initialDir = QDir::homePath();
    request.fileName = QString::fromLatin1(engine::kDatabaseFileName);
    request.defaultSuffix = QStringLiteral("mdb");
    request.overwritePrompt = true;
    const auto target = ui::prompts().saveFile(request);
    if (!target) return;

    const bool done = withEngineOffline(QStringLiteral("Error in BackupDatabase "), [&] {
        try {
            DatabaseFiles::Copy(liveDatabasePath(), chosenPath(*target), engine::RegisterFile::ShippedCopy());
        } catch (const DatabaseFiles::DamagedFile& damage) {
            throw ComError(damage.number(), damage.source(),
                           damage.description() + ". A damaged register is not copied: File > Restore Database "
                                                  "puts a backup in its place.");
        }
    });
    if (done) DisplayMsg(QStringLiteral("Database was successfully backup."));
}

void RestoreDatabase(const std::function<bool()>& closeChildWindows) {
    ui::FileDialogRequest request;
    request.title = QStringLiteral("Select Database to Restore");
    request.filter = kFilter;
    request.initialDir = QDir::homePath();
    request.defaultSuffix = QStringLiteral("mdb");
    request.mustExist = true;
    const auto source = ui::prompts().openFile(request);
    if (!source) return;

    if (QFileInfo(*source).fileName().compare(QLatin1String(engine::kDatabaseFileName), Qt::CaseInsensitive) != 0) {
        ui::prompts().msgBox(QStringLiteral("File name must be DEPR.MDB"), ui::mb::OKOnly | ui::mb::Critical,
                             QStringLiteral("Restore Database"));
        return;
    }
    const QString prefix = QStringLiteral("Error in RestoreDatabase ");
    // The chosen file is checked and copied aside before a window closes; the register itself is no exception, so
    // that a damaged register is never reported restored from itself.
    std::unique_ptr<DatabaseFiles::RestoreCandidate> candidate;
    if (!trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
            candidate = std::make_unique<DatabaseFiles::RestoreCandidate>(
                chosenPath(*source), engine::RegisterFile::ShippedCopy(), liveDatabasePath());
        }))
        return;
    if (closeChildWindows && !closeChildWindows()) return;

    const bool done = withEngineOffline(prefix, [&] {
        candidate->RestoreInto(liveDatabasePath());
    });
    if (done) DisplayMsg(QStringLiteral("Database was successfully restored."));
}

}  // namespace tally::desk
