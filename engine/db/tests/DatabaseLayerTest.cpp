#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string_view>

#include <sqlite3.h>

#include "ComError.h"
#include "ErrorNumber.h"
#include "RegisterFile.h"
#include "ScratchFolder.h"
#include "TestDatabase.h"
#include "db.h"
#include "modDatabase.h"

namespace {

using namespace tally::engine;
using tally::ComError;
using vb::Variant;

namespace fs = std::filesystem;
namespace adoerr = ado::adoerr;

using tally::testing::errorOf;

class DatabaseLayer : public ::testing::Test {
protected:
    tally::testing::TestDatabase database;
    db engineDb;
};

TEST_F(DatabaseLayer, ReturnDbDataRoundsHalfToEvenAndGivesZeroForNullOrNoRow) {
    struct Case {
        const char* sql;
        std::int32_t expected;
    };
    for (const Case& c : {Case{"select 2.5", 2}, Case{"select 3.5", 4}, Case{"select -2.5", -2}, Case{"select '7'", 7},
                          Case{"select Null", 0}, Case{"select DefaultYear from tblDefaults where 1 = 0", 0},
                          Case{"select Sum(Cost) from tblAssets where Asset_num < 0", 0}}) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(modDatabase::ReturnDbData(c.sql), c.expected);
    }
    const ComError overflow = errorOf([] { modDatabase::ReturnDbData("select 3000000000"); });
    EXPECT_EQ(overflow.number(), tally::vberr::Overflow);
    EXPECT_EQ(overflow.tagOperation(), "ReturnDbData");
}

TEST_F(DatabaseLayer, ReturnValueGivesTheFirstFieldZeroForNullAndRaisesUntaggedWithoutARow) {
    EXPECT_EQ(engineDb.ReturnValue("select StartUp_Help, DefaultYear from tblDefaults").type(), vb::VarType::Boolean);
    EXPECT_EQ(engineDb.ReturnValue("select Null"), Variant(std::int16_t{0}));
    EXPECT_EQ(engineDb.ReturnValue("select 'text', 1"), Variant("text"));
    const ComError noRow = errorOf([&] { engineDb.ReturnValue("select DefaultYear from tblDefaults where 1 = 0"); });
    EXPECT_EQ(noRow.number(), adoerr::NoCurrentRecord);
    EXPECT_EQ(noRow.tagClass(), "");
    const ComError bad = errorOf([&] { engineDb.ReturnValue("select * from tblNothing"); });
    EXPECT_EQ(bad.number(), adoerr::ProviderError);
    EXPECT_EQ(bad.tagOperation(), "");
}

TEST_F(DatabaseLayer, FailuresCarryTheTagsOfTheRoutineThatRaisedThemLast) {
    const std::string bad = "Delete * from tblNothing";
    struct Case {
        std::function<void()> action;
        const char* tagClass;
        std::string tagOperation;
    };
    ado::Connection& connection = modDatabase::SharedConnection();
    const Case cases[] = {
        {[&] { modDatabase::ExecuteQuery(bad, connection); }, "Database", "ExecuteQuery(" + bad + ")"},
        {[&] { modDatabase::ExecuteQueryReturnRS(bad, connection); }, "Database", "ExecuteQueryReturnRS(" + bad + ")"},
        {[&] { modDatabase::ExecuteQueryReturnRS("select 1", connection, false, {{Variant("p")}}); }, "Database",
         "ExecuteQueryReturnRS(select 1)"},
        {[&] { modDatabase::ReturnDbData(bad); }, "Database", "ReturnDbData"},
        {[&] { engineDb.ExecuteSql(bad); }, "db", "ExecuteSql"},
        {[&] { engineDb.ExecuteSqlCount(bad); }, "db", "ExecuteSqlCount"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tagOperation);
        const ComError e = errorOf(c.action);
        EXPECT_NE(e.number(), 0);
        EXPECT_EQ(e.tagClass(), c.tagClass);
        EXPECT_EQ(e.tagOperation(), c.tagOperation);
    }
}

TEST_F(DatabaseLayer, ExecuteSqlCountGivesTheRowsTheStatementChanged) {
    EXPECT_EQ(engineDb.ExecuteSqlCount("Update tblDefaults set StartUp_Help = True"), 1);
    EXPECT_EQ(engineDb.ExecuteSqlCount("Update tblDefaults set StartUp_Help = True where 1 = 0"), 0);
    // A query before it changes nothing, whatever the statement before that changed.
    EXPECT_EQ(engineDb.ExecuteSqlCount("select 1"), 0);
}

