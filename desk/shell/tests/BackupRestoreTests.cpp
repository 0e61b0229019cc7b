// Backup and restore of the database file: the dialogs, the copies and what may never happen to the live file.

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QCloseEvent>

#include <sqlite3.h>

#include "BackupRestore.h"
#include "Colour.h"
#include "DeskTestSupport.h"
#include "FileSizeLimit.h"
#include "OtherCopies.h"
#include "RegisterDamage.h"
#include "StatusLine.h"
#include "Startup.h"
#include "db.h"
#include "modDatabase.h"

namespace tally::desk::testing {
namespace {

using tally::testing::Damage;
using tally::testing::RegisterReader;
using tally::testing::nameOf;

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BackupRestore : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        exec("Update tblDefaults set StartUp_Help = False, ShowCompany = False");
        ASSERT_TRUE(Main());
        ASSERT_TRUE(scratch_.isValid());
        live_ = QString::fromStdString(engine::modDatabase::DatabasePath());
    }
    static std::int32_t companies() {
        return engine::db().ReturnValue("Select count(*) from tblCompany").toLong();
    }
    static QString status() { return mainWindow()->lblStatusBar().text(); }
    // The one error box a failed step shows: "Error in <routine> ..." ending in its error number when one is given.
    void expectOneError(const char* routine, long number = 0) const {
        const QStringList texts = prompts_->messageTexts();
        ASSERT_EQ(texts.size(), 1) << texts.join('\n').toStdString();
        EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Error in %1 ").arg(QLatin1String(routine))))
            << texts[0].toStdString();
        if (number != 0) {
            EXPECT_TRUE(texts[0].endsWith(QStringLiteral(" Error Number: %1").arg(number))) << texts[0].toStdString();
        }
    }
    QString inScratch(const QString& name) const { return scratch_.filePath(name); }
    static void restoreWithChildrenClosed() {
        RestoreDatabase([] { return mainWindow()->closeChildWindows(); });
    }

    QTemporaryDir scratch_;
    QString live_;
};

TEST_F(BackupRestore, CancelledDialogsDoNothingAtAll) {
    prompts_->answerFile(std::nullopt);
    BackupDatabase();
    prompts_->answerFile(std::nullopt);
    restoreWithChildrenClosed();
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(status(), "");
    EXPECT_TRUE(engine::modDatabase::IsConnected());
}

TEST_F(BackupRestore, BackupCopiesTheLiveFileAndTheEngineWorksOnAfterwards) {
    const QString target = inScratch("DEPR.MDB");
    QFile(target).open(QIODevice::WriteOnly);  // an older backup there is replaced
    prompts_->answerFile(target);
    BackupDatabase();
    ASSERT_EQ(prompts_->fileDialogs.size(), 1u);
    const auto& request = prompts_->fileDialogs[0].request;
    EXPECT_TRUE(prompts_->fileDialogs[0].save);
    EXPECT_EQ(request.title, "Select where to Save the Database");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.fileName.toLower(), "depr.mdb");
    EXPECT_TRUE(prompts_->messages.empty());
    EXPECT_EQ(status(), "Database was successfully backup.");
    EXPECT_EQ(ui::textColour(mainWindow()->lblStatusBar()), 32768);
    EXPECT_EQ(QFileInfo(target).size(), QFileInfo(live_).size());
    EXPECT_EQ(companies(), 1);
}

std::filesystem::path fsPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Damages the database at `path` (see RegisterDamage.h); its bytes afterwards.
QByteArray damageAt(const QString& path, Damage damage) {
    return QByteArray::fromStdString(tally::testing::damageRegister(fsPath(path), damage));
}

