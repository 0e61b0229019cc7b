#include "VbDate.h"

#include <cstdio>

#include "CivilCalendar.h"
#include "ComError.h"

namespace vb {

namespace {

// Years from 0 to 99 given to DateSerial are read through the two-digit window 1930..2029, as VB reads them.
int widenTwoDigitYear(int year) {
    if (year >= 0 && year <= 29) return year + 2000;
    if (year >= 30 && year <= 99) return year + 1900;
    return year;
}

}  // namespace

bool isValidDate(int year, int month, int day) {
    if (year < civil::kMinYear || year > civil::kMaxYear) return false;
    if (month < 1 || month > 12) return false;
    return day >= 1 && day <= civil::daysInMonth(year, month);
}

Date::Date(int year, int month, int day) : year_(year), month_(month), day_(day) {
    if (!isValidDate(year, month, day)) tally::raiseVbError(tally::vberr::InvalidProcedureCall);
}

Date Date::fromSerial(long serial) {
    if (serial < civil::kMinSerial || serial > civil::kMaxSerial) tally::raiseVbError(tally::vberr::Overflow);
    const civil::YearMonthDay ymd = civil::fromDays(serial + civil::kSerialEpochDays);
    Date date;
    date.year_ = static_cast<int>(ymd.year);
    date.month_ = ymd.month;
    date.day_ = ymd.day;
    return date;
}

long Date::serial() const {
    return civil::toDays(year_, month_, day_) - civil::kSerialEpochDays;
}

std::string Date::toIso() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year_, month_, day_);
    return text;
}

std::string Date::toShortDate() const {
    return std::to_string(month_) + '/' + std::to_string(day_) + '/' + std::to_string(year_);
}

Date DateSerial(int year, int month, int day) {
    const long long monthIndex = static_cast<long long>(widenTwoDigitYear(year)) * 12 + (month - 1);
    const long long firstYear = civil::floorDiv(monthIndex, 12);
    const int firstMonth = static_cast<int>(monthIndex - firstYear * 12) + 1;
    if (firstYear < civil::kMinYear - 1 || firstYear > civil::kMaxYear + 1)
        tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    const long long serial =
        civil::toDays(firstYear, firstMonth, 1) - civil::kSerialEpochDays + (static_cast<long long>(day) - 1);
    if (serial < civil::kMinSerial || serial > civil::kMaxSerial)
        tally::raiseVbError(tally::vberr::InvalidProcedureCall);
    return Date::fromSerial(static_cast<long>(serial));
}

}  // namespace vb
