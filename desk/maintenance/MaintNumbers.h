#pragma once
// The one number test of the maintenance window. A typed number is a plain number: an optional sign, digits and
// at most one decimal point, nothing else ("1,000", "$5", "(5)", "&H10" and "1e3" are not numbers here); blanks
// around it are ignored. Such a number reaches SQL only in its canonical form, never as typed.

#include <QString>

namespace tally::desk {

bool isPlainNumber(const QString& text);
// The canonical SQL form of a plain number ("007" -> "7", "+2.50" -> "2.5", ".5" -> "0.5").
QString canonicalNumber(const QString& text);

}  // namespace tally::desk
