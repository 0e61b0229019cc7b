// Times the engine and the Form 4562 writer on generated registers of 1,000 and 10,000 assets: saving one asset
// (its rows deleted, its schedule written, its gain or loss stored) beside the same rows written with SQLite alone
// in one transaction and with one commit per row, and saved again with another cost each time; each list report's
// query; a backup and a restore of the whole register; the Form 4562 figures; and the whole form for a tax year
// filled as a PDF form and one written as FDF.
// `make bench` builds and runs it; it is not one of the tests.

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CalcDepr.h"
#include "Connection.h"
#include "Conversions.h"
#include "DatabaseFiles.h"
#include "DeprSupport.h"
#include "Display4562.h"
#include "Form4562Figures.h"
#include "ScopedHome.h"
#include "ScratchFolder.h"
#include "TestDatabase.h"
#include "UserFormsFolder.h"
#include "VbDate.h"
#include "modDatabase.h"

namespace {

namespace fs = std::filesystem;
using tally::engine::CalcDepr;
using tally::engine::DeprSupport;
namespace DatabaseFiles = tally::engine::DatabaseFiles;
namespace modDatabase = tally::engine::modDatabase;

constexpr std::int32_t kCompany = 1;
constexpr std::int16_t kReportYear = 2010;
constexpr std::int16_t kPdfYear = 2010;
constexpr std::int16_t kFdfYear = 2008;
constexpr std::int32_t kFirstAsset = 1000;

// The filled form goes nowhere: the benchmark times the writer, not a viewer.
class NoViewer : public tally::forms::FormOpener {
public:
    void open(const fs::path&) override {}
};

// One generated asset: a method the desktop offers with the engine routine its save calls.
struct AssetKind {
    int method;  // tblDeprMethods id
    double life;
    std::int16_t convention;
    const char* engineMethod;  // "MACRS" for the rate tables, else the formula DoDepr takes
    double businessShare = 1;
    bool section179 = false;
    int amortizeCode = 0;
};

const AssetKind kKinds[] = {
    {1, 5, 1, "MACRS"},          {1, 7, 2, "MACRS"},  {1, 3, 1, "MACRS"},          {1, 15, 1, "MACRS"},
    {1, 7, 1, "MACRS", 1, true}, {4, 10, 4, "S/L"},   {2, 10, 1, "ADS"},           {1, 39, 3, "Macrs39"},
    {9, 5, 1, "MACRS", 0.8},     {3, 15, 4, "Amortize", 1, false, 197},
};

struct Asset {
    std::int32_t number;
    const AssetKind* kind;
    double cost;
    double section179;
    vb::Date inService;
    vb::Date sold;
    double salesAmount;
    double netCost() const { return cost * kind->businessShare - section179; }
};

// The statements a save runs, written with SQLite alone on a connection of its own: the rows the engine wrote for
// the asset, prepared once and bound per row.
class RawSave {
public:
    explicit RawSave(std::int32_t asset) : asset_(asset) {
        if (sqlite3_open_v2(modDatabase::DatabasePath().c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the register");
        const auto rs = modDatabase::ExecuteQueryReturnRS(
            "Select [year], depr, accum_depr from tblDepr where asset_num = " + std::to_string(asset_),
            modDatabase::SharedConnection());
        for (; !rs->EOF_(); rs->MoveNext())
            rows_.push_back({(*rs)[0].toInt(), (*rs)[1].toDouble(), (*rs)[2].toDouble()});
        gain_ = modDatabase::ReturnDbData("Select gain_loss from tblAssets where Asset_num = " +
                                          std::to_string(asset_));
    }
    ~RawSave() { sqlite3_close_v2(db_); }
    RawSave(const RawSave&) = delete;
    RawSave& operator=(const RawSave&) = delete;

    void run(bool oneTransaction) {
        if (oneTransaction) exec("BEGIN");
        step("DELETE FROM tblDepr WHERE asset_num = ?", [&](sqlite3_stmt* s) { sqlite3_bind_int(s, 1, asset_); });
        Statement insert(db_, "INSERT INTO tblDepr (client_num, asset_num, year, depr, accum_depr) VALUES (?,?,?,?,?)");
        for (const Row& row : rows_) {
            sqlite3_bind_int(insert.get(), 1, kCompany);
            sqlite3_bind_int(insert.get(), 2, asset_);
            sqlite3_bind_int(insert.get(), 3, row.year);
            sqlite3_bind_double(insert.get(), 4, row.depr);
            sqlite3_bind_double(insert.get(), 5, row.accum);
            insert.stepOnce();
        }
        step("SELECT max(accum_depr) FROM tblDepr WHERE asset_num = ?",
             [&](sqlite3_stmt* s) { sqlite3_bind_int(s, 1, asset_); });
        step("UPDATE tblAssets SET gain_loss = ? WHERE Asset_num = ?", [&](sqlite3_stmt* s) {
            sqlite3_bind_int(s, 1, gain_);
            sqlite3_bind_int(s, 2, asset_);
        });
        if (oneTransaction) exec("COMMIT");
    }

private:
    struct Row {
        int year;
        double depr;
        double accum;
    };
    class Statement {
    public:
        Statement(sqlite3* db, const char* sql) {
            if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) throw std::runtime_error(sql);
        }
        ~Statement() { sqlite3_finalize(stmt_); }
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        sqlite3_stmt* get() const { return stmt_; }
        void stepOnce() {
            const int rc = sqlite3_step(stmt_);
            if (rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error("a raw statement failed");
            sqlite3_reset(stmt_);
        }

    private:
        sqlite3_stmt* stmt_ = nullptr;
    };

    void exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw std::runtime_error(sql);
    }
    void step(const char* sql, const std::function<void(sqlite3_stmt*)>& bind) {
        Statement statement(db_, sql);
        bind(statement.get());
        statement.stepOnce();
    }

    std::int32_t asset_;
    sqlite3* db_ = nullptr;
    std::vector<Row> rows_;
    std::int32_t gain_ = 0;
};

// A company's register of `count` assets of every kind, placed in service from 1998 to 2010, every seventeenth
// disposed of three years later, each with the rows its save computed; plus the year data Form 4562 reads and
// the user's forms folder with the template set. The engine works on a copy of the shipped database.
class GeneratedRegister {
public:
    explicit GeneratedRegister(int count) : count_(count) {
        modDatabase::SetSharedConnection(modDatabase::GetADOConnection());  // as the program opens it
        const fs::path forms = tally::forms::UserFormsFolder();
        fs::create_directories(forms);
        fs::copy(fs::path(TALLY_BIN_DIR) / "Files", forms, fs::copy_options::recursive);

        ado::Transaction transaction(modDatabase::SharedConnection());
        for (const char* year : {"2008", "2010"}) {
            database_.exec(std::string("INSERT INTO tblMisc4562Data (Company_Id, Year, [179 Carryover], ") +
                           "[179 Income Limit], [Listed Claim], [Listed Evidence], [Group Assets], [168 Property], "
                           "[Other Depr], [263A Cost], [Exclude 179]) VALUES (1, " + year +
                           ", 5000, 2000000, True, True, True, 0, 0, 0, False)");
        }
        for (int i = 0; i < count_; ++i) save(addAsset(generated(i)));
        // The asset the save benchmarks save again: 20-year property disposed of in its sixteenth year.
        static const AssetKind kSaved{1, 20, 1, "MACRS"};
        saved_ = addAsset(Asset{kFirstAsset + count_, &kSaved, 25000, 0, vb::Date(2000, 3, 1), vb::Date(2015, 8, 1),
                                9000});
        save(saved_);
        transaction.commit();
    }

