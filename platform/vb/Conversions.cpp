#include "Conversions.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ComError.h"
#include "DecimalDigits.h"
#include "TextScan.h"

namespace vb {

namespace {

// The largest exponent for which a fixed text of the double is still exact enough to round on; beyond it every
// double is already a whole number and decimals change nothing.
constexpr int kMaxRoundDecimals = 340;

// Whether a decimal text that from_chars found out of range is too small rather than too large: its first
// significant digit stands at a negative power of ten.
bool belowSmallestDouble(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view significand = text.substr(0, e);
    const std::size_t first = significand.find_first_of("123456789");
    if (first == std::string_view::npos) return true;
    const std::size_t point = std::min(significand.find('.'), significand.size());
    long long order = first < point ? static_cast<long long>(point - first - 1)
                                    : -static_cast<long long>(first - point);
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        long long exponent = 0;
        // Far beyond any double's range either way, and small enough not to overflow when added to `order`.
        constexpr long long kExponentCap = 1'000'000'000;
        for (; i < text.size() && isDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
        order += negative ? -exponent : exponent;
    }
    return order < 0;
}

// A decimal number text in the C locale ("-12.5e3", ".5", "7.") as a double; nothing when it is too large. A
// number too small for a double is 0, as VB reads it.
std::optional<double> decimalValue(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range && belowSmallestDouble(text)) return 0.0;
    if (error != std::errc()) return std::nullopt;
    return value;
}

// "&H1F" / "&O17" / "&17": VB reads up to 4 hex (or 6 octal) digits as a 16-bit Integer and longer ones as a
// 32-bit Long, so "&HFFFF" is -1. `allDigits` is set when the digits run to the end of `text`.
std::optional<double> radixValue(std::string_view text, bool& allDigits) {
    int radix = 8;
    std::size_t i = 1;  // after "&"
    if (i < text.size() && (text[i] == 'H' || text[i] == 'h')) {
        radix = 16;
        ++i;
    } else if (i < text.size() && (text[i] == 'O' || text[i] == 'o')) {
        ++i;
    }
    unsigned long long value = 0;
    std::size_t digits = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit < 0 || digit >= radix) break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) tally::raiseVbError(tally::vberr::Overflow);
        ++digits;
    }
    allDigits = i == text.size() && digits > 0;
    if (digits == 0) return std::nullopt;
    if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

bool isValBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Appends a decimal point and the digits after it when a point stands at `i`; `anyDigit` is set by a digit.
void takeFraction(std::string_view text, std::size_t& i, std::string& number, bool& anyDigit) {
    if (i >= text.size() || text[i] != '.') return;
    number += text[i++];
    for (; i < text.size() && isDigit(text[i]); ++i) {
        number += text[i];
        anyDigit = true;
    }
}

// Appends an exponent ("e-12") when one starts at `i`; VB also takes "D" as the exponent letter in Val.
void takeExponent(std::string_view text, std::size_t& i, std::string& number, bool allowD) {
    if (i >= text.size()) return;
    const char letter = text[i];
    if (!(letter == 'e' || letter == 'E' || (allowD && (letter == 'd' || letter == 'D')))) return;
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j >= text.size() || !isDigit(text[j])) return;
    while (j < text.size() && isDigit(text[j])) exponent += text[j++];
    number += exponent;
    i = j;
}

// "1,234,567": the first group one to three digits, every later group exactly three. A text such as "1,5" is
// refused rather than read as 15: typed amounts must not change their value silently.
bool isGroupedWhole(std::string_view whole) {
    std::size_t group = 0;
    bool first = true;
    for (char c : whole) {
        if (c == ',') {
            if (group == 0 || (first && group > 3) || (!first && group != 3)) return false;
            first = false;
            group = 0;
        } else {
            ++group;
        }
    }
    return first || group == 3;
}

}  // namespace

double Round(double value, int decimals) {
    if (decimals < 0) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    if (!std::isfinite(value) || decimals > kMaxRoundDecimals) return value;
    // The fixed text of a double is its exact binary value rounded half to even, which is VB's rule.
    char text[720];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    double rounded = 0;
    std::from_chars(text, end, rounded);
    return rounded == 0 ? 0.0 : rounded;  // no "-0"
}

namespace {

// `value` rounded half to even into a whole number of type `Whole`; Overflow (6) when it does not fit.
template <typename Whole>
Whole roundedWhole(double value) {
    const double whole = Round(value, 0);
    if (!(whole >= std::numeric_limits<Whole>::min() && whole <= std::numeric_limits<Whole>::max()))
        tally::raiseVbError(tally::vberr::Overflow);
    return static_cast<Whole>(whole);
}

}  // namespace

