#include "Format.h"

#include "Conversions.h"
#include "FormatPattern.h"
#include "Variant.h"

namespace vb {

namespace {

// A number given a date pattern is a serial day, as in VB.
Date dateOfSerial(double serial) {
    return Variant(serial).toDate();
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
    if (pattern.empty()) return NumberText(value);
    if (pattern::isDatePattern(pattern)) return pattern::formatDate(dateOfSerial(value), pattern);
    return pattern::formatNumber(value, pattern);
}

std::string Format(const Date& value, std::string_view pattern) {
    if (pattern.empty()) return value.toShortDate();
    if (pattern::isDatePattern(pattern)) return pattern::formatDate(value, pattern);
    return pattern::formatNumber(static_cast<double>(value.serial()), pattern);
}

std::string Format(const Variant& value, std::string_view pattern) {
    switch (value.type()) {
        case VarType::Empty:
        case VarType::Null: return {};
        case VarType::Date: return Format(value.toDate(), pattern);
        case VarType::Boolean: return pattern.empty() ? value.toString() : Format(value.toDouble(), pattern);
        case VarType::String: {
            // Text that reads as a number is formatted as that number, text that reads as a date (for a date
            // pattern) as that date; any other text comes back unchanged.
            const std::string& text = std::get<std::string>(value.raw());
            if (pattern.empty()) return text;
            if (const std::optional<double> number = parseNumber(text)) return Format(*number, pattern);
            if (pattern::isDatePattern(pattern))
                if (const std::optional<Date> date = parseDate(text)) return Format(*date, pattern);
            return text;
        }
        default: return Format(value.toDouble(), pattern);
    }
}

}  // namespace vb
