// Date patterns of VB's Format ("mm/yyyy", "YYYY", "mm-yyyy", "mm/dd/yyyy", "mmm d, yyyy"). Letters are
// case-insensitive; any other character is written as it stands.

#include <cstdio>

#include "CalendarNames.h"
#include "FormatPattern.h"
#include "TextScan.h"

namespace vb::pattern {

namespace {

bool isDateLetter(char c) {
    const char lower = lowerAscii(c);
    return lower == 'd' || lower == 'm' || lower == 'y' || lower == 'q';
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

class DateWriter {
public:
    explicit DateWriter(const Date& date) : date_(date) {}

    std::string write(std::string_view pattern) {
        walk(
            pattern, [&](std::string_view literal) { text_.append(literal); },
            [&](std::size_t i) { return token(pattern, i); });
        return text_;
    }

private:
    // Writes the token that starts at `i`; returns the index of its last character.
    std::size_t token(std::string_view pattern, std::size_t i) {
        const char letter = lowerAscii(pattern[i]);
        if (!isDateLetter(letter)) {
            text_ += pattern[i];
            return i;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && lowerAscii(pattern[i + run]) == letter) ++run;
        switch (letter) {
            case 'd': text_ += run == 1 ? std::to_string(date_.day()) : twoDigits(date_.day()); break;
            case 'm': month(run); break;
            case 'y': year(run); break;
            default: text_ += std::to_string((date_.month() - 1) / 3 + 1); break;  // q
        }
        return i + run - 1;
    }

    void month(std::size_t run) {
        const std::string_view name = names::kMonths[static_cast<std::size_t>(date_.month() - 1)];
        switch (run) {
            case 1: text_ += std::to_string(date_.month()); break;
            case 2: text_ += twoDigits(date_.month()); break;
            case 3: text_ += name.substr(0, 3); break;
            default: text_ += name; break;
        }
    }

    void year(std::size_t run) {
        switch (run) {
            case 1: text_ += std::to_string(date_.serial() - Date(date_.year(), 1, 1).serial() + 1); break;
            case 2: text_ += twoDigits(date_.year() % 100); break;
            default: text_ += std::to_string(date_.year()); break;
        }
    }

    const Date& date_;
    std::string text_;
};

}  // namespace

bool isDatePattern(std::string_view pattern) {
    bool dateLetter = false;
    walk(
        pattern, [](std::string_view) {},
        [&](std::size_t i) {
            if (isDateLetter(pattern[i])) dateLetter = true;
            return i;
        });
    return dateLetter;
}

std::string formatDate(const Date& date, std::string_view pattern) {
    return DateWriter(date).write(pattern);
}

}  // namespace vb::pattern
