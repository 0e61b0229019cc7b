// Builds the shipped database file "Depr.mdb": runs the schema and seed scripts, then loads the reference figures
// (MACRS percentages, section 179 limits, vehicle limits) from their CSV files. The file is written under a
// temporary name and renamed when complete, so an interrupted build never leaves a half-made database behind.
//
// Usage: make_depr_db <output> <schema.sql> <seed.sql> <macrs-percentages.csv> <section179-limits.csv>
//                     <vehicle-limits.csv>

#include <sqlite3.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CsvFile.h"

namespace {

namespace fs = std::filesystem;
using tally::data::CsvFile;

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One prepared statement; finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
            throw BuildError(std::string(sqlite3_errmsg(db)) + " in: " + sql);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindText(int index, const std::string& value) {
        check(sqlite3_bind_text(stmt_, index, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
    }
    void bindDouble(int index, double value) { check(sqlite3_bind_double(stmt_, index, value)); }

    // Runs the statement to completion and returns the number of rows it changed.
    int run() {
        if (sqlite3_step(stmt_) != SQLITE_DONE) throw BuildError(sqlite3_errmsg(db_));
        int changed = sqlite3_changes(db_);
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return changed;
    }

private:
    void check(int rc) const {
        if (rc != SQLITE_OK) throw BuildError(sqlite3_errmsg(db_));
    }
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A new database file, open for writing until it is closed or destroyed.
class NewDatabase {
public:
    explicit NewDatabase(const fs::path& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw BuildError("cannot create " + path.string() + ": " + message);
        }
    }
    ~NewDatabase() { sqlite3_close(db_); }
    NewDatabase(const NewDatabase&) = delete;
    NewDatabase& operator=(const NewDatabase&) = delete;

    void exec(const std::string& sql, const std::string& what) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw BuildError(what + ": " + message);
        }
    }
    sqlite3* handle() const { return db_; }

    void close() {
        if (sqlite3_close(db_) != SQLITE_OK) throw BuildError(std::string("cannot close: ") + sqlite3_errmsg(db_));
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
};

// A plain decimal number ("24000", "33.33"); anything else is a fault in the reference file.
void requireDecimal(const std::string& text, const std::string& where) {
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !point) point = true;
        else throw BuildError(where + ": not a number: '" + text + "'");
    }
    if (!digit) throw BuildError(where + ": not a number: '" + text + "'");
}

double parseDecimal(const std::string& text, const std::string& where) {
    requireDecimal(text, where);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) throw BuildError(where + ": not a number: " + text);
    return value;
}

// A percentage as a fraction, by moving the decimal point two places in the text ("33.33" -> "0.3333"), so the
// stored double is the one nearest to the printed figure / 100 and not the result of a division.
double percentToFraction(const std::string& percent, const std::string& where) {
    requireDecimal(percent, where);
    std::string whole = percent, fraction;
    if (auto point = percent.find('.'); point != std::string::npos) {
        whole = percent.substr(0, point);
        fraction = percent.substr(point + 1);
    }
    while (whole.size() < 2) whole.insert(whole.begin(), '0');
    std::string shifted = whole.substr(0, whole.size() - 2) + "." + whole.substr(whole.size() - 2) + fraction;
    if (shifted.front() == '.') shifted.insert(shifted.begin(), '0');
    return parseDecimal(shifted, where);
}

// Table and column names are pasted into statements; the rate file may only name plain identifiers.
const std::string& requireIdentifier(const std::string& name, const std::string& where) {
    bool ok = !name.empty();
    for (char c : name)
        ok = ok && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    if (!ok) throw BuildError(where + ": not a table or column name: '" + name + "'");
    return name;
}

