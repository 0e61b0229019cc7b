#pragma once
// VB date functions the program uses.

#include <string_view>

#include "VbDate.h"

namespace vb {

// DatePart with the intervals "yyyy" (year), "q" (quarter), "m" (month), "d" (day), "y" (day of year), any case.
// Raises ComError 5 for another interval.
int DatePart(std::string_view interval, const Date& date);
int Year(const Date& date);
int Month(const Date& date);
int Day(const Date& date);
// Today's date from the system clock.
Date Today();

}  // namespace vb
