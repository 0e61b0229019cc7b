#include "BackupRestore.h"

#include <QDir>
#include <QFileInfo>

#include "DatabaseFiles.h"
#include "ErrorReport.h"
#include "Prompts.h"
#include "StatusLine.h"
#include "db.h"
#include "modDatabase.h"

namespace tally::desk {

namespace {

const QString kFilter = QStringLiteral("Database Files (*.mdb *.MDB)");

QString liveDatabasePath() { return QString::fromStdString(engine::modDatabase::DatabasePath()); }

// Disconnects the engine for its lifetime; the connection is opened again when it ends, also when an error
// is on its way out. reconnect() does it on the ordinary path, where a failure must be reported.
class EngineOffline {
public:
    EngineOffline() { engine::db().Disconnect(); }
    ~EngineOffline() {
        if (!reconnected_) ignoreErrors([] { engine::db().dbConnection(); });
    }
    EngineOffline(const EngineOffline&) = delete;
    EngineOffline& operator=(const EngineOffline&) = delete;

    void reconnect() {
        reconnected_ = true;
        engine::db().dbConnection();
    }

private:
    bool reconnected_ = false;
};

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

    const bool done = trapStep(QStringLiteral("Error in BackupDatabase "), ErrorLayout::ErrorNumber, [&] {
        const QString live = liveDatabasePath();
        EngineOffline offline;
        // The live file chosen as the target already is the backup; copying it onto itself is not needed.
        if (!sameFile(live, *target)) copyFileAtomically(live, *target);
        offline.reconnect();
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
    if (!trapStep(prefix, ErrorLayout::ErrorNumber, [&] { verifyProgramDatabase(*source); })) return;
    if (closeChildWindows && !closeChildWindows()) return;

    const bool done = trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
        const QString live = liveDatabasePath();
        EngineOffline offline;
        if (!sameFile(live, *source)) replaceDatabase(*source, live);
        offline.reconnect();
    });
    if (done) DisplayMsg(QStringLiteral("Database was successfully restored."));
}

}  // namespace tally::desk
