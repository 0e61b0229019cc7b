#pragma once
// A calendar date (the program stores dates without a time of day). Serial numbers count days as VB does:
// day 0 is 12/30/1899, so 1/1/1900 is day 2.

#include <compare>
#include <string>

namespace vb {

class Date {
public:
    Date() = default;  // 12/30/1899, VB's zero date
    Date(int year, int month, int day);  // must be a valid calendar date (throws ComError 5 otherwise)

    static Date fromSerial(long serial);
    long serial() const;

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }

    std::string toIso() const;        // "2005-03-01", how the database stores dates
    std::string toShortDate() const;  // "3/1/2005", the US short date (M/d/yyyy)

    auto operator<=>(const Date&) const = default;

private:
    int year_ = 1899;
    int month_ = 12;
    int day_ = 30;
};

// DateSerial: month and day may overflow or underflow and roll over, as in VB (DateSerial(2005, 13, 1) = 1/1/2006).
Date DateSerial(int year, int month, int day);
bool isValidDate(int year, int month, int day);

// The disposal date that means "not disposed of".
inline Date notSoldDate() { return Date(1900, 1, 1); }

}  // namespace vb
