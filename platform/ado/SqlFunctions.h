#pragma once
// Functions of the Jet dialect that SQLite lacks, registered on every connection:
//   DatePart(interval, date): the VB DatePart ("yyyy" in any case, "q", "m", "d", "y"); Null for a Null argument.
//   VbText(value): a value as VB writes it in text (a REAL 5.0 as "5", 27.5 as "27.5"); the translator wraps the
//   operands of a text concatenation in it.

struct sqlite3;

namespace ado {

void registerJetFunctions(sqlite3* db);

}  // namespace ado
