#pragma once
// Whole database files: a copy taken while other copies of the program may be writing (Backup, the ".bak"), the
// checks a file must pass before it may be restored, and the restore itself. Every copy is read through SQLite
// in one read transaction, so it holds exactly what was committed: a journal a crashed writer left is rolled back
// by SQLite, never deleted. Copies are written whole (temporary file beside the target, checked, synced, renamed
// over it) and readable by the user alone. Failures raise ComError with the system's or SQLite's reason: 75 when
// a file cannot be read or written, the provider's cannot-open number when a file is damaged or not a database of
// this program.

#include <filesystem>
#include <string>

#include "AtomicFile.h"
#include "ComError.h"

namespace tally::engine::DatabaseFiles {

// SQLite found a database file damaged: a page it cannot read, a failed integrity check, or no database at all.
// Raised with the provider's cannot-open number, the file and SQLite's reason.
class DamagedFile : public ComError {
public:
    DamagedFile(const std::filesystem::path& file, const std::string& reason);
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string reason_;
};

// Writes what is committed in the database at `source` as `target`, which is replaced whole; a link at the
// target (symbolic or hard, to the source or to any other file) is replaced by the copy, what it named is never
// written. The copy must pass SQLite's integrity check and hold every table and column of `reference` (the
// shipped database): a damaged source, an empty one or another program's database raises DamagedFile and nothing
// is written. A target that is the source's own file (its path, the folders resolved) is refused with error 75: a
// backup is a separate file. Another copy of the program that keeps the source locked longer than the program
// waits makes it fail with error 75, saying so.
void Copy(const std::filesystem::path& source, const std::filesystem::path& target,
          const std::filesystem::path& reference);

// A file the user picked to restore, checked and copied aside before anything of the register is touched.
class RestoreCandidate {
public:
    // Takes `file` only when it is a regular file that SQLite opens read-only, passes the integrity check and holds
    // every table and column of `reference` (the shipped database; more tables or columns are fine). The checked
    // copy is kept beside `registerPath` until the candidate goes; anything else raises and leaves no file behind.
    RestoreCandidate(const std::filesystem::path& file, const std::filesystem::path& reference,
                     const std::filesystem::path& registerPath);

    // Puts the candidate's content in place of the register's, and keeps what the register held as
    // "<register>.bak". Every other copy of the program is kept from saving (SQLite's write lock on the register)
    // from before the ".bak" is read until the register holds the candidate, so every save another copy made is
    // either in the ".bak" (before) or in the restored register (after); a copy that keeps saving longer than the
    // program waits makes the restore fail with error 75, saying so, and nothing changes. A whole register is
    // restored in its own file (another copy working on it goes on without a restart). A damaged register (it
    // fails the integrity check, or SQLite cannot read it as a database) is kept byte for byte as the ".bak", with
    // the journal SQLite keeps beside it, and the candidate takes its place whole, as when there is no register;
    // another copy that had it open fails to save from then on and needs a restart. The ".bak" takes its name
    // only once the register's new content is whole: on failure the register and an earlier ".bak" are as they
    // were.
    void RestoreInto(const std::filesystem::path& registerPath) const;

private:
    // Writes the candidate into the empty file `empty`, checked.
    void writeCandidateInto(const std::filesystem::path& empty) const;
    // Writes the candidate as `target`, whole, in place of whatever is there.
    void writeCandidateAs(const std::filesystem::path& target) const;

    files::AtomicFile copy_;  // never committed: removed with the candidate
};

}  // namespace tally::engine::DatabaseFiles