TEST_F(DatabaseLayer, CmdExeReturnsTheErrorNumberInsteadOfRaising) {
    EXPECT_EQ(engineDb.CmdExe("Update tblDefaults set StartUp_Help = False"), 0);
    EXPECT_EQ(engineDb.ReturnValue("select StartUp_Help from tblDefaults"), Variant(false));
    EXPECT_EQ(engineDb.CmdExe("Update tblNothing set x = 1"), adoerr::ProviderError);
    EXPECT_EQ(engineDb.CmdExe("insert into tblDeprMethods (Method) values ('macrs')"), adoerr::DuplicateKey);
    engineDb.Disconnect();
    EXPECT_EQ(engineDb.CmdExe("Update tblDefaults set StartUp_Help = True"), adoerr::ConnectionClosed);
}

TEST_F(DatabaseLayer, DisconnectDropsTheConnectionAndDbConnectionOpensTheFileCopiedIn) {
    const fs::path replacement = database.folder() / "restore.mdb";
    fs::copy_file(database.path(), replacement);
    ado::Connection(replacement.string()).ExecuteAction("Update tblDefaults set DefaultYear = 1999");

    const Variant original = engineDb.ReturnValue("select DefaultYear from tblDefaults");
    ASSERT_NE(original, Variant(std::int16_t{1999}));
    const ado::RecordsetPtr kept = modDatabase::ExecuteQueryReturnRS("select DefaultYear from tblDefaults",
                                                                     modDatabase::SharedConnection());
    EXPECT_EQ(engineDb.Disconnect(), 1);
    EXPECT_FALSE(modDatabase::IsConnected());
    EXPECT_EQ(errorOf([] { modDatabase::ReturnDbData("select DefaultYear from tblDefaults"); }).number(),
              adoerr::ConnectionClosed);
    EXPECT_EQ(errorOf([&] { engineDb.ExecuteSql("Update tblDefaults set DefaultYear = 2001"); }).number(),
              adoerr::ConnectionClosed);
    // A new db object does not reconnect either.
    EXPECT_EQ(errorOf([] { db().ReturnValue("select 1"); }).number(), adoerr::ConnectionClosed);
    EXPECT_EQ((*kept)["DefaultYear"], original);  // the recordset outlives the connection

    fs::copy_file(replacement, database.path(), fs::copy_options::overwrite_existing);
    engineDb.dbConnection();
    EXPECT_EQ(modDatabase::ReturnDbData("select DefaultYear from tblDefaults"), 1999);
}

TEST_F(DatabaseLayer, AMissingFileIsNeverCreatedAndReconnectingToItRaises) {
    const fs::path missing = database.folder() / "gone" / "Depr.mdb";
    fs::create_directory(missing.parent_path());
    modDatabase::UseDatabaseFile(missing.string());
    const ComError atQuery = errorOf([] { modDatabase::ReturnDbData("select DefaultYear from tblDefaults"); });
    EXPECT_EQ(atQuery.number(), adoerr::CannotOpenDatabase);
    EXPECT_EQ(atQuery.source(), "Microsoft JET Database Engine");

    engineDb.Disconnect();
    const ComError atReconnect = errorOf([&] { engineDb.dbConnection(); });
    EXPECT_EQ(atReconnect.number(), adoerr::CannotOpenDatabase);
    EXPECT_EQ(atReconnect.tagOperation(), "GetADOConnection");
    EXPECT_FALSE(modDatabase::IsConnected());
    EXPECT_TRUE(fs::is_empty(missing.parent_path()));
}

struct ProgramRun {
    int spawnError = 0;  // posix_spawn's error number, 0 when the program started
    int status = -1;     // the wait status once it started
};

// Runs `program` with `arguments` and `extraVariable` added to this process's environment, its output going to
// `log`. The test framework's own variables are left out: a sharded run (GTEST_TOTAL_SHARDS, GTEST_SHARD_INDEX)
// would leave the child no test to run, and GTEST_OUTPUT would have it write over this run's report.
ProgramRun runProgram(const fs::path& program, const std::vector<std::string>& arguments,
                      const std::string& extraVariable, const fs::path& log) {
    std::vector<std::string> argumentTexts{program.string()};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argumentTexts) argv.push_back(text.data());
    argv.push_back(nullptr);
    std::string variable = extraVariable;
    std::vector<char*> envp;
    for (char** entry = environ; *entry; ++entry) {
        if (!std::string_view(*entry).starts_with("GTEST_")) envp.push_back(*entry);
    }
    envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = 0;
    ProgramRun run;
    run.spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (run.spawnError != 0) return run;
    if (waitpid(child, &run.status, 0) != child) run.status = -1;
    return run;
}

