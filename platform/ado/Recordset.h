#pragma once
// A disconnected, forward-only, read-only recordset: every row is read into memory when the query runs, so the
// receiver may keep it after the connection is gone. Fields are found by name (without regard to case; trailing
// blanks are part of the name; the first of duplicate names wins) or by 0-based position.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ComError.h"
#include "Variant.h"

namespace ado {

// ADO data type codes the callers switch on.
enum class DataType : int {
    Empty = 0,
    SmallInt = 2,      // 16-bit integer
    Integer = 3,       // 32-bit integer (Jet "Long")
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,      // yes/no
    VarWChar = 202,    // text with a defined size
    LongVarWChar = 203 // memo
};

struct FieldInfo {
    std::string name;        // as the statement names it, trailing blanks kept
    DataType type = DataType::VarWChar;
    long definedSize = 0;    // characters for text, bytes for numbers (2, 4, 8 ...)
};

class Field {
public:
    Field(const FieldInfo* info, const vb::Variant* value) : info_(info), value_(value) {}
    const std::string& Name() const { return info_->name; }
    DataType Type() const { return info_->type; }
    long DefinedSize() const { return info_->definedSize; }
    const vb::Variant& Value() const { return *value_; }

private:
    const FieldInfo* info_;
    const vb::Variant* value_;
};

class Recordset {
public:
    Recordset(std::vector<FieldInfo> fields, std::vector<std::vector<vb::Variant>> rows);

    // Cursor: BOF and EOF are both true on an empty recordset; reading starts at the first row.
    bool BOF() const;
    bool EOF_() const;  // "EOF" is a macro in <cstdio>
    void MoveNext();    // past the last row sets EOF; raises ComError 3021 when already at EOF
    void MoveFirst();
    long RecordCount() const { return static_cast<long>(rows_.size()); }
    long AbsolutePosition() const { return static_cast<long>(current_) + 1; }

    long FieldCount() const { return static_cast<long>(fields_.size()); }
    const FieldInfo& fieldInfo(long index) const;  // raises ComError 3265 when out of range
    bool hasField(std::string_view name) const;

    // The current row's field. Raises ComError 3021 ("Either BOF or EOF is True, or the current record has
    // been deleted. Requested operation requires a current record.") without a current row, and ComError 3265
    // ("Item cannot be found in the collection corresponding to the requested name or ordinal.") for an unknown
    // name or position.
    Field field(std::string_view name) const;
    Field field(long index) const;
    const vb::Variant& operator[](std::string_view name) const { return field(name).Value(); }
    const vb::Variant& operator[](long index) const { return field(index).Value(); }
    const vb::Variant& operator[](int index) const { return field(static_cast<long>(index)).Value(); }

    // Fixes the type of a computed column (a sum, a count, a pasted text), whose type the database cannot
    // declare, and reads the column's values as that type (a sum of whole numbers is still a Double); query code
    // calls it before it hands the recordset out.
    void setFieldInfo(long index, DataType type, long definedSize);

    // Every row, for code that walks a recordset more than once.
    const std::vector<std::vector<vb::Variant>>& rows() const { return rows_; }

private:
    long indexOf(std::string_view name) const;  // -1 when missing
    void requireCurrent() const;

    std::vector<FieldInfo> fields_;
    std::vector<std::vector<vb::Variant>> rows_;
    std::size_t current_ = 0;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

// ADO error numbers the program meets.
namespace adoerr {
constexpr long NoCurrentRecord = 3021;
constexpr long ItemNotFound = 3265;
// The provider's error for a failed statement (constraint violation, syntax error, missing table or file).
constexpr long ProviderError = -2147217900;
// A duplicate key value (unique index violation), the number table maintenance tests for.
constexpr long DuplicateKey = -2147352571;
// The file is not there or is not a database.
constexpr long CannotOpenDatabase = tally::kUnexpectedFailure;
// A statement on a connection that is closed (the engine's connection after Disconnect).
constexpr long ConnectionClosed = 3709;
}  // namespace adoerr

}  // namespace ado
