#pragma once
// What every query class of the engine shares: running its statements on the shared connection, pasting text
// safely into a statement, and fixing the types of computed columns before a recordset leaves the engine.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "Connection.h"
#include "Recordset.h"
#include "modDatabase.h"

namespace tally::engine::queries {

// A query through ExecuteQueryReturnRS on the shared connection.
ado::RecordsetPtr openQuery(const std::string& sql);
// An action statement through ExecuteQuery on the shared connection.
void runAction(const std::string& sql);
// The first field of the first row as a Long (0 for no row or Null), through ReturnDbData.
std::int32_t readNumber(const std::string& sql);


// `text` as an SQL text literal: between apostrophes, every apostrophe in it doubled.
std::string textLiteral(std::string_view text);

// The type the database cannot declare for a computed column (a sum, a product, a pasted text).
struct ComputedColumn {
    long index;
    ado::DataType type;
    long definedSize;
};
constexpr ComputedColumn amountColumn(long index) {
    return {index, ado::DataType::Double, 8};
}
constexpr ComputedColumn textColumn(long index, long size) {
    return {index, ado::DataType::VarWChar, size};
}

// Sets the types of the listed columns and returns the recordset.
ado::RecordsetPtr withComputedColumns(ado::RecordsetPtr recordset, std::initializer_list<ComputedColumn> columns);

// The heading a statement writes for a column it selects without an alias. The database reports such a column
// under the letter case of the table's declaration ("[Life]" comes back as "life"), but report headings show the
// name and the reports pick their number formats by its exact text ("Life" shows one decimal).
struct WrittenName {
    long index;
    const char* name;
};

// Gives the listed columns the names the statement writes and returns the recordset.
ado::RecordsetPtr withWrittenNames(const ado::RecordsetPtr& recordset, std::initializer_list<WrittenName> names);

}  // namespace tally::engine::queries
