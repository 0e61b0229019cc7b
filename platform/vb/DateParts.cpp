#include "DateParts.h"

#include <ctime>

#include "CivilCalendar.h"
#include "ComError.h"
#include "Strings.h"

namespace vb {

namespace {

enum class Interval { Year, Quarter, Month, Day, DayOfYear };

Interval intervalOf(std::string_view name) {
    if (EqualsNoCase(name, "yyyy")) return Interval::Year;
    if (EqualsNoCase(name, "q")) return Interval::Quarter;
    if (EqualsNoCase(name, "m")) return Interval::Month;
    if (EqualsNoCase(name, "d")) return Interval::Day;
    if (EqualsNoCase(name, "y")) return Interval::DayOfYear;
    tally::raiseVbError(tally::vberr::InvalidProcedureCall);
}

}  // namespace

int DatePart(std::string_view interval, const Date& date) {
    switch (intervalOf(interval)) {
        case Interval::Year: return date.year();
        case Interval::Quarter: return (date.month() - 1) / 3 + 1;
        case Interval::Month: return date.month();
        case Interval::Day: return date.day();
        case Interval::DayOfYear: return static_cast<int>(date.serial() - Date(date.year(), 1, 1).serial()) + 1;
    }
    return 0;
}

int Year(const Date& date) {
    return date.year();
}

int Month(const Date& date) {
    return date.month();
}

int Day(const Date& date) {
    return date.day();
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace vb
