// Date patterns of VB's Format ("mm/yyyy", "YYYY", "mm-yyyy", "mm/dd/yyyy", "mmm d, yyyy", named formats).
// Letters are case-insensitive; a Date keeps no time of
// day, so hours, minutes and seconds show as zero.

#include <array>
#include <cstdio>

#include "CalendarNames.h"
#include "FormatPattern.h"
#include "Strings.h"
#include "TextScan.h"

namespace vb::pattern {

namespace {

constexpr std::array<NamedFormat, 7> kNamedDateFormats = {{
    {"General Date", "m/d/yyyy"},
    {"Short Date", "m/d/yyyy"},
    {"Medium Date", "dd-mmm-yy"},
    {"Long Date", "dddd, mmmm d, yyyy"},
    {"Short Time", "hh:nn"},
    {"Medium Time", "hh:nn AM/PM"},
    {"Long Time", "h:nn:ss AM/PM"},
}};

bool isDateLetter(char c) {
    const char lower = lowerAscii(c);
    return lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 'n' || lower == 's' ||
           lower == 'q';
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
        twelveHour_ = pattern.find("AM/PM") != std::string_view::npos ||
                      pattern.find("am/pm") != std::string_view::npos ||
                      pattern.find("AMPM") != std::string_view::npos;
        walk(
            pattern, [&](std::string_view literal) { text_.append(literal); },
            [&](std::size_t i) { return token(pattern, i); });
        return text_;
    }

private:
    // Writes the token that starts at `i`; returns the index of its last character.
    std::size_t token(std::string_view pattern, std::size_t i) {
        if (pattern.substr(i, 5) == "AM/PM" || pattern.substr(i, 5) == "am/pm") {
            text_ += pattern[i] == 'A' ? "AM" : "am";  // no time of day: always midnight
            return i + 4;
        }
        if (pattern.substr(i, 4) == "AMPM" || pattern.substr(i, 4) == "ampm") {
            text_ += "AM";
            return i + 3;
        }
        const char letter = lowerAscii(pattern[i]);
        if (!isDateLetter(letter)) {
            text_ += pattern[i];
            return i;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && lowerAscii(pattern[i + run]) == letter) ++run;
        switch (letter) {
            case 'd': day(run); break;
            case 'm':
                if (afterHour_)
                    timePart(0, run);  // minutes
                else
                    month(run);
                break;
            case 'y': year(run); break;
            case 'q': text_ += std::to_string((date_.month() - 1) / 3 + 1); break;
            case 'h': timePart(twelveHour_ ? 12 : 0, run); break;
            default: timePart(0, run); break;  // n, s
        }
        afterHour_ = letter == 'h';
        return i + run - 1;
    }

    void day(std::size_t run) {
        const int weekday = static_cast<int>((date_.serial() % 7 + 7 + 6) % 7);  // 12/30/1899 was a Saturday
        switch (run) {
            case 1: text_ += std::to_string(date_.day()); break;
            case 2: text_ += twoDigits(date_.day()); break;
            case 3: text_ += names::kWeekdays[static_cast<std::size_t>(weekday)].substr(0, 3); break;
            case 4: text_ += names::kWeekdays[static_cast<std::size_t>(weekday)]; break;
            case 5: text_ += date_.toShortDate(); break;
            default: text_ += DateWriter(date_).write("dddd, mmmm d, yyyy"); break;
        }
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

    void timePart(int value, std::size_t run) {
        text_ += run >= 2 ? twoDigits(value) : std::to_string(value);
    }

    const Date& date_;
    std::string text_;
    bool afterHour_ = false;
    bool twelveHour_ = false;  // an AM/PM marker makes midnight "12"
};

std::string_view resolveNamed(std::string_view pattern) {
    for (const NamedFormat& named : kNamedDateFormats)
        if (EqualsNoCase(pattern, named.name)) return named.pattern;
    return pattern;
}

}  // namespace

bool isDatePattern(std::string_view pattern) {
    if (resolveNamed(pattern) != pattern) return true;
    if (isNamedNumberFormat(pattern)) return false;
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
    return DateWriter(date).write(resolveNamed(pattern));
}

}  // namespace vb::pattern
