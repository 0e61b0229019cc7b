#include "ColumnValues.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "Conversions.h"
#include "Strings.h"

namespace ado {

namespace {

constexpr long kMemoSize = 536870910;  // what ADO reports as the defined size of a memo field
constexpr long kTextSize = 255;        // a text column without a declared length

struct TypeName {
    std::string_view name;
    DataType type;
    long size;
};

constexpr TypeName kTypeNames[] = {
    {"SMALLINT", DataType::SmallInt, 2},     {"SHORT", DataType::SmallInt, 2},
    {"LONG", DataType::Integer, 4},          {"INTEGER", DataType::Integer, 4},
    {"INT", DataType::Integer, 4},           {"COUNTER", DataType::Integer, 4},
    {"SINGLE", DataType::Single, 4},         {"DOUBLE", DataType::Double, 8},
    {"FLOAT", DataType::Double, 8},          {"REAL", DataType::Double, 8},
    {"CURRENCY", DataType::Currency, 8},     {"MONEY", DataType::Currency, 8},
    {"DATETIME", DataType::Date, 8},         {"DATE", DataType::Date, 8},
    {"YESNO", DataType::Boolean, 2},         {"BIT", DataType::Boolean, 2},
    {"BOOLEAN", DataType::Boolean, 2},       {"LOGICAL", DataType::Boolean, 2},
    {"VARCHAR", DataType::VarWChar, kTextSize}, {"TEXT", DataType::VarWChar, kTextSize},
    {"CHAR", DataType::VarWChar, kTextSize}, {"MEMO", DataType::LongVarWChar, kMemoSize},
    {"LONGTEXT", DataType::LongVarWChar, kMemoSize},
};

bool fitsInt16(double v) { return v >= -32768.0 && v <= 32767.0; }
bool fitsInt32(double v) { return v >= -2147483648.0 && v <= 2147483647.0; }

// A stored number as a double, or nothing when the value is not a number.
std::optional<double> numberOf(const vb::Variant& value) {
    const auto& raw = value.raw();
    if (const auto* i = std::get_if<std::int32_t>(&raw)) return *i;
    if (const auto* s = std::get_if<std::int16_t>(&raw)) return *s;
    if (const auto* d = std::get_if<double>(&raw)) return *d;
    return std::nullopt;
}

vb::Variant asWholeNumber(const vb::Variant& stored, bool sixteenBit) {
    const std::optional<double> number = numberOf(stored);
    if (!number || std::trunc(*number) != *number) return stored;
    if (sixteenBit && fitsInt16(*number)) return vb::Variant(static_cast<std::int16_t>(*number));
    if (fitsInt32(*number)) return vb::Variant(static_cast<std::int32_t>(*number));
    return stored;
}

vb::Variant asBoolean(const vb::Variant& stored) {
    if (std::optional<double> number = numberOf(stored)) return vb::Variant(*number != 0.0);
    const std::string* text = std::get_if<std::string>(&stored.raw());
    if (!text) return stored;
    if (std::optional<double> number = vb::parseNumber(*text)) return vb::Variant(*number != 0.0);
    const std::string word = vb::Trim(*text);
    if (vb::EqualsNoCase(word, "True") || vb::EqualsNoCase(word, "Yes")) return vb::Variant(true);
    if (vb::EqualsNoCase(word, "False") || vb::EqualsNoCase(word, "No")) return vb::Variant(false);
    return stored;
}

vb::Variant asDate(const vb::Variant& stored) {
    if (const std::string* text = std::get_if<std::string>(&stored.raw())) {
        if (std::optional<vb::Date> date = parseStoredDate(*text)) return vb::Variant(*date);
        return stored;
    }
    // The runtime's one rule for a number as a date: range checked first, the fraction (a time) dropped.
    if (std::optional<double> serial = numberOf(stored)) return vb::Variant(vb::Variant(*serial).toDate());
    return stored;
}

}  // namespace

std::optional<FieldInfo> declaredFieldType(std::string_view declaredType) {
    const std::string declared = vb::UCase(vb::Trim(declaredType));
    // The first word names the type: "MEMO TEXT" is a memo, "VARCHAR(50)" a text of 50 characters.
    const std::size_t paren = declared.find('(');
    const std::string base = declared.substr(0, declared.find_first_of(" (\t"));
    for (const TypeName& entry : kTypeNames) {
        if (base != entry.name) continue;
        FieldInfo info{{}, entry.type, entry.size};
        if (entry.type == DataType::VarWChar && paren != std::string::npos) {
            const long length = std::atol(declared.c_str() + paren + 1);
            if (length > 0) info.definedSize = length;
        }
        return info;
    }
    return std::nullopt;
}

vb::Variant storedValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 number = sqlite3_value_int64(value);
            if (number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max())
                return vb::Variant(static_cast<std::int32_t>(number));
            return vb::Variant(static_cast<double>(number));
        }
        case SQLITE_FLOAT:
            return vb::Variant(sqlite3_value_double(value));
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
            return vb::Variant(std::string(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_value_bytes(value))));
        }
        default:
            return vb::Variant::null();
    }
}