ino_t inodeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A backup is always a file of its own: a link to the register where the user saves is replaced by the copy, and
// the register's own file, however its path is spelled, is refused. The register is never written, and success
// is shown only for a copy that was made.
TEST_F(BackupRestore, ABackupIsAFileOfItsOwnAndNeverTheRegister) {
    const QByteArray registerBytes = contentOf(live_);
    ASSERT_TRUE(QFile::link(QFileInfo(live_).path(), inScratch("register folder")));
    const auto none = [](const QString&) {};
    const struct Case {
        const char* name;
        QString target;
        std::function<void(const QString& target)> make;
        bool copied;
    } cases[] = {
        {"symbolic link to the register", inScratch("LINK.MDB"),
         [this](const QString& target) { ASSERT_TRUE(QFile::link(live_, target)); }, true},
        {"hard link to the register", inScratch("HARD.MDB"),
         [this](const QString& target) { ASSERT_EQ(::link(QFile::encodeName(live_), QFile::encodeName(target)), 0); },
         true},
        {"the register's own path", live_, none, false},
        {"the register through a linked folder", inScratch("register folder/Depr.mdb"), none, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts_->clearRecords();
        DisplayMsg({});
        c.make(c.target);
        prompts_->answerFile(c.target);
        BackupDatabase();
        if (c.copied) {
            EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
            EXPECT_EQ(status(), "Database was successfully backup.");
            EXPECT_FALSE(QFileInfo(c.target).isSymLink());
            EXPECT_NE(inodeOf(c.target), inodeOf(live_));
            EXPECT_EQ(RegisterReader(fsPath(c.target)).integrity(), "ok");
        } else {
            expectOneError("BackupDatabase", 75);
            EXPECT_TRUE(prompts_->messageTexts().value(0).contains("a backup must be a file of its own"))
                << prompts_->messageTexts().value(0).toStdString();
            EXPECT_EQ(status(), "");
        }
        EXPECT_TRUE(contentOf(live_) == registerBytes);
        EXPECT_EQ(QFileInfo(live_).isSymLink(), false);
        EXPECT_EQ(companies(), 1);
    }
}

// A register damaged by a crash or a failing disk, emptied, or replaced by another program's database: the good
// backup where the user saves stays as it was, and the message says the register is damaged and how to put a
// backup in its place.
TEST_F(BackupRestore, ADamagedRegisterIsNotBackedUpAndTheMessageSaysWhatToDo) {
    const QString target = inScratch("DEPR.MDB");
    const QByteArray goodBackup = contentOf(live_);
    writeFile(target, goodBackup);
    for (const Damage damage :
         {Damage::ZeroedTablePages, Damage::RandomBytes, Damage::NoBytes, Damage::OtherProgramsDatabase}) {
        SCOPED_TRACE(nameOf(damage));
        prompts_->clearRecords();
        engine::db().Disconnect();
        const QByteArray damaged = damageAt(live_, damage);
        prompts_->answerFile(target);
        BackupDatabase();
        // A register that is no database at all cannot be connected to again either, which a second box says.
        const QString text = prompts_->messageTexts().value(0);
        EXPECT_TRUE(text.startsWith("Error in BackupDatabase '" + live_ + "' is damaged: ")) << text.toStdString();
        EXPECT_TRUE(text.contains("A damaged register is not copied: File > Restore Database puts a backup in its "
                                  "place.")) << text.toStdString();
        EXPECT_EQ(status(), "");
        EXPECT_EQ(QDir(scratch_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"DEPR.MDB"});
        EXPECT_TRUE(contentOf(target) == goodBackup);
        EXPECT_TRUE(contentOf(live_) == damaged);
    }
}

TEST_F(BackupRestore, BackupThatCannotWriteReportsAndReconnects) {
    prompts_->answerFile(inScratch("no such folder/DEPR.MDB"));
    BackupDatabase();
    expectOneError("BackupDatabase", 75);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(companies(), 1);
}

using tally::testing::FileSizeLimit;

// Qt's own save dialog, typed into as the user does: a name with a double quote, which the dialog would cut down
// to the part between the quotes (my"copy.mdb became copy.mdb, reported as a successful backup), is refused
// there with a message, and nothing is written or claimed.
TEST_F(BackupRestore, ANameWithADoubleQuoteIsRefusedInTheDialogAndNothingIsWritten) {
    const QDir home(QDir::homePath());
    // The files the dialog's folder holds (the dialog keeps its own state in a folder of settings).
    const QStringList before = home.entryList(QDir::Files | QDir::Hidden);
    std::unique_ptr<ui::Prompts> fake = ui::installPrompts(ui::makeQtPrompts());
    QStringList boxes;
    bool typed = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->text();
            QTest::mouseClick(static_cast<QWidget*>(box->button(QMessageBox::Ok)), Qt::LeftButton);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (typed) {
                QTest::keyClick(dialog, Qt::Key_Escape);  // the user gives up
                return;
            }
            typed = true;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->selectAll();
            QTest::keyClicks(name, QStringLiteral("my\"copy.mdb"));
            // Pressed from its own event, so that this timer is free to answer a box the key opens.
            QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
        }
    });
    user.start(10);
    BackupDatabase();
    user.stop();
    ui::installPrompts(std::move(fake));
    EXPECT_TRUE(typed);
    EXPECT_EQ(boxes, QStringList{"A file name cannot contain a double quote (\"). Please type the name without it."});
    EXPECT_EQ(home.entryList(QDir::Files | QDir::Hidden), before);
    EXPECT_EQ(status(), "");
}


