#include "RegisterDamage.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include <sqlite3.h>

#include "FileContents.h"
#include "OtherCopies.h"

namespace tally::testing {

namespace fs = std::filesystem;

namespace {

long rootPageOf(const fs::path& file, const std::string& name) {
    return RegisterReader(file).number("SELECT rootpage FROM sqlite_master WHERE name = '" + name + "'");
}

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(4562);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(generator));
    return bytes;
}

void overwrite(const fs::path& file, long offset, const std::string& bytes) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(offset);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot damage " + file.string());
}

std::string readBytes(const fs::path& file, long offset, std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(offset);
    std::string bytes(count, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(count)))
        throw std::runtime_error("cannot read " + file.string());
    return bytes;
}

void replaceWithAnotherProgramsDatabase(const fs::path& file) {
    fs::resize_file(file, 0);
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const int rc = sqlite3_exec(db, "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT);"
                                    "INSERT INTO notes (body) VALUES ('a note of another program')",
                                nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

const char* nameOf(Damage damage) {
    switch (damage) {
        case Damage::ZeroedTablePages: return "zeroed table pages";
        case Damage::IndexPageOverwritten: return "index page overwritten";
        case Damage::RandomBytes: return "random bytes from offset 0";
        case Damage::NoBytes: return "0 bytes";
        case Damage::OtherProgramsDatabase: return "another program's database";
    }
    return "";
}

std::string damageRegister(const fs::path& file, Damage damage) {
    const long pageSize = RegisterReader(file).number("PRAGMA page_size");
    const auto pageOffset = [&](const char* name) { return (rootPageOf(file, name) - 1) * pageSize; };
    const auto page = static_cast<std::size_t>(pageSize);
    switch (damage) {
        case Damage::ZeroedTablePages:
            for (const char* table : {"tblMisc4562Data", "tblMacrsMid4Qtr"})
                overwrite(file, pageOffset(table), std::string(page, '\0'));
            break;
        case Damage::IndexPageOverwritten:
            overwrite(file, pageOffset("idxDeprClientYearAsset"), randomBytes(page));
            break;
        case Damage::RandomBytes:
            fs::resize_file(file, 0);
            overwrite(file, 0, randomBytes(300 * 1024));
            break;
        case Damage::NoBytes:
            fs::resize_file(file, 0);
            break;
        case Damage::OtherProgramsDatabase:
            replaceWithAnotherProgramsDatabase(file);
            break;
    }
    return bytesOf(file);
}

ZeroedTableListPage::ZeroedTableListPage(const fs::path& file) {
    const RegisterReader reader(file);
    const long pageSize = reader.number("PRAGMA page_size");
    offset_ = (reader.number("SELECT min(pageno) FROM dbstat WHERE name = 'sqlite_schema' AND pageno > 1") - 1) *
              pageSize;
    original_ = readBytes(file, offset_, static_cast<std::size_t>(pageSize));
    overwrite(file, offset_, std::string(original_.size(), '\0'));
}

void ZeroedTableListPage::undoIn(const fs::path& copy) const { overwrite(copy, offset_, original_); }

}  // namespace tally::testing
