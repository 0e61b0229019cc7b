#include "DateParts.h"

#include <algorithm>
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

// The date `months` months on, its day kept or brought back to the last day of a shorter month.
Date addMonths(const Date& date, long long months) {
    const long long index = static_cast<long long>(date.year()) * 12 + (date.month() - 1) + months;
    const long long year = civil::floorDiv(index, 12);
    const int month = static_cast<int>(index - year * 12) + 1;
    if (year < civil::kMinYear || year > civil::kMaxYear) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    const int day = std::min(date.day(), civil::daysInMonth(year, month));
    return Date(static_cast<int>(year), month, day);
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

Date DateAdd(std::string_view interval, long number, const Date& date) {
    switch (intervalOf(interval)) {
        case Interval::Year: return addMonths(date, 12LL * number);
        case Interval::Quarter: return addMonths(date, 3LL * number);
        case Interval::Month: return addMonths(date, number);
        case Interval::Day:
        case Interval::DayOfYear: {
            const long long serial = static_cast<long long>(date.serial()) + number;
            if (serial < civil::kMinSerial || serial > civil::kMaxSerial)
                tally::raiseVbError(tally::vberr::InvalidProcedureCall);
            return Date::fromSerial(static_cast<long>(serial));
        }
    }
    return date;
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace vb
