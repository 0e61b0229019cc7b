#pragma once
// How a column of a result reaches the recordset: its ADO type and defined size from the column's declared type,
// and each value read as that type. Columns without a declared type (sums, counts, pasted text) take their type
// from the values they hold.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Recordset.h"

struct sqlite3_stmt;
struct sqlite3_value;

namespace ado {

// The type and defined size a declared column type stands for: SMALLINT 2, LONG/INTEGER 3, SINGLE 4, DOUBLE 5,
// CURRENCY 6, DATETIME 7, YESNO 11, VARCHAR(n) 202 with size n, MEMO 203; nothing for an unknown or missing type.
std::optional<FieldInfo> declaredFieldType(std::string_view declaredType);

// A value as SQLite stores it: Null, a Long (a Double when it is too large), a Double or text.
vb::Variant storedValue(sqlite3_value* value);

// A stored value as the column's type: what asDeclaredType(storedValue(value), type) gives, read without the
// stored value in between for the common cases (numbers in number columns, text in text columns), which are
// most of the cells of a large report.
vb::Variant columnValue(sqlite3_value* value, DataType type);

// A stored value as the column's declared type: yes/no as bool (any non-zero number is True), dates as vb::Date,
// SMALLINT as a 16-bit integer. A value the type cannot hold without loss stays as it was stored.
vb::Variant asDeclaredType(vb::Variant stored, DataType type);

// The type of a column without a declared type, from the first of its values that is not Null: whole numbers
// Integer, other numbers Double, text VarWChar (255). A column of Nulls only is Double (an empty sum).
FieldInfo computedFieldType(std::string name, const std::vector<std::vector<vb::Variant>>& rows, std::size_t column);

// A stored date: "YYYY-MM-DD", optionally followed by a time of day, or a date in the US short form.
std::optional<vb::Date> parseStoredDate(std::string_view text);

// A number as VB writes it in text: 5 not 5.0, 27.5, up to 15 significant digits.
std::string numberText(const vb::Variant& number);

}  // namespace ado