// Each line of the percentage file sets one cell of a rate table: table, column, recovery year, percent.
void loadRates(NewDatabase& db, const CsvFile& csv) {
    for (std::size_t i = 0; i < csv.rows().size(); ++i) {
        const auto& row = csv.rows()[i];
        std::string where = csv.name() + " row " + std::to_string(i + 1);
        const std::string& table = requireIdentifier(csv.cell(row, "table"), where);
        const std::string& column = requireIdentifier(csv.cell(row, "column"), where);
        Statement update(db.handle(), "UPDATE [" + table + "] SET [" + column + "] = ? WHERE RecYear = ?");
        update.bindDouble(1, percentToFraction(csv.cell(row, "percent"), where));
        update.bindDouble(2, parseDecimal(csv.cell(row, "recovery_year"), where));
        if (update.run() != 1) throw BuildError(where + ": " + table + " has no recovery year " +
                                                csv.cell(row, "recovery_year"));
    }
}

// How one CSV column lands in a table column.
struct ColumnMap {
    std::string csvColumn;
    std::string tableColumn;  // as written in SQL, brackets included
    bool numeric;
};

// Inserts one table row per CSV line.
void loadRows(NewDatabase& db, const CsvFile& csv, const std::string& table,
              const std::vector<ColumnMap>& columns) {
    std::string names, marks;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + column.tableColumn;
        marks += marks.empty() ? "?" : ", ?";
    }
    Statement insert(db.handle(), "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")");
    for (std::size_t i = 0; i < csv.rows().size(); ++i) {
        std::string where = csv.name() + " row " + std::to_string(i + 1);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string& text = csv.cell(csv.rows()[i], columns[c].csvColumn);
            int index = static_cast<int>(c) + 1;
            if (columns[c].numeric) insert.bindDouble(index, parseDecimal(text, where));
            else insert.bindText(index, text);
        }
        try {
            insert.run();
        } catch (const BuildError& e) {
            throw BuildError(where + ": " + e.what());
        }
    }
}

void buildDatabase(const fs::path& output, const fs::path& schema, const fs::path& seed, const fs::path& rates,
                   const fs::path& limits179, const fs::path& vehicleLimits) {
    fs::path temporary = output;
    temporary += ".building";
    fs::remove(temporary);
    {
        NewDatabase db(temporary);
        // A rollback journal keeps the whole database in the one file, which backup and restore copy.
        db.exec("PRAGMA journal_mode = DELETE", "journal mode");
        db.exec("BEGIN", "begin");
        db.exec(readFile(schema), schema.filename().string());
        db.exec(readFile(seed), seed.filename().string());
        loadRates(db, CsvFile(rates));
        loadRows(db, CsvFile(limits179), "tblMax179",
                 {{"year", "Year", true},
                  {"maximum_amount", "[Maximum Amount]", true},
                  {"threshold_cost", "[Threshold Cost]", true}});
        loadRows(db, CsvFile(vehicleLimits), "tblMaxAuto",
                 {{"year", "Year", true},
                  {"type", "Type", false},
                  {"yr1_plus_30", "[Yr 1 + 30%]", true},
                  {"yr1_plus_50", "[Yr 1 + 50%]", true},
                  {"max_year_1", "[Max Year 1]", true},
                  {"max_year_2", "[Max Year 2]", true},
                  {"max_year_3", "[Max Year 3]", true},
                  {"max_year_4", "[Max Year 4]", true}});
        db.exec("COMMIT", "commit");
        db.exec("VACUUM", "vacuum");
        db.close();
    }
    fs::rename(temporary, output);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: " << argv[0]
                  << " <output> <schema.sql> <seed.sql> <macrs-percentages.csv> <section179-limits.csv>"
                     " <vehicle-limits.csv>\n";
        return 2;
    }
    try {
        buildDatabase(argv[1], argv[2], argv[3], argv[4], argv[5], argv[6]);
    } catch (const std::exception& e) {
        std::cerr << "make_depr_db: " << e.what() << "\n";
        fs::path temporary = argv[1];
        temporary += ".building";
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return 1;
    }
    return 0;
}