std::string textOf(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

constexpr const char* kStartedFromAnEmptyFolder = "TALLY_ENGINE_STARTED_FROM_AN_EMPTY_FOLDER";

// Main runs once per process, on the engine's first use, against the user's register, made from the copy shipped
// beside the engine. To take that road in a fresh process with neither file, the test runs a copy of this binary
// from a folder without the shipped copy, and the copy runs only this test (the first branch).
TEST(DatabaseStart, MainSwallowsAMissingFileAndTheFirstQueryRaisesTheProvidersErrorWithoutCreatingIt) {
    if (std::getenv(kStartedFromAnEmptyFolder)) {
        EXPECT_NO_THROW(modDatabase::Main());
        EXPECT_EQ(modDatabase::DatabasePath(), RegisterFile::Path().string());
        for (int query = 0; query < 2; ++query) {  // the file's own error each time, never a closed connection
            SCOPED_TRACE(query);
            const ComError e = errorOf([] { modDatabase::ReturnDbData("select DefaultYear from tblDefaults"); });
            EXPECT_EQ(e.number(), adoerr::CannotOpenDatabase);
            EXPECT_EQ(e.source(), "Microsoft JET Database Engine");
            // Both files the start looked for are named: the register and the shipped copy to make it from.
            EXPECT_NE(e.description().find(modDatabase::DatabasePath()), std::string::npos) << e.description();
            EXPECT_NE(e.description().find(RegisterFile::ShippedCopy().string()), std::string::npos)
                << e.description();
        }
        EXPECT_EQ(errorOf([] { db().ReturnValue("select 1"); }).number(), adoerr::CannotOpenDatabase);
        EXPECT_FALSE(fs::exists(RegisterFile::Folder()));
        return;
    }
    tally::testing::ScratchFolder installation;
    tally::testing::ScratchFolder output;
    const fs::path copy = installation / "engine_db_tests";
    fs::copy_file("/proc/self/exe", copy);
    const ::testing::TestInfo& self = *::testing::UnitTest::GetInstance()->current_test_info();
    const ProgramRun run = runProgram(
        copy, {"--gtest_filter=" + std::string(self.test_suite_name()) + "." + self.name()},
        std::string(kStartedFromAnEmptyFolder) + "=1", output / "log.txt");
    if (run.spawnError == EACCES) GTEST_SKIP() << "the scratch folder does not allow running programs (noexec)";
    ASSERT_EQ(run.spawnError, 0) << std::strerror(run.spawnError);
    const int status = run.status;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << textOf(output / "log.txt");
    EXPECT_NE(textOf(output / "log.txt").find("[  PASSED  ] 1 test"), std::string::npos);
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(installation.path())) files.push_back(entry.path());
    EXPECT_EQ(files, std::vector<fs::path>{copy});
}

TEST(DatabaseLocation, TheShippedCopyLiesBesideTheEngineAndTheRegisterInTheDataFolder) {
    modDatabase::UseRegister();  // whatever file a test before this one pointed the engine at
    const std::string self = fs::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(modDatabase::AppPath(), self);
    EXPECT_EQ(RegisterFile::ShippedCopy(), fs::path(self) / kDatabaseFileName);
    const fs::path dataHome = std::getenv("XDG_DATA_HOME");
    EXPECT_EQ(modDatabase::DatabasePath(), (dataHome / "tallyvane" / kDatabaseFileName).string());
}

// The installation folder the build fills: the engine library with the shipped database beside it, a database of
// the program (read without ever opening it for writing).
TEST(DatabaseLocation, TheBuildPlacesTheShippedDatabaseBesideTheEngineLibrary) {
    const fs::path installation = fs::path(TALLY_BIN_DIR);
    EXPECT_TRUE(fs::is_regular_file(installation / "libTally_Engine.so"));
    ASSERT_TRUE(fs::is_regular_file(installation / kDatabaseFileName));
    sqlite3* shipped = nullptr;
    ASSERT_EQ(sqlite3_open_v2((installation / kDatabaseFileName).c_str(), &shipped, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(shipped, sqlite3_close);
    int rows = -1;
    const auto count = [](void* out, int, char** values, char**) {
        *static_cast<int*>(out) = std::atoi(values[0]);
        return 0;
    };
    EXPECT_EQ(sqlite3_exec(shipped, "select count(*) from tblDefaults", count, &rows, nullptr), SQLITE_OK);
    EXPECT_EQ(rows, 1);
}

}  // namespace
