#include "Variant.h"

#include <cmath>

#include "ComError.h"
#include "Conversions.h"
#include "Strings.h"

namespace vb {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

[[noreturn]] void raiseInvalidUseOfNull() {
    throw tally::ComError(InvalidUseOfNull, "Tallyvane", "Invalid use of Null");
}

}  // namespace

VarType Variant::type() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return VarType::Empty; },
                          [](NullTag) { return VarType::Null; },
                          [](bool) { return VarType::Boolean; },
                          [](std::int16_t) { return VarType::Integer; },
                          [](std::int32_t) { return VarType::Long; },
                          [](double) { return VarType::Double; },
                          [](const std::string&) { return VarType::String; },
                          [](const Date&) { return VarType::Date; },
                      },
                      value_);
}

bool Variant::isNumeric() const {
    switch (type()) {
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Double: return true;
        case VarType::String: return IsNumeric(std::get<std::string>(value_));
        default: return false;
    }
}

double Variant::toDouble() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](NullTag) -> double { raiseInvalidUseOfNull(); },
                          [](bool v) { return v ? -1.0 : 0.0; },  // True is -1 as a number
                          [](std::int16_t v) { return static_cast<double>(v); },
                          [](std::int32_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](const std::string& v) { return CDbl(v); },
                          [](const Date& v) { return static_cast<double>(v.serial()); },
                      },
                      value_);
}

std::int16_t Variant::toInt() const {
    return CInt(toDouble());
}

std::int32_t Variant::toLong() const {
    return CLng(toDouble());
}

bool Variant::toBool() const {
    if (const auto* text = std::get_if<std::string>(&value_)) {
        const std::string word = Trim(*text);
        if (EqualsNoCase(word, "True")) return true;
        if (EqualsNoCase(word, "False")) return false;
    }
    if (const auto* flag = std::get_if<bool>(&value_)) return *flag;
    return toDouble() != 0;
}

std::string Variant::toString() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](NullTag) -> std::string { raiseInvalidUseOfNull(); },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                          [](std::int16_t v) { return std::to_string(v); },
                          [](std::int32_t v) { return std::to_string(v); },
                          [](double v) { return NumberText(v); },
                          [](const std::string& v) { return v; },
                          [](const Date& v) { return v.toShortDate(); },
                      },
                      value_);
}

Date Variant::toDate() const {
    if (isNull()) raiseInvalidUseOfNull();
    if (const auto* text = std::get_if<std::string>(&value_)) return CDate(*text);
    if (const auto* date = std::get_if<Date>(&value_)) return *date;
    // A number is a serial day; its fraction would be a time of day, which a Date does not keep.
    const double serial = std::trunc(toDouble());
    if (!(serial >= -2147483648.0 && serial <= 2147483647.0)) tally::raiseVbError(tally::vberr::Overflow);
    return Date::fromSerial(static_cast<long>(serial));
}

}  // namespace vb