std::int16_t CInt(double value) {
    return roundedWhole<std::int16_t>(value);
}

std::int32_t CLng(double value) {
    return roundedWhole<std::int32_t>(value);
}

double Val(std::string_view text) {
    std::string compact;  // VB's Val skips blanks, tabs and line breaks wherever they stand ("1 2" is 12)
    for (char c : text)
        if (!isValBlank(c)) compact += c;
    if (!compact.empty() && compact[0] == '&') {
        bool allDigits = false;
        return radixValue(compact, allDigits).value_or(0.0);
    }
    std::size_t i = 0;
    std::string number;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
        if (compact[i] == '-') number += '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < compact.size() && isDigit(compact[i])) {
        number += compact[i++];
        anyDigit = true;
    }
    takeFraction(compact, i, number, anyDigit);
    if (!anyDigit) return 0;
    takeExponent(compact, i, number, true);
    const std::optional<double> value = decimalValue(number);
    if (!value) tally::raiseVbError(tally::vberr::Overflow);
    return *value == 0 ? 0.0 : *value;
}

std::optional<double> parseNumber(std::string_view text) {
    std::string_view rest = trimBlanks(text);
    bool negative = false;
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
        negative = true;
        rest = trimBlanks(rest.substr(1, rest.size() - 2));
    }
    if (!rest.empty() && rest.front() == '&') {
        bool allDigits = false;
        const std::optional<double> value = radixValue(rest, allDigits);
        if (!value || !allDigits) return std::nullopt;
        return negative ? -*value : *value;
    }
    // Sign and currency sign in either order: "-$5", "$-5".
    bool signSeen = false;
    bool dollarSeen = false;
    while (!rest.empty()) {
        if ((rest.front() == '-' || rest.front() == '+') && !signSeen && !negative) {
            signSeen = true;
            negative = rest.front() == '-';
        } else if (rest.front() == '$' && !dollarSeen) {
            dollarSeen = true;
        } else {
            break;
        }
        rest.remove_prefix(1);
    }
    std::size_t i = 0;
    std::string whole;
    while (i < rest.size() && (isDigit(rest[i]) || rest[i] == ',')) whole += rest[i++];
    if (!isGroupedWhole(whole)) return std::nullopt;
    std::string number = negative ? "-" : "";
    for (char c : whole)
        if (c != ',') number += c;
    bool anyDigit = !whole.empty();
    takeFraction(rest, i, number, anyDigit);
    if (!anyDigit) return std::nullopt;
    takeExponent(rest, i, number, false);
    if (i != rest.size()) return std::nullopt;
    const std::optional<double> value = decimalValue(number);
    if (value && *value == 0) return 0.0;
    return value;
}

double CDbl(std::string_view text) {
    const std::optional<double> value = parseNumber(text);
    if (!value) tally::raiseVbError(tally::vberr::TypeMismatch);
    return *value;
}

Date CDate(std::string_view text) {
    const std::optional<Date> value = parseDate(text);
    if (!value) tally::raiseVbError(tally::vberr::TypeMismatch);
    return *value;
}

bool IsNumeric(std::string_view text) {
    return parseNumber(text).has_value();
}

bool IsDate(std::string_view text) {
    return parseDate(text).has_value();
}

std::string NumberText(double value) {
    const DecimalDigits number = DecimalDigits::of(value);
    if (number.isZero()) return "0";
    std::string text = number.negative ? "-" : "";
    const int count = static_cast<int>(number.digits.size());
    if (number.exponent >= -5 && number.exponent < 15) {
        if (number.exponent < 0) {
            text += "0." + std::string(static_cast<std::size_t>(-number.exponent - 1), '0') + number.digits;
        } else if (count <= number.exponent + 1) {
            text += number.digits + std::string(static_cast<std::size_t>(number.exponent + 1 - count), '0');
        } else {
            const auto wholeLength = static_cast<std::size_t>(number.exponent + 1);
            text += number.digits.substr(0, wholeLength) + '.' + number.digits.substr(wholeLength);
        }
        return text;
    }
    // VB's exponent form: "1.5E+15", "1E-06".
    text += number.digits.substr(0, 1);
    if (count > 1) text += '.' + number.digits.substr(1);
    const int magnitude = std::abs(number.exponent);
    text += number.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

}  // namespace vb
