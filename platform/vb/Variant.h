#pragma once
// The VB Variant: Empty, Null, Boolean, Integer (16-bit), Long (32-bit), Double, String, Date.
// Conversions follow the VB runtime with fixed US regional settings: half-to-even rounding to whole numbers,
// "." decimal point, M/d/yyyy short dates. A failed conversion raises ComError 13 (type mismatch); a number out
// of range raises ComError 6 (overflow).

#include <cstdint>
#include <string>
#include <variant>

#include "VbDate.h"

namespace vb {

// Type codes as VarType returns them.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Double = 5,
    Date = 7,
    String = 8,
    Boolean = 11,
};

// VB error 94 "Invalid use of Null", raised when Null reaches a conversion.
constexpr long InvalidUseOfNull = 94;

struct NullTag {
    bool operator==(const NullTag&) const = default;
};

class Variant {
public:
    Variant() = default;  // Empty
    Variant(bool value) : value_(value) {}
    Variant(std::int16_t value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(Date value) : value_(value) {}

    static Variant null() {
        Variant v;
        v.value_ = NullTag{};
        return v;
    }

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isNumeric() const;  // Integer, Long, Double, Boolean, or text that CDbl accepts (VB IsNumeric)

    // VB conversions (CBool, CInt, CLng, CDbl, CStr, CDate). Null raises ComError 94 (InvalidUseOfNull), as VB
    // does; Empty converts to 0 / "" / False / 12:00 AM. Text converts through CDbl / CDate (type mismatch 13).
    bool toBool() const;
    std::int16_t toInt() const;
    std::int32_t toLong() const;
    double toDouble() const;
    std::string toString() const;
    Date toDate() const;

    // Raw access for code that switches on the type.
    const auto& raw() const { return value_; }

    bool operator==(const Variant& other) const = default;

private:
    std::variant<std::monostate, NullTag, bool, std::int16_t, std::int32_t, double, std::string, Date> value_;
};

}  // namespace vb
