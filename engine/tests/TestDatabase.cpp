#include "TestDatabase.h"

#include <stdexcept>
#include <unistd.h>

#include "modDatabase.h"

namespace tally::testing {

namespace fs = std::filesystem;

fs::path shippedDatabasePath() { return fs::path(TALLY_BIN_DIR) / "Depr.mdb"; }

TestDatabase::TestDatabase() {
    std::string pattern = (fs::temp_directory_path() / "tally-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
    folder_ = pattern;
    fs::copy_file(shippedDatabasePath(), path());
    engine::modDatabase::UseDatabaseFile(path().string());
}

TestDatabase::~TestDatabase() {
    engine::modDatabase::SetSharedConnection(nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void TestDatabase::exec(const std::string& sql) const {
    engine::modDatabase::ExecuteQuery(sql, engine::modDatabase::SharedConnection());
}

}  // namespace tally::testing
