#pragma once
// Turns a statement in the Jet SQL dialect the program writes into SQLite's. Works on tokens and never inside
// '...' literals: #m/d/yyyy#, # m/d/yyyy# and #mm/yyyy# dates -> 'YYYY-MM-DD'; True/Yes -> 1, False/No -> 0;
// a bracketed name with trailing blanks refers to the bare column, but as a bare select-list item keeps its
// blanks as the heading ([Year] AS [Year  ]); names that start with a digit (179_deduction) are bracketed;
// "Delete * from" -> "DELETE FROM"; text concatenation with + -> ||; UPDATE a INNER JOIN b ON .. SET .. WHERE ..
// -> UPDATE .. SET .. FROM .. WHERE. Idempotent on SQLite-native text. Raises ComError on a malformed date
// literal.

#include <string>

namespace ado {

std::string translateJetSql(const std::string& jetSql);

}  // namespace ado
