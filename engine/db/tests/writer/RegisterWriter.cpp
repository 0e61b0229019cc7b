// Another copy of the program at work on a register, for the tests of copies taken while it writes: it saves
// assets through the engine as the asset window does (the asset's row and its depreciation schedule in one
// transaction) and tells each confirmed save on its standard output.
//
//   register_writer <register> saves     saves without pause until it is stopped: "saved <name>" after each
//                                        commit, "error <description>" and exit status 1 when a save fails
//   register_writer <register> dies      begins one large save and stops in the middle of it, "in the middle"
//                                        once part of it is in the register's file, and waits to be killed

#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>

#include "CalcDepr.h"
#include "ComError.h"
#include "VbDate.h"
#include "modDatabase.h"

namespace {

namespace modDatabase = tally::engine::modDatabase;

constexpr std::int32_t kCompany = 1;
// So many assets in the one save that it no longer fits SQLite's page cache, which then writes part of it into
// the register's file before the commit.
constexpr int kAssetsInALargeSave = 400;

volatile std::sig_atomic_t stopRequested = 0;

void tell(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// A five-year MACRS asset placed in service in 2020: six rows of depreciation.
void saveAsset(const std::string& name) {
    modDatabase::ExecuteQuery("INSERT INTO tblAssets (Company_Id, Asset_name, Cost, [Allowance 30 %], "
                              "[179_deduction], In_Service_date, depr_method, life, convention, other_deductions, "
                              "bussiness_percent, sold_date, sold_amt, amortize_code, Type_179) VALUES (" +
                                  std::to_string(kCompany) + ", '" + name +
                                  "', 10000, 0, 0, '2020-03-01', 1, 5, 1, 0, 1, '" + vb::notSoldDate().toIso() +
                                  "', 0, 0, False)",
                              modDatabase::SharedConnection());
    const std::int32_t number = modDatabase::ReturnDbData("Select max(Asset_num) from tblAssets");
    tally::engine::CalcDepr().DoMacrsDepr(10000, 5, 0, kCompany, number, 1, vb::Date(2020, 3, 1),
                                          vb::notSoldDate(), "N", 0, 0, 1);
}

int saveWithoutPause() {
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    const std::string prefix = "Writer " + std::to_string(::getpid()) + "-";
    for (long i = 0; !stopRequested; ++i) {
        const std::string name = prefix + std::to_string(i);
        tally::engine::inOneTransaction([&] { saveAsset(name); });
        tell("saved " + name);
    }
    return 0;
}

int dieInTheMiddleOfASave() {
    tally::engine::inOneTransaction([&] {
        for (int i = 0; i < kAssetsInALargeSave; ++i) saveAsset("Never committed " + std::to_string(i));
        tell("in the middle");
        for (;;) ::pause();
    });
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: register_writer <register> saves|dies\n", stderr);
        return 2;
    }
    modDatabase::UseDatabaseFile(argv[1]);
    const std::string mode = argv[2];
    try {
        return mode == "dies" ? dieInTheMiddleOfASave() : saveWithoutPause();
    } catch (const tally::ComError& e) {
        tell("error " + e.description());
        return 1;
    }
}