TEST_F(BackupRestore, ABackupThatFailsHalfWayLeavesTheOlderBackupWhole) {
    const QString target = inScratch("DEPR.MDB");
    const QByteArray older("an older backup, kept until a whole new one is written\n");
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(older);
    }
    prompts_->answerFile(target);
    {
        FileSizeLimit limit(static_cast<rlim_t>(QFileInfo(live_).size() / 2));
        BackupDatabase();
    }
    expectOneError("BackupDatabase", 75);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), older);
    EXPECT_EQ(QDir(scratch_.path()).entryList(QDir::Files), QStringList{"DEPR.MDB"});  // no part-written copy
    EXPECT_EQ(companies(), 1);
}

TEST_F(BackupRestore, AReconnectThatFailsAfterAFailedBackupIsReportedAfterIt) {
    // The live file is gone: the copy fails, and so does opening the connection again.
    engine::modDatabase::UseDatabaseFile(inScratch("gone/DEPR.MDB").toStdString());
    prompts_->answerFile(inScratch("DEPR.MDB"));
    BackupDatabase();
    const QStringList texts = prompts_->messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("Error in BackupDatabase ")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].endsWith(" Error Number: 53")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("Error in dbConnection ")) << texts[1].toStdString();
    EXPECT_EQ(status(), "");
    engine::modDatabase::UseDatabaseFile(live_.toStdString());
}

