#pragma once
// Registers damaged as a crash or a failing disk leaves them: real pages of a real register overwritten while no
// program has it open.

#include <filesystem>
#include <string>

namespace tally::testing {

enum class Damage {
    ZeroedTablePages,      // the pages of two tables no save of an asset reads (Form 4562 data, mid-quarter rates)
    IndexPageOverwritten,  // the first page of a depreciation index, random bytes
    RandomBytes,           // 300 KB of random bytes from offset 0: no database at all
    NoBytes,               // an empty file
    OtherProgramsDatabase, // another program's SQLite database copied in its place
};

inline constexpr Damage kEveryDamage[] = {Damage::ZeroedTablePages, Damage::IndexPageOverwritten,
                                          Damage::RandomBytes, Damage::NoBytes};

const char* nameOf(Damage damage);

// Damages the database at `file` as `damage` says; the file's bytes afterwards. The random bytes are the same on
// every run.
std::string damageRegister(const std::filesystem::path& file, Damage damage);

// A page of SQLite's table list zeroed (not its first page): a copy of the program that has the register open
// already keeps the tables it knows and saves on, a copy that opens it anew cannot read it. Nothing a save writes
// lies on that page, so the damage can be undone in the register or in a byte-for-byte copy of it.
class ZeroedTableListPage {
public:
    explicit ZeroedTableListPage(const std::filesystem::path& file);
    // Puts the page's bytes back in `copy`.
    void undoIn(const std::filesystem::path& copy) const;

private:
    long offset_ = 0;
    std::string original_;
};

}  // namespace tally::testing
