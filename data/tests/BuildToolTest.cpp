// The database build tool: a fault in a reference file stops the build and leaves no database, half-made or
// otherwise, in place of the last good one.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SqliteFile.h"
#include "ScratchFolder.h"

namespace tally::data::testing {
namespace {

namespace fs = std::filesystem;

class BuildTool : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = scratch_.path();
        for (const char* file : {"macrs-gds-percentages.csv", "section179-limits.csv", "vehicle-limits.csv"})
            fs::copy_file(referenceFolder() / file, folder_ / file);
    }

    fs::path output() const { return folder_ / "Depr.mdb"; }

    // Runs the tool on the copied reference files; returns its exit status.
    int build() const {
        fs::path data = fs::path(TALLY_SOURCE_DIR) / "data";
        std::string command = "'" + std::string(MAKE_DEPR_DB) + "' '" + output().string() + "' '" +
                              (data / "schema.sql").string() + "' '" + (data / "seed.sql").string() + "'";
        for (const char* file : {"macrs-gds-percentages.csv", "section179-limits.csv", "vehicle-limits.csv"})
            command += " '" + (folder_ / file).string() + "'";
        int status = std::system((command + " 2>/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void appendLine(const char* file, const std::string& line) const {
        std::ofstream(folder_ / file, std::ios::app) << line << "\n";
    }

    bool onlyFileIsOutput() const {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().extension() != ".csv") ++files;
        return files == (fs::exists(output()) ? 1 : 0);
    }

    tally::testing::ScratchFolder scratch_;
    fs::path folder_;
};

TEST_F(BuildTool, BuildsACompleteDatabaseUnderTheFinalNameOnly) {
    ASSERT_EQ(build(), 0);
    EXPECT_TRUE(onlyFileIsOutput());
    SqliteFile built = SqliteFile::readOnly(output());
    EXPECT_EQ(built.text("SELECT count(*) FROM tblMaxAuto"), "48");
    EXPECT_EQ(built.text("SELECT count(*) FROM tblDefaults"), "1");
    EXPECT_EQ(built.text("PRAGMA journal_mode"), "delete");
}

struct FaultCase {
    std::string name;
    const char* file;
    std::string line;
};

class BuildToolFaults : public BuildTool, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(BuildToolFaults, StopTheBuildAndKeepTheLastGoodFile) {
    { std::ofstream(output()) << "last good file"; }
    appendLine(GetParam().file, GetParam().line);
    EXPECT_NE(build(), 0);
    std::ostringstream kept;
    kept << std::ifstream(output()).rdbuf();
    EXPECT_EQ(kept.str(), "last good file");
    EXPECT_TRUE(onlyFileIsOutput()) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceFiles, BuildToolFaults,
    ::testing::Values(FaultCase{"PercentWithComma", "macrs-gds-percentages.csv", "tblMacrsHalf,Half3,4,7,41"},
                      FaultCase{"PercentNotANumber", "macrs-gds-percentages.csv", "tblMacrsHalf,Half3,4,n/a"},
                      FaultCase{"RecoveryYearBeyondTable", "macrs-gds-percentages.csv",
                                "tblMacrsHalf,Half20,22,1.00"},
                      FaultCase{"UnknownRateColumn", "macrs-gds-percentages.csv", "tblMacrsHalf,Half25,1,3.00"},
                      FaultCase{"TableNameWithSql", "macrs-gds-percentages.csv",
                                "tblMacrsHalf] SET Half3 = 0; --,Half3,1,1.00"},
                      FaultCase{"DuplicateSection179Year", "section179-limits.csv", "2025,1,1"},
                      FaultCase{"LimitWithThousandsSeparator", "section179-limits.csv", "2030,\"2,500,000\",1"},
                      FaultCase{"DuplicateVehicleYearAndType", "vehicle-limits.csv", "2025,gas,0,1,1,1,1,1"},
                      FaultCase{"FractionalVehicleYear", "vehicle-limits.csv", "2030.5,Gas,0,1,1,1,1,1"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tally::data::testing