// A backup with one more company, to restore from.
class Restore : public BackupRestore {
protected:
    QString backupWithExtraCompany(const QString& name) {
        const QString copy = inScratch(name);
        EXPECT_TRUE(QFile::copy(live_, copy));
        engine::modDatabase::UseDatabaseFile(copy.toStdString());
        engine::db().ExecuteSql("Insert into tblCompany ([Company Name]) values ('Restored Co')");
        engine::modDatabase::UseDatabaseFile(live_.toStdString());
        return copy;
    }
    std::int32_t companiesIn(const QString& path) const {
        engine::modDatabase::UseDatabaseFile(path.toStdString());
        const std::int32_t count = companies();
        engine::modDatabase::UseDatabaseFile(live_.toStdString());
        return count;
    }
    // What the live file's folder holds; a scratch copy left behind would show here.
    QStringList liveFolder() const {
        return QDir(QFileInfo(live_).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // What a restore that went through shows: no box, the success text, the engine at work on the restored file
    // with its `count` companies, and the old register kept beside it as the ".bak" and nothing else.
    void expectRestored(std::int32_t count) const {
        EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
        EXPECT_EQ(status(), "Database was successfully restored.");
        EXPECT_EQ(companies(), count);
        EXPECT_EQ(liveFolder(), liveAndBak_);
    }
    const QStringList liveAndBak_{"Depr.mdb", "Depr.mdb.bak"};
};

TEST_F(Restore, AFileOfAnotherNameIsRefusedAndNothingIsTouched) {
    const QString other = inScratch("backup.mdb");
    QFile::copy(live_, other);
    prompts_->answerFile(other);
    restoreWithChildrenClosed();
    ASSERT_EQ(prompts_->messages.size(), 1u);
    EXPECT_EQ(prompts_->messages[0].text, "File name must be DEPR.MDB");
    EXPECT_EQ(prompts_->messages[0].title, "Restore Database");
    EXPECT_EQ(prompts_->messages[0].style, ui::mb::Critical);
    EXPECT_TRUE(engine::modDatabase::IsConnected());
    EXPECT_FALSE(QFile::exists(live_ + ".bak"));
}

// The user's register is damaged (a crash, a failing disk) and the user restores a backup taken earlier: the
// damaged file is kept byte for byte as the ".bak", the backup takes the register's place, and this copy of the
// program and another started afterwards work on it.
TEST_F(Restore, ADamagedRegisterIsReplacedByTheBackupAndKeptByteForByteAsBak) {
    const QString backup = backupWithExtraCompany("DEPR.MDB");
    const QByteArray whole = contentOf(live_);
    for (const Damage damage : tally::testing::kEveryDamage) {
        SCOPED_TRACE(nameOf(damage));
        prompts_->clearRecords();
        engine::db().Disconnect();
        QFile::remove(live_ + ".bak");
        writeFile(live_, whole);
        const QByteArray damaged = damageAt(live_, damage);
        if (damage != Damage::NoBytes) {
            ASSERT_NE(RegisterReader(fsPath(live_)).integrity(), "ok");
        }
        prompts_->answerFile(backup);
        restoreWithChildrenClosed();
        expectRestored(2);
        EXPECT_EQ(RegisterReader(fsPath(live_)).integrity(), "ok");
        EXPECT_TRUE(contentOf(live_ + ".bak") == damaged);

        tally::testing::RegisterWriterProcess secondCopy(fsPath(live_), "saves");
        EXPECT_TRUE(secondCopy.waitForSaves(3));
        EXPECT_EQ(secondCopy.stop(), 0);
        EXPECT_TRUE(secondCopy.errors().empty()) << secondCopy.errors().front();
        const RegisterReader restored(fsPath(live_));
        EXPECT_EQ(restored.writerAssets().size(), secondCopy.saved().size());
        EXPECT_EQ(restored.integrity(), "ok");
    }
}

// The register picked as its own backup is checked as any other file: whole, it is restored onto itself; damaged,
// it is refused with the reason rather than reported restored.
TEST_F(Restore, TheRegisterPickedAsItsOwnBackupIsCheckedAsAnyOther) {
    prompts_->answerFile(live_);
    restoreWithChildrenClosed();
    expectRestored(1);

    DisplayMsg({});
    engine::db().Disconnect();
    const QByteArray damaged = damageAt(live_, Damage::ZeroedTablePages);
    prompts_->answerFile(live_);
    restoreWithChildrenClosed();
    expectOneError("RestoreDatabase");
    EXPECT_TRUE(prompts_->messageTexts().value(0).contains("integrity check"))
        << prompts_->messageTexts().value(0).toStdString();
    EXPECT_EQ(status(), "");
    EXPECT_TRUE(contentOf(live_) == damaged);
}

TEST_F(Restore, ALowerCaseNameIsTakenAndTheOldFileKeptAsBak) {
    const QString backup = backupWithExtraCompany("depr.mdb");
    prompts_->answerFile(backup);
    restoreWithChildrenClosed();
    EXPECT_TRUE(prompts_->fileDialogs.at(0).request.mustExist);
    EXPECT_EQ(prompts_->fileDialogs.at(0).request.title, "Select Database to Restore");
    expectRestored(2);
    EXPECT_EQ(companiesIn(live_ + ".bak"), 1);
}

TEST_F(Restore, ALinkToTheLiveFilesOwnBakRestoresTheBakAndKeepsTheOldLiveFileInItsPlace) {
    // The usual way to undo the last restore, since the ".bak" itself is refused by its name.
    ASSERT_TRUE(QFile::rename(backupWithExtraCompany("two companies.mdb"), live_ + ".bak"));
    const QString link = inScratch("DEPR.MDB");
    ASSERT_TRUE(QFile::link(live_ + ".bak", link));
    prompts_->answerFile(link);
    restoreWithChildrenClosed();
    expectRestored(2);
    EXPECT_EQ(companiesIn(live_ + ".bak"), 1);
}

// Whole or damaged, a register reached through a link is restored where it lies.
TEST_F(Restore, ALiveFileReachedThroughALinkIsReplacedWhereItLiesAndTheLinkStays) {
    const QString backup = backupWithExtraCompany("DEPR.MDB");
    ASSERT_TRUE(QDir(scratch_.path()).mkdir("real"));
    const QString real = inScratch("real/Depr.mdb");
    ASSERT_TRUE(QFile::rename(live_, real));
    ASSERT_TRUE(QFile::link(real, live_));
    const QByteArray whole = contentOf(real);
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged" : "whole");
        engine::db().Disconnect();
        writeFile(real, whole);
        if (damaged) damageAt(real, Damage::ZeroedTablePages);
        const QByteArray before = contentOf(real);
        prompts_->answerFile(backup);
        restoreWithChildrenClosed();
        EXPECT_TRUE(prompts_->messages.empty()) << prompts_->messageTexts().join('\n').toStdString();
        EXPECT_TRUE(QFileInfo(live_).isSymLink());
        EXPECT_EQ(companiesIn(real), 2);
        EXPECT_TRUE(contentOf(live_ + ".bak") == before);
        EXPECT_EQ(QDir(inScratch("real")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"Depr.mdb"});
    }
}

TEST_F(Restore, ChangesStillInTheChosenFilesWalAreRestored) {
    const QString chosen = inScratch("DEPR.MDB");
    ASSERT_TRUE(QFile::copy(live_, chosen));
    {
        // As another SQLite tool leaves a file it had open: the last commit only in the -wal.
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(chosen.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
        ASSERT_EQ(sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr), SQLITE_OK);
        for (const char* sql : {"PRAGMA journal_mode=WAL", "PRAGMA wal_autocheckpoint=0",
                                "Insert into tblCompany ([Company Name]) values ('Restored Co')"})
            ASSERT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(raw);
    }
    ASSERT_GT(QFileInfo(chosen + "-wal").size(), 0);
    prompts_->answerFile(chosen);
    restoreWithChildrenClosed();
    expectRestored(2);
}

// Runs `sql` on a copy of the live file made at `path`.
void copyAndChange(const QString& live, const QString& path, const char* sql) {
    ASSERT_TRUE(QFile::copy(live, path));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql << sqlite3_errmsg(raw);
}

// Only a regular file that is whole and has every table and column of the program's database is taken; anything
// else is refused with the reason, before a window closes or a byte of the live file changes.
TEST_F(Restore, AFileThatIsNotAWholeDatabaseOfThisProgramIsRefusedWithTheReason) {
    struct Case {
        const char* folder;
        std::function<void(const QString& path)> make;
        const char* reason;
    } cases[] = {
        {"garbage",
         [](const QString& path) { writeFile(path, QByteArray("not a database, only text\n").repeated(200)); },
         "file is not a database"},
        {"empty", [](const QString& path) { writeFile(path, {}); }, "it has no table"},
        {"index damage",
         [this](const QString& path) {
             // The index no longer matches its table's rows, which a quick check does not see.
             copyAndChange(live_, path,
                           "CREATE INDEX idxCompanyName ON tblCompany ([Company Name]);"
                           "PRAGMA writable_schema = ON;"
                           "UPDATE sqlite_master SET sql = 'CREATE INDEX idxCompanyName ON tblCompany (City)'"
                           " WHERE name = 'idxCompanyName'");
         },
         "integrity check"},
        {"other columns",
         [this](const QString& path) {
             copyAndChange(live_, path, "ALTER TABLE tblDefaults RENAME COLUMN DefaultYear TO OtherYear");
         },
         "has no column DefaultYear"},
        {"missing table",
         [this](const QString& path) { copyAndChange(live_, path, "DROP TABLE tblMacrsHalf"); },
         "has no table tblMacrsHalf"},
        {"fifo", [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); },
         "not a regular file"},
        {"folder", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); }, "not a regular file"},
    };
    const QByteArray liveBytes = contentOf(live_);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        prompts_->clearRecords();
        QDir(scratch_.path()).mkdir(c.folder);
        const QString path = inScratch(QString(c.folder) + "/Depr.mdb");
        c.make(path);
        prompts_->answerFile(path);
        restoreWithChildrenClosed();
        expectOneError("RestoreDatabase");
        EXPECT_TRUE(prompts_->messageTexts().value(0).contains(QLatin1String(c.reason)))
            << prompts_->messageTexts().value(0).toStdString();
        EXPECT_EQ(status(), "");
        EXPECT_EQ(companies(), 1);
        EXPECT_TRUE(contentOf(live_) == liveBytes);
        EXPECT_EQ(liveFolder(), QStringList{"Depr.mdb"});
    }
}

