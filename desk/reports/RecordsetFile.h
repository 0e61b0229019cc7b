#pragma once
// A report's recordset kept in a file and read back without the database: field names (trailing blanks kept),
// type codes, defined sizes and every row's typed values, as a JSON document of this program's own.

#include <QString>

#include "Recordset.h"

namespace tally::desk {

// Writes the recordset's fields and all its rows (the cursor is not moved) as a file written whole, one the user
// keeps. Raises ComError 75 (path/file access error) with the system's reason when the file cannot be written;
// an existing file is replaced.
void saveRecordsetFile(const ado::Recordset& recordset, const QString& path);

// Reads a file written by saveRecordsetFile. Raises ComError 3709 when the file cannot be opened and ComError
// 3001 (arguments of the wrong type) when it is not such a file.
ado::RecordsetPtr loadRecordsetFile(const QString& path);

}  // namespace tally::desk
