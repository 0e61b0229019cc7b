#include "SqlFunctions.h"

#include <sqlite3.h>

#include <string>

#include "ColumnValues.h"
#include "ComError.h"
#include "DateParts.h"
#include "ProviderError.h"

namespace ado {

namespace {

void resultText(sqlite3_context* context, const std::string& text) {
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Runs a function's body and reports whatever it raises as the statement's error: an exception must never
// unwind through SQLite's own frames, which would skip its clean-up of the running statement.
template <typename Body>
void reportingErrors(sqlite3_context* context, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    } catch (...) {
        sqlite3_result_error(context, "Unexpected failure in a SQL function.", -1);
    }
}

void datePart(sqlite3_context* context, int, sqlite3_value** arguments) {
    reportingErrors(context, [&] {
        if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
        const vb::Variant interval = storedValue(arguments[0]);
        const vb::Variant date = columnValue(arguments[1], DataType::Date);
        const vb::Date* value = std::get_if<vb::Date>(&date.raw());
        if (!value) {
            sqlite3_result_error(context, "Data type mismatch in criteria expression.", -1);
            return;
        }
        sqlite3_result_int(context, vb::DatePart(interval.toString(), *value));
    });
}

void vbText(sqlite3_context* context, int, sqlite3_value** arguments) {
    reportingErrors(context, [&] {
        if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
        resultText(context, numberText(storedValue(arguments[0])));
    });
}

void registerFunction(sqlite3* db, const char* name, int arguments,
                      void (*function)(sqlite3_context*, int, sqlite3_value**)) {
    const int rc = sqlite3_create_function_v2(db, name, arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raiseSqliteError(db, rc);
}

}  // namespace

void registerJetFunctions(sqlite3* db) {
    registerFunction(db, "DatePart", 2, datePart);
    registerFunction(db, "VbText", 1, vbText);
}

}  // namespace ado
