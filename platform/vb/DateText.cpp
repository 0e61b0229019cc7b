// Reading dates from text in US regional form (CDate, IsDate).

#include <string>
#include <vector>

#include "CalendarNames.h"
#include "Conversions.h"
#include "DateParts.h"
#include "Strings.h"
#include "TextScan.h"

namespace vb {

namespace {

struct DateToken {
    bool isNumber = false;
    int value = 0;          // the number, or the month of a month name
    std::size_t width = 0;  // digits of a number
};

// A month name or its abbreviation of at least three letters ("Mar", "march", "Sept"); 0 when it is none.
int monthOfName(std::string_view word) {
    if (word.size() < 3) return 0;
    for (std::size_t m = 0; m < names::kMonths.size(); ++m) {
        const std::string_view name = names::kMonths[m];
        if (word.size() <= name.size() && EqualsNoCase(word, name.substr(0, word.size())))
            return static_cast<int>(m) + 1;
    }
    return 0;
}

bool isDateSeparator(char c) {
    return c == ' ' || c == '\t' || c == '/' || c == '-' || c == ',';
}

std::optional<std::vector<DateToken>> tokenize(std::string_view text) {
    std::vector<DateToken> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isDateSeparator(text[i])) {
            ++i;
        } else if (isDigit(text[i])) {
            DateToken token{true, 0, 0};
            while (i < text.size() && isDigit(text[i])) {
                if (token.width == 4) return std::nullopt;  // no part of a date has more than four digits
                token.value = token.value * 10 + (text[i++] - '0');
                ++token.width;
            }
            tokens.push_back(token);
        } else if (isLetter(text[i])) {
            const std::size_t start = i;
            while (i < text.size() && isLetter(text[i])) ++i;
            const int month = monthOfName(text.substr(start, i - start));
            if (month == 0) return std::nullopt;
            tokens.push_back({false, month, 0});
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// A year as written: one or two digits through VB's window 1930..2029, three or four digits as they stand.
int yearOf(const DateToken& token) {
    if (token.width > 2) return token.value;
    return token.value < 30 ? 2000 + token.value : 1900 + token.value;
}

// A number that can only be a year: more than two digits, or above any day of a month.
bool looksLikeYear(const DateToken& token) {
    return token.width > 2 || token.value > 31;
}

std::optional<Date> dateOf(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return std::nullopt;
    return Date(year, month, day);
}

// Dates written with numbers only: M/d/yyyy, M/d/yy, yyyy-MM-dd, M/yyyy (first of the month), M/d (this year).
std::optional<Date> numericDate(const std::vector<DateToken>& numbers) {
    const DateToken& a = numbers[0];
    const DateToken& b = numbers[1];
    if (numbers.size() == 3) {
        const DateToken& c = numbers[2];
        if (a.width > 2) return dateOf(yearOf(a), b.value, c.value);
        if (b.width > 2) return std::nullopt;
        return dateOf(yearOf(c), a.value, b.value);
    }
    if (a.width > 2) return dateOf(yearOf(a), b.value, 1);
    if (looksLikeYear(b)) return dateOf(yearOf(b), a.value, 1);
    return dateOf(Today().year(), a.value, b.value);
}

// Dates with a month name: "Mar 1, 2005", "1-Mar-2005", "March 2005" (first of the month), "Mar 1" (this year).
std::optional<Date> namedMonthDate(int month, const std::vector<DateToken>& numbers) {
    if (numbers.size() == 2) {
        const DateToken& a = numbers[0];
        const DateToken& b = numbers[1];
        if (a.width > 2) return dateOf(yearOf(a), month, b.value);
        return dateOf(yearOf(b), month, a.value);
    }
    if (looksLikeYear(numbers[0])) return dateOf(yearOf(numbers[0]), month, 1);
    return dateOf(Today().year(), month, numbers[0].value);
}

}  // namespace

std::optional<Date> parseDate(std::string_view text) {
    const std::optional<std::vector<DateToken>> tokens = tokenize(text);
    if (!tokens) return std::nullopt;
    std::vector<DateToken> numbers;
    int month = 0;
    for (const DateToken& token : *tokens) {
        if (token.isNumber) {
            numbers.push_back(token);
        } else {
            if (month != 0) return std::nullopt;
            month = token.value;
        }
    }
    if (month != 0) {
        if (numbers.empty() || numbers.size() > 2) return std::nullopt;
        return namedMonthDate(month, numbers);
    }
    if (numbers.size() < 2 || numbers.size() > 3) return std::nullopt;
    return numericDate(numbers);
}

}  // namespace vb
