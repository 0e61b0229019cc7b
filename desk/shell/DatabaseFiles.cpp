#include "DatabaseFiles.h"

#include <filesystem>
#include <memory>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <sqlite3.h>
#include <sys/stat.h>

#include "AppIdentity.h"
#include "ComError.h"
#include "Recordset.h"

namespace tally::desk {

namespace {
// The number the connection gives a file that is not there or is not a database.
constexpr long kNotADatabase = ado::adoerr::CannotOpenDatabase;

[[noreturn]] void fail(long number, const QString& description) {
    throw ComError(number, kErrorSource, description.toStdString());
}
}  // namespace

bool sameFile(const QString& a, const QString& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(a.toStdString(), b.toStdString(), error);
    return !error && same;
}

void copyFileAtomically(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.exists()) fail(vberr::FileNotFound, QStringLiteral("File not found: %1").arg(source));
    if (!in.open(QIODevice::ReadOnly))
        fail(vberr::PathFileAccessError, QStringLiteral("Cannot read %1: %2").arg(source, in.errorString()));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        fail(vberr::PathFileAccessError, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
    constexpr qint64 kChunk = 1 << 16;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            fail(vberr::PathFileAccessError, QStringLiteral("Cannot read %1: %2").arg(source, in.errorString()));
        if (out.write(chunk) != chunk.size())
            fail(vberr::PathFileAccessError, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
    }
    if (!out.commit())
        fail(vberr::PathFileAccessError, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
}

namespace {
struct SqliteCloser {
    void operator()(sqlite3* handle) const { sqlite3_close_v2(handle); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

// The connection, or null when SQLite could not open the file with `flags`.
SqliteHandle openDatabase(const QString& path, int flags) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    SqliteHandle handle(raw);
    if (opened != SQLITE_OK) handle.reset();
    return handle;
}

// The first column of the first row as text; empty when there is none.
QString firstText(sqlite3* handle, const char* sql, const QString& path) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &raw, nullptr) != SQLITE_OK)
        fail(kNotADatabase, QStringLiteral("%1 is not a database of this program: %2")
                                .arg(path, QString::fromUtf8(sqlite3_errmsg(handle))));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    const int step = sqlite3_step(raw);
    if (step == SQLITE_ROW) return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    if (step == SQLITE_DONE) return {};
    fail(kNotADatabase, QStringLiteral("%1 is not a database of this program: %2")
                            .arg(path, QString::fromUtf8(sqlite3_errmsg(handle))));
}

constexpr const char* kRequiredTables[] = {"tblAssets", "tblCompany", "tblDefaults", "tblDepr", "tblDeprClass",
                                           "tblMax179", "tblMaxAuto", "tblMisc4562Data"};
}  // namespace

void verifyProgramDatabase(const QString& path) {
    const SqliteHandle handle = openDatabase(path, SQLITE_OPEN_READONLY);
    if (!handle) fail(kNotADatabase, QStringLiteral("Cannot open %1 as a database").arg(path));
    sqlite3* raw = handle.get();
    const QString check = firstText(raw, "PRAGMA quick_check", path);
    if (check != QLatin1String("ok"))
        fail(kNotADatabase, QStringLiteral("%1 failed the integrity check: %2").arg(path, check));
    for (const char* table : kRequiredTables) {
        const QString sql =
            QStringLiteral("select name from sqlite_master where type = 'table' and name = '%1' collate nocase")
                .arg(QLatin1String(table));
        if (firstText(raw, sql.toUtf8().constData(), path).isEmpty())
            fail(kNotADatabase, QStringLiteral("%1 is not a database of this program: table %2 is missing")
                                    .arg(path, QLatin1String(table)));
    }
}

