#pragma once
// Gives a test its own copy of the shipped database and points the engine at it; the copy and its folder are
// removed when the test ends.

#include <filesystem>
#include <string>

#include "ScratchFolder.h"

namespace tally::testing {

class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path path() const { return folder_ / "Depr.mdb"; }

    // Runs statements in the Jet dialect on the engine's shared connection (seeding test data).
    void exec(const std::string& sql) const;

private:
    ScratchFolder folder_;
};

// The shipped database the build produced.
std::filesystem::path shippedDatabasePath();

}  // namespace tally::testing