vb::Variant columnValue(sqlite3_value* value, DataType type) {
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL) return vb::Variant::null();
    switch (type) {
        case DataType::Single:
        case DataType::Double:
        case DataType::Currency:
            if (storage == SQLITE_FLOAT || storage == SQLITE_INTEGER) return vb::Variant(sqlite3_value_double(value));
            break;
        case DataType::Integer:
        case DataType::SmallInt:
            if (storage == SQLITE_INTEGER) {
                const sqlite3_int64 number = sqlite3_value_int64(value);
                if (type == DataType::SmallInt && fitsInt16(static_cast<double>(number)))
                    return vb::Variant(static_cast<std::int16_t>(number));
                if (type == DataType::Integer && number >= std::numeric_limits<std::int32_t>::min() &&
                    number <= std::numeric_limits<std::int32_t>::max())
                    return vb::Variant(static_cast<std::int32_t>(number));
            }
            break;
        case DataType::VarWChar:
        case DataType::LongVarWChar:
        case DataType::Empty:
            if (storage == SQLITE_TEXT) return storedValue(value);
            break;
        case DataType::Date:
            if (storage == SQLITE_TEXT) {
                const auto* text = static_cast<const char*>(sqlite3_value_blob(value));  // as storedValue reads it
                const std::string_view stored(text ? text : "", static_cast<std::size_t>(sqlite3_value_bytes(value)));
                if (std::optional<vb::Date> date = parseStoredDate(stored)) return vb::Variant(*date);
            }
            break;
        default:
            break;
    }
    return asDeclaredType(storedValue(value), type);
}

vb::Variant asDeclaredType(vb::Variant stored, DataType type) {
    if (stored.isNull()) return stored;
    switch (type) {
        case DataType::SmallInt:
            return asWholeNumber(stored, true);
        case DataType::Integer:
            return asWholeNumber(stored, false);
        case DataType::Single:
        case DataType::Double:
        case DataType::Currency:
            if (std::optional<double> number = numberOf(stored)) return vb::Variant(*number);
            return stored;
        case DataType::Date:
            return asDate(stored);
        case DataType::Boolean:
            return asBoolean(stored);
        case DataType::VarWChar:
        case DataType::LongVarWChar:
            if (numberOf(stored)) return vb::Variant(numberText(stored));
            return stored;
        case DataType::Empty:
            return stored;
    }
    return stored;
}

FieldInfo computedFieldType(std::string name, const std::vector<std::vector<vb::Variant>>& rows, std::size_t column) {
    FieldInfo info{std::move(name), DataType::Double, 8};
    for (const std::vector<vb::Variant>& row : rows) {
        const vb::Variant& value = row[column];
        if (value.isNull()) continue;
        if (std::holds_alternative<std::int32_t>(value.raw())) {
            info.type = DataType::Integer;
            info.definedSize = 4;
        } else if (std::holds_alternative<std::string>(value.raw())) {
            info.type = DataType::VarWChar;
            info.definedSize = kTextSize;
        }
        break;
    }
    return info;
}

std::optional<vb::Date> parseStoredDate(std::string_view text) {
    auto digits = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-' && (text.size() == 10 || text[10] == ' ' || text[10] == 'T')) {
        const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
        if (year >= 0 && month >= 0 && day >= 0 && vb::isValidDate(year, month, day)) return vb::Date(year, month, day);
        return std::nullopt;
    }
    return vb::parseDate(text);
}

std::string numberText(const vb::Variant& number) {
    const auto& raw = number.raw();
    if (const auto* d = std::get_if<double>(&raw)) return vb::NumberText(*d);
    if (const auto* i = std::get_if<std::int32_t>(&raw)) return std::to_string(*i);
    if (const auto* s = std::get_if<std::int16_t>(&raw)) return std::to_string(*s);
    return number.toString();
}

}  // namespace ado
