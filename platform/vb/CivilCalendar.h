#pragma once
// Proleptic Gregorian day arithmetic shared by the date functions (internal to the VB runtime).

namespace vb::civil {

struct YearMonthDay {
    long long year;
    int month;
    int day;
};

constexpr long long floorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr bool isLeapYear(long long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int daysInMonth(long long year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a calendar date (any year).
constexpr long long toDays(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = floorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr YearMonthDay fromDays(long long days) {
    days += 719468;
    const long long era = floorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// VB's day 0 is 12/30/1899; dates run from 1/1/100 to 12/31/9999.
constexpr long long kSerialEpochDays = toDays(1899, 12, 30);
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr long kMinSerial = static_cast<long>(toDays(kMinYear, 1, 1) - kSerialEpochDays);
constexpr long kMaxSerial = static_cast<long>(toDays(kMaxYear, 12, 31) - kSerialEpochDays);

static_assert(toDays(1900, 1, 1) - kSerialEpochDays == 2);
static_assert(kMinSerial == -657434 && kMaxSerial == 2958465);

}  // namespace vb::civil
