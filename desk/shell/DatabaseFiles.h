#pragma once
// File work under backup and restore: copies that never leave a half-written target, and the check that a file
// is a database of this program before (and again once copied) it may replace the live one. Failures raise
// ComError.

#include <QString>

namespace tally::desk {

// True when both paths name the same existing file (links and spelling of the path aside).
bool sameFile(const QString& a, const QString& b);

// Copies through a temporary file beside the target and renames it over the target once everything was
// written and flushed; the target is either the old file or the whole new one, never a partial copy.
void copyFileAtomically(const QString& source, const QString& target);

// Opens the file read-only as SQLite, runs an integrity check and requires the program's tables.
void verifyProgramDatabase(const QString& path);

// Puts `candidate` in place of `live`. The candidate is first copied through SQLite (with what its -wal holds,
// every rowid kept) into a scratch file beside the live one, and that copy is checked; only then is the old
// file kept as live + ".bak", its stale journal files removed, and the copy renamed over it in one step. So the
// candidate may even be the ".bak" itself, and on any failure the live file is as it was and no scratch file
// stays. A live file reached through a link is replaced where it lies.
void replaceDatabase(const QString& candidate, const QString& live);

}  // namespace tally::desk