TEST_F(Restore, AFailureAfterDisconnectingLeavesTheLiveFileAndReconnects) {
    const QString backup = backupWithExtraCompany("DEPR.MDB");
    ASSERT_TRUE(QDir().mkdir(live_ + ".bak"));  // the safety copy cannot be written
    prompts_->answerFile(backup);
    restoreWithChildrenClosed();
    expectOneError("RestoreDatabase");
    EXPECT_EQ(status(), "");
    EXPECT_TRUE(engine::modDatabase::IsConnected());
    EXPECT_EQ(companies(), 1);
    EXPECT_EQ(liveFolder(), liveAndBak_);  // the checked copy is gone again
}

TEST_F(Restore, ACopyThatFailsHalfWayLeavesTheLiveFileAndNoBakOrScratchFile) {
    const QString backup = backupWithExtraCompany("DEPR.MDB");
    prompts_->answerFile(backup);
    {
        FileSizeLimit limit(static_cast<rlim_t>(QFileInfo(live_).size() / 2));
        restoreWithChildrenClosed();
    }
    expectOneError("RestoreDatabase", 75);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(companies(), 1);
    EXPECT_EQ(liveFolder(), QStringList{"Depr.mdb"});
}

class KeepsOpen : public QWidget {
public:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST_F(Restore, OpenWindowsCloseFirstAndOneThatStaysStopsTheRestore) {
    const QString backup = backupWithExtraCompany("Depr.mdb");
    auto* closes = new QWidget;
    mainWindow()->mdiArea().addSubWindow(closes)->show();
    auto* stays = new KeepsOpen;
    mainWindow()->mdiArea().addSubWindow(stays)->show();
    prompts_->answerFile(backup);
    restoreWithChildrenClosed();
    EXPECT_EQ(companies(), 1);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(QFile::exists(live_ + ".bak"));

    stays->parentWidget()->setAttribute(Qt::WA_DeleteOnClose);
    delete stays->parentWidget();
    prompts_->answerFile(backup);
    restoreWithChildrenClosed();
    EXPECT_EQ(companies(), 2);
}

}  // namespace
}  // namespace tally::desk::testing
