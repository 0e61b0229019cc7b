#pragma once
// File work under backup and restore: copies that never leave a half-written target, and the check that a file
// is a database of this program before it may replace the live one. Failures raise ComError.

#include <QString>

namespace tally::desk {

// True when both paths name the same existing file (links and spelling of the path aside).
bool sameFile(const QString& a, const QString& b);

// Copies through a temporary file beside the target and renames it over the target once everything was
// written and flushed; the target is either the old file or the whole new one, never a partial copy.
void copyFileAtomically(const QString& source, const QString& target);

// Opens the file read-only as SQLite, runs an integrity check and requires the program's tables.
void verifyProgramDatabase(const QString& path);

// Puts `candidate` in place of `live`: the old file is kept as live + ".bak", stale journal files of the old
// file are removed, and the new file replaces the live one in one rename.
void replaceDatabase(const QString& candidate, const QString& live);

}  // namespace tally::desk
