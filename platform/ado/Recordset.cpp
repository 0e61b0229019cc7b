#include "Recordset.h"

#include <utility>

#include "ColumnValues.h"
#include "ComError.h"
#include "Strings.h"

namespace ado {

namespace {

[[noreturn]] void raiseNoCurrentRecord(const char* source) {
    throw tally::ComError(adoerr::NoCurrentRecord, source,
                          "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                          "requires a current record.");
}

[[noreturn]] void raiseItemNotFound() {
    throw tally::ComError(adoerr::ItemNotFound, "ADODB.Fields",
                          "Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

}  // namespace

Recordset::Recordset(std::vector<FieldInfo> fields, std::vector<std::vector<vb::Variant>> rows)
    : fields_(std::move(fields)), rows_(std::move(rows)) {}

bool Recordset::BOF() const { return rows_.empty(); }

bool Recordset::EOF_() const { return current_ >= rows_.size(); }

void Recordset::MoveNext() {
    if (EOF_()) raiseNoCurrentRecord("ADODB.Recordset");
    ++current_;
}

void Recordset::MoveFirst() { current_ = 0; }

const FieldInfo& Recordset::fieldInfo(long index) const {
    if (index < 0 || index >= FieldCount()) raiseItemNotFound();
    return fields_[static_cast<std::size_t>(index)];
}

bool Recordset::hasField(std::string_view name) const { return indexOf(name) >= 0; }

Field Recordset::field(std::string_view name) const {
    const long index = indexOf(name);
    if (index < 0) raiseItemNotFound();
    return field(index);
}

Field Recordset::field(long index) const {
    const FieldInfo& info = fieldInfo(index);
    requireCurrent();
    return Field(&info, &rows_[current_][static_cast<std::size_t>(index)]);
}

void Recordset::setFieldInfo(long index, DataType type, long definedSize) {
    if (index < 0 || index >= FieldCount()) raiseItemNotFound();
    const auto column = static_cast<std::size_t>(index);
    fields_[column].type = type;
    fields_[column].definedSize = definedSize;
    for (std::vector<vb::Variant>& row : rows_) row[column] = asDeclaredType(std::move(row[column]), type);
}

// Names match without regard to case, but blanks count: "Year  " is not "Year".
long Recordset::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].name.size() == name.size() && vb::EqualsNoCase(fields_[i].name, name))
            return static_cast<long>(i);
    }
    return -1;
}

void Recordset::requireCurrent() const {
    if (EOF_()) raiseNoCurrentRecord("ADODB.Field");
}

}  // namespace ado
