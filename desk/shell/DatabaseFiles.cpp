#include "DatabaseFiles.h"

#include <filesystem>
#include <memory>

#include <QFile>
#include <QSaveFile>

#include <sqlite3.h>

#include "ComError.h"

namespace tally::desk {

namespace {
constexpr long kNotADatabase = kUnexpectedFailure;
constexpr const char* kSource = "tally_desk";

[[noreturn]] void fail(long number, const QString& description) {
    throw ComError(number, kSource, description.toStdString());
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
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    SqliteHandle handle(raw);
    if (opened != SQLITE_OK)
        fail(kNotADatabase, QStringLiteral("Cannot open %1 as a database").arg(path));
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

void replaceDatabase(const QString& candidate, const QString& live) {
    if (QFile::exists(live)) copyFileAtomically(live, live + QStringLiteral(".bak"));
    // A journal left beside the old file would be played into the new one when it is next opened.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString stale = live + QLatin1String(suffix);
        if (QFile::exists(stale) && !QFile::remove(stale))
            fail(vberr::PathFileAccessError, QStringLiteral("Cannot remove %1").arg(stale));
    }
    copyFileAtomically(candidate, live);
}

}  // namespace tally::desk