    int count() const { return count_; }
    const Asset& savedAsset() const { return saved_; }
    // The saved asset's statements with SQLite alone, made once its rows are there.
    RawSave& rawSave() {
        if (!rawSave_) rawSave_ = std::make_unique<RawSave>(saved_.number);
        return *rawSave_;
    }
    std::int32_t anyAsset() const { return kFirstAsset + count_ / 2; }
    fs::path backupPath() const { return backups_.path() / "Depr.mdb"; }
    // The saved asset saved with another cost each time, as after the user edited it: none of the texts of its
    // rows was sent before, so every one is translated and prepared.
    void saveEdited() {
        Asset edited = saved_;
        edited.cost += static_cast<double>(++edits_);
        save(edited);
    }

    // What the desktop's save asks of the engine once the asset row is written.
    static void save(const Asset& a) {
        CalcDepr calc;
        const std::string method = a.kind->engineMethod;
        if (method == "MACRS") {
            calc.DoMacrsDepr(a.netCost(), a.kind->life, 0, kCompany, a.number, a.kind->convention, a.inService, a.sold,
                             "N", vb::CLng(a.section179), vb::CLng(a.salesAmount), a.kind->businessShare);
        } else {
            calc.DoDepr(a.netCost(), vb::CInt(a.kind->life), a.kind->convention, kCompany, a.number, a.inService,
                        a.sold, method, vb::CLng(a.salesAmount), "N", a.kind->businessShare);
        }
    }

private:
    Asset generated(int i) const {
        const AssetKind& kind = kKinds[i % std::size(kKinds)];
        const double cost = 1000 + (i * 7919) % 49000;
        const int year = 1998 + (i * 7) % 13;
        const bool disposed = i % 17 == 0 && year + 3 <= kReportYear;
        return Asset{kFirstAsset + i,
                     &kind,
                     cost,
                     kind.section179 ? cost / 4 : 0,
                     vb::Date(year, 1 + (i * 5) % 12, 1),
                     disposed ? vb::Date(year + 3, 6, 1) : vb::notSoldDate(),
                     disposed ? cost / 3 : 0};
    }