namespace {

// The permissions a program's new file gets: read and write for all, less what the user's umask takes away.
mode_t newFileMode() {
    // The mask can only be read by setting it; it is put back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// A file beside another one under a name of its own, removed with what SQLite may have left beside it when the
// scope ends, unless it was renamed over its target first.
class ScratchFile {
public:
    explicit ScratchFile(const QString& target) {
        QTemporaryFile reserved(target + QStringLiteral(".restore-XXXXXX"));
        reserved.setAutoRemove(false);
        if (!reserved.open())
            fail(vberr::PathFileAccessError,
                 QStringLiteral("Cannot write beside %1: %2").arg(target, reserved.errorString()));
        path_ = reserved.fileName();
        // The file takes the live file's place, so it takes its permissions too; where there is none, those of any
        // new file (a temporary file is owner-only).
        if (QFile::exists(target))
            QFile::setPermissions(path_, QFileInfo(target).permissions());
        else
            ::chmod(QFile::encodeName(path_).constData(), newFileMode());
    }
    ~ScratchFile() {
        if (path_.isEmpty()) return;
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(path_ + QLatin1String(suffix));
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const QString& path() const { return path_; }

    // Replaces `target` in one step; the scratch file is gone afterwards, so nothing is left to remove.
    void renameOver(const QString& target) {
        std::error_code error;
        std::filesystem::rename(path_.toStdString(), target.toStdString(), error);
        if (error)
            fail(vberr::PathFileAccessError, QStringLiteral("Cannot replace %1: %2")
                                                 .arg(target, QString::fromStdString(error.message())));
        path_.clear();
    }

private:
    QString path_;
};

// Copies the database at `source` page by page into the empty file `target`, as the source's readers see it:
// changes still in its -wal are in the copy. Pages are copied as they are, so every rowid stays. The copy is
// left as a rollback-journal file, which is whole on its own.
void snapshotDatabase(const QString& source, const QString& target) {
    const SqliteHandle from = openDatabase(source, SQLITE_OPEN_READONLY);
    if (!from) fail(kNotADatabase, QStringLiteral("Cannot open %1 as a database").arg(source));
    const SqliteHandle to = openDatabase(target, SQLITE_OPEN_READWRITE);
    if (!to) fail(vberr::PathFileAccessError, QStringLiteral("Cannot write %1").arg(target));
    const auto cannotCopy = [&](const char* reason) {
        fail(vberr::PathFileAccessError,
             QStringLiteral("Cannot copy %1 to %2: %3").arg(source, target, QString::fromUtf8(reason)));
    };
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) cannotCopy(sqlite3_errmsg(to.get()));
    const int stepped = sqlite3_backup_step(backup, -1);
    // finish gives the copy's error, but not a busy or locked source, which only step reports.
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        cannotCopy(sqlite3_errstr(finished != SQLITE_OK ? finished : stepped));
    // The copied header still marks a WAL-mode source; switching back rewrites it and folds the copy together.
    if (sqlite3_exec(to.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        cannotCopy(sqlite3_errmsg(to.get()));
}

}  // namespace

void replaceDatabase(const QString& candidate, const QString& live) {
    // A live file reached through a link is replaced where it lies, so the link stays.
    const QString target = QFile::exists(live) ? QFileInfo(live).canonicalFilePath() : live;
    // The candidate is copied and checked before the live file is kept as ".bak": the candidate may be that very
    // ".bak" (through a link), and its -wal would not follow a copy of the file alone.
    ScratchFile snapshot(target);
    snapshotDatabase(candidate, snapshot.path());
    verifyProgramDatabase(snapshot.path());
    if (QFile::exists(live)) copyFileAtomically(live, live + QStringLiteral(".bak"));
    // A journal left beside the old file would be played into the new one when it is next opened.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString stale = target + QLatin1String(suffix);
        if (QFile::exists(stale) && !QFile::remove(stale))
            fail(vberr::PathFileAccessError, QStringLiteral("Cannot remove %1").arg(stale));
    }
    snapshot.renameOver(target);
}

}  // namespace tally::desk
