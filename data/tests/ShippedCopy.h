#pragma once
// A copy of the shipped database in a scratch folder, opened through the program's own connection, so statements
// run exactly as the program runs them: translated from the Jet dialect first.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Connection.h"
#include "ScratchFolder.h"
#include "SqliteFile.h"

namespace tally::data::testing {

class ShippedCopy : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(shippedDatabasePath(), scratch_ / "Depr.mdb");
        connection_ = std::make_unique<ado::Connection>((scratch_ / "Depr.mdb").string());
    }
    void TearDown() override { connection_.reset(); }

    tally::testing::ScratchFolder scratch_;
    std::unique_ptr<ado::Connection> connection_;
};

}  // namespace tally::data::testing