    Asset addAsset(const Asset& a) const {
        const AssetKind& k = *a.kind;
        database_.exec(
            "INSERT INTO tblAssets (Asset_num, Company_Id, Asset_name, Cost, [Allowance 30 %], [179_deduction], "
            "In_Service_date, depr_method, life, convention, other_deductions, bussiness_percent, sold_date, sold_amt, "
            "amortize_code, actual_method, Type_179) VALUES (" +
            std::to_string(a.number) + ", " + std::to_string(kCompany) + ", 'Asset " + std::to_string(a.number) +
            "', " + vb::NumberText(a.cost) + ", 0, " + vb::NumberText(a.section179) + ", '" +
            a.inService.toIso() + "', " + std::to_string(k.method) + ", " +
            vb::NumberText(k.life) + ", " + std::to_string(k.convention) + ", 0, " +
            vb::NumberText(k.businessShare) + ", '" + a.sold.toIso() + "', " +
            vb::NumberText(a.salesAmount) + ", " + std::to_string(k.amortizeCode) + ", " +
            (std::string(k.engineMethod) == "MACRS" ? "Null" : "'S/L'") + ", " + (k.section179 ? "True" : "False") +
            ")");
        return a;
    }

    int count_;
    tally::testing::ScopedHome home_;
    tally::testing::TestDatabase database_;
    tally::testing::ScratchFolder backups_;
    Asset saved_{};
    std::unique_ptr<RawSave> rawSave_;
    int edits_ = 0;
};

// One register at a time: the benchmarks of a size run one after the other, and a larger one replaces it. It is
// let go before main() returns, while the engine it works through is still there.
std::unique_ptr<GeneratedRegister>& currentRegister() {
    static std::unique_ptr<GeneratedRegister> current;
    return current;
}

GeneratedRegister& registerOf(int count) {
    std::unique_ptr<GeneratedRegister>& current = currentRegister();
    if (!current || current->count() != count) {
        current.reset();
        current = std::make_unique<GeneratedRegister>(count);
    }
    return *current;
}

void registerBenchmarks(int count) {
    const std::string size = "/" + std::to_string(count);
    const auto add = [&](const std::string& name, std::function<void(GeneratedRegister&)> body) {
        benchmark::RegisterBenchmark((name + size).c_str(),
                                     [count, body](benchmark::State& state) {
                                         GeneratedRegister& assets = registerOf(count);
                                         for (auto _ : state) body(assets);
                                     })
            ->Unit(benchmark::kMillisecond);
    };

    add("SaveOneAsset", [](GeneratedRegister& r) { GeneratedRegister::save(r.savedAsset()); });
    add("SaveOneAssetRawOneTransaction", [](GeneratedRegister& r) { r.rawSave().run(true); });
    add("SaveOneAssetRawCommitPerRow", [](GeneratedRegister& r) { r.rawSave().run(false); });
    add("SaveOneAssetEdited", [](GeneratedRegister& r) { r.saveEdited(); });

    using Report = ado::RecordsetPtr (DeprSupport::*)(std::int32_t, std::int16_t);
    const std::pair<const char*, Report> reports[] = {
        {"Report/GetAssetWrkSheet", &DeprSupport::GetAssetWrkSheet},
        {"Report/GetNewAssetWrkSheet", &DeprSupport::GetNewAssetWrkSheet},
        {"Report/Get179WrkSheet", &DeprSupport::Get179WrkSheet},
        {"Report/GetDetailDepr", &DeprSupport::GetDetailDepr},
        {"Report/GetNewAssets", &DeprSupport::GetNewAssets},
        {"Report/GetDisposedAssets", &DeprSupport::GetDisposedAssets},
        {"Report/GetPropertTax", &DeprSupport::GetPropertTax},
    };
    add("Report/GetDeprSchedule", [](GeneratedRegister& r) {
        benchmark::DoNotOptimize(DeprSupport().GetDeprSchedule(r.anyAsset()));
    });
    for (const auto& [name, report] : reports) {
        add(name, [report = report](GeneratedRegister&) {
            DeprSupport support;
            benchmark::DoNotOptimize((support.*report)(kCompany, kReportYear));
        });
    }

    // File > Backup Database and File > Restore Database of the whole register (the restore puts a backup of the
    // same register back, its checks and the ".bak" included).
    const auto backUp = [](GeneratedRegister& r) {
        DatabaseFiles::Copy(modDatabase::DatabasePath(), r.backupPath(), tally::testing::shippedDatabasePath());
    };
    add("BackupDatabase", backUp);
    add("RestoreDatabase", [backUp](GeneratedRegister& r) {
        if (!fs::exists(r.backupPath())) backUp(r);
        const fs::path live = modDatabase::DatabasePath();
        DatabaseFiles::RestoreCandidate(r.backupPath(), tally::testing::shippedDatabasePath(), live).RestoreInto(live);
    });

    add("Form4562Figures", [](GeneratedRegister&) {
        benchmark::DoNotOptimize(tally::forms::gatherForm4562(kPdfYear, kCompany, [](std::int32_t, std::int16_t) {}));
    });
    add("Do4562Form/Pdf2010", [](GeneratedRegister&) {
        tally::forms::Display4562(std::make_shared<NoViewer>()).Do4562Form(kPdfYear, kCompany);
    });
    add("Do4562Form/Fdf2008", [](GeneratedRegister&) {
        tally::forms::Display4562(std::make_shared<NoViewer>()).Do4562Form(kFdfYear, kCompany);
    });
}

}  // namespace

int main(int argc, char** argv) {
    for (int count : {1000, 10000}) registerBenchmarks(count);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    currentRegister().reset();
    benchmark::Shutdown();
    return 0;
}
