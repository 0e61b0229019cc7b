#pragma once
// Whole database files: a copy taken while other copies of the program may be writing (Backup, the ".bak"), the
// checks a file must pass before it may be restored, and the restore itself. Every copy is read through SQLite
// in one read transaction, so it holds exactly what was committed: a journal a crashed writer left is rolled back
// by SQLite, never deleted. Copies are written whole (temporary file beside the target, checked, synced, renamed
// over it) and readable by the user alone. Failures raise ComError with the system's or SQLite's reason: 75 when
// a file cannot be read or written, the provider's cannot-open number when a file is not a database of this
// program.

#include <filesystem>

#include "AtomicFile.h"

namespace tally::engine::DatabaseFiles {

// True when both paths name the same existing file (links and spelling of the path aside).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Writes what is committed in the database at `source` as `target`, which is replaced whole; a symbolic link at
// the target is replaced, its target never written. The copy must pass SQLite's integrity check. A target that is
// the source itself is left as it is: it already is that copy.
void Copy(const std::filesystem::path& source, const std::filesystem::path& target);

// A file the user picked to restore, checked and copied aside before anything of the register is touched.
class RestoreCandidate {
public:
    // Takes `file` only when it is a regular file that SQLite opens read-only, passes the integrity check and holds
    // every table and column of `reference` (the shipped database; more tables or columns are fine). The checked
    // copy is kept beside `registerPath` until the candidate goes; anything else raises and leaves no file behind.
    RestoreCandidate(const std::filesystem::path& file, const std::filesystem::path& reference,
                     const std::filesystem::path& registerPath);

    // Puts the candidate's content in place of the register's, in the register's own file (another copy of the
    // program working on it goes on without a restart). Under one write lock on the register, its content as
    // committed is written to "<register>.bak" first, then replaced, so every save another copy made is either in
    // the ".bak" (before) or in the restored register (after). On failure the register is as it was.
    void RestoreInto(const std::filesystem::path& registerPath) const;

private:
    files::AtomicFile copy_;  // never committed: removed with the candidate
};

}  // namespace tally::engine::DatabaseFiles
