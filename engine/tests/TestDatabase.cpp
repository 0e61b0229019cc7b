#include "TestDatabase.h"

#include "modDatabase.h"

namespace tally::testing {

namespace fs = std::filesystem;

fs::path shippedDatabasePath() { return fs::path(TALLY_BIN_DIR) / "Depr.mdb"; }

TestDatabase::TestDatabase() {
    fs::copy_file(shippedDatabasePath(), path());
    engine::modDatabase::UseDatabaseFile(path().string());
}

TestDatabase::~TestDatabase() {
    engine::modDatabase::SetSharedConnection(nullptr);
}

void TestDatabase::exec(const std::string& sql) const {
    engine::modDatabase::ExecuteQuery(sql, engine::modDatabase::SharedConnection());
}

}  // namespace tally::testing
